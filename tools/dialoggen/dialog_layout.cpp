#include "dialog_layout.h"

#include <string>

#include "app/settings_controls.h"
#include "formats/byte_cursor.h"
#include "formats/dialog_template.h"

namespace {

using namespace template_style;

constexpr uint16_t kNoId = 0xFFFF;
constexpr uint16_t kEmblemBitmap = 227;

struct Control {
    uint16_t id;
    uint16_t controlClass;
    uint32_t style;
    const char* text;  // null: the text is the emblem's resource number
    int16_t x, y, cx, cy;
};

// In template order, which is also the tab order.
const Control kControls[] = {
    {1, kButtonClass, kDefaultPushButton | kTabStop, "Start", 7, 98, 32, 14},
    {2, kButtonClass, kPushButton | kTabStop, "Exit", 109, 98, 34, 14},
    {kNoId, kStaticClass, kLeftText, "Duskmarch screen saver", 45, 12, 67, 8},
    {kNoId, kStaticClass, kBitmap, nullptr, 7, 7, 21, 20},
    {kResolutionList, kComboBoxClass, kDropDownList | kVerticalScroll | kTabStop, "", 37, 33, 87, 47},
    {kNoId, kStaticClass, kLeftText, "Res:", 11, 35, 16, 9},
    {kNoId, kStaticClass, kLeftText, "Bpp:", 11, 51, 16, 9},
    {kDepthList, kComboBoxClass, kDropDownList | kVerticalScroll | kTabStop, "", 37, 50, 87, 41},
    {kFullscreenBox, kButtonClass, kAutoCheckBox | kTabStop, "Fullscreen", 53, 66, 48, 10},
    {kSoundBox, kButtonClass, kAutoCheckBox | kTabStop, "Sound", 53, 76, 37, 10},
    {kAboutButton, kButtonClass, kPushButton | kTabStop, "About", 49, 98, 50, 14},
    {kCountdownText, kStaticClass, kLeftText | kGroup, "", 132, 7, 11, 8},
};

// Template texts are plain ASCII, so each character is one UTF-16 unit.
void String(ByteWriter& out, const std::string& text) {
    for (char c : text) out.U16(static_cast<unsigned char>(c));
    out.U16(0);
}

void Ordinal(ByteWriter& out, uint16_t number) {
    out.U16(0xFFFF);
    out.U16(number);
}

}  // namespace

std::vector<uint8_t> BuildSettingsDialogTemplate() {
    ByteWriter out;
    out.U32(kPopup | kBorder | kSetFont | kCenter);
    out.U32(0);  // extended style
    out.U16(static_cast<uint16_t>(sizeof kControls / sizeof kControls[0]));
    out.U16(0);  // x, y, cx, cy
    out.U16(0);
    out.U16(150);
    out.U16(119);
    out.U16(0);       // no menu
    out.U16(0);       // the predefined dialog class
    String(out, "");  // no caption
    out.U16(8);
    String(out, "MS Sans Serif");
    for (const Control& control : kControls) {
        out.Align(4);
        out.U32(kChild | kVisible | control.style);
        out.U32(0);
        out.U16(static_cast<uint16_t>(control.x));
        out.U16(static_cast<uint16_t>(control.y));
        out.U16(static_cast<uint16_t>(control.cx));
        out.U16(static_cast<uint16_t>(control.cy));
        out.U16(control.id);
        Ordinal(out, control.controlClass);
        if (control.text) {
            String(out, control.text);
        } else {
            Ordinal(out, kEmblemBitmap);
        }
        out.U16(0);  // no creation data
    }
    return out.bytes;
}
