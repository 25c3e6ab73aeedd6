// Linux backend: given X windows and our GL child windows inside them. See
// foreign_window.h for the contract.
#include "platform/linux/foreign_window.h"

#include <GL/glx.h>
#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/common/window_frame.h"
#include "platform/linux/dialog_window.h"
#include "platform/linux/sdl_video.h"
#include "platform/linux/window_class.h"
#include "platform/window_id.h"

namespace backend {
namespace {

// What the HWND of a given window points to.
struct GivenWindow : HWND__ {
    explicit GivenWindow(Window id) : HWND__(ForeignKind), xid(id) {}
    const Window xid;
};

struct ForeignState {
    Display* display = nullptr;
    bool opened = false;
    bool failed = false;  // an X error arrived on our connection since the last Trap()
    std::vector<std::unique_ptr<GivenWindow>> given;
    std::vector<Window> children;  // every child we made, also after it is gone
    XErrorHandler previousHandler = nullptr;
};

ForeignState& State() {
    static ForeignState state;
    return state;
}

bool IsOurChild(XID id) {
    const auto& children = State().children;
    return std::find(children.begin(), children.end(), id) != children.end();
}

// Errors on our own connection are the answers we look for (a window that is
// gone); errors anywhere about our children come from drawing in a child whose
// parent was just destroyed. Everything else goes to the handler before ours.
int AbsorbErrors(Display* display, XErrorEvent* error) {
    if (display == State().display) {
        State().failed = true;
        return 0;
    }
    if (IsOurChild(error->resourceid)) return 0;
    return State().previousHandler != nullptr ? State().previousHandler(display, error) : 0;
}

Display* ForeignDisplay() {
    ForeignState& state = State();
    if (state.opened) return state.display;
    state.opened = true;
    // SDL first, so that our handler is the outermost one.
    if (!EnsureVideo()) {
        std::fprintf(stderr, "corvane: no display for given windows: %s\n", SDL_GetError());
        return nullptr;
    }
    state.display = XOpenDisplay(nullptr);
    if (state.display == nullptr) {
        std::fprintf(stderr, "corvane: cannot open the X display %s\n", XDisplayName(nullptr));
        return nullptr;
    }
    state.previousHandler = XSetErrorHandler(AbsorbErrors);
    return state.display;
}

// Runs a request on our connection and tells whether X refused it.
template <typename Request>
bool Succeeds(Request request) {
    Display* display = ForeignDisplay();
    if (display == nullptr) return false;
    XSync(display, False);
    State().failed = false;
    const bool answered = request(display);
    XSync(display, False);
    return answered && !State().failed;
}

bool Attributes(Window id, XWindowAttributes& attributes) {
    return Succeeds([&](Display* display) { return XGetWindowAttributes(display, id, &attributes) != 0; });
}

GivenWindow* FindGiven(HWND handle) {
    for (auto& window : State().given)
        if (window.get() == handle) return window.get();
    return nullptr;
}

// Double-buffered RGBA with a depth buffer, as the GL windows have.
XVisualInfo* ChooseGLVisual(Display* display, int screen) {
    int attributes[] = {GLX_RGBA,       GLX_DOUBLEBUFFER, GLX_RED_SIZE, 1, GLX_GREEN_SIZE, 1, GLX_BLUE_SIZE, 1,
                        GLX_DEPTH_SIZE, 16,               None};
    return glXChooseVisual(display, screen, attributes);
}

Window MakeChildXWindow(Window parent, const XWindowAttributes& parentAttributes, int x, int y, int width,
                        int height, bool visible) {
    Display* display = ForeignDisplay();
    const int screen = XScreenNumberOfScreen(parentAttributes.screen);
    XVisualInfo* visual = ChooseGLVisual(display, screen);
    if (visual == nullptr) {
        std::fprintf(stderr, "corvane: the display offers no double-buffered GL visual with depth\n");
        return 0;
    }
    const Window root = RootWindow(display, screen);
    XSetWindowAttributes attributes{};
    attributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    attributes.border_pixel = 0;
    attributes.background_pixel = BlackPixel(display, screen);
    // A child of the root is a top-level window: no window manager frames it.
    attributes.override_redirect = parent == root ? True : False;
    Window child = 0;
    const bool made = Succeeds([&](Display* d) {
        child = XCreateWindow(d, parent, x, y, static_cast<unsigned>(std::max(1, width)),
                              static_cast<unsigned>(std::max(1, height)), 0, visual->depth, InputOutput,
                              visual->visual, CWColormap | CWBorderPixel | CWBackPixel | CWOverrideRedirect,
                              &attributes);
        if (child != 0 && visible) XMapWindow(d, child);
        return child != 0;
    });
    XFree(visual);
    if (!made) {
        std::fprintf(stderr, "corvane: cannot make a GL window inside window 0x%lx\n", parent);
        return 0;
    }
    State().children.push_back(child);
    return child;
}

}  // namespace

uint64_t RootWindowId() {
    Display* display = ForeignDisplay();
    return display != nullptr ? DefaultRootWindow(display) : 0;
}

HWND CreateChildWindow(HWND parent, const WindowClass& windowClass, const char* title, DWORD style,
                       DWORD exStyle, int x, int y, int width, int height) {
    GivenWindow* given = FindGiven(parent);
    XWindowAttributes parentAttributes{};
    if (given == nullptr || !Attributes(given->xid, parentAttributes)) return nullptr;

    const bool visible = (style & WS_VISIBLE) != 0;
    const Window child = MakeChildXWindow(given->xid, parentAttributes, x, y, width, height, visible);
    if (child == 0) return nullptr;

    // SDL takes the window as one made for GL, and draws with its visual.
    SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, "1");
    auto object = std::make_unique<WindowObject>();
    object->childXWindow = child;
    object->sdlWindow = SDL_CreateWindowFrom(reinterpret_cast<const void*>(static_cast<uintptr_t>(child)));
    if (object->sdlWindow == nullptr) {
        std::fprintf(stderr, "corvane: SDL cannot use the GL window 0x%lx: %s\n", child, SDL_GetError());
        DestroyChildWindow(object.get());
        return nullptr;
    }
    if (title != nullptr) SDL_SetWindowTitle(object->sdlWindow, title);
    object->sdlId = SDL_GetWindowID(object->sdlWindow);
    object->procedure = windowClass.procedure;
    object->className = windowClass.name;
    object->style = style;
    object->exStyle = exStyle;
    object->visible = visible;
    object->deviceContext.window = object.get();
    WindowObject* window = AdoptWindow(std::move(object));
    // Windows tells a new window its size before CreateWindowEx returns.
    if (!ReportClientSize(window, std::max(1, width), std::max(1, height))) return nullptr;
    return window;
}

void DestroyChildWindow(WindowObject* window) {
    if (window->childXWindow == 0) return;
    // Gone already when its parent was destroyed; the error is absorbed.
    Succeeds([&](Display* display) { return XDestroyWindow(display, window->childXWindow) != 0; });
    window->childXWindow = 0;
}

}  // namespace backend

HWND WindowFromId(uint64_t id) {
    using namespace backend;
    XWindowAttributes attributes{};
    if (id == 0 || id > 0xFFFFFFFFull || !Attributes(static_cast<Window>(id), attributes)) return nullptr;
    for (auto& window : State().given)
        if (window->xid == id) return window.get();
    State().given.push_back(std::make_unique<GivenWindow>(static_cast<Window>(id)));
    return State().given.back().get();
}

BOOL WINAPI IsWindow(HWND handle) {
    using namespace backend;
    if (FindWindowObject(handle) != nullptr || FindDialog(handle) != nullptr) return TRUE;
    GivenWindow* given = FindGiven(handle);
    XWindowAttributes attributes{};
    return given != nullptr && Attributes(given->xid, attributes) ? TRUE : FALSE;
}

BOOL WINAPI GetClientRect(HWND handle, LPRECT rect) {
    using namespace backend;
    if (rect == nullptr) return FALSE;
    if (WindowObject* window = FindWindowObject(handle)) {
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(window->sdlWindow, &width, &height);
        *rect = RECT{0, 0, width, height};
        return TRUE;
    }
    GivenWindow* given = FindGiven(handle);
    XWindowAttributes attributes{};
    if (given == nullptr || !Attributes(given->xid, attributes)) return FALSE;
    *rect = RECT{0, 0, attributes.width, attributes.height};
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND handle, int x, int y, int width, int height, BOOL /*repaint*/) {
    using namespace backend;
    WindowObject* window = FindWindowObject(handle);
    if (window == nullptr) return FALSE;
    width = std::max(1, width);
    height = std::max(1, height);
    if (window->childXWindow != 0) {
        const Window child = window->childXWindow;
        if (!Succeeds([&](Display* display) {
                return XMoveResizeWindow(display, child, x, y, static_cast<unsigned>(width),
                                         static_cast<unsigned>(height)) != 0;
            }))
            return FALSE;
    } else {
        // A top-level window: the size given is the outer one.
        const common::FrameInsets frame = common::FrameFor(window->style, window->exStyle, false);
        width = common::ClientWidth(width, frame, 1);
        height = common::ClientHeight(height, frame, 1);
        SDL_SetWindowPosition(window->sdlWindow, x + static_cast<int>(frame.left), y + static_cast<int>(frame.top));
        SDL_SetWindowSize(window->sdlWindow, width, height);
    }
    ReportClientSize(window, width, height);
    return TRUE;
}
