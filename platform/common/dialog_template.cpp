#include "platform/common/dialog_template.h"

namespace {

constexpr uint32_t kSetFontStyle = 0x40;  // DS_SETFONT: a point size and typeface follow the caption
constexpr size_t kHeaderSize = 18;
constexpr size_t kItemHeaderSize = 18;

// A cursor over the template that refuses to read past its end.
class Reader {
public:
    Reader(const unsigned char* data, size_t size) : data_(data), size_(size) {}

    size_t Offset() const { return offset_; }

    bool Word(uint16_t& value) {
        if (size_ - offset_ < 2) return false;
        value = static_cast<uint16_t>(data_[offset_] | data_[offset_ + 1] << 8);
        offset_ += 2;
        return true;
    }

    bool Short(int16_t& value) {
        uint16_t word = 0;
        if (!Word(word)) return false;
        value = static_cast<int16_t>(word);
        return true;
    }

    bool Dword(uint32_t& value) {
        uint16_t low = 0, high = 0;
        if (!Word(low) || !Word(high)) return false;
        value = static_cast<uint32_t>(low) | static_cast<uint32_t>(high) << 16;
        return true;
    }

    bool Skip(size_t count) {
        if (size_ - offset_ < count) return false;
        offset_ += count;
        return true;
    }

    // Items start on a four-byte boundary from the template's start.
    bool AlignToDword() { return Skip((4 - offset_ % 4) % 4); }

    // A zero-terminated UTF-16 string, appended to `text` as UTF-8.
    bool String(std::string& text) {
        for (;;) {
            uint16_t unit = 0;
            if (!Word(unit)) return false;
            if (unit == 0) return true;
            uint32_t codePoint = unit;
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                const size_t before = offset_;
                uint16_t low = 0;
                if (Word(low) && low >= 0xDC00 && low <= 0xDFFF) {
                    codePoint = 0x10000 + ((static_cast<uint32_t>(unit) - 0xD800) << 10) + (low - 0xDC00u);
                } else {
                    offset_ = before;
                    codePoint = 0xFFFD;
                }
            } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
                codePoint = 0xFFFD;
            }
            AppendUtf8(text, codePoint);
        }
    }

    // No name (0), a number (0xFFFF then the number) or a string.
    bool Name(TemplateName& name) {
        uint16_t first = 0;
        if (!Word(first)) return false;
        if (first == 0) return true;
        if (first == 0xFFFF) {
            name.isNumber = true;
            return Word(name.number);
        }
        offset_ -= 2;
        return String(name.text);
    }

private:
    static void AppendUtf8(std::string& text, uint32_t codePoint) {
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

    const unsigned char* data_;
    size_t size_;
    size_t offset_ = 0;
};

bool ParseItem(Reader& reader, DialogItemTemplate& item) {
    if (!reader.AlignToDword()) return false;
    if (!reader.Dword(item.style) || !reader.Dword(item.exStyle) || !reader.Short(item.x) ||
        !reader.Short(item.y) || !reader.Short(item.cx) || !reader.Short(item.cy) || !reader.Word(item.id)) {
        return false;
    }
    if (!reader.Name(item.controlClass) || !reader.Name(item.text)) return false;
    // Creation data: a size word that counts itself, or 0 for none.
    uint16_t extra = 0;
    if (!reader.Word(extra)) return false;
    return extra <= 2 || reader.Skip(extra - 2u);
}

}  // namespace

bool ParseDialogTemplate(const unsigned char* data, size_t size, DialogTemplate& dialog) {
    dialog = DialogTemplate();
    if (data == nullptr || size < kHeaderSize) return false;
    Reader reader(data, size);
    uint16_t itemCount = 0;
    if (!reader.Dword(dialog.style) || !reader.Dword(dialog.exStyle) || !reader.Word(itemCount) ||
        !reader.Short(dialog.x) || !reader.Short(dialog.y) || !reader.Short(dialog.cx) ||
        !reader.Short(dialog.cy)) {
        return false;
    }
    // The extended layout starts with version 1 and the signature 0xFFFF.
    if ((dialog.style & 0xFFFF) == 1 && dialog.style >> 16 == 0xFFFF) return false;
    if (!reader.Name(dialog.menu) || !reader.Name(dialog.windowClass) || !reader.String(dialog.caption)) {
        return false;
    }
    if ((dialog.style & kSetFontStyle) != 0 &&
        (!reader.Word(dialog.pointSize) || !reader.String(dialog.typeface))) {
        return false;
    }
    // Every item needs at least its header, so a count the data cannot hold
    // fails on reading rather than by reserving memory for it.
    if (itemCount > (size - reader.Offset()) / kItemHeaderSize) return false;
    dialog.items.resize(itemCount);
    for (DialogItemTemplate& item : dialog.items) {
        if (!ParseItem(reader, item)) return false;
    }
    return true;
}
