// corvane-saver: the scene as an xscreensaver hack.
//
// Reads the hack's options (saver_options.h), finds the window to draw in
// (--window-id, else with --root the window xscreensaver names in
// XSCREENSAVER_WINDOW, else the root window; otherwise a window of its own)
// and runs the saver (saver.h). SIGTERM and SIGINT end it after the current
// frame with status 0, as xscreensaver expects of its hacks. Bad arguments, no
// screen to show on (platform/screen.h), a window that does not exist or a display
// that cannot show GL print one line and the usage (for arguments) on
// standard error and end with status 1.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/screen.h"
#include "platform/window_id.h"
#include "saver/saver.h"

namespace {

void StopOnSignal(int) { RequestSaverStop(); }

void InstallStopHandlers() {
    struct sigaction action {};
    action.sa_handler = StopOnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

// --root: the window xscreensaver made for us, or the whole screen.
bool ResolveRoot(SaverOptions& options, std::string& error) {
    const char* handedOver = std::getenv("XSCREENSAVER_WINDOW");
    if (handedOver != nullptr && *handedOver != '\0') {
        if (!ParseWindowId(handedOver, options.windowId)) {
            error = std::string("XSCREENSAVER_WINDOW is not a window id: '") + handedOver + "'";
            return false;
        }
        return true;
    }
    // A Wayland session without XWayland has no root window: screen-saver
    // hosts that run hacks are X programs.
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        error = "--root needs an X screen saver host (xscreensaver, mate-screensaver) and there is no X display; "
                "without one, run corvane-saver in a window of its own";
        return false;
    }
    options.windowId = RootWindowId();
    if (options.windowId == 0) {
        error = "cannot open the X display";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    SaverOptions options;
    std::string error;
    if (!ParseHackArguments(argc - 1, argv + 1, options, error)) {
        std::fprintf(stderr, "corvane-saver: %s\n%s", error.c_str(), HackUsage());
        return 1;
    }
    if (options.showHelp) {
        std::fputs(HackUsage(), stdout);
        return 0;
    }
    if (options.showVersion) {
        std::printf("corvane-saver %s\n", CORVANE_VERSION);
        return 0;
    }
    const std::string noScreen = NoScreenReason();
    if (!noScreen.empty()) {
        std::fprintf(stderr, "corvane-saver: %s\n", noScreen.c_str());
        return 1;
    }
    if (options.target == SaverTarget::Root && !ResolveRoot(options, error)) {
        std::fprintf(stderr, "corvane-saver: %s\n", error.c_str());
        return 1;
    }
    InstallStopHandlers();
    const int status = RunSaver(GetModuleHandleA(nullptr), options, error);
    if (status != 0) std::fprintf(stderr, "corvane-saver: %s\n", error.c_str());
    return status;
}
