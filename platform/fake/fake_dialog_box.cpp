// The fake DialogBoxParamA and EndDialog for unit tests: the modal run of a
// dialog from its template, played by the test's script or by a user who
// presses one button and then waits. See fake_dialog.h.
#include <algorithm>

#include "formats/dialog_template.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_dialog.h"
#include "platform/fake/fake_dialog_window.h"
#include "platform/fake/fake_platform.h"

namespace fake {
namespace {

constexpr uint32_t kButtonTypeMask = 0xF;
constexpr uint64_t kLongestWaitMs = 10 * 60 * 1000;

const bool registered = (AddResetHook([] { TheDialogHost() = DialogHost(); }), true);

bool LoadControls(HINSTANCE instance, LPCSTR name, std::vector<DialogControl>& controls) {
    HRSRC resource = FindResourceA(instance, name, RT_DIALOG);
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    DialogTemplate layout;
    if (data == nullptr ||
        !ParseDialogTemplate(static_cast<const unsigned char*>(data), SizeofResource(instance, resource), layout)) {
        return false;
    }
    controls.clear();
    for (const DialogItemTemplate& item : layout.items) {
        DialogControl control;
        control.id = static_cast<int16_t>(item.id);
        control.controlClass = item.controlClass.isNumber ? item.controlClass.number : 0;
        control.checkBox = control.controlClass == kButtonClass && (item.style & kButtonTypeMask) >= 2;
        control.text = item.text.isNumber ? std::string() : item.text.text;
        controls.push_back(control);
    }
    return true;
}

void PressAnswer(INT_PTR answer) {
    if (answer == IDOK || answer == IDCANCEL) {
        PressButton(static_cast<int>(answer));
    } else {
        EndDialog(TheDialogHost().dialog, answer);
    }
}

// What a modal loop does while its user does nothing: paint the dialog until
// the default handling takes the paint, and tick the timers in the order
// they fall due, moving the fake clocks to each.
void WaitForTheUser() {
    DialogHost& host = TheDialogHost();
    while (!host.ended) {
        if (host.needsPaint) {
            SendToDialog(WM_PAINT);
            if (host.ended) return;
        }
        auto next = std::min_element(host.timers.begin(), host.timers.end(),
                                     [](const DialogTimer& a, const DialogTimer& b) { return a.due < b.due; });
        if (next == host.timers.end() || next->due > kLongestWaitMs) return;
        AdvanceClocks(next->due - host.elapsedMs);
        host.elapsedMs = next->due;
        next->due += next->period;
        const DialogTimer ticking = *next;  // the procedure may set or kill timers
        Tick(ticking);
    }
}

}  // namespace

DialogHost& TheDialogHost() {
    static DialogHost host;
    return host;
}

void MarkDialogPainted(HWND dialog) {
    if (dialog != nullptr && dialog == TheDialogHost().dialog) TheDialogHost().needsPaint = false;
}

void SetDialogScript(std::function<void(HWND dialog)> script) { TheDialogHost().script = std::move(script); }

INT_PTR SendToDialog(UINT message, WPARAM wParam, LPARAM lParam) {
    DialogHost& host = TheDialogHost();
    if (!host.running || host.procedure == nullptr) return 0;
    return host.procedure(host.dialog, message, wParam, lParam);
}

INT_PTR PressButton(int id) { return SendToDialog(WM_COMMAND, MAKEWPARAM(id, kClicked), 0); }

HWND CurrentDialog() { return TheDialogHost().dialog; }
bool DialogEnded() { return TheDialogHost().ended; }
bool DialogNeedsPaint() { return TheDialogHost().needsPaint; }

}  // namespace fake

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND, DLGPROC dialogProc,
                               LPARAM initParam) {
    using namespace fake;
    DialogHost& host = TheDialogHost();
    const INT_PTR answer = Answer("DialogBoxParamA", IDOK);
    std::vector<DialogControl> controls;
    if (ShouldFail("DialogBoxParamA") || answer == -1 || !LoadControls(instance, templateName, controls)) {
        return -1;
    }

    host.dialog = reinterpret_cast<HWND>(host.nextHandle++);
    host.procedure = dialogProc;
    host.controls = std::move(controls);
    host.timers.clear();
    host.ended = false;
    host.needsPaint = true;
    host.result = 0;
    host.elapsedMs = 0;
    host.running = true;

    SendToDialog(WM_INITDIALOG, 0, initParam);
    if (!host.ended) {
        if (host.script) {
            host.script(host.dialog);
        } else {
            PressAnswer(answer);
            WaitForTheUser();
        }
    }
    SendToDialog(WM_DESTROY, 0, 0);
    host.running = false;
    host.timers.clear();
    return host.ended ? host.result : 0;
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
    fake::DialogHost& host = fake::TheDialogHost();
    if (dialog == nullptr || dialog != host.dialog || !host.running) return FALSE;
    host.ended = true;
    host.result = result;
    return TRUE;
}
