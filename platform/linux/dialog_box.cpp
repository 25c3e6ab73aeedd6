// DialogBoxParamA and EndDialog on Linux: a modal GTK 3 dialog built from a
// dialog template in the program's resources.
//
// Platform: Linux. Dependencies: GTK 3 (gtk_session), the resource table
// (FindResourceA), the template reader (formats/dialog_template).
// The dialog procedure receives WM_INITDIALOG, WM_COMMAND (push buttons and
// check boxes with notification 0, list changes with CBN_SELCHANGE, Enter as
// the default button, Escape, Alt+F4 and closing as IDCANCEL), WM_TIMER,
// WM_PAINT (each time GTK draws the dialog) and WM_DESTROY, while its
// controls still exist. Tab moves through the controls in template order.
// The window's title is the template's caption, or
// "Corvane" for an untitled one, so that tools can find it.
// Limitations: the dialog is always top-level and modal to the whole
// program (an owner window is not disabled separately); lParam of
// WM_COMMAND is 0, since controls have no window handles of their own.
#include <gtk/gtk.h>
#include <gdk/gdkkeysyms.h>

#include <algorithm>
#include <memory>

#include "formats/dialog_template.h"
#include "platform/linux/dialog_window.h"
#include "platform/linux/failure_reason.h"
#include "platform/linux/gtk_session.h"

namespace {

constexpr WORD kClicked = 0;  // BN_CLICKED

std::vector<DialogWindow*>& LiveDialogs() {
    static std::vector<DialogWindow*> dialogs;
    return dialogs;
}

void SendCommand(DialogWindow& dialog, int id) {
    SendToDialog(dialog, WM_COMMAND, MAKEWPARAM(id, kClicked), 0);
}

// A control holds the focus itself or through one of its parts (a
// drop-down list's button).
bool HasFocus(const DialogControl& control, GtkWidget* focus) {
    return focus != nullptr && (focus == control.widget || gtk_widget_is_ancestor(focus, control.widget));
}

// Tab and Shift+Tab go through the controls that take the focus in the
// template's order, as on Windows, not in GTK's order by position.
void MoveFocus(DialogWindow& dialog, bool forward) {
    const auto& controls = dialog.controls;
    const int count = static_cast<int>(controls.size());
    if (count == 0) return;
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(dialog.window));
    int current = forward ? -1 : count;
    for (int i = 0; i < count; ++i) {
        if (HasFocus(controls[static_cast<size_t>(i)], focus)) current = i;
    }
    for (int step = 1; step <= count; ++step) {
        const int next = ((forward ? current + step : current - step) % count + count) % count;
        GtkWidget* widget = controls[static_cast<size_t>(next)].widget;
        if (gtk_widget_get_can_focus(widget) && gtk_widget_is_sensitive(widget) && gtk_widget_get_visible(widget)) {
            gtk_widget_grab_focus(widget);
            return;
        }
    }
}

// What the dialog manager does with keys before any control sees them.
gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
    DialogWindow& dialog = *static_cast<DialogWindow*>(data);
    const guint modifiers = event->state & gtk_accelerator_get_default_mod_mask();
    switch (event->keyval) {
    case GDK_KEY_Tab:
    case GDK_KEY_KP_Tab:
    case GDK_KEY_ISO_Left_Tab:
        if ((modifiers & ~GDK_SHIFT_MASK) != 0) return FALSE;
        MoveFocus(dialog, event->keyval != GDK_KEY_ISO_Left_Tab && (modifiers & GDK_SHIFT_MASK) == 0);
        return TRUE;
    case GDK_KEY_Escape:
        SendCommand(dialog, IDCANCEL);
        return TRUE;
    case GDK_KEY_F4:
        if (modifiers != GDK_MOD1_MASK) return FALSE;
        SendCommand(dialog, IDCANCEL);
        return TRUE;
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
    case GDK_KEY_ISO_Enter: {
        // A push button with the focus takes Enter itself; elsewhere Enter
        // presses the default button.
        GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(dialog.window));
        for (const DialogControl& control : dialog.controls) {
            if (control.kind == DialogControl::PushButton && HasFocus(control, focus)) {
                SendCommand(dialog, control.id);
                return TRUE;
            }
        }
        SendCommand(dialog, dialog.defaultButton);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
    SendCommand(*static_cast<DialogWindow*>(data), IDCANCEL);
    return TRUE;  // the dialog ends through EndDialog, not by GTK destroying it
}

gboolean OnDraw(GtkWidget*, cairo_t*, gpointer data) {
    SendToDialog(*static_cast<DialogWindow*>(data), WM_PAINT, 0, 0);
    return FALSE;
}

void Unregister(DialogWindow* dialog) {
    auto& dialogs = LiveDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

void DestroyDialogWindow(DialogWindow& dialog) {
    if (dialog.window) {
        if (dialog.style) {
            gtk_style_context_remove_provider_for_screen(gtk_widget_get_screen(dialog.window), dialog.style);
            g_object_unref(dialog.style);
        }
        gtk_widget_destroy(dialog.window);
    }
    FlushGtk();
}

bool LoadTemplate(HINSTANCE instance, LPCSTR name, DialogTemplate& layout) {
    HRSRC resource = FindResourceA(instance, name, RT_DIALOG);
    HGLOBAL loaded = resource != nullptr ? LoadResource(instance, resource) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        backend::ReportFailure("DialogBoxParamA", "no dialog template of that name among the resources");
        return false;
    }
    if (!ParseDialogTemplate(static_cast<const unsigned char*>(data), SizeofResource(instance, resource), layout)) {
        backend::ReportFailure("DialogBoxParamA", "the dialog template is malformed or of the extended kind");
        return false;
    }
    return true;
}

}  // namespace

DialogWindow* FindDialog(HWND window) {
    if (window == nullptr) return nullptr;
    for (DialogWindow* dialog : LiveDialogs()) {
        if (dialog == window) return dialog;
    }
    return nullptr;
}

DialogControl* FindControl(DialogWindow& dialog, int id) {
    for (DialogControl& control : dialog.controls) {
        if (control.id == id) return &control;
    }
    return nullptr;
}

INT_PTR SendToDialog(DialogWindow& dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (dialog.procedure == nullptr) return 0;
    return dialog.procedure(&dialog, message, wParam, lParam);
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND, DLGPROC dialogProc,
                               LPARAM initParam) {
    if (!StartGtk()) return -1;
    DialogTemplate layout;
    if (!LoadTemplate(instance, templateName, layout)) return -1;

    auto dialog = std::make_unique<DialogWindow>();
    dialog->procedure = dialogProc;
    if (!BuildDialogWindow(*dialog, layout, instance)) {
        DestroyDialogWindow(*dialog);
        return -1;
    }
    LiveDialogs().push_back(dialog.get());
    g_signal_connect(dialog->window, "key-press-event", G_CALLBACK(OnKeyPress), dialog.get());
    g_signal_connect(dialog->window, "delete-event", G_CALLBACK(OnDelete), dialog.get());
    g_signal_connect(dialog->window, "draw", G_CALLBACK(OnDraw), dialog.get());

    // A procedure that returns non-zero leaves the focus to the dialog.
    if (SendToDialog(*dialog, WM_INITDIALOG, 0, initParam) != 0) FocusFirstControl(*dialog);
    if (!dialog->ended) {
        gtk_widget_show(dialog->window);
        while (!dialog->ended) g_main_context_iteration(nullptr, TRUE);
    }

    SendToDialog(*dialog, WM_DESTROY, 0, 0);
    KillDialogTimers(*dialog);
    Unregister(dialog.get());
    DestroyDialogWindow(*dialog);
    return dialog->result;
}

BOOL WINAPI EndDialog(HWND window, INT_PTR result) {
    DialogWindow* dialog = FindDialog(window);
    if (dialog == nullptr) {
        backend::ReportFailure("EndDialog", "not a live dialog");
        return FALSE;
    }
    dialog->ended = true;
    dialog->result = result;
    // Wake the modal loop should it be waiting for events.
    g_main_context_wakeup(nullptr);
    return TRUE;
}
