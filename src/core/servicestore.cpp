#include "core/servicestore.h"

#include "core/atomicfile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>

namespace {

QString defaultDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Glinter");
}

QString duplicateKey(const Service &service)
{
    return service.providerName() + u':' + service.urlText().toLower();
}

// Turns a byte offset into a 1-based line and column, for messages about hand edits.
QString positionText(const QByteArray &data, int offset)
{
    offset = std::clamp(offset, 0, int(data.size()));
    const QByteArray before = data.left(offset);
    const int line = int(before.count('\n')) + 1;
    const int column = offset - int(before.lastIndexOf('\n'));
    return QCoreApplication::translate("ServiceStore", "line %1, column %2").arg(line).arg(column);
}

} // namespace

ServiceStore::ServiceStore(std::optional<QString> directory)
    : m_directory(directory.value_or(defaultDirectory()))
    , m_filePath(m_directory + QStringLiteral("/services.json"))
{
}

ServiceStore ServiceStore::forFile(const QString &filePath)
{
    const QFileInfo info(filePath);
    ServiceStore store(info.absolutePath());
    store.m_filePath = info.absoluteFilePath();
    return store;
}

const QList<Service> &ServiceStore::seedList()
{
    static const QList<Service> seeds = [] {
        const auto make = [](const char *name, const char *url, ProviderKind kind) {
            return Service{QUuid::createUuid(), QString::fromUtf8(name), QUrl(QString::fromUtf8(url)), kind,
                           std::nullopt};
        };
        return QList<Service>{
            make("Vercel", "https://www.vercel-status.com", ProviderKind::Statuspage),
            make("Cloudflare", "https://www.cloudflarestatus.com", ProviderKind::Statuspage),
            make("Stripe", "https://www.stripestatus.com", ProviderKind::Statuspage),
            make("GitHub", "https://www.githubstatus.com", ProviderKind::Statuspage),
            make("Anthropic", "https://status.claude.com", ProviderKind::Statuspage),
            make("OpenAI", "https://status.openai.com", ProviderKind::Statuspage),
            make("AWS", "https://health.aws.amazon.com/health/status", ProviderKind::Aws),
            make("Apple Developer", "https://developer.apple.com/system-status/", ProviderKind::Apple),
        };
    }();
    return seeds;
}

ServiceFileContents ServiceStore::decode(const QByteArray &data)
{
    ServiceFileContents contents;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(data, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        contents.error = parseError.errorString() + QStringLiteral(" (") + positionText(data, parseError.offset) + u')';
        return contents;
    }
    if (!document.isArray()) {
        contents.error = QCoreApplication::translate("ServiceStore", "the file is not a JSON array");
        return contents;
    }

    const QJsonArray array = document.array();
    struct Kept {
        qsizetype record;
        QString name;
    };
    QHash<QString, Kept> seen;
    for (qsizetype i = 0; i < array.size(); ++i) {
        const qsizetype record = i + 1;
        ServiceRecord decoded = Service::decode(array.at(i));
        if (!decoded.service) {
            contents.problems.append(QCoreApplication::translate("ServiceStore", "Record %1: %2")
                                         .arg(QString::number(record), decoded.problem));
            ++contents.unreadableRecords;
            continue;
        }
        Service &service = *decoded.service;
        const QString key = duplicateKey(service);
        if (const auto first = seen.constFind(key); first != seen.constEnd()) {
            contents.problems.append(
                QCoreApplication::translate("ServiceStore",
                                            "Record %1 (\"%2\"): same provider and address as record %3 (\"%4\")")
                    .arg(QString::number(record), service.name, QString::number(first->record), first->name));
            continue;
        }
        seen.insert(key, Kept{record, service.name});
        if (decoded.hasWrittenID)
            contents.writtenIDs.insert(service.id);
        contents.services.append(std::move(service));
    }
    if (contents.services.isEmpty() && !array.isEmpty()) {
        contents.error = QCoreApplication::translate("ServiceStore", "no record can be used (%1)")
                             .arg(problemsText(contents.problems));
    }
    return contents;
}

QString ServiceStore::problemsText(const QStringList &problems)
{
    // A file of thousands of bad records must not make a message of thousands of lines.
    constexpr qsizetype shown = 5;
    QString text = problems.mid(0, shown).join(QStringLiteral("; "));
    if (const int more = int(problems.size() - shown); more > 0)
        text += QCoreApplication::translate("ServiceStore", "; and %n more", nullptr, more);
    return text;
}

ServiceFileContents ServiceStore::read() const
{
    // No list fills more than this; a larger file is refused rather than read into memory.
    constexpr qint64 maxSize = qint64(16) * 1024 * 1024;
    ReadResult file = AtomicFile::read(m_filePath, maxSize);
    if (!file.bytes) {
        ServiceFileContents contents;
        contents.readError = file.error;
        contents.missing = file.missing;
        return contents;
    }
    ServiceFileContents contents = decode(*file.bytes);
    contents.data = std::move(*file.bytes);
    return contents;
}

QList<Service> ServiceStore::servicesOf(const ServiceFileContents &contents)
{
    // The seeds are for a first start; a list the user emptied stays empty rather than
    // bringing back services they removed.
    if (contents.missing || contents.readError || contents.error)
        return seedList();
    return contents.services;
}

QList<Service> ServiceStore::load() const
{
    return servicesOf(read());
}

QByteArray ServiceStore::encode(const QList<Service> &services)
{
    QJsonArray array;
    for (const Service &service : services)
        array.append(service.toJson());
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

WriteResult ServiceStore::save(const QList<Service> &services) const
{
    return AtomicFile::write(m_filePath, encode(services));
}
