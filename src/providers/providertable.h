#pragma once

#include "core/providerkind.h"
#include "net/httpsession.h"
#include "providers/common/componentselection.h"
#include "providers/providercontext.h"
#include "providers/statusprovider.h"

#include <QUrl>

#include <array>
#include <memory>
#include <string_view>

// What the program knows of one kind of feed. Everything that lists or tells providers apart
// (the registry, the custom form's formats and detection, the tray and the general tab,
// the metrics, the benchmark's fake feeds) reads this table; adding a provider is its own
// files and one row here.
struct ProviderInfo {
    ProviderKind kind = ProviderKind::Statuspage;
    // The name services.json stores. Core decodes the file, so it keeps the same names in
    // the same order (storedProviderNames); the table checks that they agree.
    std::u16string_view storedName;
    // The format's name on screen (translation context "Providers").
    const char *displayName = nullptr;
    // A provider for one check, handed what the context holds for it.
    std::unique_ptr<StatusProvider> (*make)(const HttpSession &session, const ProviderContext &context) = nullptr;
    // What the provider keeps between checks, made once per context; null for a provider that
    // keeps nothing. `folder` is where it may keep it for the next run; empty for memory only.
    std::shared_ptr<ProviderMemory> (*makeMemory)(const QString &folder) = nullptr;
    // The vendor's own feed addresses, for providers that do not read the service's address;
    // empty entries are unused.
    std::array<std::u16string_view, 2> fixedFeeds{};
    // Offered by name in the custom form's format picker.
    bool offeredInForm = false;
    // Tried, in table order, by the custom form's "Detect automatically".
    bool detectable = false;
    // What the custom form says after detection found this format (context "Providers").
    const char *addedAs = nullptr;
    // Reads a feed that can tell incidents and maintenance (every provider but the probe).
    bool tellsStory = false;
    // Lists the parts of the page at an address that a service can be narrowed to, in the
    // page's order with their headings, for the component picker; null for providers that only
    // read a page whole.
    QCoro::Task<Decoded<QList<PageComponent>>> (*listComponents)(QUrl url, HttpSession session) = nullptr;
    // Requests a check usually makes one after the other (each waits for the answer before;
    // a paged list may make more); the refresh starts the longest chains first.
    int requestsInARow = 1;
    // The address is a site the provider probes, not a page about it: the custom form adds it
    // without a test read (a site that is down is still worth watching), and the tray opens
    // the site itself instead of the service's details.
    bool probesSite = false;
    // Only the events of the regions the user chose count (Settings' awsRegions); the
    // general tab offers the choice while such a service is listed.
    bool readsRegions = false;
};

// Every provider, in the order of ProviderKind: the one list of them.
const std::array<ProviderInfo, providerKindCount> &providerTable();
const ProviderInfo &providerInfo(ProviderKind kind);

// The format's name on screen, translated.
QString displayName(ProviderKind kind);

// One of the provider's fixed feeds, moved to GLINTER_FEED_ORIGIN when that is set.
QUrl fixedFeed(ProviderKind kind, std::size_t index = 0);
