// Reading a classic dialog template (the DLGTEMPLATE layout of Windows
// resource files): the dialog's style, size, caption and font, then one
// entry per control.
//
// Platform: any (linked into the Linux platform layer and the fake).
// Limitations: the extended layout (DLGTEMPLATEEX) is refused; texts are
// UTF-16 in the template and come out as UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Predefined control classes, as the template names them by number.
constexpr uint16_t kButtonClass = 0x0080;
constexpr uint16_t kEditClass = 0x0081;
constexpr uint16_t kStaticClass = 0x0082;
constexpr uint16_t kListBoxClass = 0x0083;
constexpr uint16_t kScrollBarClass = 0x0084;
constexpr uint16_t kComboBoxClass = 0x0085;

// Styles that a template gives its dialog and items, with the values Windows
// gives them. The low bits of an item's style are its kind within its class.
namespace template_style {
constexpr uint32_t kPopup = 0x80000000u;           // WS_POPUP
constexpr uint32_t kChild = 0x40000000u;           // WS_CHILD
constexpr uint32_t kVisible = 0x10000000u;         // WS_VISIBLE
constexpr uint32_t kDisabled = 0x08000000u;        // WS_DISABLED
constexpr uint32_t kCaption = 0x00C00000u;         // WS_CAPTION
constexpr uint32_t kBorder = 0x00800000u;          // WS_BORDER
constexpr uint32_t kVerticalScroll = 0x00200000u;  // WS_VSCROLL
constexpr uint32_t kGroup = 0x00020000u;           // WS_GROUP
constexpr uint32_t kTabStop = 0x00010000u;         // WS_TABSTOP
constexpr uint32_t kSetFont = 0x40u;               // DS_SETFONT: a point size and typeface follow the caption
constexpr uint32_t kCenter = 0x0800u;              // DS_CENTER
constexpr uint32_t kButtonTypeMask = 0xFu;
constexpr uint32_t kPushButton = 0x0u;         // BS_PUSHBUTTON
constexpr uint32_t kDefaultPushButton = 0x1u;  // BS_DEFPUSHBUTTON
constexpr uint32_t kAutoCheckBox = 0x3u;       // BS_AUTOCHECKBOX
constexpr uint32_t kStaticTypeMask = 0x1Fu;
constexpr uint32_t kLeftText = 0x0u;     // SS_LEFT
constexpr uint32_t kCentredText = 0x1u;  // SS_CENTER
constexpr uint32_t kRightText = 0x2u;    // SS_RIGHT
constexpr uint32_t kBitmap = 0xEu;       // SS_BITMAP
constexpr uint32_t kComboTypeMask = 0x3u;
constexpr uint32_t kDropDownList = 0x3u;  // CBS_DROPDOWNLIST
constexpr uint32_t kSorted = 0x0100u;     // CBS_SORT
}  // namespace template_style

// A name or text that a template gives either as a number or as a string.
struct TemplateName {
    bool isNumber = false;
    uint16_t number = 0;
    std::string text;  // UTF-8
};

struct DialogItemTemplate {
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    uint16_t id = 0;                     // 0xFFFF for controls without an id
    TemplateName controlClass;
    TemplateName text;  // a number names a resource (a static picture's bitmap)
};

struct DialogTemplate {
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    TemplateName menu;
    TemplateName windowClass;
    std::string caption;
    uint16_t pointSize = 0;  // only with DS_SETFONT
    std::string typeface;
    std::vector<DialogItemTemplate> items;
};

// Reads `size` bytes at `data`. False when the data is not a complete,
// well-formed classic template; every read is checked against `size`.
bool ParseDialogTemplate(const unsigned char* data, size_t size, DialogTemplate& dialog);
