#include "platform/linux/x11workarea.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace {

struct FreeReply {
    void operator()(void *reply) const { std::free(reply); }
};
template<typename T>
using Reply = std::unique_ptr<T, FreeReply>;

// The root window of the screen DISPLAY names, the one Qt's connection uses.
const xcb_screen_t *rootScreen(xcb_connection_t *connection)
{
    int number = 0;
    char *host = nullptr;
    int display = 0;
    if (xcb_parse_display(nullptr, &host, &display, &number) == 0)
        number = 0;
    std::free(host);
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem;
         xcb_screen_next(&it), --number) {
        if (number == 0)
            return it.data;
    }
    return nullptr;
}

// A property of 32-bit values, as many as were asked for; none when the window has none.
std::optional<QList<quint32>> cardinals(xcb_connection_t *connection, xcb_get_property_cookie_t cookie)
{
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, nullptr));
    if (!reply || reply->format != 32 || reply->type != XCB_ATOM_CARDINAL)
        return std::nullopt;
    const auto *data = static_cast<const quint32 *>(xcb_get_property_value(reply.get()));
    return QList<quint32>(data, data + xcb_get_property_value_length(reply.get()) / 4);
}

} // namespace

std::optional<X11WorkArea::Strut> X11WorkArea::Strut::fromProperty(const QList<quint32> &values, const QSize &root)
{
    const auto at = [&values](qsizetype index) { return int(std::min<quint32>(values.at(index), 1U << 16)); };
    Strut strut;
    if (values.size() >= 12) {
        strut = {at(0), at(1), at(2), at(3), at(4), at(5), at(6), at(7), at(8), at(9), at(10), at(11)};
    } else if (values.size() >= 4) {
        const int lastX = root.width() - 1;
        const int lastY = root.height() - 1;
        strut = {at(0), at(1), at(2), at(3), 0, lastY, 0, lastY, 0, lastX, 0, lastX};
    } else {
        return std::nullopt;
    }
    return strut;
}

QRect X11WorkArea::outsideStruts(const QRect &screen, const QSize &root, const QList<Strut> &struts)
{
    // Each reserved band is a rectangle along an edge of the root window; one that touches
    // the monitor reserves up to its inner edge there. Bands of other monitors (a bar on the
    // monitor beside this one) do not touch it.
    const auto band = [](int x, int y, int width, int height) { return QRect(x, y, width, height); };
    QRect area = screen;
    for (const Strut &s : struts) {
        if (s.top > 0 && band(s.topStartX, 0, s.topEndX - s.topStartX + 1, s.top).intersects(screen))
            area.setTop(std::max(area.top(), s.top));
        if (s.bottom > 0
            && band(s.bottomStartX, root.height() - s.bottom, s.bottomEndX - s.bottomStartX + 1, s.bottom)
                   .intersects(screen))
            area.setBottom(std::min(area.bottom(), root.height() - s.bottom - 1));
        if (s.left > 0 && band(0, s.leftStartY, s.left, s.leftEndY - s.leftStartY + 1).intersects(screen))
            area.setLeft(std::max(area.left(), s.left));
        if (s.right > 0
            && band(root.width() - s.right, s.rightStartY, s.right, s.rightEndY - s.rightStartY + 1).intersects(screen))
            area.setRight(std::min(area.right(), root.width() - s.right - 1));
    }
    return area.isEmpty() ? screen : area;
}

std::optional<QRect> X11WorkArea::usableArea(const QRect &screen) const
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    const xcb_screen_t *root = connection ? rootScreen(connection) : nullptr;
    if (!root)
        return std::nullopt;

    const auto intern = [connection](const QByteArray &name) {
        return xcb_intern_atom(connection, true, uint16_t(name.size()), name.constData());
    };
    const xcb_intern_atom_cookie_t atomCookies[] = {intern("_NET_WORKAREA"), intern("_NET_WM_STRUT_PARTIAL"),
                                                    intern("_NET_WM_STRUT")};
    xcb_atom_t atoms[3] = {XCB_ATOM_NONE, XCB_ATOM_NONE, XCB_ATOM_NONE};
    for (int i = 0; i < 3; ++i) {
        const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, atomCookies[i], nullptr));
        atoms[i] = reply ? reply->atom : XCB_ATOM_NONE;
    }
    const auto [workArea, strutPartial, strutPlain] = atoms;
    // with a window manager that publishes the work area, Qt's available area is the right one
    if (workArea != XCB_ATOM_NONE
        && cardinals(connection, xcb_get_property(connection, false, root->root, workArea, XCB_ATOM_CARDINAL, 0, 4)))
        return std::nullopt;
    // no window ever reserved an edge on this server
    if (strutPartial == XCB_ATOM_NONE && strutPlain == XCB_ATOM_NONE)
        return std::nullopt;

    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root->root), nullptr));
    if (!tree)
        return std::nullopt;
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    // every question first, then the answers: one round trip however many windows there are
    struct Asked {
        xcb_get_window_attributes_cookie_t attributes;
        xcb_get_property_cookie_t partial;
        xcb_get_property_cookie_t plain;
    };
    QList<Asked> asked;
    asked.reserve(count);
    for (int i = 0; i < count; ++i) {
        asked.append({xcb_get_window_attributes(connection, children[i]),
                      xcb_get_property(connection, false, children[i], strutPartial, XCB_ATOM_CARDINAL, 0, 12),
                      xcb_get_property(connection, false, children[i], strutPlain, XCB_ATOM_CARDINAL, 0, 4)});
    }
    const QSize rootSize(root->width_in_pixels, root->height_in_pixels);
    QList<Strut> struts;
    for (const Asked &window : std::as_const(asked)) {
        const Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(connection, window.attributes, nullptr));
        const std::optional<QList<quint32>> partial = cardinals(connection, window.partial);
        const std::optional<QList<quint32>> plain = cardinals(connection, window.plain);
        // a hidden bar reserves nothing
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        std::optional<Strut> strut = partial ? Strut::fromProperty(*partial, rootSize) : std::nullopt;
        if (!strut && plain)
            strut = Strut::fromProperty(*plain, rootSize);
        if (strut)
            struts.append(*strut);
    }
    if (struts.isEmpty())
        return std::nullopt;

    // Qt's screens keep their top-left corner in X's pixels and scale the rest
    qreal ratio = 1;
    for (const QScreen *candidate : QGuiApplication::screens()) {
        if (candidate->geometry() == screen)
            ratio = candidate->devicePixelRatio();
    }
    const QPoint origin = screen.topLeft();
    const QRect native(origin, (QSizeF(screen.size()) * ratio).toSize());
    const QRect usable = outsideStruts(native, rootSize, struts);
    // rounded inwards, so that a fractional scale does not give a pixel of the bar back
    const auto logical = [&](const QPoint &point, qreal (*round)(qreal)) {
        return origin
               + QPoint(int(round((point.x() - origin.x()) / ratio)), int(round((point.y() - origin.y()) / ratio)));
    };
    const QPoint topLeft = logical(usable.topLeft(), [](qreal value) { return std::ceil(value); });
    const QPoint end = logical(usable.bottomRight() + QPoint(1, 1), [](qreal value) { return std::floor(value); });
    return QRect(topLeft, end - QPoint(1, 1));
}
