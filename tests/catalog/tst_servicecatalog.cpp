#include "catalog/servicecatalog.h"
#include "core/service.h"

#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

class TestServiceCatalog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void category_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("start");
        int position = 0;
        int start = 0;
        const auto row = [&](const QString &title, int count, const QString &first,
                             const QString &last) {
            QTest::newRow(qPrintable(title))
                << position++ << title << count << first << last << start;
            start += count;
        };
        row(u"AI \u00B7 Models & APIs"_s, 13, u"Anthropic"_s, u"Hume AI"_s);
        row(u"AI \u00B7 Voice, Image & Video"_s, 13, u"ElevenLabs"_s, u"Character.AI"_s);
        row(u"AI \u00B7 Dev & Infra"_s, 6, u"Cursor"_s, u"Clarifai"_s);
        row(u"Hosting & PaaS"_s, 4, u"Vercel"_s, u"Fly.io"_s);
        row(u"Cloud & Infra"_s, 11, u"AWS"_s, u"Bunny"_s);
        row(u"Developer Tools"_s, 19, u"GitHub"_s, u"Expo"_s);
        row(u"Data & Backend"_s, 12, u"Supabase"_s, u"Segment"_s);
        row(u"Identity & Auth"_s, 2, u"Clerk"_s, u"WorkOS"_s);
        row(u"Observability & APM"_s, 8, u"Datadog"_s, u"Mezmo"_s);
        row(u"Errors & Crash Reporting"_s, 5, u"Sentry"_s, u"Honeybadger"_s);
        row(u"Incident & On-Call"_s, 5, u"incident.io"_s, u"Checkly"_s);
        row(u"Payments & Commerce"_s, 4, u"Stripe"_s, u"Shopify"_s);
        row(u"Communication"_s, 9, u"Discord"_s, u"Vimeo"_s);
        row(u"Productivity"_s, 8, u"Notion"_s, u"Squarespace"_s);
    }

    void category()
    {
        QFETCH(int, position);
        QFETCH(QString, title);
        QCOMPARE(ServiceCatalog::categories().size(), 14);
        QCOMPARE(ServiceCatalog::categories().at(position), title);
        const QList<CatalogEntry> entries = ServiceCatalog::entries(title);
        QTEST(int(entries.size()), "count");
        QTEST(entries.first().name, "first");
        QTEST(entries.last().name, "last");
        // all() holds the categories as contiguous blocks, in display order.
        QFETCH(int, start);
        QCOMPARE(ServiceCatalog::all().mid(start, entries.size()), entries);
    }

    void providerCounts()
    {
        using enum ProviderKind;
        QHash<ProviderKind, int> counts;
        for (const CatalogEntry &e : ServiceCatalog::all())
            ++counts[e.provider];
        const QHash<ProviderKind, int> expected{
            {Statuspage, 104}, {Instatus, 1}, {Website, 7},
            {StatusIo, 1}, {Apple, 2}, {Aws, 1},
            {Gcp, 1}, {Azure, 1}, {Xai, 1},
        };
        QCOMPARE(counts, expected);
    }

    void addressesAndIds()
    {
        QSet<QString> ids;
        for (const CatalogEntry &e : ServiceCatalog::all()) {
            QVERIFY2(e.url.isValid() && e.url.scheme() == u"https"_s && !e.url.host().isEmpty(),
                     qPrintable(e.name));
            // The hosted-page readers append their API paths to the page root.
            if (e.provider == ProviderKind::Statuspage || e.provider == ProviderKind::Instatus)
                QVERIFY2(e.url.path().isEmpty(), qPrintable(e.name));
            QVERIFY2(!ids.contains(e.id()), qPrintable(e.id()));
            ids.insert(e.id());
            QCOMPARE(ServiceCatalog::entry(e.id()), std::optional(e));
        }
        QCOMPARE(ServiceCatalog::entry(u"statuspage:example.com"_s), std::nullopt);
    }

    void nearMissTitleMatchesNothing_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("plain dot") << u"AI . Models & APIs"_s;
        QTest::newRow("double space") << u"AI  \u00B7 Models & APIs"_s;
        QTest::newRow("lower case") << u"cloud & infra"_s;
        QTest::newRow("empty") << QString();
    }

    void nearMissTitleMatchesNothing()
    {
        QFETCH(QString, title);
        QVERIFY(ServiceCatalog::entries(title).isEmpty());
    }

    void id_data()
    {
        using enum ProviderKind;
        QTest::addColumn<QString>("url");
        QTest::addColumn<ProviderKind>("provider");
        QTest::addColumn<QString>("id");
        QTest::newRow("host lower-cased") << u"https://Status.Example.COM/Path"_s
                                          << Statuspage << u"statuspage:status.example.com"_s;
        QTest::newRow("other provider") << u"https://status.example.com"_s << Instatus
                                        << u"instatus:status.example.com"_s;
        QTest::newRow("no host") << u"mailto:Ops@Example.com"_s << Website
                                 << u"website:mailto:ops@example.com"_s;
    }

    void id()
    {
        QFETCH(QString, url);
        QFETCH(ProviderKind, provider);
        QTEST((CatalogEntry{u"X"_s, QUrl(url), provider, u"Communication"_s}.id()), "id");
    }

    void matchesService_data()
    {
        using enum ProviderKind;
        QTest::addColumn<QString>("url");
        QTest::addColumn<ProviderKind>("provider");
        QTest::addColumn<bool>("matches");
        QTest::newRow("same") << u"https://www.githubstatus.com"_s << Statuspage << true;
        QTest::newRow("host case") << u"https://WWW.GitHubStatus.com"_s << Statuspage << true;
        QTest::newRow("other path") << u"https://www.githubstatus.com/history"_s << Statuspage << true;
        QTest::newRow("other provider") << u"https://www.githubstatus.com"_s << Website << false;
        QTest::newRow("other host") << u"https://githubstatus.com"_s << Statuspage << false;
        QTest::newRow("no host") << u"githubstatus"_s << Statuspage << false;
    }

    void matchesService()
    {
        QFETCH(QString, url);
        QFETCH(ProviderKind, provider);
        QFETCH(bool, matches);
        const auto github = ServiceCatalog::entry(u"statuspage:www.githubstatus.com"_s);
        QVERIFY(github);
        const Service service{QUuid::createUuid(), u"Mine"_s, QUrl(url), provider, std::nullopt};
        QCOMPARE(github->matches(service), matches);
        // A service is custom exactly when its key names no catalog entry.
        QCOMPARE(ServiceCatalog::entry(catalogKey(service)).has_value(), matches);
    }
};

QTEST_GUILESS_MAIN(TestServiceCatalog)
#include "tst_servicecatalog.moc"
