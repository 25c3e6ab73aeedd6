// The hundred pictures of the catalogue: name, size, colour or grey, and the
// shader that paints each one.
#pragma once

#include <string>
#include <vector>

#include "image.h"

namespace assetgen {

struct PictureSpec {
    std::string name;  // resource name without the extension, e.g. "S1"
    int width = 0;
    int height = 0;
    bool grey = false;
    Shader paint;
};

std::vector<PictureSpec> RoomPictures();       // T01..T57, T31_BLIK
std::vector<PictureSpec> ScientistPictures();  // S1..S19
std::vector<PictureSpec> WardenPictures();     // W1..W20
std::vector<PictureSpec> ScenePictures();      // LOADING, KRV, KRVMASK

// All of the above, in catalogue order.
std::vector<PictureSpec> AllPictures();

}  // namespace assetgen
