// Linux backend: CreateFontA, SelectObject and DeleteObject for fonts, the
// only GDI objects the program makes.
//
// Platform: Linux. Dependencies: fontconfig (finds the face; its metric
// aliases map "Arial" to Liberation Sans when fonts-liberation is
// installed), FreeType (opens and scales it). Limitations: only the height,
// weight, italic flag and face name are honoured; width, escapement,
// orientation, underline, strike-out, character set, precision, quality and
// pitch are ignored. A device context with no font selected has the null
// handle as its default font, so selecting null restores that default.
#include <fontconfig/fontconfig.h>
#include <freetype/tttables.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "platform/linux/font_object.h"
#include "platform/linux/failure_reason.h"
#include "platform/linux/handles.h"

namespace {

// Default cell height when the caller asks for height 0, as GDI's default.
const int defaultCellHeight = 16;

std::set<HFONT__*>& LiveFonts() {
    static std::set<HFONT__*> fonts;
    return fonts;
}

std::string FreeTypeReason(FT_Error error) {
    const char* text = FT_Error_String(error);  // null unless FreeType was built with its error texts
    return text != nullptr ? std::string(text) : "FreeType error " + std::to_string(error);
}

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library made = nullptr;
        if (const FT_Error error = FT_Init_FreeType(&made)) {
            backend::ReportFailure("FT_Init_FreeType", FreeTypeReason(error).c_str());
            made = nullptr;
        }
        return made;
    }();
    return library;
}

// Finds the file and face index of the best match for the request.
bool MatchFace(const char* faceName, int weight, bool italic, std::string& file, int& index, int& foundWeight) {
    if (!FcInit()) {
        backend::ReportFailure("FcInit", "fontconfig could not load its configuration");
        return false;
    }
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) return false;
    const char* family = (faceName != nullptr && faceName[0] != '\0') ? faceName : "sans-serif";
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight > 0 ? weight : 400));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) {
        backend::ReportFailure("FcFontMatch", "no font matches the request");
        return false;
    }

    FcChar8* path = nullptr;
    int faceIndex = 0;
    int matchWeight = FC_WEIGHT_REGULAR;
    const bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
    if (found) {
        file = reinterpret_cast<const char*>(path);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &faceIndex) != FcResultMatch) faceIndex = 0;
        if (FcPatternGetInteger(match, FC_WEIGHT, 0, &matchWeight) != FcResultMatch) matchWeight = FC_WEIGHT_REGULAR;
    }
    FcPatternDestroy(match);
    index = faceIndex;
    foundWeight = matchWeight;
    return found;
}

// Windows sizes a TrueType font so that a positive height is the cell height
// (usWinAscent + usWinDescent) and a negative one the em height.
FT_UInt PixelsPerEm(FT_Face face, int height) {
    if (height < 0) return static_cast<FT_UInt>(-static_cast<long>(height));
    if (height == 0) height = defaultCellHeight;
    long cell = static_cast<long>(face->ascender) - face->descender;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0)
        cell = static_cast<long>(os2->usWinAscent) + os2->usWinDescent;
    if (cell <= 0) return static_cast<FT_UInt>(height);
    const double ppem = std::round(static_cast<double>(height) * face->units_per_EM / static_cast<double>(cell));
    return static_cast<FT_UInt>(std::max(1.0, ppem));
}

}  // namespace

HFONT__* FindLiveFont(HGDIOBJ object) {
    auto* font = static_cast<HFONT__*>(object);
    return LiveFonts().count(font) != 0 ? font : nullptr;
}

HFONT WINAPI CreateFontA(int height, int /*width*/, int /*escapement*/, int /*orientation*/, int weight,
                         DWORD italic, DWORD /*underline*/, DWORD /*strikeOut*/, DWORD /*charSet*/,
                         DWORD /*outPrecision*/, DWORD /*clipPrecision*/, DWORD /*quality*/,
                         DWORD /*pitchAndFamily*/, LPCSTR faceName) {
    FT_Library library = Library();
    if (library == nullptr) return nullptr;

    std::string file;
    int index = 0;
    int foundWeight = FC_WEIGHT_REGULAR;
    if (!MatchFace(faceName, weight, italic != 0, file, index, foundWeight)) return nullptr;

    FT_Face face = nullptr;
    if (const FT_Error error = FT_New_Face(library, file.c_str(), index, &face)) {
        backend::ReportFailure("FT_New_Face", (file + ": " + FreeTypeReason(error)).c_str());
        return nullptr;
    }
    if (!FT_IS_SCALABLE(face) || FT_Set_Pixel_Sizes(face, 0, PixelsPerEm(face, height)) != 0) {
        backend::ReportFailure("CreateFontA", (file + ": the face cannot be scaled to that height").c_str());
        FT_Done_Face(face);
        return nullptr;
    }
    FT_Select_Charmap(face, FT_ENCODING_UNICODE);

    auto* font = new HFONT__;
    font->face = face;
    font->embolden = weight >= FW_BOLD && foundWeight < FC_WEIGHT_BOLD;
    LiveFonts().insert(font);
    return font;
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
    HFONT__* font = FindLiveFont(object);
    if (dc == nullptr || (object != nullptr && font == nullptr)) {
        backend::ReportFailure("SelectObject", dc == nullptr ? "no device context" : "not a live font");
        return nullptr;
    }

    HGDIOBJ previous = dc->selectedObject;
    if (HFONT__* old = FindLiveFont(previous)) --old->selections;
    if (font != nullptr) ++font->selections;
    dc->selectedObject = object;
    return previous;
}

BOOL WINAPI DeleteObject(HGDIOBJ object) {
    HFONT__* font = FindLiveFont(object);
    // As on Windows, an unknown handle or a font still selected into a
    // device context is refused.
    if (font == nullptr || font->selections > 0) {
        backend::ReportFailure("DeleteObject", font == nullptr ? "not a live font" : "the font is still selected");
        return FALSE;
    }
    LiveFonts().erase(font);
    FT_Done_Face(font->face);
    delete font;
    return TRUE;
}
