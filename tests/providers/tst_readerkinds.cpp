#include "providers/appleprovider.h"
#include "providers/awsprovider.h"
#include "providers/azureprovider.h"
#include "providers/gcpprovider.h"
#include "providers/instatusprovider.h"
#include "providers/providerregistry.h"
#include "providers/statusioprovider.h"
#include "providers/statuspageprovider.h"
#include "providers/websiteprovider.h"
#include "providers/xaiprovider.h"

#include <QTest>

#include <typeindex>

class TestReaderKinds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyKindHasItsReader_data()
    {
        QTest::addColumn<ProviderKind>("kind");
        QTest::addColumn<int>("expected");
        for (qsizetype i = 0; i < allProviderKinds().size(); ++i) {
            const ProviderKind kind = allProviderKinds().at(i);
            QTest::newRow(qPrintable(rawValue(kind))) << kind << int(i);
        }
    }

    void everyKindHasItsReader()
    {
        QFETCH(ProviderKind, kind);
        QFETCH(int, expected);
        const std::unique_ptr<StatusProvider> reader = ProviderRegistry::provider(kind);
        QVERIFY(reader);
        const StatusProvider &ref = *reader;
        QCOMPARE(std::type_index(typeid(ref)), readerTypes().at(expected));
    }

private:
    // In the declared order of ProviderKind.
    static QList<std::type_index> readerTypes()
    {
        return {typeid(StatuspageProvider), typeid(InstatusProvider), typeid(WebsiteProvider),
                typeid(AWSProvider),        typeid(AppleProvider),    typeid(GCPProvider),
                typeid(AzureProvider),      typeid(XAIProvider),      typeid(StatusIOProvider)};
    }
};

QTEST_GUILESS_MAIN(TestReaderKinds)
#include "tst_readerkinds.moc"
