#include "platform/linux/swayplacement.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QtEndian>

using namespace std::chrono_literals;

namespace {

const QByteArray magic = QByteArrayLiteral("i3-ipc");
constexpr int headerSize = 6 + 4 + 4;
// sway answers at once; these bound a compositor that hangs
constexpr int connectTimeoutMs = 200;
constexpr int answerTimeoutMs = 300;
// A window is in the tree once mapped, a few frames after it is shown.
constexpr auto retryInterval = 20ms;
constexpr int maxAttempts = 50;

QRect rectOf(const QJsonObject &node)
{
    const QJsonObject rect = node.value(u"rect").toObject();
    return QRect(rect.value(u"x").toInt(), rect.value(u"y").toInt(), rect.value(u"width").toInt(),
                 rect.value(u"height").toInt());
}

std::optional<SwayPlacement::Window> search(const QJsonObject &node, qint64 pid, const WindowPlacement::Target &target)
{
    const bool isView = node.contains(u"pid");
    if (isView && node.value(u"pid").toInteger() == pid && node.value(u"name").toString() == target.title
        && (!target.x11Window || quint64(node.value(u"window").toInteger()) == *target.x11Window))
        return SwayPlacement::Window{node.value(u"id").toInteger(), rectOf(node)};
    for (const QStringView key : {QStringView(u"nodes"), QStringView(u"floating_nodes")}) {
        const QJsonArray children = node.value(key).toArray();
        for (const QJsonValue &child : children) {
            if (auto found = search(child.toObject(), pid, target))
                return found;
        }
    }
    return std::nullopt;
}

} // namespace

SwayPlacement::SwayPlacement(QString socketPath, QObject *parent)
    : WindowPlacement(parent)
    , m_socketPath(std::move(socketPath))
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(retryInterval);
    connect(&m_retry, &QTimer::timeout, this, &SwayPlacement::attempt);
}

SwayPlacement::~SwayPlacement() = default;

std::optional<SwayPlacement::Window> SwayPlacement::findWindow(const QJsonObject &tree, qint64 pid,
                                                               const Target &target)
{
    return search(tree, pid, target);
}

std::optional<QRect> SwayPlacement::usableArea(const QJsonArray &workspaces, const QPoint &point)
{
    std::optional<QRect> focused;
    for (const QJsonValue &value : workspaces) {
        const QJsonObject workspace = value.toObject();
        if (!workspace.value(u"visible").toBool())
            continue;
        const QRect rect = rectOf(workspace);
        if (rect.contains(point))
            return rect;
        if (workspace.value(u"focused").toBool())
            focused = rect;
    }
    // a pointer on a bar lies outside every workspace: the bar is at the edge of the
    // focused output, where the click went
    return focused;
}

void SwayPlacement::place(const Target &target, Choose choose)
{
    if (!isAvailable())
        return;
    m_target = target;
    m_choose = std::move(choose);
    m_attempts = 0;
    m_retry.start(0ms);
}

void SwayPlacement::attempt()
{
    const std::optional<QByteArray> tree = ask(Message::GetTree);
    if (!tree)
        return;
    const qint64 pid = QCoreApplication::applicationPid();
    std::optional<Window> window = findWindow(QJsonDocument::fromJson(*tree).object(), pid, m_target);
    if (!window) {
        if (++m_attempts < maxAttempts)
            m_retry.start();
        return;
    }
    const QString self = QStringLiteral("[con_id=%1] ").arg(window->id);
    // sway centres the window on the pointer, which tells where the pointer is
    if (!run(self + QStringLiteral("floating enable, border none, move position cursor")))
        return;
    const std::optional<QByteArray> moved = ask(Message::GetTree);
    const std::optional<QByteArray> workspaces = ask(Message::GetWorkspaces);
    if (!moved || !workspaces)
        return;
    window = findWindow(QJsonDocument::fromJson(*moved).object(), pid, m_target);
    if (!window)
        return;
    const QPoint pointer = window->rect.center();
    const std::optional<QRect> usable = usableArea(QJsonDocument::fromJson(*workspaces).array(), pointer);
    if (!usable)
        return;
    const QPoint topLeft = m_choose(pointer, *usable, window->rect.size());
    if (run(self + QStringLiteral("move absolute position %1 %2").arg(topLeft.x()).arg(topLeft.y())))
        Q_EMIT placed(topLeft);
}

std::optional<QByteArray> SwayPlacement::ask(Message type, const QByteArray &payload)
{
    if (!m_socket) {
        m_socket = new QLocalSocket(this);
        m_socket->connectToServer(m_socketPath);
        if (!m_socket->waitForConnected(connectTimeoutMs)) {
            delete m_socket;
            m_socket = nullptr;
            return std::nullopt;
        }
    }
    QByteArray message = magic;
    message.append(QByteArray(8, '\0'));
    qToLittleEndian<quint32>(quint32(payload.size()), message.data() + magic.size());
    qToLittleEndian<quint32>(quint32(type), message.data() + magic.size() + 4);
    message.append(payload);
    m_socket->write(message);

    QByteArray answer;
    qint64 expected = headerSize;
    bool headerRead = false;
    while (answer.size() < expected) {
        if (m_socket->bytesAvailable() == 0 && !m_socket->waitForReadyRead(answerTimeoutMs))
            break;
        answer.append(m_socket->read(expected - answer.size()));
        if (!headerRead && answer.size() >= headerSize) {
            if (!answer.startsWith(magic))
                break;
            expected = headerSize + qFromLittleEndian<quint32>(answer.constData() + magic.size());
            headerRead = true;
        }
    }
    if (!headerRead || answer.size() < expected) {
        // a broken exchange leaves the stream out of step: start over next time
        m_socket->deleteLater();
        m_socket = nullptr;
        return std::nullopt;
    }
    return answer.mid(headerSize);
}

bool SwayPlacement::run(const QString &command)
{
    const std::optional<QByteArray> answer = ask(Message::RunCommand, command.toUtf8());
    if (!answer)
        return false;
    const QJsonArray outcomes = QJsonDocument::fromJson(*answer).array();
    return !outcomes.isEmpty() && std::all_of(outcomes.cbegin(), outcomes.cend(), [](const QJsonValue &outcome) {
        return outcome.toObject().value(u"success").toBool();
    });
}

std::unique_ptr<WindowPlacement> makeWindowPlacement(const QString &swaySocket)
{
    return std::make_unique<SwayPlacement>(swaySocket);
}
