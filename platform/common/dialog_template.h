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
