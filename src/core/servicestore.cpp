#include "core/servicestore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>

namespace {

QString defaultDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/Glinter");
}

QString duplicateKey(const Service &service)
{
    return rawValue(service.provider) + u':' + service.urlText().toLower();
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
            return Service{QUuid::createUuid(), QString::fromUtf8(name),
                           QUrl(QString::fromUtf8(url)), kind, std::nullopt};
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
        contents.error = parseError.errorString() + QStringLiteral(" (")
                         + positionText(data, parseError.offset) + u')';
        return contents;
    }
    if (!document.isArray()) {
        contents.error = QCoreApplication::translate("ServiceStore", "the file is not a JSON array");
        return contents;
    }

    const QJsonArray array = document.array();
    QSet<QString> seen;
    for (const QJsonValue &value : array) {
        std::optional<Service> service = Service::fromJson(value);
        if (!service)
            continue;
        const QString key = duplicateKey(*service);
        if (seen.contains(key))
            continue;
        seen.insert(key);
        contents.services.append(std::move(*service));
    }
    if (contents.services.isEmpty() && !array.isEmpty()) {
        contents.error = QCoreApplication::translate(
            "ServiceStore", "no entry has both a \"name\" and a \"url\"");
    }
    return contents;
}

ServiceFileContents ServiceStore::read() const
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        ServiceFileContents contents;
        contents.unreadable = true;
        return contents;
    }
    return decode(file.readAll());
}

QList<Service> ServiceStore::load() const
{
    const ServiceFileContents contents = read();
    if (contents.services.isEmpty())
        return seedList();
    return contents.services;
}

QByteArray ServiceStore::encode(const QList<Service> &services)
{
    QJsonArray array;
    for (const Service &service : services)
        array.append(service.toJson());
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

bool ServiceStore::save(const QList<Service> &services) const
{
    QDir().mkpath(m_directory);
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(encode(services));
    return file.commit();
}
