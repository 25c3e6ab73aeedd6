// Linux backend: the X server's saver and xscreensaver, over XCB.
//
// Platform: Linux, X11. Dependencies: XCB, xcb-screensaver. XCB rather than
// Xlib, so that a window vanishing between two requests is an error reply to
// drop, not a call to the process-wide Xlib error handler. Supported: the
// server's saver and DPMS suspension (MIT-SCREEN-SAVER 1.1 or later), the
// xscreensaver deactivate request. Missing: other screens, xscreensaver's
// reply (nothing waits for it), desktops without an X server.
#include "platform/linux/x_screen_saver.h"

#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/linux/failure_reason.h"

namespace backend {
namespace {

struct XLink {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = XCB_WINDOW_NONE;
    bool canSuspend = false;
    xcb_atom_t screensaver = XCB_ATOM_NONE;  // the message type
    xcb_atom_t deactivate = XCB_ATOM_NONE;   // the request it carries
    xcb_atom_t version = XCB_ATOM_NONE;      // marks xscreensaver's window
};

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const auto length = static_cast<uint16_t>(std::strlen(name));
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, length, name), nullptr);
    if (reply == nullptr) return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

bool ServerCanSuspend(xcb_connection_t* connection) {
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_screensaver_id);
    if (extension == nullptr || !extension->present) return false;
    xcb_screensaver_query_version_reply_t* reply =
        xcb_screensaver_query_version_reply(connection, xcb_screensaver_query_version(connection, 1, 1), nullptr);
    if (reply == nullptr) return false;
    // Suspension came with version 1.1.
    const bool can = reply->server_major_version > 1 ||
                     (reply->server_major_version == 1 && reply->server_minor_version >= 1);
    std::free(reply);
    return can;
}

// The connection, opened on first use; null when there is no X display.
XLink* Link() {
    static XLink link;
    static bool tried = false;
    if (tried) return link.connection != nullptr ? &link : nullptr;
    tried = true;
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] == '\0') return nullptr;  // not an X session
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (const int error = xcb_connection_has_error(connection)) {
        ReportFailure("xcb_connect", error == XCB_CONN_CLOSED_PARSE_ERR ? "bad display name"
                                                                         : "cannot open the X display");
        xcb_disconnect(connection);
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) xcb_screen_next(&screens);
    if (screens.rem == 0) {
        ReportFailure("xcb_connect", "the display has no such screen");
        xcb_disconnect(connection);
        return nullptr;
    }
    link.connection = connection;
    link.root = screens.data->root;
    link.canSuspend = ServerCanSuspend(connection);
    link.screensaver = Atom(connection, "SCREENSAVER");
    link.deactivate = Atom(connection, "DEACTIVATE");
    link.version = Atom(connection, "_SCREENSAVER_VERSION");
    return &link;
}

// Nothing selects events on this connection; what arrives is error replies
// to unchecked requests, dropped so they do not pile up.
void DropPendingEvents(xcb_connection_t* connection) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) std::free(event);
}

// xscreensaver's own window: a top-level window with _SCREENSAVER_VERSION.
xcb_window_t FindXScreenSaverWindow(const XLink& link) {
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(link.connection, xcb_query_tree(link.connection, link.root), nullptr);
    if (tree == nullptr) return XCB_WINDOW_NONE;
    const xcb_window_t* children = xcb_query_tree_children(tree);
    const int count = xcb_query_tree_children_length(tree);
    // All property requests first, then the replies: one round trip.
    std::vector<xcb_get_property_cookie_t> cookies;
    cookies.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        cookies.push_back(xcb_get_property(link.connection, 0, children[i], link.version, XCB_ATOM_STRING, 0, 16));
    }
    xcb_window_t found = XCB_WINDOW_NONE;
    for (int i = 0; i < count; ++i) {
        xcb_generic_error_t* error = nullptr;
        xcb_get_property_reply_t* reply =
            xcb_get_property_reply(link.connection, cookies[static_cast<size_t>(i)], &error);
        std::free(error);  // a window that went away meanwhile
        if (reply != nullptr && found == XCB_WINDOW_NONE && reply->type == XCB_ATOM_STRING &&
            xcb_get_property_value_length(reply) > 0) {
            found = children[i];
        }
        std::free(reply);
    }
    std::free(tree);
    return found;
}

}  // namespace

void SuspendXScreenSaver(bool suspend) {
    XLink* link = Link();
    if (link == nullptr || !link->canSuspend) return;
    xcb_screensaver_suspend(link->connection, suspend ? 1 : 0);
    xcb_flush(link->connection);
    DropPendingEvents(link->connection);
}

bool DeactivateXScreenSaver() {
    XLink* link = Link();
    if (link == nullptr || link->screensaver == XCB_ATOM_NONE || link->deactivate == XCB_ATOM_NONE) return false;
    const xcb_window_t target = FindXScreenSaverWindow(*link);
    if (target == XCB_WINDOW_NONE) return false;
    xcb_client_message_event_t message;
    std::memset(&message, 0, sizeof message);
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = target;
    message.type = link->screensaver;
    message.data.data32[0] = link->deactivate;
    xcb_send_event(link->connection, 0, target, XCB_EVENT_MASK_PROPERTY_CHANGE,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(link->connection);
    DropPendingEvents(link->connection);
    return true;
}

}  // namespace backend
