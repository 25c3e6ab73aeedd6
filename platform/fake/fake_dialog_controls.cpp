// The fake dialog's controls for unit tests: SendDlgItemMessageA,
// SetDlgItemTextA, and the user's and the test's view of them. See
// fake_dialog.h.
#include "formats/dialog_template.h"
#include "platform/fake/fake_dialog.h"
#include "platform/fake/fake_dialog_window.h"

namespace fake {
namespace {

// The controls of the last dialog, readable after it ended too.
const DialogControl* FindLastControl(int id) {
    for (const DialogControl& control : TheDialogHost().controls) {
        if (control.id == id) return &control;
    }
    return nullptr;
}

}  // namespace

DialogControl* FindControl(HWND dialog, int id) {
    DialogHost& host = TheDialogHost();
    if (dialog == nullptr || dialog != host.dialog || !host.running) return nullptr;
    for (DialogControl& control : host.controls) {
        if (control.id == id) return &control;
    }
    return nullptr;
}

INT_PTR ClickCheckBox(int id) {
    if (DialogControl* control = FindControl(TheDialogHost().dialog, id)) {
        control->check = control->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    }
    return SendToDialog(WM_COMMAND, MAKEWPARAM(id, kClicked), 0);
}

INT_PTR ChooseListEntry(int id, int position) {
    if (DialogControl* control = FindControl(TheDialogHost().dialog, id)) {
        if (position >= 0 && position < static_cast<int>(control->entries.size())) control->selection = position;
    }
    return SendToDialog(WM_COMMAND, MAKEWPARAM(id, kSelectionChanged), 0);
}

bool HasControl(int id) { return FindLastControl(id) != nullptr; }

std::vector<std::string> ListEntries(int id) {
    const DialogControl* control = FindLastControl(id);
    return control ? control->entries : std::vector<std::string>();
}

int ListSelection(int id) {
    const DialogControl* control = FindLastControl(id);
    return control ? control->selection : CB_ERR;
}

int CheckState(int id) {
    const DialogControl* control = FindLastControl(id);
    return control ? control->check : BST_UNCHECKED;
}

std::string ControlText(int id) {
    const DialogControl* control = FindLastControl(id);
    return control ? control->text : std::string();
}

}  // namespace fake

LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int controlId, UINT message, WPARAM wParam, LPARAM lParam) {
    fake::DialogControl* control = fake::FindControl(dialog, controlId);
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
    fake::DialogControl* control = fake::FindControl(dialog, controlId);
    if (control == nullptr) return FALSE;
    control->text = text ? text : "";
    return TRUE;
}
