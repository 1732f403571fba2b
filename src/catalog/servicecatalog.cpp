#include "catalog/servicecatalog.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>

#include <span>

namespace {

using enum ProviderKind;

struct Row {
    const char16_t *name;
    const char16_t *url;
    ProviderKind provider;
};

// Statuspage and Instatus rows name the root of the hosted page: the providers derive their
// API paths from it. Vendors whose page offers no readable feed are probed as websites.

constexpr Row kModelsAndApis[] = {
    {u"Anthropic", u"https://status.claude.com", Statuspage},
    {u"OpenAI", u"https://status.openai.com", Statuspage},
    {u"Google AI Studio", u"https://aistudio.google.com", Website},
    // The provider fetches a fixed feed; this is the page users open.
    {u"xAI", u"https://status.x.ai/", Xai},
    // Moved from Instatus to a Statuspage-compatible page.
    {u"Perplexity", u"https://status.perplexity.com", Statuspage},
    {u"Cohere", u"https://status.cohere.com", Statuspage},
    {u"Groq", u"https://groqstatus.com", Statuspage},
    {u"Cerebras", u"https://status.cerebras.ai", Statuspage},
    // The status page forwards to a page without Statuspage JSON.
    {u"Replicate", u"https://replicate.com", Website},
    {u"Scale AI", u"https://status.scale.com", Statuspage},
    {u"Nomic", u"https://status.nomic.ai", Statuspage},
    {u"Jina AI", u"https://status.jina.ai", Statuspage},
    {u"Hume AI", u"https://status.hume.ai", Statuspage},
};

constexpr Row kVoiceImageVideo[] = {
    {u"ElevenLabs", u"https://status.elevenlabs.io", Statuspage},
    {u"Deepgram", u"https://status.deepgram.com", Statuspage},
    {u"AssemblyAI", u"https://status.assemblyai.com", Statuspage},
    {u"Speechmatics", u"https://status.speechmatics.com", Statuspage},
    {u"Retell AI", u"https://status.retellai.com", Statuspage},
    {u"Runway", u"https://status.runwayml.com", Statuspage},
    {u"Stability AI", u"https://status.stability.ai", Statuspage},
    {u"Synthesia", u"https://status.synthesia.io", Statuspage},
    {u"HeyGen", u"https://status.heygen.com", Statuspage},
    {u"Twelve Labs", u"https://status.twelvelabs.io", Statuspage},
    {u"Ideogram", u"https://status.ideogram.ai", Statuspage},
    {u"Recraft", u"https://status.recraft.ai", Instatus},
    // The hosted status page is gone.
    {u"Character.AI", u"https://character.ai", Website},
};

constexpr Row kAiDevInfra[] = {
    {u"Cursor", u"https://status.cursor.com", Statuspage},
    {u"LangSmith", u"https://status.smith.langchain.com", Statuspage},
    {u"Baseten", u"https://status.baseten.co", Statuspage},
    {u"Lambda Labs", u"https://status.lambda.ai", Statuspage},
    {u"Pinecone", u"https://status.pinecone.io", Statuspage},
    // The status host no longer resolves.
    {u"Clarifai", u"https://clarifai.com", Website},
};

constexpr Row kHosting[] = {
    {u"Vercel", u"https://www.vercel-status.com", Statuspage},
    {u"Netlify", u"https://www.netlifystatus.com", Statuspage},
    {u"Render", u"https://status.render.com", Statuspage},
    {u"Fly.io", u"https://status.flyio.net", Statuspage},
};

constexpr Row kCloud[] = {
    {u"AWS", u"https://health.aws.amazon.com/health/status", Aws},
    {u"Google Cloud", u"https://status.cloud.google.com", Gcp},
    {u"Microsoft Azure", u"https://azure.status.microsoft/en-us/status", Azure},
    {u"Apple Developer", u"https://developer.apple.com/system-status/", Apple},
    {u"Apple System Status", u"https://www.apple.com/support/systemstatus/", Apple},
    {u"Cloudflare", u"https://www.cloudflarestatus.com", Statuspage},
    {u"DigitalOcean", u"https://status.digitalocean.com", Statuspage},
    {u"Linode", u"https://status.linode.com", Statuspage},
    {u"Scaleway", u"https://status.scaleway.com", Statuspage},
    {u"HashiCorp", u"https://status.hashicorp.com", Statuspage},
    {u"Bunny", u"https://status.bunny.net", Statuspage},
};

constexpr Row kDeveloperTools[] = {
    {u"GitHub", u"https://www.githubstatus.com", Statuspage},
    {u"GitLab", u"https://status.gitlab.com", StatusIo},
    {u"Bitbucket", u"https://bitbucket.status.atlassian.com", Statuspage},
    {u"CircleCI", u"https://status.circleci.com", Statuspage},
    {u"Travis CI", u"https://www.traviscistatus.com", Statuspage},
    // No machine-readable status feed.
    {u"Gitpod", u"https://gitpod.io", Website},
    {u"Postman", u"https://status.postman.com", Statuspage},
    {u"npm", u"https://status.npmjs.org", Statuspage},
    {u"PyPI", u"https://status.python.org", Statuspage},
    {u"crates.io", u"https://status.crates.io", Statuspage},
    {u"RubyGems", u"https://status.rubygems.org", Statuspage},
    {u"Temporal", u"https://status.temporal.io", Statuspage},
    {u"LaunchDarkly", u"https://status.launchdarkly.com", Statuspage},
    // Moved from Status.io to Statuspage.
    {u"Docker Hub", u"https://www.dockerstatus.com", Statuspage},
    {u"Buildkite", u"https://www.buildkitestatus.com", Statuspage},
    {u"Codecov", u"https://status.codecov.com", Statuspage},
    {u"JFrog", u"https://status.jfrog.io", Statuspage},
    {u"Snyk", u"https://status.snyk.io", Statuspage},
    {u"Expo", u"https://status.expo.dev", Statuspage},
};

constexpr Row kDataBackend[] = {
    {u"Supabase", u"https://status.supabase.com", Statuspage},
    {u"MongoDB Atlas", u"https://status.mongodb.com", Statuspage},
    {u"PlanetScale", u"https://www.planetscalestatus.com", Statuspage},
    {u"Upstash", u"https://status.upstash.com", Statuspage},
    {u"Confluent", u"https://status.confluent.cloud", Statuspage},
    {u"Snowflake", u"https://status.snowflake.com", Statuspage},
    {u"Elastic", u"https://status.elastic.co", Statuspage},
    {u"Cloudinary", u"https://status.cloudinary.com", Statuspage},
    {u"Contentful", u"https://www.contentfulstatus.com", Statuspage},
    {u"Sanity", u"https://www.sanity-status.com", Statuspage},
    {u"Mux", u"https://status.mux.com", Statuspage},
    {u"Segment", u"https://status.segment.com", Statuspage},
};

constexpr Row kIdentity[] = {
    {u"Clerk", u"https://status.clerk.com", Statuspage},
    {u"WorkOS", u"https://status.workos.com", Statuspage},
};

constexpr Row kObservability[] = {
    {u"Datadog", u"https://status.datadoghq.com", Statuspage},
    {u"New Relic", u"https://status.newrelic.com", Statuspage},
    {u"Grafana", u"https://status.grafana.com", Statuspage},
    {u"Honeycomb", u"https://status.honeycomb.io", Statuspage},
    {u"Coralogix", u"https://status.coralogix.com", Statuspage},
    {u"Sumo Logic", u"https://status.sumologic.com", Statuspage},
    {u"Logz.io", u"https://status.logz.io", Statuspage},
    {u"Mezmo", u"https://status.mezmo.com", Statuspage},
};

constexpr Row kErrors[] = {
    {u"Sentry", u"https://status.sentry.io", Statuspage},
    {u"Rollbar", u"https://status.rollbar.com", Statuspage},
    // Status.bugsnag.com redirects here.
    {u"Bugsnag", u"https://bugsnag.status.smartbear.com", Statuspage},
    {u"Airbrake", u"https://status.airbrake.io", Statuspage},
    {u"Honeybadger", u"https://status.honeybadger.io", Statuspage},
};

constexpr Row kIncident[] = {
    {u"incident.io", u"https://status.incident.io", Statuspage},
    {u"Opsgenie", u"https://opsgenie.status.atlassian.com", Statuspage},
    {u"xMatters", u"https://status.xmatters.com", Statuspage},
    {u"BigPanda", u"https://status.bigpanda.io", Statuspage},
    // The status page is an app without a machine-readable feed.
    {u"Checkly", u"https://www.checklyhq.com", Website},
};

constexpr Row kPayments[] = {
    // Status.stripe.com speaks its own API; this host serves the Statuspage one.
    {u"Stripe", u"https://www.stripestatus.com", Statuspage},
    {u"Coinbase", u"https://status.coinbase.com", Statuspage},
    {u"Plaid", u"https://status.plaid.com", Statuspage},
    {u"Shopify", u"https://www.shopifystatus.com", Statuspage},
};

constexpr Row kCommunication[] = {
    {u"Discord", u"https://discordstatus.com", Statuspage},
    {u"Zoom", u"https://status.zoom.us", Statuspage},
    {u"Twilio", u"https://status.twilio.com", Statuspage},
    {u"SendGrid", u"https://status.sendgrid.com", Statuspage},
    {u"Mailgun", u"https://status.mailgun.com", Statuspage},
    // Status.resend.com answers HTML on every path.
    {u"Resend", u"https://resend-status.com", Statuspage},
    // Status.intercom.com redirects here.
    {u"Intercom", u"https://www.finstatus.com", Statuspage},
    {u"Reddit", u"https://www.redditstatus.com", Statuspage},
    {u"Vimeo", u"https://www.vimeostatus.com", Statuspage},
};

constexpr Row kProductivity[] = {
    // The status page has neither JSON nor a feed.
    {u"Notion", u"https://www.notion.so", Website},
    {u"Linear", u"https://linearstatus.com", Statuspage},
    {u"Atlassian", u"https://status.atlassian.com", Statuspage},
    {u"Figma", u"https://status.figma.com", Statuspage},
    {u"Asana", u"https://status.asana.com", Statuspage},
    {u"HubSpot", u"https://status.hubspot.com", Statuspage},
    {u"Dropbox", u"https://status.dropbox.com", Statuspage},
    {u"Squarespace", u"https://status.squarespace.com", Statuspage},
};

struct Group {
    const char *title; // English, UTF-8; translated where it is shown
    std::span<const Row> rows;
};

// The middle dots are U+00B7; titles are compared by exact text.
constexpr Group kGroups[] = {
    {QT_TRANSLATE_NOOP("ServiceCatalog", "AI · Models & APIs"), kModelsAndApis},
    {QT_TRANSLATE_NOOP("ServiceCatalog", "AI · Voice, Image & Video"), kVoiceImageVideo},
    {QT_TRANSLATE_NOOP("ServiceCatalog", "AI · Dev & Infra"), kAiDevInfra},
    {QT_TRANSLATE_NOOP("ServiceCatalog", "Hosting & PaaS"), kHosting},
    {QT_TRANSLATE_NOOP("ServiceCatalog", "Cloud & Infra"), kCloud},
    {QT_TRANSLATE_NOOP("ServiceCatalog", "Developer Tools"), kDeveloperTools},
    {QT_TRANSLATE_NOOP("ServiceCatalog", "Data & Backend"), kDataBackend},
    {QT_TRANSLATE_NOOP("ServiceCatalog", "Identity & Auth"), kIdentity},
    {QT_TRANSLATE_NOOP("ServiceCatalog", "Observability & APM"), kObservability},
    {QT_TRANSLATE_NOOP("ServiceCatalog", "Errors & Crash Reporting"), kErrors},
    {QT_TRANSLATE_NOOP("ServiceCatalog", "Incident & On-Call"), kIncident},
    {QT_TRANSLATE_NOOP("ServiceCatalog", "Payments & Commerce"), kPayments},
    {QT_TRANSLATE_NOOP("ServiceCatalog", "Communication"), kCommunication},
    {QT_TRANSLATE_NOOP("ServiceCatalog", "Productivity"), kProductivity},
};

} // namespace

namespace ServiceCatalog {

const QStringList &categories()
{
    static const QStringList titles = [] {
        QStringList list;
        for (const Group &group : kGroups)
            list.append(QString::fromUtf8(group.title));
        return list;
    }();
    return titles;
}

const QList<CatalogEntry> &all()
{
    static const QList<CatalogEntry> entries = [] {
        QList<CatalogEntry> list;
        for (const Group &group : kGroups) {
            const QString title = QString::fromUtf8(group.title);
            for (const Row &row : group.rows) {
                list.append(
                    CatalogEntry{QString::fromUtf16(row.name), QUrl(QString::fromUtf16(row.url)), row.provider, title});
            }
        }
        return list;
    }();
    return entries;
}

QString displayTitle(const QString &category)
{
    return QCoreApplication::translate("ServiceCatalog", category.toUtf8().constData());
}

QList<CatalogEntry> entries(const QString &category)
{
    QList<CatalogEntry> result;
    for (const CatalogEntry &e : all()) {
        if (e.category == category)
            result.append(e);
    }
    return result;
}

std::optional<CatalogEntry> entry(const QString &id)
{
    // Asked once per monitored service whenever the settings list custom services.
    static const QHash<QString, qsizetype> indexById = [] {
        QHash<QString, qsizetype> index;
        const QList<CatalogEntry> &list = all();
        for (qsizetype i = 0; i < list.size(); ++i)
            index.insert(list[i].id(), i);
        return index;
    }();
    const auto it = indexById.constFind(id);
    if (it == indexById.cend())
        return std::nullopt;
    return all().at(*it);
}

} // namespace ServiceCatalog

QHash<QString, Service> ServiceCatalog::monitoredByEntry(const QList<Service> &services)
{
    QHash<QString, Service> byEntry;
    byEntry.reserve(services.size());
    for (const Service &service : services) {
        const QString key = catalogKey(service);
        if (!byEntry.contains(key))
            byEntry.insert(key, service);
    }
    return byEntry;
}

QList<Service> ServiceCatalog::customServices(const QList<Service> &services)
{
    static const QSet<QString> catalogIDs = [] {
        QSet<QString> ids;
        for (const CatalogEntry &entry : all())
            ids.insert(entry.id());
        return ids;
    }();
    QList<Service> custom;
    for (const Service &service : services) {
        if (!catalogIDs.contains(catalogKey(service)))
            custom.append(service);
    }
    return custom;
}

QList<Service> ServiceCatalog::newServices(const QList<CatalogEntry> &entries)
{
    QList<Service> services;
    services.reserve(entries.size());
    for (const CatalogEntry &entry : entries)
        services.append(Service{QUuid::createUuid(), entry.name, entry.url, entry.provider, std::nullopt});
    return services;
}
