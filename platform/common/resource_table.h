// The table of resources embedded in a Linux build, and the lookup over it
// that FindResourceA uses.
//
// The table itself is generated at build time from resources/manifest.txt by
// tools/embed (target corvane_resources); nothing is read from disk at run
// time. Windows builds use the real resource section instead and never see
// this header.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"

// One embedded resource. A string type or name is stored in upper case; a
// numeric one has a null string and its number in the matching id field.
struct ResourceEntry {
    const char* type;
    uint16_t typeId;
    const char* name;
    uint16_t nameId;
    const unsigned char* data;
    uint32_t size;
};

extern const ResourceEntry kResourceTable[];
extern const size_t kResourceCount;

// The first entry of `table` whose type and name match, as Windows matches
// them: a MAKEINTRESOURCEA number, or a string "#N", matches only that
// number; any other string matches only a string, without regard to case.
// Null when nothing matches or either argument is null.
const ResourceEntry* FindResourceEntry(const ResourceEntry* table, size_t count, LPCSTR name, LPCSTR type);
