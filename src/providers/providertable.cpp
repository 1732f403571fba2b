#include "providers/providertable.h"

#include "net/networkenvironment.h"
#include "providers/apple/appleprovider.h"
#include "providers/aws/awsprovider.h"
#include "providers/azure/azureprovider.h"
#include "providers/betterstack/betterstackprovider.h"
#include "providers/cachet/cachetprovider.h"
#include "providers/gatus/gatusprovider.h"
#include "providers/gcp/gcpprovider.h"
#include "providers/instatus/instatusprovider.h"
#include "providers/statusio/statusioprovider.h"
#include "providers/statuspage/statuspageprovider.h"
#include "providers/uptimekuma/uptimekumaprovider.h"
#include "providers/website/websiteprovider.h"
#include "providers/xai/xaiprovider.h"

#include <QCoreApplication>

namespace {

template<class Provider>
std::unique_ptr<StatusProvider> make(const HttpSession &session, const ProviderContext &)
{
    return std::make_unique<Provider>(session);
}

template<class Memory>
std::shared_ptr<ProviderMemory> keepInMemory(const QString &)
{
    return std::make_shared<Memory>();
}

constexpr std::array<ProviderInfo, providerKindCount> table{{
    {.kind = ProviderKind::Statuspage,
     .storedName = u"statuspage",
     .displayName = QT_TRANSLATE_NOOP("Providers", "Statuspage.io"),
     .make = &StatuspageProvider::make,
     .makeMemory = &keepInMemory<MaintenanceCalendar>,
     .offeredInForm = true,
     .detectable = true,
     .addedAs = QT_TRANSLATE_NOOP("Providers", "Added as a Statuspage.io page"),
     .tellsStory = true,
     .listComponents = &StatuspageProvider::fetchComponents},
    {.kind = ProviderKind::Instatus,
     .storedName = u"instatus",
     .displayName = QT_TRANSLATE_NOOP("Providers", "Instatus"),
     .make = &make<InstatusProvider>,
     .offeredInForm = true,
     .detectable = true,
     .addedAs = QT_TRANSLATE_NOOP("Providers", "Added as an Instatus page"),
     .tellsStory = true,
     .listComponents = &InstatusProvider::fetchComponents},
    {.kind = ProviderKind::Website,
     .storedName = u"website",
     .displayName = QT_TRANSLATE_NOOP("Providers", "Website / Server"),
     .make = &make<WebsiteProvider>,
     .offeredInForm = true,
     .probesSite = true},
    {.kind = ProviderKind::Aws,
     .storedName = u"aws",
     .displayName = QT_TRANSLATE_NOOP("Providers", "AWS Health"),
     .make = &AWSProvider::make,
     .fixedFeeds = {u"https://health.aws.amazon.com/public/currentevents"},
     .tellsStory = true,
     .readsRegions = true},
    {.kind = ProviderKind::Apple,
     .storedName = u"apple",
     .displayName = QT_TRANSLATE_NOOP("Providers", "Apple System Status"),
     .make = &make<AppleProvider>,
     .fixedFeeds = {u"https://www.apple.com/support/systemstatus/data/system_status_en_US.js",
                    u"https://www.apple.com/support/systemstatus/data/developer/system_status_en_US.js"},
     .tellsStory = true},
    {.kind = ProviderKind::Gcp,
     .storedName = u"gcp",
     .displayName = QT_TRANSLATE_NOOP("Providers", "Google Cloud Status"),
     .make = &make<GCPProvider>,
     .fixedFeeds = {u"https://status.cloud.google.com/incidents.json"},
     .tellsStory = true},
    {.kind = ProviderKind::Azure,
     .storedName = u"azure",
     .displayName = QT_TRANSLATE_NOOP("Providers", "Azure Status"),
     .make = &make<AzureProvider>,
     .fixedFeeds = {u"https://rssfeed.azure.status.microsoft/en-us/status/feed/"},
     .tellsStory = true},
    {.kind = ProviderKind::Xai,
     .storedName = u"xai",
     .displayName = QT_TRANSLATE_NOOP("Providers", "xAI Status"),
     .make = &make<XAIProvider>,
     .fixedFeeds = {u"https://status.x.ai/feed.xml"},
     .tellsStory = true},
    {.kind = ProviderKind::StatusIo,
     .storedName = u"statusio",
     .displayName = QT_TRANSLATE_NOOP("Providers", "Status.io"),
     .make = &StatusIOProvider::make,
     .makeMemory = &StatusIOPageIds::make,
     .fixedFeeds = {u"https://api.status.io"},
     .detectable = true,
     .addedAs = QT_TRANSLATE_NOOP("Providers", "Added as a Status.io page"),
     .tellsStory = true,
     .requestsInARow = 2},
    {.kind = ProviderKind::BetterStack,
     .storedName = u"betterstack",
     .displayName = QT_TRANSLATE_NOOP("Providers", "Better Stack"),
     .make = &make<BetterStackProvider>,
     .offeredInForm = true,
     .detectable = true,
     .addedAs = QT_TRANSLATE_NOOP("Providers", "Added as a Better Stack page"),
     .tellsStory = true,
     .listComponents = &BetterStackProvider::fetchComponents},
    {.kind = ProviderKind::Cachet,
     .storedName = u"cachet",
     .displayName = QT_TRANSLATE_NOOP("Providers", "Cachet"),
     .make = &make<CachetProvider>,
     .offeredInForm = true,
     .detectable = true,
     .addedAs = QT_TRANSLATE_NOOP("Providers", "Added as a Cachet page"),
     .tellsStory = true,
     .listComponents = &CachetProvider::fetchComponents,
     .requestsInARow = 2},
    {.kind = ProviderKind::UptimeKuma,
     .storedName = u"uptimekuma",
     .displayName = QT_TRANSLATE_NOOP("Providers", "Uptime Kuma"),
     .make = &make<UptimeKumaProvider>,
     .offeredInForm = true,
     .detectable = true,
     .addedAs = QT_TRANSLATE_NOOP("Providers", "Added as an Uptime Kuma page"),
     .tellsStory = true,
     .listComponents = &UptimeKumaProvider::fetchComponents,
     .requestsInARow = 2},
    {.kind = ProviderKind::Gatus,
     .storedName = u"gatus",
     .displayName = QT_TRANSLATE_NOOP("Providers", "Gatus"),
     .make = &make<GatusProvider>,
     .offeredInForm = true,
     .detectable = true,
     .addedAs = QT_TRANSLATE_NOOP("Providers", "Added as a Gatus dashboard"),
     .listComponents = &GatusProvider::fetchComponents},
}};

constexpr bool inKindOrder()
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (std::size_t(table[i].kind) != i || table[i].storedName != storedProviderNames.at(i)
            || table[i].displayName == nullptr || table[i].make == nullptr
            || table[i].detectable != (table[i].addedAs != nullptr))
            return false;
    }
    return true;
}
static_assert(inKindOrder(), "one row per kind, in the order of ProviderKind, each stored under core's name for it, "
                             "named and made; detected ones say so");

} // namespace

const std::array<ProviderInfo, providerKindCount> &providerTable()
{
    return table;
}

const ProviderInfo &providerInfo(ProviderKind kind)
{
    // Out-of-range values cannot come from the services file, which maps unknown kinds to
    // Statuspage.
    const auto index = std::size_t(kind);
    return index < table.size() ? table[index] : table[0];
}

QString displayName(ProviderKind kind)
{
    return QCoreApplication::translate("Providers", providerInfo(kind).displayName);
}

QUrl fixedFeed(ProviderKind kind, std::size_t index)
{
    const std::u16string_view address = providerInfo(kind).fixedFeeds.at(index);
    return NetworkEnvironment::fixedFeed(QUrl(QString::fromUtf16(address.data(), qsizetype(address.size()))));
}
