// The panel placed through sway's IPC, against a stand-in for sway's socket that keeps a
// tree of one window and answers as sway does.
#include "platform/linux/swayplacement.h"
#include "platform/linux/x11workarea.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMutex>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace {

QJsonObject rect(const QRect &r)
{
    return {{u"x"_s, r.x()}, {u"y"_s, r.y()}, {u"width"_s, r.width()}, {u"height"_s, r.height()}};
}

// sway's side: maps the window after a few questions, centres it on the pointer when asked,
// and, as it does with an X11 window that asks for another size, centres it again when it
// takes the new size, a few questions after the window asked.
class FakeSway : public QObject
{
    Q_OBJECT

public:
    FakeSway(QString path, QPoint pointer)
        : m_path(std::move(path))
        , m_pointer(pointer)
    {
    }

    QStringList commands() const
    {
        const QMutexLocker lock(&m_mutex);
        return m_commands;
    }

    QRect window() const
    {
        const QMutexLocker lock(&m_mutex);
        return m_window;
    }

    // The window asks for `size`; sway takes it after `questions` more looks at the tree.
    void grow(const QSize &size, int questions)
    {
        const QMutexLocker lock(&m_mutex);
        m_grown = size;
        m_growIn = questions;
    }

    // Whatever it was asked, it has done by now.
    void settle()
    {
        const QMutexLocker lock(&m_mutex);
        takeSize();
    }

public Q_SLOTS:
    void start()
    {
        m_server = new QLocalServer(this);
        m_server->listen(m_path);
        connect(m_server, &QLocalServer::newConnection, this, [this] {
            QLocalSocket *client = m_server->nextPendingConnection();
            connect(client, &QLocalSocket::readyRead, this, [this, client] { answer(client); });
        });
    }

private:
    void answer(QLocalSocket *client)
    {
        m_buffer += client->readAll();
        while (m_buffer.size() >= 14) {
            const quint32 length = qFromLittleEndian<quint32>(m_buffer.constData() + 6);
            const quint32 type = qFromLittleEndian<quint32>(m_buffer.constData() + 10);
            if (quint32(m_buffer.size()) < 14 + length)
                return;
            const QByteArray payload = m_buffer.mid(14, length);
            m_buffer.remove(0, 14 + int(length));
            QByteArray reply;
            if (type == 4)
                reply = QJsonDocument(tree()).toJson(QJsonDocument::Compact);
            else if (type == 1)
                reply = QJsonDocument(workspaces()).toJson(QJsonDocument::Compact);
            else if (type == 3)
                reply = QJsonDocument(outputs()).toJson(QJsonDocument::Compact);
            else
                reply = run(QString::fromUtf8(payload));
            QByteArray header = "i3-ipc" + QByteArray(8, '\0');
            qToLittleEndian<quint32>(quint32(reply.size()), header.data() + 6);
            qToLittleEndian<quint32>(type, header.data() + 10);
            client->write(header + reply);
        }
    }

    void takeSize()
    {
        if (!m_grown)
            return;
        m_window.setSize(*m_grown);
        m_window.moveCenter(usable.center());
        m_grown.reset();
    }

    QJsonObject tree()
    {
        const QMutexLocker lock(&m_mutex);
        if (m_grown && --m_growIn < 0)
            takeSize();
        // the window maps a few frames after it is shown
        QJsonArray floating;
        if (++m_treeAsked > 2) {
            floating.append(QJsonObject{{u"id"_s, 7},
                                        {u"pid"_s, QCoreApplication::applicationPid()},
                                        {u"name"_s, u"Glinter"_s},
                                        {u"rect"_s, rect(m_window)},
                                        {u"geometry"_s, rect(QRect(QPoint(0, 0), m_window.size()))}});
        }
        const QJsonObject workspace{{u"id"_s, 2}, {u"floating_nodes"_s, floating}};
        return {{u"id"_s, 1}, {u"nodes"_s, QJsonArray{QJsonObject{{u"id"_s, 5}, {u"nodes"_s, QJsonArray{workspace}}}}}};
    }

    static QJsonArray workspaces()
    {
        // a bar of 30 along the top of a 1280 × 800 output, and a second output to the right
        return {QJsonObject{{u"visible"_s, true}, {u"focused"_s, true}, {u"rect"_s, rect(usable)}},
                QJsonObject{{u"visible"_s, true}, {u"rect"_s, rect(QRect(1280, 0, 1024, 768))}}};
    }

    static QJsonArray outputs()
    {
        return {QJsonObject{{u"active"_s, true}, {u"rect"_s, rect(QRect(0, 0, 1280, 800))}},
                QJsonObject{{u"active"_s, true}, {u"rect"_s, rect(QRect(1280, 0, 1024, 768))}}};
    }

    QByteArray run(const QString &command)
    {
        const QMutexLocker lock(&m_mutex);
        m_commands.append(command);
        if (command.endsWith(u"move position cursor")) {
            // centred on the pointer, but kept on the output
            m_window.moveCenter(m_pointer);
            m_window.moveLeft(std::clamp(m_window.left(), 0, 1280 - m_window.width()));
            m_window.moveTop(std::clamp(m_window.top(), 0, 800 - m_window.height()));
        }
        if (const qsizetype at = command.indexOf(u"move absolute position "); at >= 0) {
            const QStringList xy = command.mid(at + 23).split(u' ');
            m_window.moveTopLeft(QPoint(xy.value(0).toInt(), xy.value(1).toInt()));
        }
        return R"([{"success":true}])";
    }

    QString m_path;
    QPoint m_pointer;
    QLocalServer *m_server = nullptr;
    QByteArray m_buffer;
    int m_treeAsked = 0;
    static constexpr QRect usable{0, 30, 1280, 770};
    // where sway maps a new floating window: the middle of the output
    QRect m_window{460, 150, 360, 500};
    std::optional<QSize> m_grown;
    int m_growIn = 0;
    mutable QMutex m_mutex;
    QStringList m_commands;
};

} // namespace

class TestWindowPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placesThePanelAtThePointerAgainstTheBar()
    {
        const QTemporaryDir folder;
        const QString socket = folder.filePath(u"sway-ipc.sock"_s);
        QThread thread;
        FakeSway sway(socket, QPoint(1250, 14));
        sway.moveToThread(&thread);
        thread.start();
        QMetaObject::invokeMethod(&sway, &FakeSway::start, Qt::BlockingQueuedConnection);

        SwayPlacement placement(socket);
        QVERIFY(placement.isAvailable());
        QSignalSpy placed(&placement, &WindowPlacement::placed);
        QPoint seenPointer;
        QRect seenUsable;
        const WindowPlacement::Choose choose = [&](const QPoint &pointer, const QRect &usable, const QSize &size) {
            seenPointer = pointer;
            seenUsable = usable;
            return QPoint(std::min(pointer.x() - size.width() / 2, usable.right() + 1 - size.width()), usable.top());
        };
        placement.place({u"Glinter"_s, std::nullopt}, choose);
        QVERIFY(placed.wait());
        // over the bar in the corner: the window sway centred there stayed on the output,
        // so the corner is as near as can be told
        QCOMPARE(seenPointer, QPoint(1279, 0));
        QCOMPARE(seenUsable, QRect(0, 30, 1280, 770));
        QCOMPARE(placed.first().value(1).toPoint(), QPoint(920, 30));
        QCOMPARE(sway.commands(),
                 (QStringList{u"[con_id=7] floating enable, border none, move position cursor"_s,
                              u"[con_id=7] floating enable, border none, move absolute position 920 30"_s}));
        // a window placed by its owner, such as the details next to a row
        placement.moveTo({u"Glinter"_s, std::nullopt}, QPoint(500, 40));
        QVERIFY(placed.wait());
        QCOMPARE(sway.commands().last(), u"[con_id=7] floating enable, border none, move absolute position 500 40"_s);

        // The list grew while the panel was open: sway takes the new size a moment later and
        // centres the window; it goes back only then, by the rule that placed it.
        placement.place({u"Glinter"_s, std::nullopt, QSize(360, 500)}, choose);
        QVERIFY(placed.wait());
        sway.grow(QSize(360, 600), 3);
        placement.keepPlaced({u"Glinter"_s, std::nullopt, QSize(360, 600)});
        QVERIFY(placed.wait());
        sway.settle();
        QCOMPARE(sway.window(), QRect(920, 30, 360, 600));
        thread.quit();
        thread.wait();
    }

    void findsOnlyItsOwnWindow()
    {
        const QJsonObject x11Window{{u"id"_s, 9},
                                    {u"pid"_s, 42},
                                    {u"name"_s, u"Glinter"_s},
                                    {u"window"_s, 0x1e00004},
                                    {u"rect"_s, rect(QRect(1, 2, 3, 4))}};
        const QJsonObject tree{{u"nodes"_s, QJsonArray{QJsonObject{{u"floating_nodes"_s, QJsonArray{x11Window}}}}}};
        QCOMPARE(SwayPlacement::findWindow(tree, 42, {u"Glinter"_s, 0x1e00004})->id, 9);
        QCOMPARE(SwayPlacement::findWindow(tree, 42, {u"Glinter"_s, std::nullopt})->rect, QRect(1, 2, 3, 4));
        QVERIFY(!SwayPlacement::findWindow(tree, 42, {u"Glinter"_s, 0x1e00005}));
        QVERIFY(!SwayPlacement::findWindow(tree, 43, {u"Glinter"_s, std::nullopt}));
        QVERIFY(!SwayPlacement::findWindow(tree, 42, {u"Settings"_s, std::nullopt}));
        QVERIFY(!SwayPlacement::findWindow({}, 42, {u"Glinter"_s, std::nullopt}));
    }

    void thePointerFromAWindowKeptOnItsOutput()
    {
        const QRect output(0, 0, 1280, 800);
        QCOMPARE(SwayPlacement::pointerUnder(QRect(100, 100, 360, 500), output), QPoint(279, 349));
        // against the bottom, over a bottom bar
        QCOMPARE(SwayPlacement::pointerUnder(QRect(200, 300, 360, 500), output), QPoint(379, 799));
        // against the left edge, on a second output
        QCOMPARE(SwayPlacement::pointerUnder(QRect(1280, 100, 360, 500), QRect(1280, 0, 1024, 768)), QPoint(1280, 349));
    }

    // Bars on a bare X server (no window manager, no _NET_WORKAREA) reserve their edge of the
    // root window; a screen keeps what they leave of it. Two monitors side by side unless
    // the row says otherwise.
    void theBarsStrutsKeepPopoversOff_data()
    {
        QTest::addColumn<QSize>("root");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QList<QList<quint32>>>("struts");
        QTest::addColumn<QRect>("usable");
        const QSize pair(2560, 800);
        const QRect left(0, 0, 1280, 800);
        const QRect right(1280, 0, 1280, 800);
        const QList<quint32> topBarOnLeft{0, 0, 28, 0, 0, 0, 0, 0, 0, 1279, 0, 0};
        QTest::newRow("a top bar") << pair << left << QList<QList<quint32>>{topBarOnLeft} << QRect(0, 28, 1280, 772);
        QTest::newRow("another monitor's bar") << pair << right << QList<QList<quint32>>{topBarOnLeft} << right;
        QTest::newRow("a bottom bar, whole edge (_NET_WM_STRUT)")
            << pair << right << QList<QList<quint32>>{{0, 0, 0, 40}} << QRect(1280, 0, 1280, 760);
        QTest::newRow("docks left and right, a bar on top")
            << pair << right
            << QList<QList<quint32>>{{48, 0, 0, 0, 0, 799, 0, 0, 0, 0, 0, 0},
                                     {0, 30, 0, 0, 0, 0, 0, 799, 0, 0, 0, 0},
                                     {0, 0, 24, 0, 0, 0, 0, 0, 1280, 2559, 0, 0}}
            << QRect(1280, 24, 1250, 776);
        QTest::newRow("a value that is no strut") << pair << left << QList<QList<quint32>>{{0, 28}} << left;
        // struts measure from the root's edge: a bar atop the lower of two stacked monitors
        // reserves the whole upper one too, which then keeps its own area
        const QList<quint32> lowerTopBar{0, 0, 828, 0, 0, 0, 0, 0, 0, 1279, 0, 0};
        QTest::newRow("stacked: the lower monitor") << QSize(1280, 1600) << QRect(0, 800, 1280, 800)
                                                    << QList<QList<quint32>>{lowerTopBar} << QRect(0, 828, 1280, 772);
        QTest::newRow("stacked: the upper monitor")
            << QSize(1280, 1600) << left << QList<QList<quint32>>{lowerTopBar} << left;
    }

    void theBarsStrutsKeepPopoversOff()
    {
        QFETCH(QSize, root);
        QFETCH(QRect, screen);
        QFETCH(QList<QList<quint32>>, struts);
        QFETCH(QRect, usable);
        QList<X11WorkArea::Strut> read;
        for (const QList<quint32> &values : struts) {
            if (const std::optional<X11WorkArea::Strut> strut = X11WorkArea::Strut::fromProperty(values, root))
                read.append(*strut);
        }
        QCOMPARE(X11WorkArea::outsideStruts(screen, root, read), usable);
    }

    // No sway, or one that stops answering: the window stays where it was put.
    void withoutAnAnswerNothingMoves()
    {
        const QTemporaryDir folder;
        SwayPlacement placement(folder.filePath(u"nobody.sock"_s));
        QSignalSpy placed(&placement, &WindowPlacement::placed);
        placement.place({u"Glinter"_s, std::nullopt},
                        [](const QPoint &, const QRect &, const QSize &) { return QPoint(); });
        QVERIFY(!placed.wait(300));
        QVERIFY(!SwayPlacement(QString()).isAvailable());
    }
};

QTEST_GUILESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
