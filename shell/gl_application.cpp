#include "shell/gl_application.h"

void GLApplication::OnActivate(bool) {}

void GLApplication::SetActive(bool isActive) {
    active = isActive;
    OnActivate(isActive);
}

int32_t GLApplication::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: {
        const int32_t clientWidth = LOWORD(lParam);
        const int32_t clientHeight = HIWORD(lParam);
        Resize(clientWidth, clientHeight);
        width = clientWidth;
        height = clientHeight;
        break;
    }
    case WM_ACTIVATE:
        // The high word is non-zero while the window is minimised.
        SetActive(HIWORD(wParam) == 0 && wParam != 0);
        break;
    case WM_SETFOCUS:
        SetActive(true);
        break;
    case WM_KILLFOCUS:
        SetActive(false);
        break;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            PostQuitMessage(0);
        } else if (wParam == VK_F1 && !RebuildDisplay()) {
            MessageBoxA(window, "Can't create Wnd", "Error", MB_ICONERROR);
            PostQuitMessage(0);
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        // The whole value is compared, as the system sends these two.
        if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return 0;
        break;
    default:
        break;
    }
    return GLWindow::HandleMessage(hwnd, message, wParam, lParam);
}

bool GLApplication::RebuildDisplay() {
    keys[VK_F1] = false;
    // The scene lets go of its GL objects while its context is still current.
    Shutdown();
    DestroyDisplay();
    fullscreen = !fullscreen;
    if (!CreateDisplay(title, width, height, bits, fullscreen, fieldOfView, zNear, zFar)) return false;
    Init();
    return true;
}
