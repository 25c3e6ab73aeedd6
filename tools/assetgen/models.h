// The three models of the catalogue. Each builder returns a complete model
// with exactly the catalogue's structure, or reports why it cannot.
#pragma once

#include <string>
#include <vector>

#include "formats/ms3d_writer.h"

namespace assetgen {

// The room's 62 texture names in material order (without ".\" and ".jpg").
const std::vector<std::string>& RoomTextureNames();

ms3d::Model BuildRoom();
ms3d::Model BuildScientist();
ms3d::Model BuildWarden();

// Where the drawing places the characters: model space to room space.
struct Placement {
    double m[4][4];
};
Placement WardenPlacement();
Placement ScientistPlacement();

// The floor the characters stand on, in room space.
constexpr double kFloorY = -12.0;

}  // namespace assetgen
