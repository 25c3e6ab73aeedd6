// The catalogue as a whole: everything assetgen writes into resources/,
// built in memory and checked against the catalogue's table before a single
// file is written.
#pragma once

#include <string>
#include <vector>

#include "encoders.h"

namespace assetgen {

struct CatalogueFile {
    std::string type;      // manifest type: JPG, MDL or WAVE
    std::string resource;  // resource name, upper case
    std::string file;      // file name inside resources/
    Bytes bytes;
};

struct Catalogue {
    std::vector<CatalogueFile> files;
    std::string manifest;
    std::vector<std::string> buildErrors;  // models the writer refused, and why
};

Catalogue BuildCatalogue();

// Every way in which `catalogue` breaks the table (names, counts, sizes,
// picture sizes and components, model structure, sound layout); empty when
// it is complete and correct.
std::vector<std::string> CheckCatalogue(const Catalogue& catalogue);

// Width, height and component count from a JPEG's baseline frame header;
// false when there is none.
bool JpegFrame(const Bytes& bytes, int& width, int& height, int& components);

}  // namespace assetgen
