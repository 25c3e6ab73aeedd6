// Fake message boxes for unit tests: each box is kept as the user saw it
// (text, caption, flags, owner) and answered at once with the next queued
// answer, IDOK when none is queued; a failing box returns 0 as the real one
// does.
#include "platform/fake/fake_platform.h"

namespace fake {
namespace {

struct Boxes {
    std::vector<std::string> shown;
    std::function<void()> hook;
};

Boxes& TheBoxes() {
    static Boxes boxes;
    return boxes;
}

const bool registered = (AddResetHook([] { TheBoxes() = Boxes(); }), true);

}  // namespace

std::vector<std::string> MessageBoxesShown() { return TheBoxes().shown; }
void OnMessageBox(std::function<void()> hook) { TheBoxes().hook = std::move(hook); }

}  // namespace fake

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    using namespace fake;
    TheBoxes().shown.push_back(Text(text) + "|" + Text(caption) + "|" + Hex(type) + "|" +
                               Hex(reinterpret_cast<uintptr_t>(owner)));
    if (TheBoxes().hook) {
        const std::function<void()> hook = TheBoxes().hook;  // the hook may replace itself
        hook();
    }
    if (ShouldFail("MessageBoxA")) return 0;
    return static_cast<int>(Answer("MessageBoxA", IDOK));
}
