// The fake dialog host for unit tests. See fake_dialog.h.
#include "platform/fake/fake_dialog.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "formats/dialog_template.h"
#include "platform/common/timer_period.h"
#include "platform/fake/fake_platform.h"

namespace fake {
namespace {

constexpr uintptr_t kFirstDialogHandle = 0x4000;
constexpr WORD kClicked = 0;           // BN_CLICKED
constexpr WORD kSelectionChanged = 1;  // CBN_SELCHANGE
constexpr uint32_t kButtonTypeMask = 0xF;

struct Control {
    int id = 0;
    uint16_t controlClass = 0;
    bool checkBox = false;
    std::string text;
    std::vector<std::string> entries;
    int selection = CB_ERR;
    int check = BST_UNCHECKED;
};

struct Timer {
    UINT_PTR id;
    UINT period;
    TIMERPROC callback;
};

struct Host {
    uintptr_t nextHandle = kFirstDialogHandle;
    HWND dialog = nullptr;
    DLGPROC procedure = nullptr;
    bool running = false;  // between WM_INITDIALOG and the return of DialogBoxParamA
    bool ended = false;
    INT_PTR result = 0;
    std::vector<Control> controls;
    std::vector<Timer> timers;
    std::function<void(HWND)> script;
};

Host& TheHost() {
    static Host host;
    return host;
}

const bool registered = (AddResetHook([] { TheHost() = Host(); }), true);

std::string Number(int64_t value) { return std::to_string(value); }

Control* FindControl(HWND dialog, int id) {
    Host& host = TheHost();
    if (dialog == nullptr || dialog != host.dialog || !host.running) return nullptr;
    for (Control& control : host.controls) {
        if (control.id == id) return &control;
    }
    return nullptr;
}

// The controls of the last dialog, readable after it ended too.
const Control* FindLastControl(int id) {
    for (const Control& control : TheHost().controls) {
        if (control.id == id) return &control;
    }
    return nullptr;
}

bool LoadControls(HINSTANCE instance, LPCSTR name, std::vector<Control>& controls) {
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
        Control control;
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
        EndDialog(TheHost().dialog, answer);
    }
}

}  // namespace

void SetDialogScript(std::function<void(HWND dialog)> script) { TheHost().script = std::move(script); }

INT_PTR SendToDialog(UINT message, WPARAM wParam, LPARAM lParam) {
    Host& host = TheHost();
    if (!host.running || host.procedure == nullptr) return 0;
    return host.procedure(host.dialog, message, wParam, lParam);
}

INT_PTR PressButton(int id) { return SendToDialog(WM_COMMAND, MAKEWPARAM(id, kClicked), 0); }

INT_PTR ClickCheckBox(int id) {
    if (Control* control = FindControl(TheHost().dialog, id)) {
        control->check = control->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    }
    return SendToDialog(WM_COMMAND, MAKEWPARAM(id, kClicked), 0);
}

INT_PTR ChooseListEntry(int id, int position) {
    if (Control* control = FindControl(TheHost().dialog, id)) {
        if (position >= 0 && position < static_cast<int>(control->entries.size())) control->selection = position;
    }
    return SendToDialog(WM_COMMAND, MAKEWPARAM(id, kSelectionChanged), 0);
}

void TickTimers() {
    if (!TheHost().running) return;
    // A copy: the procedure may set or kill timers while they are ticked.
    const std::vector<Timer> timers = TheHost().timers;
    for (const Timer& timer : timers) {
        // As DispatchMessage does for WM_TIMER: the callback instead of the procedure.
        if (timer.callback) {
            timer.callback(TheHost().dialog, WM_TIMER, timer.id, timeGetTime());
        } else {
            SendToDialog(WM_TIMER, timer.id, 0);
        }
    }
}

HWND CurrentDialog() { return TheHost().dialog; }
bool DialogEnded() { return TheHost().ended; }
bool HasControl(int id) { return FindLastControl(id) != nullptr; }

std::vector<std::string> ListEntries(int id) {
    const Control* control = FindLastControl(id);
    return control ? control->entries : std::vector<std::string>();
}

int ListSelection(int id) {
    const Control* control = FindLastControl(id);
    return control ? control->selection : CB_ERR;
}

int CheckState(int id) {
    const Control* control = FindLastControl(id);
    return control ? control->check : BST_UNCHECKED;
}

std::string ControlText(int id) {
    const Control* control = FindLastControl(id);
    return control ? control->text : std::string();
}

UINT TimerPeriod(UINT_PTR id) {
    for (const Timer& timer : TheHost().timers) {
        if (timer.id == id) return timer.period;
    }
    return 0;
}

}  // namespace fake

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC dialogProc,
                               LPARAM initParam) {
    using namespace fake;
    const std::string name = IS_INTRESOURCE(templateName)
                                 ? "#" + Number(reinterpret_cast<uintptr_t>(templateName))
                                 : Text(templateName);
    Record("DialogBoxParamA", {Hex(reinterpret_cast<uintptr_t>(instance)), name,
                               Hex(reinterpret_cast<uintptr_t>(owner)), Number(initParam)});
    Host& host = TheHost();
    const INT_PTR answer = Answer("DialogBoxParamA", IDOK);
    std::vector<Control> controls;
    if (ShouldFail("DialogBoxParamA") || answer == -1 || !LoadControls(instance, templateName, controls)) {
        return -1;
    }

    host.dialog = reinterpret_cast<HWND>(host.nextHandle++);
    host.procedure = dialogProc;
    host.controls = std::move(controls);
    host.timers.clear();
    host.ended = false;
    host.result = 0;
    host.running = true;

    SendToDialog(WM_INITDIALOG, 0, initParam);
    if (!host.ended) {
        if (host.script) {
            host.script(host.dialog);
        } else {
            PressAnswer(answer);
        }
    }
    SendToDialog(WM_DESTROY, 0, 0);
    host.running = false;
    host.timers.clear();
    return host.ended ? host.result : 0;
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
    fake::Record("EndDialog", {fake::Hex(reinterpret_cast<uintptr_t>(dialog)), fake::Number(result)});
    fake::Host& host = fake::TheHost();
    if (dialog == nullptr || dialog != host.dialog || !host.running) return FALSE;
    host.ended = true;
    host.result = result;
    return TRUE;
}

UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC timerProc) {
    fake::Record("SetTimer", {fake::Hex(reinterpret_cast<uintptr_t>(window)), fake::Number(static_cast<int64_t>(id)),
                              fake::Number(elapse), timerProc ? "callback" : "(null)"});
    fake::Host& host = fake::TheHost();
    if (fake::ShouldFail("SetTimer") || window == nullptr || window != host.dialog || !host.running) return 0;
    auto& timers = host.timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [id](const fake::Timer& t) { return t.id == id; }),
                 timers.end());
    timers.push_back(fake::Timer{id, common::TimerPeriod(elapse), timerProc});
    return id != 0 ? id : 1;
}

BOOL WINAPI KillTimer(HWND window, UINT_PTR id) {
    fake::Record("KillTimer", {fake::Hex(reinterpret_cast<uintptr_t>(window)), fake::Number(static_cast<int64_t>(id))});
    fake::Host& host = fake::TheHost();
    if (window == nullptr || window != host.dialog || !host.running) return FALSE;
    auto& timers = host.timers;
    const auto before = timers.size();
    timers.erase(std::remove_if(timers.begin(), timers.end(), [id](const fake::Timer& t) { return t.id == id; }),
                 timers.end());
    return timers.size() != before ? TRUE : FALSE;
}

LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int controlId, UINT message, WPARAM wParam, LPARAM lParam) {
    using namespace fake;
    std::vector<std::string> args = {Hex(reinterpret_cast<uintptr_t>(dialog)), Number(controlId), Hex(message),
                                     Number(static_cast<int64_t>(wParam))};
    if (message == CB_ADDSTRING) args.push_back(Text(reinterpret_cast<const char*>(lParam)));
    Record("SendDlgItemMessageA", std::move(args));
    Control* control = FindControl(dialog, controlId);
    if (control == nullptr) return 0;
    const bool list = control->controlClass == kComboBoxClass;
    switch (message) {
    case CB_ADDSTRING:
        if (!list) return 0;
        control->entries.push_back(lParam ? reinterpret_cast<const char*>(lParam) : "");
        return static_cast<LRESULT>(control->entries.size()) - 1;
    case CB_SETCURSEL: {
        if (!list) return 0;
        // As on Windows, a position outside the list clears the selection.
        const INT_PTR position = static_cast<INT_PTR>(wParam);
        const bool inRange = position >= 0 && position < static_cast<INT_PTR>(control->entries.size());
        control->selection = inRange ? static_cast<int>(position) : CB_ERR;
        return inRange ? position : CB_ERR;
    }
    case CB_GETCURSEL:
        return list ? control->selection : 0;
    case BM_SETCHECK:
        if (control->checkBox) control->check = static_cast<int>(wParam);
        return 0;
    case BM_GETCHECK:
        return control->checkBox ? control->check : 0;
    default:
        return 0;
    }
}

BOOL WINAPI SetDlgItemTextA(HWND dialog, int controlId, LPCSTR text) {
    fake::Record("SetDlgItemTextA",
                 {fake::Hex(reinterpret_cast<uintptr_t>(dialog)), fake::Number(controlId), fake::Text(text)});
    fake::Control* control = fake::FindControl(dialog, controlId);
    if (control == nullptr) return FALSE;
    control->text = text ? text : "";
    return TRUE;
}
