// MessageBoxA on Linux: a modal GTK 3 message box.
//
// Platform: Linux. Dependencies: GTK 3 (gtk_session), the icon theme for the
// icons. Supports the OK and Yes/No button sets and the error, exclamation
// and information icons (a question icon as well). Owned by a settings
// dialog, the box is transient for it and centred on it; owned by a GL
// window (an SDL window GTK cannot parent to) or by nothing, it is centred on
// the screen and kept above. Its caption is the window title.
// Limitations: without a display nothing can be asked; the box then writes
// its caption and text to standard error and returns 0, the failure result
// of Windows, which no caller takes for Yes. Other button sets also return 0
// without showing anything.
#include <gtk/gtk.h>

#include <cstdio>
#include <string>

#include "platform/linux/dialog_window.h"
#include "platform/linux/failure_reason.h"
#include "platform/linux/gtk_session.h"

namespace {

constexpr UINT kButtonMask = 0x0000000F;
constexpr UINT kIconMask = 0x000000F0;
constexpr UINT kIconQuestion = 0x00000020;

const char* IconNameFor(UINT type) {
    switch (type & kIconMask) {
    case MB_ICONERROR: return "dialog-error";
    case kIconQuestion: return "dialog-question";
    case MB_ICONEXCLAMATION: return "dialog-warning";
    case MB_ICONINFORMATION: return "dialog-information";
    default: return nullptr;
    }
}

GtkWidget* BuildBox(GtkWindow* owner, const std::string& text, const std::string& caption, UINT type) {
    GtkWidget* box = gtk_dialog_new();
    gtk_window_set_title(GTK_WINDOW(box), caption.c_str());
    gtk_window_set_modal(GTK_WINDOW(box), TRUE);
    gtk_window_set_resizable(GTK_WINDOW(box), FALSE);
    if (owner) {
        gtk_window_set_transient_for(GTK_WINDOW(box), owner);
        gtk_window_set_position(GTK_WINDOW(box), GTK_WIN_POS_CENTER_ON_PARENT);
    } else {
        gtk_window_set_position(GTK_WINDOW(box), GTK_WIN_POS_CENTER);
        gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
    }

    GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
    gtk_container_set_border_width(GTK_CONTAINER(row), 12);
    if (const char* iconName = IconNameFor(type)) {
        GtkWidget* icon = gtk_image_new_from_icon_name(iconName, GTK_ICON_SIZE_DIALOG);
        gtk_widget_set_valign(icon, GTK_ALIGN_START);
        gtk_box_pack_start(GTK_BOX(row), icon, FALSE, FALSE, 0);
    }
    GtkWidget* label = gtk_label_new(text.c_str());
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    gtk_label_set_selectable(GTK_LABEL(label), FALSE);
    gtk_box_pack_start(GTK_BOX(row), label, TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(box))), row);

    if ((type & kButtonMask) == MB_YESNO) {
        gtk_dialog_add_button(GTK_DIALOG(box), "_Yes", GTK_RESPONSE_YES);
        gtk_dialog_add_button(GTK_DIALOG(box), "_No", GTK_RESPONSE_NO);
        gtk_dialog_set_default_response(GTK_DIALOG(box), GTK_RESPONSE_YES);
        // As on Windows, a Yes/No question cannot be dismissed without an answer.
        gtk_window_set_deletable(GTK_WINDOW(box), FALSE);
    } else {
        gtk_dialog_add_button(GTK_DIALOG(box), "_OK", GTK_RESPONSE_OK);
        gtk_dialog_set_default_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
    }
    gtk_widget_show_all(row);
    return box;
}

int Ask(GtkWidget* box, UINT type) {
    if ((type & kButtonMask) != MB_YESNO) {
        // OK, Escape and closing the box all answer OK.
        gtk_dialog_run(GTK_DIALOG(box));
        return IDOK;
    }
    for (;;) {
        const gint response = gtk_dialog_run(GTK_DIALOG(box));
        if (response == GTK_RESPONSE_YES) return IDYES;
        if (response == GTK_RESPONSE_NO) return IDNO;
    }
}

}  // namespace

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    // Windows captions an untitled box "Error".
    const char* title = caption ? caption : "Error";
    const UINT buttons = type & kButtonMask;
    if (buttons != MB_OK && buttons != MB_YESNO) {
        backend::ReportFailure("MessageBoxA", "only MB_OK and MB_YESNO boxes are supported");
        return 0;
    }
    if (!StartGtk()) {
        std::fprintf(stderr, "%s: %s\n", title, text ? text : "");
        return 0;
    }
    DialogWindow* ownerDialog = FindDialog(owner);
    GtkWindow* ownerWindow = ownerDialog ? GTK_WINDOW(ownerDialog->window) : nullptr;
    GtkWidget* box = BuildBox(ownerWindow, ToGtkText(text), ToGtkText(title), type);
    const int answer = Ask(box, type);
    gtk_widget_destroy(box);
    FlushGtk();
    return answer;
}
