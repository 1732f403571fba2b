#include "platform/linux/swayplacement.h"

#include "platform/linux/x11workarea.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
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
// The tree of a busy desktop is a few hundred kilobytes.
constexpr qint64 maxAnswerSize = qint64(32) * 1024 * 1024;
// A window is in the tree once mapped, a few frames after it is shown.
constexpr auto retryInterval = 20ms;
constexpr int maxAttempts = 50;
// sway takes an X11 window's new size within a few frames; a size it never reports (a
// scale that rounds it otherwise) is not waited for longer
constexpr int sizeAttempts = 15;

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
        return SwayPlacement::Window{node.value(u"id").toInteger(), rectOf(node),
                                     rectOf(node.value(u"geometry").toObject()).size()};
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

std::optional<QRect> SwayPlacement::outputArea(const QJsonArray &outputs, const QPoint &point)
{
    for (const QJsonValue &value : outputs) {
        const QJsonObject output = value.toObject();
        const QRect rect = rectOf(output);
        if (output.value(u"active").toBool(true) && rect.contains(point))
            return rect;
    }
    return std::nullopt;
}

QPoint SwayPlacement::pointerUnder(const QRect &centred, const QRect &output)
{
    QPoint pointer = centred.center();
    if (centred.left() <= output.left())
        pointer.setX(std::min(pointer.x(), output.left()));
    else if (centred.right() >= output.right())
        pointer.setX(std::max(pointer.x(), output.right()));
    if (centred.top() <= output.top())
        pointer.setY(std::min(pointer.y(), output.top()));
    else if (centred.bottom() >= output.bottom())
        pointer.setY(std::max(pointer.y(), output.bottom()));
    return pointer;
}

void SwayPlacement::place(const Target &target, Choose choose)
{
    enqueue({target, std::move(choose), std::nullopt});
}

void SwayPlacement::moveTo(const Target &target, const QPoint &topLeft)
{
    enqueue({target, nullptr, topLeft});
}

void SwayPlacement::keepPlaced(const Target &target)
{
    if (!isAvailable())
        return;
    const auto sameWindow = [&target](const Request &request) {
        return request.target.title == target.title && request.target.x11Window == target.x11Window;
    };
    // still being placed: at the size it has now
    const auto pending = std::find_if(m_requests.begin(), m_requests.end(), sameWindow);
    if (pending != m_requests.end() && pending->choose) {
        pending->target.size = target.size;
        return;
    }
    const auto placed = m_placed.constFind(target.title);
    if (placed == m_placed.cend())
        return;
    enqueue({target, nullptr, placed->choose(placed->pointer, placed->usable, target.size)});
}

void SwayPlacement::enqueue(Request request)
{
    if (!isAvailable())
        return;
    // a newer wish for the same window replaces the one not carried out yet
    m_requests.removeIf([&](const Request &queued) {
        return queued.target.title == request.target.title && queued.target.x11Window == request.target.x11Window;
    });
    m_requests.append(std::move(request));
    if (!m_retry.isActive())
        m_retry.start(0ms);
}

void SwayPlacement::attempt()
{
    if (m_requests.isEmpty())
        return;
    if (!moveFirst() && ++m_requests.first().attempts < maxAttempts) {
        m_retry.start(retryInterval);
        return;
    }
    m_requests.removeFirst();
    if (!m_requests.isEmpty())
        m_retry.start(0ms);
}

bool SwayPlacement::moveFirst()
{
    const Request &request = m_requests.first();
    const std::optional<QByteArray> tree = ask(Message::GetTree);
    if (!tree)
        return true; // no sway to ask: given up
    const qint64 pid = QCoreApplication::applicationPid();
    std::optional<Window> window = findWindow(QJsonDocument::fromJson(*tree).object(), pid, request.target);
    if (!window)
        return false;
    // a window that has just asked for another size: sway would centre it again after a
    // move made now
    if (request.target.size.isValid() && window->size != request.target.size && request.attempts < sizeAttempts)
        return false;
    const QString self = QStringLiteral("[con_id=%1] ").arg(window->id);
    QPoint topLeft;
    if (request.topLeft) {
        topLeft = *request.topLeft;
    } else {
        // sway centres the window on the pointer, which tells where the pointer is
        if (!run(self + QStringLiteral("floating enable, border none, move position cursor")))
            return true;
        const std::optional<QByteArray> moved = ask(Message::GetTree);
        const std::optional<QByteArray> workspaces = ask(Message::GetWorkspaces);
        const std::optional<QByteArray> outputs = ask(Message::GetOutputs);
        if (!moved || !workspaces || !outputs)
            return true;
        window = findWindow(QJsonDocument::fromJson(*moved).object(), pid, request.target);
        if (!window)
            return true;
        const QPoint centre = window->rect.center();
        const std::optional<QRect> output = outputArea(QJsonDocument::fromJson(*outputs).array(), centre);
        const QPoint pointer = output ? pointerUnder(window->rect, *output) : centre;
        const std::optional<QRect> usable = usableArea(QJsonDocument::fromJson(*workspaces).array(), centre);
        if (!usable)
            return true;
        topLeft = request.choose(pointer, *usable, window->size.isEmpty() ? window->rect.size() : window->size);
        m_placed.insert(request.target.title, {pointer, *usable, request.choose});
    }
    if (run(self
            + QStringLiteral("floating enable, border none, move absolute position %1 %2")
                  .arg(topLeft.x())
                  .arg(topLeft.y())))
        Q_EMIT placed(request.target.title, topLeft);
    return true;
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

    // One deadline for the whole answer, and a bound on its size: the UI thread waits here,
    // so a compositor that trickles bytes or announces gigabytes must not hold it.
    const QDeadlineTimer deadline(answerTimeoutMs);
    QByteArray answer;
    qint64 expected = headerSize;
    bool headerRead = false;
    while (answer.size() < expected && !deadline.hasExpired()) {
        if (m_socket->bytesAvailable() == 0 && !m_socket->waitForReadyRead(int(deadline.remainingTime())))
            break;
        answer.append(m_socket->read(expected - answer.size()));
        if (!headerRead && answer.size() >= headerSize) {
            if (!answer.startsWith(magic))
                break;
            expected = headerSize + qFromLittleEndian<quint32>(answer.constData() + magic.size());
            headerRead = true;
            if (expected > headerSize + maxAnswerSize)
                break;
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
    // elsewhere only X11 bars without a window manager need telling where they are
    if (swaySocket.isEmpty())
        return std::make_unique<X11WorkArea>();
    return std::make_unique<SwayPlacement>(swaySocket);
}
