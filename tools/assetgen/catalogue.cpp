#include "catalogue.h"

#include <cctype>
#include <map>
#include <set>

#include "models.h"
#include "ms3d.h"
#include "pictures.h"
#include "sounds.h"
#include "formats/byte_cursor.h"

namespace assetgen {

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

constexpr int kJpegQuality = 90;

uint32_t U32(const Bytes& b, size_t at) { return LoadU32LE(&b[at]); }

bool PowerOfTwo(int v) { return v >= 4 && v <= 256 && (v & (v - 1)) == 0; }

struct ModelRow {
    const char* name;
    int vertices, triangles, groups, joints, keys, frames;
    float firstKey, lastKey;  // seconds; < 0 when the table states none
};

const ModelRow kModels[] = {
    {"SCIENTIST", 380, 711, 19, 22, 180, 185, 0.125f, -1.0f},
    {"WARDEN", 382, 709, 20, 24, 250, 281, -1.0f, 10.5f},
    {"ROOM", 3402, 2343, 62, 0, 0, 30, -1.0f, -1.0f},
};

}  // namespace

bool JpegFrame(const Bytes& bytes, int& width, int& height, int& components) {
    if (bytes.size() < 4 || bytes[0] != 0xff || bytes[1] != 0xd8) return false;
    size_t at = 2;
    while (at + 4 <= bytes.size()) {
        if (bytes[at] != 0xff) return false;
        const int marker = bytes[at + 1];
        const size_t length = LoadU16BE(&bytes[at + 2]);
        if (marker == 0xc0) {
            if (at + 2 + length > bytes.size() || length < 8 || bytes[at + 4] != 8) return false;
            height = LoadU16BE(&bytes[at + 5]);
            width = LoadU16BE(&bytes[at + 7]);
            components = bytes[at + 9];
            return true;
        }
        if ((marker >= 0xc1 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc) || marker == 0xda) {
            return false;  // not baseline, or image data before any frame
        }
        at += 2 + length;
    }
    return false;
}

Catalogue BuildCatalogue() {
    Catalogue c;
    for (const PictureSpec& p : AllPictures()) {
        const Image image = Render(p.width, p.height, p.grey ? 1 : 3, p.paint);
        c.files.push_back({"JPG", p.name + ".JPG", Lower(p.name) + ".jpg", EncodeJpeg(image, kJpegQuality)});
    }
    std::string error;
    const std::pair<const char*, ms3d::Model (*)()> models[] = {
        {"SCIENTIST", BuildScientist}, {"WARDEN", BuildWarden}, {"ROOM", BuildRoom}};
    for (const auto& [name, build] : models) {
        Bytes bytes = ms3d::Write(build(), error);
        if (!error.empty()) c.buildErrors.push_back(std::string(name) + ": " + error);
        c.files.push_back({"MDL", name, Lower(name) + ".ms3d", std::move(bytes)});
    }
    for (SoundSpec& s : MakeSounds()) c.files.push_back({"WAVE", s.name, Lower(s.name) + ".wav", std::move(s.wave)});

    c.manifest =
        "# Embedded resources: TYPE NAME FILE [optional]. Written by assetgen; the\n"
        "# build embeds each file (Windows: resource script, Linux: a generated table).\n"
        "# Numeric types and names are written #N.\n";
    for (const CatalogueFile& f : c.files) c.manifest += f.type + " " + f.resource + " " + f.file + "\n";
    c.manifest += "#5 #225 dialog225.dlg optional\n#2 #227 bitmap227.bmp optional\n";
    return c;
}

std::vector<std::string> CheckCatalogue(const Catalogue& c) {
    std::vector<std::string> problems = c.buildErrors;
    auto fail = [&](const std::string& what) { problems.push_back(what); };

    // Pictures: the 100 names, their sizes and components.
    std::set<std::string> expected;
    for (int i = 1; i <= 19; ++i) expected.insert("S" + std::to_string(i) + ".JPG");
    for (int i = 1; i <= 20; ++i) expected.insert("W" + std::to_string(i) + ".JPG");
    for (int i = 1; i <= 57; ++i) expected.insert((i < 10 ? "T0" : "T") + std::to_string(i) + ".JPG");
    for (const char* n : {"T31_BLIK.JPG", "KRV.JPG", "KRVMASK.JPG", "LOADING.JPG"}) expected.insert(n);
    const std::map<std::string, std::pair<int, int>> fixed = {
        {"S1.JPG", {36, 36}},        {"S15.JPG", {36, 64}},     {"S16.JPG", {36, 64}},  {"S6.JPG", {32, 4}},
        {"W13.JPG", {32, 4}},        {"T20.JPG", {256, 128}},   {"T27.JPG", {256, 32}}, {"T28.JPG", {256, 32}},
        {"LOADING.JPG", {128, 128}}, {"KRV.JPG", {64, 64}},     {"KRVMASK.JPG", {64, 64}},
        {"T31.JPG", {32, 32}},       {"T31_BLIK.JPG", {32, 32}}};
    std::set<std::string> seen;
    int pictures = 0;
    for (const CatalogueFile& f : c.files) {
        if (f.type != "JPG") continue;
        ++pictures;
        if (expected.count(f.resource) == 0) fail("unexpected picture " + f.resource);
        if (!seen.insert(f.resource).second) fail("duplicate picture " + f.resource);
        int w = 0, h = 0, components = 0;
        if (!JpegFrame(f.bytes, w, h, components)) {
            fail(f.resource + " is not a baseline 8-bit JPEG");
            continue;
        }
        const auto size = fixed.find(f.resource);
        if (size != fixed.end() ? (w != size->second.first || h != size->second.second) : !(PowerOfTwo(w) && PowerOfTwo(h))) {
            fail(f.resource + " has the wrong size " + std::to_string(w) + "x" + std::to_string(h));
        }
        const bool grey = f.resource == "W5.JPG" || f.resource == "KRVMASK.JPG";
        if (components != (grey ? 1 : 3)) fail(f.resource + " has " + std::to_string(components) + " components");
    }
    if (pictures != 100) fail("there are " + std::to_string(pictures) + " pictures, not 100");

    // Models.
    for (const ModelRow& row : kModels) {
        const CatalogueFile* file = nullptr;
        for (const CatalogueFile& f : c.files) {
            if (f.type == "MDL" && f.resource == row.name) file = &f;
        }
        const std::string name = row.name;
        if (file == nullptr || file->bytes.empty()) {
            fail("model " + name + " is missing or could not be written");
            continue;
        }
        const Ms3dSummary s = SummariseMs3d(file->bytes);
        if (!s.valid || s.parsedBytes != file->bytes.size()) fail(name + ": does not parse exactly to its end");
        if (s.version != 4) fail(name + ": not version 4");
        if (s.vertices != row.vertices || s.triangles != row.triangles) {
            fail(name + ": " + std::to_string(s.vertices) + " vertices and " + std::to_string(s.triangles) +
                 " triangles, want " + std::to_string(row.vertices) + " and " + std::to_string(row.triangles));
        }
        if (s.groups != row.groups || s.materials != row.groups) fail(name + ": wrong group or material count");
        if (s.joints != row.joints) fail(name + ": " + std::to_string(s.joints) + " joints");
        if (s.framesPerSecond != 24.0f || s.totalFrames != row.frames) fail(name + ": wrong frame rate or length");
        for (int g = 0; g < s.groups && g < static_cast<int>(s.groupMaterials.size()); ++g) {
            if (s.groupMaterials[static_cast<size_t>(g)] != g) fail(name + ": group " + std::to_string(g) + " material");
        }
        for (int j = 0; j < s.joints; ++j) {
            if (s.rotationKeys[static_cast<size_t>(j)] != row.keys || s.translationKeys[static_cast<size_t>(j)] != row.keys) {
                fail(name + ": joint " + std::to_string(j) + " key count");
            }
        }
        if (row.firstKey >= 0 && s.firstKeyTime != row.firstKey) fail(name + ": first key time");
        if (row.lastKey >= 0 && s.lastKeyTime != row.lastKey) fail(name + ": last key time");
        for (size_t m = 0; m < s.textures.size(); ++m) {
            std::string want;
            if (name == "ROOM") want = ".\\" + RoomTextureNames()[m] + ".jpg";
            else want = ".\\" + std::string(name == "SCIENTIST" ? "s" : "w") + std::to_string(m + 1) + ".jpg";
            if (s.textures[m] != want) fail(name + ": material " + std::to_string(m) + " texture " + s.textures[m]);
        }
    }

    // Sounds.
    const std::map<std::string, std::pair<uint32_t, uint32_t>> sounds = {
        {"LAUNCH", {22050, 4490}}, {"WELCOME", {22050, 147003}}, {"ALERT", {8000, 12000}}};
    int soundCount = 0;
    for (const CatalogueFile& f : c.files) {
        if (f.type != "WAVE") continue;
        ++soundCount;
        const auto want = sounds.find(f.resource);
        if (want == sounds.end()) {
            fail("unexpected sound " + f.resource);
            continue;
        }
        const Bytes& b = f.bytes;
        const uint32_t data = want->second.second, pad = data & 1u;
        const size_t total = 12 + 24 + 8 + data + pad + 8 + 66;
        if (b.size() != total || std::string(b.begin(), b.begin() + 4) != "RIFF" || U32(b, 4) != total - 8 ||
            std::string(b.begin() + 8, b.begin() + 16) != "WAVEfmt " || U32(b, 16) != 16 || b[20] != 1 || b[22] != 1 ||
            U32(b, 24) != want->second.first || b[34] != 8 || std::string(b.begin() + 36, b.begin() + 40) != "data" ||
            U32(b, 40) != data || std::string(b.begin() + 44 + data + pad, b.begin() + 48 + data + pad) != "LIST" ||
            U32(b, 48 + data + pad) != 66) {
            fail("sound " + f.resource + " does not have the catalogue's layout");
        }
    }
    if (soundCount != 3) fail("there are " + std::to_string(soundCount) + " sounds, not 3");
    return problems;
}

}  // namespace assetgen
