#include "catalog/agentprompt.h"

#include "catalog/servicecatalog.h"
#include "core/providerkind.h"

#include <QFile>
#include <QStringList>

namespace {

// The prompt's words live in agentprompt.txt; @FILE@, @CATALOG@ and @PROVIDERS@ stand for
// what is filled in here.
QString promptTemplate()
{
    QFile file(QStringLiteral(":/glinter/catalog/agentprompt.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString providerList()
{
    QStringList names;
    for (const std::u16string_view name : storedProviderNames)
        names.append(QString::fromUtf16(name.data(), qsizetype(name.size())));
    return names.join(QStringLiteral(", "));
}

} // namespace

QString AgentPrompt::catalogTable()
{
    QStringList lines;
    const QList<CatalogEntry> &entries = ServiceCatalog::all();
    lines.reserve(entries.size());
    for (const CatalogEntry &entry : entries)
        lines.append(entry.name + u" | " + entry.url.toString(QUrl::FullyEncoded) + u" | "
                     + storedName(entry.provider));
    return lines.join(u'\n');
}

QString AgentPrompt::text(const QString &filePath)
{
    static const QString words = promptTemplate();
    QString prompt = words;
    // The catalog and the path go in last: neither may be mistaken for a placeholder.
    prompt.replace(QStringLiteral("@PROVIDERS@"), providerList());
    const qsizetype catalogAt = prompt.indexOf(QStringLiteral("@CATALOG@"));
    if (catalogAt >= 0)
        prompt.replace(catalogAt, 9, catalogTable());
    const qsizetype fileAt = prompt.indexOf(QStringLiteral("@FILE@"));
    if (fileAt >= 0)
        prompt.replace(fileAt, 6, filePath);
    return prompt;
}
