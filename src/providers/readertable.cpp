#include "providers/readertable.h"

#include "net/networkenvironment.h"
#include "providers/appleprovider.h"
#include "providers/awsprovider.h"
#include "providers/azureprovider.h"
#include "providers/gcpprovider.h"
#include "providers/instatusprovider.h"
#include "providers/statusioprovider.h"
#include "providers/statuspageprovider.h"
#include "providers/websiteprovider.h"
#include "providers/xaiprovider.h"

#include <QCoreApplication>

namespace {

template<class Reader>
std::unique_ptr<StatusProvider> make(const HttpSession &session, const ReaderOptions &)
{
    return std::make_unique<Reader>(session);
}

template<>
std::unique_ptr<StatusProvider> make<AWSProvider>(const HttpSession &session, const ReaderOptions &options)
{
    return std::make_unique<AWSProvider>(session, options.awsRegions);
}

constexpr std::array<ReaderInfo, providerKindCount> table{{
    {ProviderKind::Statuspage,
     QT_TRANSLATE_NOOP("Readers", "Statuspage.io"),
     &make<StatuspageProvider>,
     {},
     true,
     true,
     QT_TRANSLATE_NOOP("Readers", "Added as a Statuspage.io page")},
    {ProviderKind::Instatus,
     QT_TRANSLATE_NOOP("Readers", "Instatus"),
     &make<InstatusProvider>,
     {},
     true,
     true,
     QT_TRANSLATE_NOOP("Readers", "Added as an Instatus page")},
    {ProviderKind::Website,
     QT_TRANSLATE_NOOP("Readers", "Website / Server"),
     &make<WebsiteProvider>,
     {},
     true,
     false,
     nullptr},
    {ProviderKind::Aws,
     QT_TRANSLATE_NOOP("Readers", "AWS Health"),
     &make<AWSProvider>,
     {u"https://health.aws.amazon.com/public/currentevents"},
     false,
     false,
     nullptr},
    {ProviderKind::Apple,
     QT_TRANSLATE_NOOP("Readers", "Apple System Status"),
     &make<AppleProvider>,
     {u"https://www.apple.com/support/systemstatus/data/system_status_en_US.js",
      u"https://www.apple.com/support/systemstatus/data/developer/system_status_en_US.js"},
     false,
     false,
     nullptr},
    {ProviderKind::Gcp,
     QT_TRANSLATE_NOOP("Readers", "Google Cloud Status"),
     &make<GCPProvider>,
     {u"https://status.cloud.google.com/incidents.json"},
     false,
     false,
     nullptr},
    {ProviderKind::Azure,
     QT_TRANSLATE_NOOP("Readers", "Azure Status"),
     &make<AzureProvider>,
     {u"https://rssfeed.azure.status.microsoft/en-us/status/feed/"},
     false,
     false,
     nullptr},
    {ProviderKind::Xai,
     QT_TRANSLATE_NOOP("Readers", "xAI Status"),
     &make<XAIProvider>,
     {u"https://status.x.ai/feed.xml"},
     false,
     false,
     nullptr},
    {ProviderKind::StatusIo,
     QT_TRANSLATE_NOOP("Readers", "Status.io"),
     &make<StatusIOProvider>,
     {u"https://api.status.io"},
     false,
     true,
     QT_TRANSLATE_NOOP("Readers", "Added as a Status.io page"),
     2},
}};

constexpr bool inKindOrder()
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (std::size_t(table[i].kind) != i || table[i].displayName == nullptr || table[i].make == nullptr
            || table[i].detectable != (table[i].addedAs != nullptr))
            return false;
    }
    return true;
}
static_assert(inKindOrder(),
              "one row per kind, in the order of ProviderKind, each named and made; detected ones say so");

} // namespace

const std::array<ReaderInfo, providerKindCount> &readerTable()
{
    return table;
}

const ReaderInfo &readerInfo(ProviderKind kind)
{
    // Out-of-range values cannot come from the services file, which maps unknown kinds to
    // Statuspage.
    const auto index = std::size_t(kind);
    return index < table.size() ? table[index] : table[0];
}

QString displayName(ProviderKind kind)
{
    return QCoreApplication::translate("Readers", readerInfo(kind).displayName);
}

QUrl fixedFeed(ProviderKind kind, std::size_t index)
{
    const std::u16string_view address = readerInfo(kind).fixedFeeds.at(index);
    return NetworkEnvironment::fixedFeed(QUrl(QString::fromUtf16(address.data(), qsizetype(address.size()))));
}
