#include "formats/dialog_template.h"

#include "formats/byte_cursor.h"

namespace {

constexpr size_t kHeaderSize = 18;
constexpr size_t kItemHeaderSize = 18;

void AppendUtf8(std::string& text, uint32_t codePoint) {
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | codePoint >> 6);
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | codePoint >> 12);
        text += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | codePoint >> 18);
        text += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// A zero-terminated UTF-16 string, appended to `text` as UTF-8. A surrogate
// without its partner becomes U+FFFD.
bool ReadString(ByteCursor& reader, std::string& text) {
    for (;;) {
        uint16_t unit = 0;
        if (!reader.Read(unit)) return false;
        if (unit == 0) return true;
        uint32_t codePoint = unit;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            const size_t before = reader.Position();
            uint16_t low = 0;
            if (reader.Has(2) && reader.Read(low) && low >= 0xDC00 && low <= 0xDFFF) {
                codePoint = 0x10000 + ((static_cast<uint32_t>(unit) - 0xD800) << 10) + (low - 0xDC00u);
            } else {
                reader.Seek(before);
                codePoint = 0xFFFD;
            }
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            codePoint = 0xFFFD;
        }
        AppendUtf8(text, codePoint);
    }
}

// No name (0), a number (0xFFFF then the number) or a string.
bool ReadName(ByteCursor& reader, TemplateName& name) {
    uint16_t first = 0;
    if (!reader.Read(first)) return false;
    if (first == 0) return true;
    if (first == 0xFFFF) {
        name.isNumber = true;
        return reader.Read(name.number);
    }
    reader.Seek(reader.Position() - 2);
    return ReadString(reader, name.text);
}

bool ParseItem(ByteCursor& reader, DialogItemTemplate& item) {
    // Items start on a four-byte boundary from the template's start.
    if (!reader.Skip((4 - reader.Position() % 4) % 4)) return false;
    if (!reader.Read(item.style) || !reader.Read(item.exStyle) || !reader.Read(item.x) ||
        !reader.Read(item.y) || !reader.Read(item.cx) || !reader.Read(item.cy) || !reader.Read(item.id)) {
        return false;
    }
    if (!ReadName(reader, item.controlClass) || !ReadName(reader, item.text)) return false;
    // Creation data: a size word that counts itself, or 0 for none.
    uint16_t extra = 0;
    if (!reader.Read(extra)) return false;
    return extra <= 2 || reader.Skip(extra - 2u);
}

}  // namespace

bool ParseDialogTemplate(const unsigned char* data, size_t size, DialogTemplate& dialog) {
    dialog = DialogTemplate();
    if (data == nullptr || size < kHeaderSize) return false;
    ByteCursor reader(data, size);
    uint16_t itemCount = 0;
    if (!reader.Read(dialog.style) || !reader.Read(dialog.exStyle) || !reader.Read(itemCount) ||
        !reader.Read(dialog.x) || !reader.Read(dialog.y) || !reader.Read(dialog.cx) ||
        !reader.Read(dialog.cy)) {
        return false;
    }
    // The extended layout starts with version 1 and the signature 0xFFFF.
    if ((dialog.style & 0xFFFF) == 1 && dialog.style >> 16 == 0xFFFF) return false;
    if (!ReadName(reader, dialog.menu) || !ReadName(reader, dialog.windowClass) || !ReadString(reader, dialog.caption)) {
        return false;
    }
    if ((dialog.style & template_style::kSetFont) != 0 &&
        (!reader.Read(dialog.pointSize) || !ReadString(reader, dialog.typeface))) {
        return false;
    }
    // Every item needs at least its header, so a count the data cannot hold
    // fails on reading rather than by reserving memory for it.
    if (itemCount > reader.Remaining() / kItemHeaderSize) return false;
    dialog.items.resize(itemCount);
    for (DialogItemTemplate& item : dialog.items) {
        if (!ParseItem(reader, item)) return false;
    }
    return true;
}
