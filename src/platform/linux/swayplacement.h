#pragma once

#include "platform/windowplacement.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QTimer>

#include <chrono>

class QLocalSocket;

// Window placement through sway's IPC (the i3 protocol over a local socket). sway maps a
// new floating window in the middle of the output and gives no client the pointer's position
// over a bar, so the window is first centred on the pointer by sway itself, which tells where
// the pointer is, then moved to its place inside the usable area of that output.
//
// An X11 window (Qt on Xwayland) that changes its size asks the X server, and sway, taking
// the request, resizes it and centres it again: the panel, whose list grows when the first
// check ends after it opened, would leave the bar. Such a window is moved back once sway
// has its new size (a move that came before would be undone), by the rule that placed it.
//
// The socket is asked synchronously with short time-outs: sway answers within a
// millisecond, and an answer that does not come ends the placement (the window stays where
// sway put it).
class SwayPlacement final : public WindowPlacement
{
    Q_OBJECT

public:
    explicit SwayPlacement(QString socketPath, QObject *parent = nullptr);
    ~SwayPlacement() override;

    bool isAvailable() const override { return !m_socketPath.isEmpty(); }
    void place(const Target &target, Choose choose) override;
    void moveTo(const Target &target, const QPoint &topLeft) override;
    void keepPlaced(const Target &target) override;

    // A window in sway's tree: its container id, its rectangle and its own size (without
    // the border sway draws).
    struct Window {
        qint64 id = 0;
        QRect rect;
        QSize size;
    };
    // The target among the windows of process `pid` in a GET_TREE answer.
    static std::optional<Window> findWindow(const QJsonObject &tree, qint64 pid, const Target &target);
    // The usable area (without bars) of the visible workspace under `point`, from a
    // GET_WORKSPACES answer.
    static std::optional<QRect> usableArea(const QJsonArray &workspaces, const QPoint &point);
    // The rectangle of the active output under `point`, from a GET_OUTPUTS answer.
    static std::optional<QRect> outputArea(const QJsonArray &outputs, const QPoint &point);
    // Where the pointer is, from a window sway centred on it. sway keeps the window on its
    // output: a window against an edge says only that the pointer is nearer that edge than
    // half the window, which for a pointer over a bar is the edge itself.
    static QPoint pointerUnder(const QRect &centred, const QRect &output);

private:
    enum class Message : quint32 { RunCommand = 0, GetWorkspaces = 1, GetOutputs = 3, GetTree = 4 };

    // One window to move, by the pointer or to a fixed place; they are moved in turn.
    struct Request {
        Target target;
        Choose choose;
        std::optional<QPoint> topLeft;
        int attempts = 0;
    };
    // How a window was placed: where the pointer was, the usable area and the rule.
    struct Placed {
        QPoint pointer;
        QRect usable;
        Choose choose;
    };

    void enqueue(Request request);
    void attempt();
    // Moves the window of the first request; false when it is not mapped yet.
    bool moveFirst();
    std::optional<QByteArray> ask(Message type, const QByteArray &payload = {});
    bool run(const QString &command);

    QString m_socketPath;
    QLocalSocket *m_socket = nullptr;
    QTimer m_retry;
    QList<Request> m_requests;
    // by title
    QHash<QString, Placed> m_placed;
};
