// The controls of a Linux dialog: built from the template's items as GTK
// widgets on a GtkFixed, and driven by SendDlgItemMessageA and
// SetDlgItemTextA.
//
// Platform: Linux. Dependencies: GTK 3, Pango, the resource table and the
// bitmap reader (formats/dib_picture) for static pictures.
// Positions and sizes in dialog units become pixels through the base units
// of the template's font (its typeface, else the system's sans-serif, at its
// point size): a quarter of the average character width across, an eighth of
// the font's height down. A widget GTK cannot draw smaller than asked grows.
// Supported: push buttons (default or not), automatic check boxes, static
// texts (left, centred, right), static bitmaps and unsorted drop-down lists;
// any other control makes the dialog fail to build. SendDlgItemMessageA
// knows CB_ADDSTRING, CB_SETCURSEL, CB_GETCURSEL, BM_SETCHECK, BM_GETCHECK.
#include <gtk/gtk.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "formats/dialog_template.h"
#include "formats/dib_picture.h"
#include "platform/linux/dialog_window.h"
#include "platform/linux/failure_reason.h"
#include "platform/linux/gtk_session.h"

namespace {

using namespace template_style;

constexpr WORD kClicked = 0;            // BN_CLICKED
constexpr WORD kSelectionChanged = 1;   // CBN_SELCHANGE
constexpr int kFallbackPointSize = 8;
const char kStyleClass[] = "dialog-template";
const char kUntitled[] = "Corvane";

struct BaseUnits {
    int x;
    int y;
};

// The dialog's own font: the template's typeface where the system has it,
// sans-serif otherwise, at the template's size.
PangoFontDescription* DialogFont(const DialogTemplate& layout) {
    PangoFontDescription* font = pango_font_description_new();
    const std::string families = layout.typeface.empty() ? "Sans" : layout.typeface + ",Sans";
    pango_font_description_set_family(font, families.c_str());
    const int points = layout.pointSize >= 4 && layout.pointSize <= 48 ? layout.pointSize : kFallbackPointSize;
    pango_font_description_set_size(font, points * PANGO_SCALE);
    return font;
}

BaseUnits MeasureBaseUnits(GtkWidget* window, const PangoFontDescription* font) {
    PangoLayout* text = gtk_widget_create_pango_layout(window, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    pango_layout_set_font_description(text, font);
    int width = 0, height = 0;
    pango_layout_get_pixel_size(text, &width, &height);
    g_object_unref(text);
    return {std::max(1, (width / 26 + 1) / 2), std::max(1, height)};
}

int ToPixelsX(int units, const BaseUnits& base) { return units * base.x / 4; }
int ToPixelsY(int units, const BaseUnits& base) { return units * base.y / 8; }

// Only letters, digits and spaces reach the style sheet.
std::string CssFamily(const std::string& typeface) {
    std::string family;
    for (char c : typeface) {
        if (g_ascii_isalnum(c) || c == ' ') family += c;
    }
    return family.empty() ? "Sans" : "\"" + family + "\", Sans";
}

// Windows draws dialog controls tight around their text; GTK's theme pads
// them for a touch screen. This brings them back to the template's sizes.
void ApplyStyle(DialogWindow& dialog, const DialogTemplate& layout, const PangoFontDescription* font) {
    const int points = pango_font_description_get_size(font) / PANGO_SCALE;
    const std::string scope = std::string(".") + kStyleClass;
    std::string css = scope + " * { font-family: " + CssFamily(layout.typeface) + "; font-size: " + std::to_string(points) +
           "pt; }\n";
    css += scope + " button { min-height: 0; min-width: 0; padding: 0 4px; }\n";
    css += scope + " combobox button { padding: 1px 4px; }\n";
    css += scope + " checkbutton { padding: 0; min-height: 0; }\n";
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr);
    gtk_style_context_add_class(gtk_widget_get_style_context(dialog.window), kStyleClass);
    gtk_style_context_add_provider_for_screen(gtk_widget_get_screen(dialog.window), GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    dialog.style = GTK_STYLE_PROVIDER(provider);
}

// The thin border of a WS_BORDER dialog, drawn over the window's edge.
gboolean DrawBorder(GtkWidget* window, cairo_t* cairo, gpointer) {
    cairo_set_source_rgb(cairo, 0.0, 0.0, 0.0);
    cairo_set_line_width(cairo, 1.0);
    cairo_rectangle(cairo, 0.5, 0.5, gtk_widget_get_allocated_width(window) - 1.0,
                    gtk_widget_get_allocated_height(window) - 1.0);
    cairo_stroke(cairo);
    return FALSE;
}

struct ControlSignal {
    DialogWindow* dialog;
    int id;
};

ControlSignal* NewSignal(DialogWindow& dialog, int id) { return new ControlSignal{&dialog, id}; }

void FreeSignal(gpointer data, GClosure*) { delete static_cast<ControlSignal*>(data); }

void Notify(gpointer data, WORD notification) {
    const auto* signal = static_cast<ControlSignal*>(data);
    if (signal->dialog->programChanges > 0) return;
    SendToDialog(*signal->dialog, WM_COMMAND, MAKEWPARAM(signal->id, notification), 0);
}

void OnClicked(GtkButton*, gpointer data) { Notify(data, kClicked); }
void OnToggled(GtkToggleButton*, gpointer data) { Notify(data, kClicked); }
void OnChanged(GtkComboBox*, gpointer data) { Notify(data, kSelectionChanged); }

void Connect(GtkWidget* widget, const char* name, GCallback callback, DialogWindow& dialog, int id) {
    g_signal_connect_data(widget, name, callback, NewSignal(dialog, id), FreeSignal, GConnectFlags(0));
}

GtkWidget* BuildPicture(HINSTANCE instance, const TemplateName& name) {
    // A missing or unreadable bitmap leaves the control empty, as on Windows.
    DibPicture picture;
    HRSRC resource = name.isNumber ? FindResourceA(instance, MAKEINTRESOURCEA(name.number), RT_BITMAP) : nullptr;
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (data == nullptr ||
        !DecodeDib(static_cast<const unsigned char*>(data), SizeofResource(instance, resource), picture)) {
        return gtk_image_new();
    }
    GdkPixbuf* pixels = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, picture.width, picture.height);
    if (pixels == nullptr) return gtk_image_new();
    const int stride = gdk_pixbuf_get_rowstride(pixels);
    guchar* target = gdk_pixbuf_get_pixels(pixels);
    const size_t rowBytes = static_cast<size_t>(picture.width) * 3;
    for (int row = 0; row < picture.height; ++row) {
        std::copy_n(picture.rgb.data() + static_cast<size_t>(row) * rowBytes, rowBytes,
                    target + static_cast<size_t>(row) * static_cast<size_t>(stride));
    }
    GtkWidget* image = gtk_image_new_from_pixbuf(pixels);
    g_object_unref(pixels);
    return image;
}

GtkWidget* BuildText(const DialogItemTemplate& item) {
    GtkWidget* label = gtk_label_new(item.text.text.c_str());
    const uint32_t type = item.style & kStaticTypeMask;
    gtk_label_set_xalign(GTK_LABEL(label), type == kCentredText ? 0.5f : type == kRightText ? 1.0f : 0.0f);
    gtk_label_set_yalign(GTK_LABEL(label), 0.0f);
    return label;
}

// The control for one template item, or null when it is of a kind this
// layer does not build.
GtkWidget* BuildControl(DialogWindow& dialog, const DialogItemTemplate& item, HINSTANCE instance,
                        DialogControl::Kind& kind) {
    if (!item.controlClass.isNumber) return nullptr;
    const int id = static_cast<int16_t>(item.id);
    const std::string text = item.text.isNumber ? std::string() : item.text.text;
    switch (item.controlClass.number) {
    case kButtonClass: {
        const uint32_t type = item.style & kButtonTypeMask;
        if (type == kPushButton || type == kDefaultPushButton) {
            kind = DialogControl::PushButton;
            GtkWidget* button = gtk_button_new_with_label(text.c_str());
            Connect(button, "clicked", G_CALLBACK(OnClicked), dialog, id);
            if (type == kDefaultPushButton) dialog.defaultButton = id;
            return button;
        }
        if (type == kAutoCheckBox) {
            kind = DialogControl::CheckBox;
            GtkWidget* box = gtk_check_button_new_with_label(text.c_str());
            Connect(box, "toggled", G_CALLBACK(OnToggled), dialog, id);
            return box;
        }
        return nullptr;
    }
    case kStaticClass: {
        const uint32_t type = item.style & kStaticTypeMask;
        if (type == kBitmap) {
            kind = DialogControl::Picture;
            return BuildPicture(instance, item.text);
        }
        if (type == kLeftText || type == kCentredText || type == kRightText) {
            kind = DialogControl::Text;
            return BuildText(item);
        }
        return nullptr;
    }
    case kComboBoxClass: {
        if ((item.style & kComboTypeMask) != kDropDownList || (item.style & kSorted) != 0) return nullptr;
        kind = DialogControl::DropDownList;
        GtkWidget* list = gtk_combo_box_text_new();
        Connect(list, "changed", G_CALLBACK(OnChanged), dialog, id);
        return list;
    }
    default:
        return nullptr;
    }
}

int ItemCount(GtkWidget* list) {
    return gtk_tree_model_iter_n_children(gtk_combo_box_get_model(GTK_COMBO_BOX(list)), nullptr);
}

}  // namespace

bool BuildDialogWindow(DialogWindow& dialog, const DialogTemplate& layout, HINSTANCE instance) {
    dialog.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWindow* window = GTK_WINDOW(dialog.window);
    gtk_window_set_title(window, layout.caption.empty() ? kUntitled : layout.caption.c_str());
    gtk_window_set_decorated(window, (layout.style & kCaption) == kCaption);
    gtk_window_set_resizable(window, FALSE);
    gtk_window_set_modal(window, TRUE);
    gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);

    PangoFontDescription* font = DialogFont(layout);
    const BaseUnits base = MeasureBaseUnits(dialog.window, font);
    ApplyStyle(dialog, layout, font);
    pango_font_description_free(font);

    if ((layout.style & kBorder) != 0) {
        gtk_container_set_border_width(GTK_CONTAINER(dialog.window), 1);
        g_signal_connect_after(dialog.window, "draw", G_CALLBACK(DrawBorder), nullptr);
    }
    GtkWidget* fixed = gtk_fixed_new();
    gtk_widget_set_size_request(fixed, ToPixelsX(layout.cx, base), ToPixelsY(layout.cy, base));
    gtk_container_add(GTK_CONTAINER(dialog.window), fixed);
    gtk_widget_show(fixed);
    if ((layout.style & kCenter) != 0) {
        gtk_window_set_position(window, GTK_WIN_POS_CENTER);
    } else {
        gtk_window_move(window, ToPixelsX(layout.x, base), ToPixelsY(layout.y, base));
    }

    for (const DialogItemTemplate& item : layout.items) {
        DialogControl::Kind kind = DialogControl::Text;
        GtkWidget* widget = BuildControl(dialog, item, instance, kind);
        if (widget == nullptr) {
            char reason[96];
            std::snprintf(reason, sizeof reason, "control %d is of a kind not supported (class 0x%x, style 0x%x)",
                          static_cast<int16_t>(item.id), item.controlClass.isNumber ? item.controlClass.number : 0u,
                          static_cast<unsigned>(item.style));
            backend::ReportFailure("DialogBoxParamA", reason);
            return false;
        }
        // A drop-down list's height in the template is that of its open list.
        const int height = kind == DialogControl::DropDownList ? -1 : ToPixelsY(item.cy, base);
        if (kind != DialogControl::Picture) gtk_widget_set_size_request(widget, ToPixelsX(item.cx, base), height);
        gtk_widget_set_can_focus(widget, (item.style & kTabStop) != 0);
        gtk_widget_set_sensitive(widget, (item.style & kDisabled) == 0);
        gtk_fixed_put(GTK_FIXED(fixed), widget, ToPixelsX(item.x, base), ToPixelsY(item.y, base));
        if ((item.style & kVisible) != 0) gtk_widget_show(widget);
        dialog.controls.push_back(DialogControl{static_cast<int16_t>(item.id), kind, widget});
    }
    return true;
}

void FocusFirstControl(DialogWindow& dialog) {
    for (const DialogControl& control : dialog.controls) {
        if (gtk_widget_get_can_focus(control.widget) && gtk_widget_get_sensitive(control.widget)) {
            gtk_widget_grab_focus(control.widget);
            return;
        }
    }
}

LRESULT WINAPI SendDlgItemMessageA(HWND window, int controlId, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogWindow* dialog = FindDialog(window);
    DialogControl* control = dialog ? FindControl(*dialog, controlId) : nullptr;
    if (control == nullptr) {
        backend::ReportFailure("SendDlgItemMessageA", dialog ? "no control of that id" : "not a live dialog");
        return 0;
    }
    ++dialog->programChanges;
    LRESULT answer = 0;
    if (control->kind == DialogControl::DropDownList) {
        GtkWidget* list = control->widget;
        switch (message) {
        case CB_ADDSTRING:
            gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(list),
                                           ToGtkText(reinterpret_cast<const char*>(lParam)).c_str());
            answer = ItemCount(list) - 1;
            break;
        case CB_SETCURSEL: {
            // As on Windows, a position outside the list clears the selection.
            const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
            const bool inRange = index >= 0 && index < ItemCount(list);
            gtk_combo_box_set_active(GTK_COMBO_BOX(list), inRange ? index : -1);
            answer = inRange ? index : CB_ERR;
            break;
        }
        case CB_GETCURSEL: {
            const int index = gtk_combo_box_get_active(GTK_COMBO_BOX(list));
            answer = index >= 0 ? index : CB_ERR;
            break;
        }
        default:
            break;
        }
    } else if (control->kind == DialogControl::CheckBox) {
        GtkToggleButton* box = GTK_TOGGLE_BUTTON(control->widget);
        if (message == BM_SETCHECK) gtk_toggle_button_set_active(box, wParam == BST_CHECKED);
        if (message == BM_GETCHECK) answer = gtk_toggle_button_get_active(box) ? BST_CHECKED : BST_UNCHECKED;
    }
    --dialog->programChanges;
    return answer;
}

BOOL WINAPI SetDlgItemTextA(HWND window, int controlId, LPCSTR text) {
    DialogWindow* dialog = FindDialog(window);
    DialogControl* control = dialog ? FindControl(*dialog, controlId) : nullptr;
    if (control == nullptr) {
        backend::ReportFailure("SetDlgItemTextA", dialog ? "no control of that id" : "not a live dialog");
        return FALSE;
    }
    const std::string shown = ToGtkText(text);
    switch (control->kind) {
    case DialogControl::Text:
        gtk_label_set_text(GTK_LABEL(control->widget), shown.c_str());
        return TRUE;
    case DialogControl::PushButton:
    case DialogControl::CheckBox:
        gtk_button_set_label(GTK_BUTTON(control->widget), shown.c_str());
        return TRUE;
    default:
        backend::ReportFailure("SetDlgItemTextA", "the control shows no text");
        return FALSE;
    }
}
