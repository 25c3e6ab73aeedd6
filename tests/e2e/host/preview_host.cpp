// A stand-in for the Screen Saver settings' preview, for the end-to-end
// tests of corvane.scr under Wine (a Windows program).
//
//   corvane-preview-host SCR SECONDS
//
// Opens a window titled "Corvane preview host" with a 320 x 240 client area
// painted magenta (so a screenshot tells whether something drew over it),
// starts `SCR /p HWND` for it, keeps the window for SECONDS, tells which
// child window fills it and which process that child belongs to, then
// destroys it and waits up to 15 s for the saver to end. Exit status: the saver's own
// when it ended in time after the window went; 5 when it ended while the
// window was still there; 3 when it did not end (it is then terminated); 4
// when it could not be started; 2 on bad arguments or a window that could
// not be made.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const char kClassName[] = "CorvanePreviewHost";
const char kTitle[] = "Corvane preview host";
constexpr int kClientWidth = 320, kClientHeight = 240;
constexpr DWORD kEndWaitMilliseconds = 15000;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeHostWindow(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass)) return nullptr;
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowExA(0, kClassName, kTitle, style, 100, 100, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (window) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    return window;
}

// Handles messages until `process` ends or `milliseconds` pass; true when
// it ended.
bool PumpUntil(HANDLE process, DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        DWORD spent = GetTickCount() - start;
        if (spent >= milliseconds) return false;
        DWORD woke = MsgWaitForMultipleObjects(1, &process, FALSE, milliseconds - spent, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0) return true;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

BOOL CALLBACK FirstChild(HWND child, LPARAM found) {
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// One line on the window the saver put into ours (Wine cannot show what
// another process draws in our window, so the test also checks this).
void DescribeChild(HWND host, DWORD saverProcess) {
    HWND child = nullptr;
    EnumChildWindows(host, FirstChild, reinterpret_cast<LPARAM>(&child));
    if (!child) {
        std::printf("no child window\n");
        return;
    }
    RECT client{};
    GetClientRect(child, &client);
    DWORD owner = 0;
    GetWindowThreadProcessId(child, &owner);
    std::printf("child window %ldx%ld of the %s process, %s\n", client.right, client.bottom,
                owner == saverProcess ? "saver's" : "another", IsWindowVisible(child) ? "visible" : "hidden");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: corvane-preview-host SCR SECONDS\n");
        return 2;
    }
    long seconds = std::strtol(argv[2], nullptr, 10);
    if (seconds < 0 || seconds > 600) {
        std::fprintf(stderr, "corvane-preview-host: SECONDS must be 0 to 600\n");
        return 2;
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND host = MakeHostWindow(instance);
    if (!host) {
        std::fprintf(stderr, "corvane-preview-host: no window (error %lu)\n", GetLastError());
        return 2;
    }

    char commandLine[MAX_PATH + 64];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\" /p %lu", argv[1],
                  static_cast<unsigned long>(reinterpret_cast<uintptr_t>(host) & 0xFFFFFFFFu));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION saver{};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &saver)) {
        std::fprintf(stderr, "corvane-preview-host: cannot start %s (error %lu)\n", argv[1], GetLastError());
        DestroyWindow(host);
        return 4;
    }
    std::printf("preview host window %lu, saver process %lu\n",
                static_cast<unsigned long>(reinterpret_cast<uintptr_t>(host) & 0xFFFFFFFFu), saver.dwProcessId);
    std::fflush(stdout);

    bool endedEarly = PumpUntil(saver.hProcess, static_cast<DWORD>(seconds) * 1000);
    DescribeChild(host, saver.dwProcessId);
    std::fflush(stdout);
    DestroyWindow(host);
    bool ended = endedEarly || PumpUntil(saver.hProcess, kEndWaitMilliseconds);
    DWORD code = 3;
    if (ended) {
        GetExitCodeProcess(saver.hProcess, &code);
        std::printf("saver ended %s with status %lu\n", endedEarly ? "before the window went" : "after the window went",
                    code);
    } else {
        std::printf("saver still running %lu ms after the window went; terminated\n", kEndWaitMilliseconds);
        TerminateProcess(saver.hProcess, 3);
    }
    std::fflush(stdout);
    CloseHandle(saver.hThread);
    CloseHandle(saver.hProcess);
    return endedEarly ? 5 : static_cast<int>(code);
}
