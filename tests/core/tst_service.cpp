#include "core/indicator.h"
#include "core/service.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

// Raw-string fixtures write the slashes of URLs as "\/" (valid JSON): moc would take
// a "//" inside a raw string for the start of a comment.
class TestService : public QObject
{
    Q_OBJECT

private:
    static std::optional<Service> decode(const char *json)
    {
        return Service::fromJson(QJsonDocument::fromJson(QByteArray(json)).object());
    }

private Q_SLOTS:
    void decodesTolerantly_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("decodes");
        QTest::addColumn<QString>("provider");
        QTest::addColumn<bool>("hasComponents");

        const auto row = [](const char *name, const char *json, bool decodes, const char *provider, bool components) {
            QTest::newRow(name) << QByteArray(json) << decodes << QString::fromUtf8(provider) << components;
        };
        row("complete", R"({"id":"6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F","name":"A","url":"https:\/\/a.example","provider":"aws","components":["x"]})", true, "aws", true);
        row("no provider", R"({"name":"A","url":"https:\/\/a.example"})", true, "statuspage", false);
        row("provider capitalised", R"({"name":"A","url":"https:\/\/a.example","provider":"Instatus"})", true, "statuspage", false);
        row("provider unknown", R"({"name":"A","url":"https:\/\/a.example","provider":"pagerduty"})", true, "statuspage", false);
        row("provider not text", R"({"name":"A","url":"https:\/\/a.example","provider":3})", true, "statuspage", false);
        row("components a string", R"({"name":"A","url":"https:\/\/a.example","components":"abc"})", true, "statuspage", false);
        row("components null", R"({"name":"A","url":"https:\/\/a.example","components":null})", true, "statuspage", false);
        row("components with a number", R"({"name":"A","url":"https:\/\/a.example","components":["a",1]})", true, "statuspage", false);
        row("components empty", R"({"name":"A","url":"https:\/\/a.example","components":[]})", true, "statuspage", true);
        row("no name", R"({"url":"https:\/\/a.example"})", false, "", false);
        row("name not text", R"({"name":7,"url":"https:\/\/a.example"})", false, "", false);
        row("no url", R"({"name":"A"})", false, "", false);
        row("url not text", R"({"name":"A","url":{"href":"https:\/\/a.example"}})", false, "", false);
        row("url empty", R"({"name":"A","url":""})", false, "", false);
        row("url with a space in the host", R"({"name":"A","url":"https:\/\/a b.example"})", false, "", false);
    }

    void decodesTolerantly()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, decodes);
        QFETCH(QString, provider);
        QFETCH(bool, hasComponents);

        const std::optional<Service> service = Service::fromJson(QJsonDocument::fromJson(json).object());
        QCOMPARE(service.has_value(), decodes);
        if (!service)
            return;
        QCOMPARE(rawValue(service->provider), provider);
        QCOMPARE(service->components.has_value(), hasComponents);
        QVERIFY(!service->id.isNull());
    }

    void missingOrMalformedIdGivesAFreshOneEachTime()
    {
        const auto a = decode(R"({"name":"A","url":"https:\/\/a.example"})");
        const auto b = decode(R"({"name":"A","url":"https:\/\/a.example"})");
        QVERIFY(a && b);
        QVERIFY(a->id != b->id);

        const auto word = decode(R"({"id":"github","name":"A","url":"https:\/\/a.example"})");
        QVERIFY(word && !word->id.isNull());
        const auto braces = decode(R"({"id":"{6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F}","name":"A","url":"https:\/\/a.example"})");
        QVERIFY(braces);
        QVERIFY(braces->id != QUuid::fromString(QStringLiteral("6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F")));

        const auto lower = decode(R"({"id":"6f1c2d2e-8a39-4e5b-9b1a-0e7a3c1d2b4f","name":"A","url":"https:\/\/a.example"})");
        QVERIFY(lower);
        QCOMPARE(uuidText(lower->id), QStringLiteral("6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F"));
    }

    void encodesComponentsOnlyWhenPresent()
    {
        Service service{QUuid::createUuid(), QStringLiteral("A"), QUrl(QStringLiteral("https://a.example/x")),
                        ProviderKind::StatusIo, std::nullopt};
        QJsonObject object = service.toJson();
        QVERIFY(!object.contains(QLatin1String("components")));
        QCOMPARE(object.value(QLatin1String("provider")).toString(), QStringLiteral("statusio"));
        QCOMPARE(object.value(QLatin1String("id")).toString(), uuidText(service.id));
        QCOMPARE(object.value(QLatin1String("id")).toString(), object.value(QLatin1String("id")).toString().toUpper());

        service.components = QStringList();
        object = service.toJson();
        QVERIFY(object.value(QLatin1String("components")).isArray());
        QVERIFY(object.value(QLatin1String("components")).toArray().isEmpty());

        // A record survives a round trip unchanged.
        service.components = QStringList{QStringLiteral("b"), QStringLiteral("a")};
        QCOMPARE(Service::fromJson(service.toJson()), std::optional<Service>(service));
    }

    void statuspageWords_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<Indicator>("expected");
        QTest::newRow("none") << QStringLiteral("none") << Indicator::None;
        QTest::newRow("MAINTENANCE") << QStringLiteral("MAINTENANCE") << Indicator::Minor;
        QTest::newRow("Major") << QStringLiteral("Major") << Indicator::Major;
        QTest::newRow("critical") << QStringLiteral("critical") << Indicator::Critical;
        QTest::newRow("leading blank") << QStringLiteral(" none") << Indicator::Unknown;
        QTest::newRow("partial") << QStringLiteral("partial") << Indicator::Unknown;
        QTest::newRow("empty") << QString() << Indicator::Unknown;
    }

    void statuspageWords()
    {
        QFETCH(QString, word);
        QFETCH(Indicator, expected);
        QCOMPARE(indicatorFromStatuspageWord(word), expected);
    }

    void indicatorOrderAndRawValues()
    {
        const QList<Indicator> all = allIndicators();
        QCOMPARE(all.size(), 5);
        for (qsizetype i = 1; i < all.size(); ++i)
            QVERIFY(all.at(i - 1) < all.at(i));
        QCOMPARE(indicatorFromRaw(-1), std::optional<Indicator>(Indicator::Unknown));
        QCOMPARE(indicatorFromRaw(3), std::optional<Indicator>(Indicator::Critical));
        QVERIFY(!indicatorFromRaw(4));
        QVERIFY(!indicatorFromRaw(-2));
        QCOMPARE(label(Indicator::Major), QStringLiteral("Partial Outage"));
        QCOMPARE(label(Indicator::Critical), QStringLiteral("Major Outage"));
    }

    void providerRawValuesAreExact()
    {
        for (ProviderKind kind : allProviderKinds())
            QCOMPARE(providerKindFromRaw(rawValue(kind)), std::optional<ProviderKind>(kind));
        QVERIFY(!providerKindFromRaw(QStringLiteral("AWS")));
        QVERIFY(!providerKindFromRaw(QStringLiteral(" aws")));
        QCOMPARE(allProviderKinds().size(), 9);
    }
};

QTEST_GUILESS_MAIN(TestService)
#include "tst_service.moc"
