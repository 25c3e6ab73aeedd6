#include "dialog_layout.h"

#include <string>

namespace {

// Window and control styles, with the values Windows gives them.
constexpr uint32_t kPopup = 0x80000000u;
constexpr uint32_t kChild = 0x40000000u;
constexpr uint32_t kVisible = 0x10000000u;
constexpr uint32_t kBorder = 0x00800000u;
constexpr uint32_t kVerticalScroll = 0x00200000u;
constexpr uint32_t kGroup = 0x00020000u;
constexpr uint32_t kTabStop = 0x00010000u;
constexpr uint32_t kSetFont = 0x40u;
constexpr uint32_t kCenter = 0x0800u;

constexpr uint32_t kPushButton = 0x0u;
constexpr uint32_t kDefaultPushButton = 0x1u;
constexpr uint32_t kAutoCheckBox = 0x3u;
constexpr uint32_t kLeftText = 0x0u;
constexpr uint32_t kBitmapPicture = 0xEu;
constexpr uint32_t kDropDownList = 0x3u;

constexpr uint16_t kButtonClass = 0x0080;
constexpr uint16_t kStaticClass = 0x0082;
constexpr uint16_t kComboBoxClass = 0x0085;

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
    {kNoId, kStaticClass, kBitmapPicture, nullptr, 7, 7, 21, 20},
    {1000, kComboBoxClass, kDropDownList | kVerticalScroll | kTabStop, "", 37, 33, 87, 47},
    {kNoId, kStaticClass, kLeftText, "Res:", 11, 35, 16, 9},
    {kNoId, kStaticClass, kLeftText, "Bpp:", 11, 51, 16, 9},
    {1001, kComboBoxClass, kDropDownList | kVerticalScroll | kTabStop, "", 37, 50, 87, 41},
    {1002, kButtonClass, kAutoCheckBox | kTabStop, "Fullscreen", 53, 66, 48, 10},
    {1003, kButtonClass, kAutoCheckBox | kTabStop, "Sound", 53, 76, 37, 10},
    {1004, kButtonClass, kPushButton | kTabStop, "About", 49, 98, 50, 14},
    {1005, kStaticClass, kLeftText | kGroup, "", 132, 7, 11, 8},
};

class Writer {
public:
    void Word(uint16_t value) {
        bytes.push_back(static_cast<uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<uint8_t>(value >> 8));
    }
    void Short(int16_t value) { Word(static_cast<uint16_t>(value)); }
    void Dword(uint32_t value) {
        Word(static_cast<uint16_t>(value & 0xFFFF));
        Word(static_cast<uint16_t>(value >> 16));
    }
    // Texts are plain ASCII, so each character is one UTF-16 unit.
    void String(const std::string& text) {
        for (char c : text) Word(static_cast<uint16_t>(static_cast<unsigned char>(c)));
        Word(0);
    }
    void Ordinal(uint16_t number) {
        Word(0xFFFF);
        Word(number);
    }
    void AlignToDword() {
        while (bytes.size() % 4 != 0) bytes.push_back(0);
    }

    std::vector<uint8_t> bytes;
};

}  // namespace

std::vector<uint8_t> BuildSettingsDialogTemplate() {
    Writer out;
    out.Dword(kPopup | kBorder | kSetFont | kCenter);
    out.Dword(0);  // extended style
    out.Word(static_cast<uint16_t>(sizeof kControls / sizeof kControls[0]));
    out.Short(0);
    out.Short(0);
    out.Short(150);
    out.Short(119);
    out.Word(0);     // no menu
    out.Word(0);     // the predefined dialog class
    out.String("");  // no caption
    out.Word(8);
    out.String("MS Sans Serif");
    for (const Control& control : kControls) {
        out.AlignToDword();
        out.Dword(kChild | kVisible | control.style);
        out.Dword(0);
        out.Short(control.x);
        out.Short(control.y);
        out.Short(control.cx);
        out.Short(control.cy);
        out.Word(control.id);
        out.Ordinal(control.controlClass);
        if (control.text) {
            out.String(control.text);
        } else {
            out.Ordinal(kEmblemBitmap);
        }
        out.Word(0);  // no creation data
    }
    return out.bytes;
}
