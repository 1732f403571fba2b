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
    void everyKindHasItsReader()
    {
        // In the declared order of ProviderKind.
        const QList<std::type_index> readers{
            typeid(StatuspageProvider), typeid(InstatusProvider), typeid(WebsiteProvider),
            typeid(AWSProvider),        typeid(AppleProvider),    typeid(GCPProvider),
            typeid(AzureProvider),      typeid(XAIProvider),      typeid(StatusIOProvider)};
        QCOMPARE(allProviderKinds().size(), readers.size());
        for (qsizetype i = 0; i < readers.size(); ++i) {
            const std::unique_ptr<StatusProvider> reader = ProviderRegistry::provider(allProviderKinds().at(i));
            QVERIFY(reader);
            const StatusProvider &made = *reader;
            QVERIFY2(std::type_index(typeid(made)) == readers.at(i), qPrintable(rawValue(allProviderKinds().at(i))));
        }
    }
};

QTEST_GUILESS_MAIN(TestReaderKinds)
#include "tst_readerkinds.moc"
