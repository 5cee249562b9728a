#include "platform/qt/window_frame.h"

#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

#include <QGuiApplication>
#include <QWidget>
#include <xcb/xcb.h>

namespace receipt::platform {
namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <class T>
using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

Reply<xcb_get_property_reply_t> Property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                                         xcb_atom_t type, std::uint32_t length) {
    return Reply<xcb_get_property_reply_t>(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, length), nullptr));
}

// True when a window manager runs that answers frame-extents requests.
bool ManagerAnswersFrameRequests(xcb_connection_t* c, xcb_window_t root, xcb_atom_t request) {
    auto check = Property(c, root, Atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 1);
    if (!check || xcb_get_property_value_length(check.get()) != 4) return false;
    auto supported = Property(c, root, Atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 1024);
    if (!supported) return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(supported.get()));
    const int count = xcb_get_property_value_length(supported.get()) / 4;
    return std::find(atoms, atoms + count, request) != atoms + count;
}

}  // namespace

QMargins PredictFrameMargins(QWidget& window) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return QMargins();
    xcb_connection_t* c = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());  // creates the native window, unmapped
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t request = Atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    if (!ManagerAnswersFrameRequests(c, root, request)) return QMargins();

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);

    // The manager answers by setting the property on our window; it usually
    // takes a round trip or two. Give up after a fifth of a second.
    const xcb_atom_t extents = Atom(c, "_NET_FRAME_EXTENTS");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    do {
        auto reply = Property(c, id, extents, XCB_ATOM_CARDINAL, 4);
        if (reply && xcb_get_property_value_length(reply.get()) == 16) {
            const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
            return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));  // left, top, right, bottom
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    } while (std::chrono::steady_clock::now() < deadline);
    return QMargins();
}

}  // namespace receipt::platform
