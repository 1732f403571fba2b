#include "catalog/servicecatalog.h"
#include "core/service.h"

#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

class TestServiceCatalog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // all() holds the categories as contiguous blocks in display order, and only an exact
    // title selects a block.
    void categories()
    {
        qsizetype start = 0;
        for (const QString &title : ServiceCatalog::categories()) {
            const QList<CatalogEntry> entries = ServiceCatalog::entries(title);
            QVERIFY2(!entries.isEmpty(), qPrintable(title));
            QCOMPARE(ServiceCatalog::all().mid(start, entries.size()), entries);
            start += entries.size();
        }
        QCOMPARE(start, ServiceCatalog::all().size());
        for (const QString &nearMiss :
             {u"AI . Models & APIs"_s, u"AI  \u00B7 Models & APIs"_s, u"cloud & infra"_s, QString()})
            QVERIFY2(ServiceCatalog::entries(nearMiss).isEmpty(), qPrintable(nearMiss));
    }

    void addressesAndIds()
    {
        QSet<QString> ids;
        for (const CatalogEntry &e : ServiceCatalog::all()) {
            QVERIFY2(e.url.isValid() && e.url.scheme() == u"https"_s && !e.url.host().isEmpty(), qPrintable(e.name));
            // The hosted-page providers append their API paths to the page root.
            if (e.provider == ProviderKind::Statuspage || e.provider == ProviderKind::Instatus)
                QVERIFY2(e.url.path().isEmpty(), qPrintable(e.name));
            QVERIFY2(!ids.contains(e.id()), qPrintable(e.id()));
            ids.insert(e.id());
            QCOMPARE(ServiceCatalog::entry(e.id()), std::optional(e));
        }
        QCOMPARE(ServiceCatalog::entry(u"statuspage:example.com"_s), std::nullopt);
        // Without a host, the whole address stands in for it, so two such entries differ.
        QCOMPARE(
            (CatalogEntry{u"X"_s, QUrl(u"mailto:Ops@Example.com"_s), ProviderKind::Website, u"Communication"_s}.id()),
            u"website:mailto:ops@example.com"_s);
    }

    // Host case and path do not matter, provider and host do; a service is custom exactly when
    // its key names no catalog entry.
    void matchesService()
    {
        const auto github = ServiceCatalog::entry(u"statuspage:www.githubstatus.com"_s);
        QVERIFY(github);
        using enum ProviderKind;
        for (const auto &[url, provider, matches] :
             {std::tuple(u"https://WWW.GitHubStatus.com/history"_s, Statuspage, true),
              std::tuple(u"https://www.githubstatus.com"_s, Website, false),
              std::tuple(u"https://githubstatus.com"_s, Statuspage, false),
              std::tuple(u"githubstatus"_s, Statuspage, false)}) {
            const Service service{QUuid::createUuid(), u"Mine"_s, QUrl(url), provider, std::nullopt};
            QVERIFY2(github->matches(service) == matches, qPrintable(url));
            QVERIFY2(ServiceCatalog::entry(catalogKey(service)).has_value() == matches, qPrintable(url));
        }

        // the list's services found by entry in one pass agree: the first of a host counts
        const Service site{QUuid::createUuid(), u"Site"_s, QUrl(u"https://site.example"_s), Website, std::nullopt};
        const Service mine{QUuid::createUuid(), u"GH"_s, QUrl(u"https://WWW.githubstatus.com/history"_s), Statuspage,
                           std::nullopt};
        const Service again{QUuid::createUuid(), u"GH 2"_s, QUrl(u"https://www.githubstatus.com"_s), Statuspage,
                            std::nullopt};
        QCOMPARE(ServiceCatalog::monitoredByEntry({site, mine, again}).value(github->id()).id, mine.id);
        QCOMPARE(ServiceCatalog::customServices({site, mine, again}), QList<Service>{site});
    }
};

QTEST_GUILESS_MAIN(TestServiceCatalog)
#include "tst_servicecatalog.moc"
