#include "app/gl_window.h"

#include <cstring>
#include <new>

#include "app/window_registry.h"

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

bool GLWindow::CreateDisplay(const char* newTitle, int32_t newWidth, int32_t newHeight, int32_t newBits,
                             bool newFullscreen, float newFieldOfView, float newNear, float newFar) {
    width = newWidth;
    height = newHeight;
    bits = newBits;
    fullscreen = newFullscreen;
    fieldOfView = newFieldOfView;
    zNear = newNear;
    zFar = newFar;
    CopyTitle(newTitle);

    instance = GetModuleHandleA(nullptr);

    WNDCLASSA windowClass;
    std::memset(&windowClass, 0, sizeof windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass)) {
        ShowCreateError("Failed To Register The Window Class.");
        return false;
    }

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
    if (!window) {
        DestroyDisplay();
        ShowCreateError("Window Creation Error.");
        return false;
    }

    const PIXELFORMATDESCRIPTOR pixelFormat = PixelFormatRequest(bits);

    deviceContext = GetDC(window);
    if (!deviceContext) {
        DestroyDisplay();
        ShowCreateError("Can't Create A GL Device Context.");
        return false;
    }
    const int format = ChoosePixelFormat(deviceContext, &pixelFormat);
    if (!format) {
        DestroyDisplay();
        ShowCreateError("Can't Find A Suitable PixelFormat.");
        return false;
    }
    if (!SetPixelFormat(deviceContext, format, &pixelFormat)) {
        DestroyDisplay();
        ShowCreateError("Can't Set The PixelFormat.");
        return false;
    }
    renderContext = wglCreateContext(deviceContext);
    if (!renderContext) {
        DestroyDisplay();
        ShowCreateError("Can't Create A GL Rendering Context.");
        return false;
    }
    if (!wglMakeCurrent(deviceContext, renderContext)) {
        DestroyDisplay();
        ShowCreateError("Can't Activate The GL Rendering Context.");
        return false;
    }

    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);

    active = true;
    Resize(width, height);
    return true;
}

void GLWindow::DestroyDisplay() {
    active = false;
    if (renderContext) {
        if (!wglMakeCurrent(nullptr, nullptr)) ShowShutdownError("Release Of DC And RC Failed.");
        if (!wglDeleteContext(renderContext)) ShowShutdownError("Release Rendering Context Failed.");
        renderContext = nullptr;
    }
    if (deviceContext) {
        if (!ReleaseDC(window, deviceContext)) ShowShutdownError("Release Device Context Failed.");
        deviceContext = nullptr;
    }
    if (window) {
        if (!DestroyWindow(window)) ShowShutdownError("Could Not Release hWnd.");
        window = nullptr;
    }
    if (!UnregisterClassA(kClassName, instance)) {
        ShowShutdownError("Could Not Unregister Class.");
        instance = nullptr;
    }
    if (fullscreen) {
        ChangeDisplaySettingsA(nullptr, 0);
        ShowCursor(TRUE);
    }
}

void GLWindow::Resize(int32_t clientWidth, int32_t clientHeight) {
    if (clientHeight == 0) clientHeight = 1;
    glViewport(0, 0, clientWidth, clientHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(static_cast<GLdouble>(fieldOfView),
                   static_cast<GLdouble>(clientWidth) / static_cast<GLdouble>(clientHeight),
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
