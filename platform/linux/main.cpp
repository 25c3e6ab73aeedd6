// The Linux program entry: hands the command line to WinMain as Windows would
// (one text, arguments separated by spaces, without the program name).
//
// Without a screen to show on (no display, or one that refuses us) the show
// is not played to nobody: one line on standard error says why, and the
// program ends with 0 as it does on every path, since no message box can be
// shown either.
//
// Its windows and dialogs carry the desktop entry's id, so a dock shows
// Corvane's icon and name for the running show.
#include <cstdio>
#include <string>

#include "platform/linux/desktop_id.h"
#include "platform/screen.h"
#include "platform/win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);

int main(int argc, char** argv) {
    UseDesktopId(CORVANE_APP_ID);
    const std::string noScreen = NoScreenReason();
    if (!noScreen.empty()) {
        std::fprintf(stderr, "corvane: %s\n", noScreen.c_str());
        return 0;
    }
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOW);
}
