#include "X11Window.h"

#include <QGuiApplication>
#include <QWindow>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace platform::x11 {
namespace {

struct Free {
    void operator()(void* reply) const { std::free(reply); }
};
template <class T> using Reply = std::unique_ptr<T, Free>;

Reply<xcb_get_property_reply_t> Property(xcb_window_t window, xcb_atom_t property,
                                         xcb_atom_t type) {
    xcb_connection_t* connection = Connection();
    if (!connection || !window || !property)
        return nullptr;
    return Reply<xcb_get_property_reply_t>(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, 1024), nullptr));
}

} // namespace

xcb_connection_t* Connection() {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t Root() {
    xcb_connection_t* connection = Connection();
    if (!connection)
        return 0;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    return screen ? screen->root : 0;
}

xcb_window_t IdOf(QWindow* window) {
    return window && window->handle() ? xcb_window_t(window->winId()) : 0;
}

xcb_atom_t Atom(const char* name) {
    static std::map<std::string, xcb_atom_t> atoms;
    if (const auto it = atoms.find(name); it != atoms.end())
        return it->second;
    xcb_connection_t* connection = Connection();
    if (!connection)
        return XCB_ATOM_NONE;
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr));
    if (!reply)
        return XCB_ATOM_NONE;
    atoms.emplace(name, reply->atom);
    return reply->atom;
}

std::optional<uint32_t> Cardinal(xcb_window_t window, xcb_atom_t property) {
    const auto reply = Property(window, property, XCB_ATOM_CARDINAL);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return std::nullopt;
    return *static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
}

std::vector<xcb_atom_t> Atoms(xcb_window_t window, xcb_atom_t property) {
    const auto reply = Property(window, property, XCB_ATOM_ATOM);
    if (!reply || reply->format != 32)
        return {};
    const auto* first = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    return {first, first + xcb_get_property_value_length(reply.get()) / 4};
}

bool WindowManagerRuns() {
    const auto reply = Property(Root(), Atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
    return reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) >= 4;
}

QRect Geometry(xcb_window_t window) {
    xcb_connection_t* connection = Connection();
    if (!connection || !window)
        return {};
    const Reply<xcb_get_geometry_reply_t> size(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    if (!size)
        return {};
    const Reply<xcb_translate_coordinates_reply_t> place(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window, size->root, 0, 0), nullptr));
    if (!place)
        return {};
    return {place->dst_x, place->dst_y, size->width, size->height};
}

bool Viewable(xcb_window_t window) {
    xcb_connection_t* connection = Connection();
    if (!connection || !window)
        return false;
    const Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

void Ask(xcb_window_t window, xcb_atom_t type, uint32_t d0, uint32_t d1, uint32_t d2, uint32_t d3) {
    xcb_connection_t* connection = Connection();
    if (!connection || !window || !type)
        return;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    event.data.data32[0] = d0;
    event.data.data32[1] = d1;
    event.data.data32[2] = d2;
    event.data.data32[3] = d3;
    xcb_send_event(connection, 0, Root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection);
}

void Place(xcb_window_t window, const QRect& geometry) {
    xcb_connection_t* connection = Connection();
    if (!connection || !window)
        return;
    const uint32_t values[] = {uint32_t(geometry.x()), uint32_t(geometry.y()),
                               uint32_t(geometry.width()), uint32_t(geometry.height())};
    xcb_configure_window(connection, window,
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                             XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    xcb_flush(connection);
}

} // namespace platform::x11
