#include "net/proxychoices.h"
#include "net/requesttarget.h"

#include <QTest>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

ProxyChoice ask(ProxyChoices &choices, const QUrl &url, ProxyChoices::Clock::time_point now)
{
    return choices.forUrl(url, RequestTarget::of(url).origin, now);
}

class TestProxyChoices : public QObject
{
    Q_OBJECT

    bool m_fromSystem = true;
    QList<QUrl> m_asked;
    QByteArray m_answer = "http://proxy.example:3128";

    ProxyChoices::Source source()
    {
        return {[this] { return m_fromSystem; },
                [this](const QUrl &url) {
                    m_asked.append(url);
                    return ProxyChoice{m_answer, {}, {}};
                }};
    }

private Q_SLOTS:
    void init()
    {
        m_fromSystem = true;
        m_asked.clear();
        m_answer = "http://proxy.example:3128";
    }

    // The system is asked once per origin while its answer is fresh: a refresh of many pages
    // of one host, or one refresh after another, costs one question.
    void systemAnswersAreKeptPerOrigin()
    {
        ProxyChoices choices(source());
        const auto start = ProxyChoices::Clock::now();
        QCOMPARE(ask(choices, QUrl(u"https://a.example/feed.json"_s), start).address, m_answer);
        QCOMPARE(ask(choices, QUrl(u"https://a.example/other?x=1"_s), start + 1min).address, m_answer);
        QCOMPARE(m_asked.size(), 1);
        // Another scheme, host or port is another origin.
        ask(choices, QUrl(u"http://a.example/feed.json"_s), start);
        ask(choices, QUrl(u"https://b.example/"_s), start);
        ask(choices, QUrl(u"https://a.example:8443/"_s), start);
        QCOMPARE(m_asked.size(), 4);

        // A change of the system's settings is followed once the answer is old.
        m_answer.clear();
        QCOMPARE(ask(choices, QUrl(u"https://a.example/"_s), start + ProxyChoices::kept - 1s).address,
                 "http://proxy.example:3128");
        QCOMPARE(ask(choices, QUrl(u"https://a.example/"_s), start + ProxyChoices::kept).address, QByteArray());
        QCOMPARE(m_asked.size(), 5);
    }

    // The application's own proxy can change at any moment, and asking for it is cheap: it is
    // asked for every time, and what the system said before is not used once it applies again.
    void applicationProxyIsAskedEveryTime()
    {
        ProxyChoices choices(source());
        const auto now = ProxyChoices::Clock::now();
        const QUrl url(u"https://a.example/"_s);
        ask(choices, url, now);
        m_fromSystem = false;
        m_answer = "http://mine.example:8080";
        QCOMPARE(ask(choices, url, now).address, m_answer);
        QCOMPARE(ask(choices, url, now).address, m_answer);
        QCOMPARE(m_asked.size(), 3);
        m_fromSystem = true;
        m_answer.clear();
        QCOMPARE(ask(choices, url, now).address, QByteArray());
        QCOMPARE(m_asked.size(), 4);
    }

    // However many origins pass, what is kept stays bounded, and answers stay right.
    void keepsABoundedNumberOfOrigins()
    {
        ProxyChoices choices(source());
        const auto start = ProxyChoices::Clock::now();
        for (qsizetype i = 0; i < ProxyChoices::maxOrigins + 10; ++i)
            ask(choices, QUrl(u"https://host%1.example/"_s.arg(i)), start);
        QVERIFY(choices.knownOrigins() <= ProxyChoices::maxOrigins);
        for (qsizetype i = 0; i < 10; ++i)
            ask(choices, QUrl(u"https://late%1.example/"_s.arg(i)), start + ProxyChoices::kept);
        QVERIFY(choices.knownOrigins() <= 20);
        QCOMPARE(ask(choices, QUrl(u"https://late1.example/"_s), start + ProxyChoices::kept).address, m_answer);
    }
};

QTEST_GUILESS_MAIN(TestProxyChoices)
#include "tst_proxychoices.moc"
