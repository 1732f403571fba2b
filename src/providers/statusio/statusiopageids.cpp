#include "providers/statusio/statusiopageids.h"

#include "core/atomicfile.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

// Far more than any list of pages needs; a larger file is not ours to read.
constexpr qint64 maxFileSize = 1 << 20;

} // namespace

StatusIOPageIds::StatusIOPageIds(Clock clock, QString file)
    : m_clock(std::move(clock))
    , m_file(std::move(file))
{
    if (m_file.isEmpty())
        return;
    const ReadResult read = AtomicFile::read(m_file, maxFileSize);
    const QJsonObject pages = QJsonDocument::fromJson(read.bytes.value_or(QByteArray())).object();
    for (auto it = pages.constBegin(); it != pages.constEnd(); ++it) {
        const QJsonObject entry = it.value().toObject();
        const QString id = entry.value(QLatin1String("id")).toString();
        const QDateTime foundAt = QDateTime::fromString(entry.value(QLatin1String("foundAt")).toString(), Qt::ISODate);
        const QUrl page(it.key());
        // The identifier goes into the API's path: only letters and digits, as pages give them.
        const bool plain = std::all_of(id.cbegin(), id.cend(),
                                       [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); });
        if (!id.isEmpty() && plain && foundAt.isValid() && page.isValid())
            m_pages.insert(page, {id, foundAt.toUTC()});
    }
}

std::shared_ptr<ProviderMemory> StatusIOPageIds::make(const QString &folder)
{
    const QString file = folder.isEmpty() ? QString() : folder + QStringLiteral("/statusio-pages.json");
    return std::make_shared<StatusIOPageIds>(&QDateTime::currentDateTimeUtc, file);
}

std::optional<QString> StatusIOPageIds::find(const QUrl &page) const
{
    const auto it = m_pages.constFind(page);
    if (it == m_pages.constEnd())
        return std::nullopt;
    const QDateTime now = m_clock();
    // A clock set back looks the page up again rather than trusting a finding "from the future".
    if (now < it->foundAt || it->foundAt.secsTo(now) >= std::chrono::seconds(period).count())
        return std::nullopt;
    return it->id;
}

void StatusIOPageIds::remember(const QUrl &page, const QString &id)
{
    m_pages.insert(page, {id, m_clock()});
    save();
}

void StatusIOPageIds::forget(const QUrl &page)
{
    if (m_pages.remove(page) > 0)
        save();
}

void StatusIOPageIds::save() const
{
    if (m_file.isEmpty())
        return;
    QJsonObject pages;
    for (auto it = m_pages.constBegin(); it != m_pages.constEnd(); ++it) {
        pages.insert(it.key().toString(), QJsonObject{{QLatin1String("id"), it->id},
                                                      {QLatin1String("foundAt"), it->foundAt.toString(Qt::ISODate)}});
    }
    // A cache: a write that fails costs a page read later, nothing else.
    (void)AtomicFile::write(m_file, QJsonDocument(pages).toJson(QJsonDocument::Compact));
}
