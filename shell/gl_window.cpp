#include "shell/gl_window.h"

#include <cstring>
#include <new>

#include "shell/window_registry.h"

namespace {

const char kClassName[] = "OpenGL";

constexpr DWORD kFullscreenExStyle = WS_EX_APPWINDOW;
constexpr DWORD kFullscreenStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kWindowedExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
constexpr DWORD kWindowedStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

void ShowCreateError(const char* text) { MessageBoxA(nullptr, text, "ERROR", MB_OK | MB_ICONEXCLAMATION); }

void ShowShutdownError(const char* text) {
    MessageBoxA(nullptr, text, "SHUTDOWN ERROR", MB_OK | MB_ICONINFORMATION);
}

PIXELFORMATDESCRIPTOR PixelFormatRequest(int32_t colourBits) {
    PIXELFORMATDESCRIPTOR request;
    std::memset(&request, 0, sizeof request);
    request.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = static_cast<BYTE>(colourBits & 0xFF);
    request.cDepthBits = 16;
    request.iLayerType = PFD_MAIN_PLANE;
    return request;
}

}  // namespace

void GLWindow::Register(HINSTANCE moduleInstance, const char* text) {
    fullscreen = true;
    instance = moduleInstance;
    window = nullptr;
    deviceContext = nullptr;
    renderContext = nullptr;
    commandLine.reset();
    if (text) {
        const size_t length = std::strlen(text);
        commandLine.reset(new (std::nothrow) char[length + 1]);
        if (commandLine) std::memcpy(commandLine.get(), text, length + 1);
    }
    registryIndex = EnterWindowRegistry(this);
    std::memset(keys, 0, sizeof keys);
}

GLWindow::~GLWindow() {
    LeaveWindowRegistry(registryIndex);
    DestroyDisplay();
}

GLWindow* FindWindowObject(HWND window) {
    GLWindow* found = nullptr;
    for (int32_t i = 0; i < WindowRegistryCount(); ++i) {
        GLWindow* object = WindowRegistryEntry(i);
        if (object && object->GetHandle() == window) found = object;
    }
    return found;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    GLWindow* object = FindWindowObject(window);
    if (object && object->HandleMessage(window, message, wParam, lParam) == 0) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

bool GLWindow::Init() { return true; }
bool GLWindow::Shutdown() { return true; }
bool GLWindow::Update() { return true; }
bool GLWindow::Draw() { return true; }

int32_t GLWindow::HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_CLOSE:
        // The window stays; the teardown after the loop destroys it.
        PostQuitMessage(0);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        // Codes beyond the table come from no real keyboard; they are ignored.
        if (wParam < static_cast<WPARAM>(kKeyCount)) keys[wParam] = message == WM_KEYDOWN;
        return 1;
    default:
        return 1;
    }
}

void GLWindow::CopyTitle(const char* text) {
    if (text == title) return;  // the F1 rebuild passes the stored title back
    const char* source = text ? text : "";
    size_t length = std::strlen(source);
    if (length > kTitleSize - 1) length = kTitleSize - 1;
    std::memcpy(title, source, length);
    title[length] = '\0';
}

void GLWindow::StoreView(int32_t newBits, float newFieldOfView, float newNear, float newFar) {
    bits = newBits;
    fieldOfView = newFieldOfView;
    zNear = newNear;
    zFar = newFar;
    displayError = "";
}

bool GLWindow::Fail(const char* text) {
    displayError = text;
    if (!quiet) ShowCreateError(text);
    return false;
}

void GLWindow::ReportShutdownError(const char* text) {
    if (!quiet) ShowShutdownError(text);
}

bool GLWindow::RegisterWindowClass() {
    instance = GetModuleHandleA(nullptr);

    WNDCLASSA windowClass;
    std::memset(&windowClass, 0, sizeof windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass) != 0;
}

bool GLWindow::CreateDisplay(const char* newTitle, int32_t newWidth, int32_t newHeight, int32_t newBits,
                             bool newFullscreen, float newFieldOfView, float newNear, float newFar) {
    width = newWidth;
    height = newHeight;
    fullscreen = newFullscreen;
    StoreView(newBits, newFieldOfView, newNear, newFar);
    CopyTitle(newTitle);

    if (!RegisterWindowClass()) return Fail("Failed To Register The Window Class.");

    if (fullscreen) {
        DEVMODEA mode;
        std::memset(&mode, 0, sizeof mode);
        mode.dmSize = sizeof mode;
        mode.dmPelsWidth = static_cast<DWORD>(width);
        mode.dmPelsHeight = static_cast<DWORD>(height);
        mode.dmBitsPerPel = static_cast<DWORD>(bits);
        mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
        if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) {
            const int answer = MessageBoxA(nullptr,
                                           "The Requested Fullscreen Mode Is Not Supported By\n"
                                           "Your Video Card. Use Windowed Mode Instead?",
                                           "Kestrel GL", MB_YESNO | MB_ICONEXCLAMATION);
            if (answer != IDYES) {
                MessageBoxA(nullptr, "Program Will Now Close.", "ERROR", MB_OK | MB_ICONERROR);
                displayError = "Program Will Now Close.";
                return false;
            }
            fullscreen = false;
        }
    }

    DWORD exStyle = kWindowedExStyle;
    DWORD style = kWindowedStyle;
    if (fullscreen) {
        exStyle = kFullscreenExStyle;
        style = kFullscreenStyle;
        ShowCursor(FALSE);
    }

    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);

    window = CreateWindowExA(exStyle, kClassName, newTitle, style, 0, 0, frame.right - frame.left,
                             frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!CreateContext()) return false;

    return Start(true);
}

bool GLWindow::CreateChildDisplay(const char* newTitle, HWND parent, int32_t newBits, float newFieldOfView,
                                  float newNear, float newFar) {
    fullscreen = false;
    StoreView(newBits, newFieldOfView, newNear, newFar);
    CopyTitle(newTitle);

    RECT client = {0, 0, 0, 0};
    if (!IsWindow(parent) || !GetClientRect(parent, &client)) return Fail("The Given Window Does Not Exist.");
    width = client.right - client.left;
    height = client.bottom - client.top;

    if (!RegisterWindowClass()) return Fail("Failed To Register The Window Class.");
    // Shown with the parent; a child never takes the foreground or the focus.
    window = CreateWindowExA(0, kClassName, newTitle, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                             0, 0, width, height, parent, nullptr, instance, nullptr);
    if (!CreateContext()) return false;
    return Start(false);
}

RECT VirtualScreen() {
    RECT screen;
    screen.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    screen.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    return screen;
}

bool GLWindow::CreateCoverDisplay(const char* newTitle, int32_t newBits, float newFieldOfView, float newNear,
                                  float newFar) {
    fullscreen = false;
    StoreView(newBits, newFieldOfView, newNear, newFar);
    CopyTitle(newTitle);

    const RECT screen = VirtualScreen();
    width = screen.right - screen.left;
    height = screen.bottom - screen.top;
    if (width <= 0 || height <= 0) return Fail("The Screen Size Is Unknown.");

    if (!RegisterWindowClass()) return Fail("Failed To Register The Window Class.");
    window = CreateWindowExA(WS_EX_TOPMOST, kClassName, newTitle, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                             screen.left, screen.top, width, height, nullptr, nullptr, instance, nullptr);
    if (!CreateContext()) return false;

    ShowCursor(FALSE);
    cursorHidden = true;
    return Start(true);
}

bool GLWindow::Start(bool takeForeground) {
    if (takeForeground) {
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        SetFocus(window);
    }
    active = true;
    Resize(width, height);
    return true;
}

bool GLWindow::CreateContext() {
    if (!window) {
        DestroyDisplay();
        return Fail("Window Creation Error.");
    }
    if (const char* error = CreatePixelFormatAndContext()) return Fail(error);
    return true;
}

const char* GLWindow::CreatePixelFormatAndContext() {
    const PIXELFORMATDESCRIPTOR pixelFormat = PixelFormatRequest(bits);

    deviceContext = GetDC(window);
    if (!deviceContext) {
        DestroyDisplay();
        return "Can't Create A GL Device Context.";
    }
    const int format = ChoosePixelFormat(deviceContext, &pixelFormat);
    if (!format) {
        DestroyDisplay();
        return "Can't Find A Suitable PixelFormat.";
    }
    if (!SetPixelFormat(deviceContext, format, &pixelFormat)) {
        DestroyDisplay();
        return "Can't Set The PixelFormat.";
    }
    renderContext = wglCreateContext(deviceContext);
    if (!renderContext) {
        DestroyDisplay();
        return "Can't Create A GL Rendering Context.";
    }
    if (!wglMakeCurrent(deviceContext, renderContext)) {
        DestroyDisplay();
        return "Can't Activate The GL Rendering Context.";
    }
    return nullptr;
}

void GLWindow::DestroyDisplay() {
    active = false;
    if (renderContext) {
        if (!wglMakeCurrent(nullptr, nullptr)) ReportShutdownError("Release Of DC And RC Failed.");
        if (!wglDeleteContext(renderContext)) ReportShutdownError("Release Rendering Context Failed.");
        renderContext = nullptr;
    }
    if (deviceContext) {
        if (!ReleaseDC(window, deviceContext)) ReportShutdownError("Release Device Context Failed.");
        deviceContext = nullptr;
    }
    if (window) {
        if (!DestroyWindow(window)) ReportShutdownError("Could Not Release hWnd.");
        window = nullptr;
    }
    if (!UnregisterClassA(kClassName, instance)) {
        ReportShutdownError("Could Not Unregister Class.");
        instance = nullptr;
    }
    if (fullscreen) {
        ChangeDisplaySettingsA(nullptr, 0);
        ShowCursor(TRUE);
    }
    if (cursorHidden) {
        ShowCursor(TRUE);
        cursorHidden = false;
    }
}

void GLWindow::Resize(int32_t clientWidth, int32_t clientHeight) { SetView(0, 0, clientWidth, clientHeight); }

void GLWindow::SetView(int32_t left, int32_t bottom, int32_t viewWidth, int32_t viewHeight) {
    if (viewHeight == 0) viewHeight = 1;
    glViewport(left, bottom, viewWidth, viewHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(static_cast<GLdouble>(fieldOfView),
                   static_cast<GLdouble>(viewWidth) / static_cast<GLdouble>(viewHeight),
                   static_cast<GLdouble>(zNear), static_cast<GLdouble>(zFar));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

bool GLWindow::Tick() {
    if (!Update()) return false;
    if (!Draw()) return false;
    SwapBuffers(deviceContext);
    return true;
}
