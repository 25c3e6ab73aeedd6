// The program's own resources on Linux: FindResourceA, LoadResource,
// LockResource and SizeofResource over the table that the build embeds.
//
// Platform: Linux (linked into both the real platform layer and the fake).
// Dependencies: the generated table of corvane_resources.
// Limitations: only the program's own module exists, so the module handle is
// ignored; resource data is read-only and lives for the whole run.
#include <cctype>

#include "platform/common/resource_table.h"

namespace {

bool SameText(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (std::toupper(static_cast<unsigned char>(*a)) != std::toupper(static_cast<unsigned char>(*b))) {
            return false;
        }
    }
    return *a == *b;
}

// "#258" stands for the number 258, as Windows reads it; false for any
// other text.
bool NumberText(const char* key, uint16_t& number) {
    if (key[0] != '#' || key[1] == '\0') return false;
    unsigned value = 0;
    for (const char* p = key + 1; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9') return false;
        value = value * 10 + static_cast<unsigned>(*p - '0');
        if (value > 0xffff) return false;
    }
    number = static_cast<uint16_t>(value);
    return true;
}

// A key is a number made with MAKEINTRESOURCEA, a number written "#N", or a
// string.
bool KeyMatches(LPCSTR key, const char* text, uint16_t id) {
    uint16_t number = 0;
    if (IS_INTRESOURCE(key)) {
        number = static_cast<uint16_t>(reinterpret_cast<UINT_PTR>(key));
    } else if (!NumberText(key, number)) {
        return text != nullptr && SameText(key, text);
    }
    return text == nullptr && id == number;
}

}  // namespace

const ResourceEntry* FindResourceEntry(const ResourceEntry* table, size_t count, LPCSTR name, LPCSTR type) {
    if (name == nullptr || type == nullptr) return nullptr;
    for (size_t i = 0; i < count; ++i) {
        const ResourceEntry& entry = table[i];
        if (KeyMatches(type, entry.type, entry.typeId) && KeyMatches(name, entry.name, entry.nameId)) {
            return &entry;
        }
    }
    return nullptr;
}

HRSRC WINAPI FindResourceA(HMODULE, LPCSTR name, LPCSTR type) {
    const ResourceEntry* entry = FindResourceEntry(kResourceTable, kResourceCount, name, type);
    return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(entry));
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource) {
    if (resource == nullptr) return nullptr;
    const auto* entry = reinterpret_cast<const ResourceEntry*>(resource);
    return const_cast<unsigned char*>(entry->data);
}

// The loaded handle is the data itself, as it is on 32-bit Windows.
LPVOID WINAPI LockResource(HGLOBAL data) { return data; }

DWORD WINAPI SizeofResource(HMODULE, HRSRC resource) {
    if (resource == nullptr) return 0;
    return reinterpret_cast<const ResourceEntry*>(resource)->size;
}
