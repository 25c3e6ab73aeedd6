// A modal dialog that DialogBoxParamA builds from a dialog template: a GTK
// window with its controls, the dialog procedure, its timers and its end.
#pragma once

#include <gtk/gtk.h>

#include <vector>

#include "platform/linux/handles.h"

struct DialogControl {
    enum Kind { PushButton, CheckBox, DropDownList, Text, Picture };
    int id;
    Kind kind;
    GtkWidget* widget;
};

struct DialogTimer {
    UINT_PTR id;
    guint source;  // the GLib timeout delivering WM_TIMER
};

struct DialogWindow : HWND__ {
    DialogWindow() : HWND__(DialogKind) {}

    GtkWidget* window = nullptr;          // the top-level GtkWindow
    GtkStyleProvider* style = nullptr;    // the dialog's style sheet, on the screen while it lives
    DLGPROC procedure = nullptr;
    std::vector<DialogControl> controls;
    std::vector<DialogTimer> timers;
    int defaultButton = IDOK;  // what Enter presses when no push button has the focus
    bool ended = false;        // EndDialog was called; the modal loop stops
    INT_PTR result = 0;
    // Above 0 while the program itself changes a control, so that GTK's
    // change signals are not taken for the user's doing.
    int programChanges = 0;
};

// The live dialog behind a handle, or null for any other handle (a GL
// window, a destroyed dialog, garbage that was never a handle).
DialogWindow* FindDialog(HWND window);
// The control with this id, or null.
DialogControl* FindControl(DialogWindow& dialog, int id);
// Calls the dialog procedure; 0 when there is none.
INT_PTR SendToDialog(DialogWindow& dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Builds the dialog's GTK window and controls from its template, hidden.
// False when the template asks for a control this layer cannot build.
struct DialogTemplate;
bool BuildDialogWindow(DialogWindow& dialog, const DialogTemplate& layout, HINSTANCE instance);
// Gives the focus to the first control that takes it, as a dialog opens.
void FocusFirstControl(DialogWindow& dialog);

// Stops every timer of the dialog (it is being destroyed).
void KillDialogTimers(DialogWindow& dialog);
