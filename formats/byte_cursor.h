// Byte order, said once: the little-endian numbers of every binary format
// this program reads (MS3D models, WAVE sounds, dialog templates, bitmaps,
// GIF and BMP headers) and the big-endian lengths of JPEG markers; a bounded
// cursor that reads a buffer front to back; and, for the tools and tests
// that build such files, stores at a place and a writer that appends.
//
// Platform: any. Header only, so the core (model/), the platform layers and
// the tools use it without linking anything.
//
// Contract of ByteCursor: it never reads outside [data, data + size). A read
// returns false, reads nothing and leaves the position where it was when
// fewer bytes remain than it needs; it also makes the cursor failed for
// good, so every later read fails as well and a chain of reads may be
// checked once. Floats are IEEE 754 single precision, copied bit for bit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

inline uint16_t LoadU16LE(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

inline uint32_t LoadU32LE(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

inline void StoreU16LE(unsigned char* p, uint32_t value) {
    p[0] = static_cast<unsigned char>(value & 0xFF);
    p[1] = static_cast<unsigned char>(value >> 8 & 0xFF);
}

inline void StoreU32LE(unsigned char* p, uint32_t value) {
    StoreU16LE(p, value & 0xFFFF);
    StoreU16LE(p + 2, value >> 16);
}

inline uint16_t LoadU16BE(const unsigned char* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

class ByteCursor {
public:
    ByteCursor(const unsigned char* data, size_t size) : data_(data), size_(data ? size : 0) {}

    size_t Position() const { return position_; }
    size_t Remaining() const { return failed_ ? 0 : size_ - position_; }
    bool Failed() const { return failed_; }
    // True when `count` more bytes can be read; does not fail the cursor.
    bool Has(size_t count) const { return Remaining() >= count; }

    // The next `count` bytes, or null when they are not all there.
    const unsigned char* Bytes(size_t count) {
        if (!Has(count)) {
            Fail();
            return nullptr;
        }
        const unsigned char* at = data_ + position_;
        position_ += count;
        return at;
    }
    bool Skip(size_t count) { return Bytes(count) != nullptr; }
    // Moves to `position` from the start, for a reader that looks ahead.
    bool Seek(size_t position) {
        if (failed_ || position > size_) return Fail();
        position_ = position;
        return true;
    }

    // An integer of 1, 2 or 4 bytes, signed or not, or a float, by the type
    // of `value`.
    template <typename T>
    bool Read(T& value) {
        static_assert((std::is_integral_v<T> && !std::is_same_v<T, bool>) || std::is_same_v<T, float>,
                      "a number of the formats");
        static_assert(sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4, "a width of the formats");
        using Bits = std::conditional_t<sizeof(T) == 1, uint8_t, std::conditional_t<sizeof(T) == 2, uint16_t, uint32_t>>;
        const unsigned char* at = Bytes(sizeof(T));
        if (at == nullptr) return false;
        const auto bits = static_cast<Bits>(sizeof(T) == 1 ? at[0] : sizeof(T) == 2 ? LoadU16LE(at) : LoadU32LE(at));
        std::memcpy(&value, &bits, sizeof value);
        return true;
    }
    bool Floats(float* values, size_t count) {
        if (!Has(count * 4)) return Fail();
        for (size_t i = 0; i < count; ++i) Read(values[i]);
        return true;
    }

private:
    bool Fail() {
        failed_ = true;
        return false;
    }

    const unsigned char* data_;
    size_t size_;
    size_t position_ = 0;
    bool failed_ = false;
};

// Appends little-endian numbers and fixed-width fields to `bytes`.
class ByteWriter {
public:
    void U8(uint32_t value) { bytes.push_back(static_cast<uint8_t>(value & 0xFF)); }
    void U16(uint32_t value) {
        bytes.resize(bytes.size() + 2);
        StoreU16LE(&bytes[bytes.size() - 2], value);
    }
    void U32(uint32_t value) {
        bytes.resize(bytes.size() + 4);
        StoreU32LE(&bytes[bytes.size() - 4], value);
    }
    void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
    void F32(float value) {
        uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        U32(bits);
    }
    void Floats(const float* values, size_t count) {
        for (size_t i = 0; i < count; ++i) F32(values[i]);
    }
    // `text` cut or padded with NULs to exactly `width` bytes.
    void Chars(const std::string& text, size_t width) {
        for (size_t i = 0; i < width; ++i) U8(i < text.size() ? static_cast<unsigned char>(text[i]) : 0);
    }
    void Append(const void* data, size_t count) {
        const auto* at = static_cast<const uint8_t*>(data);
        bytes.insert(bytes.end(), at, at + count);
    }
    // Zero bytes up to the next multiple of `alignment` from the start.
    void Align(size_t alignment) {
        while (bytes.size() % alignment != 0) bytes.push_back(0);
    }

    std::vector<uint8_t> bytes;
};
