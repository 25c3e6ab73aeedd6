// Linux backend: given X windows and our GL child windows inside them. See
// foreign_window.h for the contract.
#include "platform/linux/foreign_window.h"

#include <GL/glx.h>
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/common/window_frame.h"
#include "platform/linux/dialog_window.h"
#include "platform/linux/failure_reason.h"
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
    bool failed = false;  // an X error arrived on our connection inside Succeeds()
    std::vector<std::unique_ptr<GivenWindow>> given;
    std::vector<Window> children;  // every child we made, also after it is gone
    int liveChildren = 0;
    Display* sdlDisplay = nullptr;  // SDL's connection, which draws in the children
    XErrorHandler outerHandler = nullptr;  // what the outermost XErrorScope replaced
    bool handlerInstalled = false;
    std::unique_ptr<class XErrorScope> childrenScope;
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
// parent was just destroyed. Everything else goes to the handler the scope
// replaced.
int AbsorbErrors(Display* display, XErrorEvent* error) {
    if (display == State().display) {
        State().failed = true;
        return 0;
    }
    if (IsOurChild(error->resourceid)) return 0;
    return State().outerHandler != nullptr ? State().outerHandler(display, error) : 0;
}

// The backend's one X error policy: no Xlib error handler of ours stays in
// the process. AbsorbErrors is installed only for a scope and the handler it
// replaced is put back after: around each of our own requests (Succeeds),
// and while children of given windows live, since a host that destroys its
// window takes our child with it and the errors that follow come on SDL's
// connection from the GL driver's requests, which no call of ours brackets.
// Nested scopes leave the outer one in place.
class XErrorScope {
public:
    XErrorScope() {
        ForeignState& state = State();
        if (state.handlerInstalled) return;
        state.outerHandler = XSetErrorHandler(AbsorbErrors);
        state.handlerInstalled = owner = true;
    }
    ~XErrorScope() {
        if (!owner) return;
        XSetErrorHandler(State().outerHandler);
        State().handlerInstalled = false;
        State().outerHandler = nullptr;
    }
    XErrorScope(const XErrorScope&) = delete;
    XErrorScope& operator=(const XErrorScope&) = delete;

private:
    bool owner = false;
};

Display* ForeignDisplay() {
    ForeignState& state = State();
    if (state.opened) return state.display;
    state.opened = true;
    if (!EnsureVideo()) return nullptr;  // it says why
    state.display = XOpenDisplay(nullptr);
    if (state.display == nullptr) {
        const std::string reason = std::string("cannot open the X display ") + XDisplayName(nullptr);
        ReportFailure("XOpenDisplay", reason.c_str());
        return nullptr;
    }
    return state.display;
}

// Runs a request on our connection and tells whether X refused it.
template <typename Request>
bool Succeeds(Request request) {
    Display* display = ForeignDisplay();
    if (display == nullptr) return false;
    const XErrorScope scope;
    XSync(display, False);
    State().failed = false;
    const bool answered = request(display);
    XSync(display, False);
    return answered && !State().failed;
}

// A child's life: the scope opens with the first live child and closes with
// the last, once SDL's connection has heard every answer about it.
void ChildMade(SDL_Window* window) {
    ForeignState& state = State();
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) state.sdlDisplay = info.info.x11.display;
    if (state.liveChildren++ == 0) state.childrenScope = std::make_unique<XErrorScope>();
}

void ChildGone() {
    ForeignState& state = State();
    if (state.liveChildren == 0 || --state.liveChildren > 0) return;
    if (state.sdlDisplay != nullptr) XSync(state.sdlDisplay, False);
    state.childrenScope.reset();
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
        ReportFailure("glXChooseVisual", "the display offers no double-buffered GL visual with depth");
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
        char reason[80];
        std::snprintf(reason, sizeof reason, "the X server refused a GL window inside window 0x%lx", parent);
        ReportFailure("XCreateWindow", reason);
        return 0;
    }
    State().children.push_back(child);
    return child;
}

}  // namespace

HWND CreateChildWindow(HWND parent, const WindowClass& windowClass, const char* title, DWORD style,
                       DWORD exStyle, int x, int y, int width, int height) {
    GivenWindow* given = FindGiven(parent);
    XWindowAttributes parentAttributes{};
    if (given == nullptr || !Attributes(given->xid, parentAttributes)) {
        ReportFailure("CreateWindowExA", given == nullptr ? "the parent is not a window the program was given"
                                                          : "the parent window is gone");
        return nullptr;
    }

    const bool visible = (style & WS_VISIBLE) != 0;
    const Window child = MakeChildXWindow(given->xid, parentAttributes, x, y, width, height, visible);
    if (child == 0) return nullptr;

    // SDL takes the window as one made for GL, and draws with its visual.
    SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, "1");
    auto object = std::make_unique<WindowObject>();
    object->childXWindow = child;
    object->sdlWindow = SDL_CreateWindowFrom(reinterpret_cast<const void*>(static_cast<uintptr_t>(child)));
    if (object->sdlWindow == nullptr) {
        ReportSdlFailure("SDL_CreateWindowFrom");
        DestroyChildWindow(object.get());
        return nullptr;
    }
    ChildMade(object->sdlWindow);
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
    if (window->sdlWindow != nullptr) ChildGone();
    window->childXWindow = 0;
}

}  // namespace backend

uint64_t RootWindowId() {
    Display* display = backend::ForeignDisplay();
    return display != nullptr ? DefaultRootWindow(display) : 0;
}

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
    if (rect == nullptr) {
        ReportFailure("GetClientRect", "no rectangle");
        return FALSE;
    }
    if (WindowObject* window = FindWindowObject(handle)) {
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(window->sdlWindow, &width, &height);
        *rect = RECT{0, 0, width, height};
        return TRUE;
    }
    GivenWindow* given = FindGiven(handle);
    XWindowAttributes attributes{};
    if (given == nullptr || !Attributes(given->xid, attributes)) {
        ReportFailure("GetClientRect", given == nullptr ? "not a live window" : "the given window is gone");
        return FALSE;
    }
    *rect = RECT{0, 0, attributes.width, attributes.height};
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND handle, int x, int y, int width, int height, BOOL /*repaint*/) {
    using namespace backend;
    WindowObject* window = FindWindowObject(handle);
    if (window == nullptr) {
        ReportFailure("MoveWindow", "not a live window");
        return FALSE;
    }
    width = std::max(1, width);
    height = std::max(1, height);
    if (window->childXWindow != 0) {
        const Window child = window->childXWindow;
        if (!Succeeds([&](Display* display) {
                return XMoveResizeWindow(display, child, x, y, static_cast<unsigned>(width),
                                         static_cast<unsigned>(height)) != 0;
            })) {
            ReportFailure("MoveWindow", "the X server refused to move the child window");
            return FALSE;
        }
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
