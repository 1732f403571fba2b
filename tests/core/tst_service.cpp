#include "core/indicator.h"
#include "core/service.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

// Raw-string fixtures write the slashes of URLs as "\/" (valid JSON): moc would take
// a "//" inside a raw string for the start of a comment. Refused records and identifiers
// are the store test's.
class TestService : public QObject
{
    Q_OBJECT

private:
    static std::optional<Service> decode(const QByteArray &json)
    {
        return Service::fromJson(QJsonDocument::fromJson(json).object());
    }

private Q_SLOTS:
    void decodesTolerantly_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("provider");
        QTest::addColumn<bool>("hasComponents");
        QTest::newRow("complete") << QByteArray(R"({"id":"6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F","name":"A","url":"https:\/\/a.example","provider":"aws","components":["x"]})")
                                  << QStringLiteral("aws") << true;
        QTest::newRow("provider capitalised") << QByteArray(R"({"name":"A","url":"https:\/\/a.example","provider":"Instatus"})")
                                              << QStringLiteral("statuspage") << false;
        QTest::newRow("components with a number") << QByteArray(R"({"name":"A","url":"https:\/\/a.example","components":["a",1]})")
                                                  << QStringLiteral("statuspage") << false;
        QTest::newRow("components empty") << QByteArray(R"({"name":"A","url":"https:\/\/a.example","components":[]})")
                                          << QStringLiteral("statuspage") << true;
    }

    void decodesTolerantly()
    {
        QFETCH(QByteArray, json);
        const std::optional<Service> service = decode(json);
        QVERIFY(service);
        QTEST(rawValue(service->provider), "provider");
        QTEST(service->components.has_value(), "hasComponents");
        QVERIFY(!service->id.isNull());
    }

    // An empty selection is written as an empty list, none not at all, and what is
    // written reads back the same.
    void encodesComponentsOnlyWhenPresent()
    {
        Service service{QUuid::createUuid(), QStringLiteral("A"), QUrl(QStringLiteral("https://a.example/x")),
                        ProviderKind::StatusIo, std::nullopt};
        QVERIFY(!service.toJson().contains(QLatin1String("components")));
        service.components = QStringList();
        QVERIFY(service.toJson().value(QLatin1String("components")).isArray());
        service.components = QStringList{QStringLiteral("b"), QStringLiteral("a")};
        QCOMPARE(Service::fromJson(service.toJson()), std::optional<Service>(service));
    }
};

QTEST_GUILESS_MAIN(TestService)
#include "tst_service.moc"
