// Loading a Model from the MS3D format (versions 3 and 4), from the program's
// own "MDL" resources or from a file.
//
// Every read is bounded by the image's length and every index is checked
// (vertex, triangle, material, joint, parent before child). A truncated or
// inconsistent image is rejected whole: the model is left empty, as
// constructed, and the loader reports false.
//
// After the joints the modeller's later versions write four more sections,
// each led by a 32-bit sub-version; a file may end before any of them
// (formats/ms3d_layout.h has the sizes, all numbers little-endian):
//   comments       sub-version 1; group, material and joint comments, each
//                  a count (int32) and that many (index int32, length int32,
//                  text); then the model comment: a count, 0 or 1, and
//                  (length int32, text). The format's own description gives
//                  the model comment an index as well, so a file that reads
//                  whole only that way is read that way.
//   vertex extras  sub-version 1, 2 or 3; per vertex three more joint ids
//                  (int8, -1 for none) and three weights (uint8), then none,
//                  one or two 32-bit extras for sub-versions 1, 2 and 3.
//   joint extras   sub-version 1 or 2; per joint a colour (3 float32).
//   model extras   sub-version 1; joint size (float32), transparency mode
//                  (int32), alpha reference (float32).
// Of all this only the weights are used. The three weights belong to the
// vertex's own joint and its first two more joints; the third more joint has
// the rest of the whole. The whole is 100 (percent) for sub-versions 2 and
// 3 and 255 for sub-version 1, as the format's description gives it. Three
// weights of 0 mean the vertex's own joint alone, as in a file without
// weights; so does a vertex whose weights all fall on that joint. A joint
// id of -1 takes no weight; the weights that are left are scaled to sum to
// 1. Such weighted vertices are skinned over up to four joints; the others
// exactly as in a file without extras.
// Bad extras are dropped whole, and the model is read as if it had none,
// with `extras.dropped` saying why: a section cut short, comments of a
// sub-version other than 1, more than one model comment, vertex extras of a
// sub-version outside 1 to 3, a joint id past the joints, weights summing
// over the whole. A joint or model extras sub-version not known here ends
// the reading there and keeps what came before; bytes after the model
// extras are not read. The program's own models carry no extras.
#pragma once

#include <cstddef>
#include <string>

#include "model/model.h"

// What a file carried after its joints: each section's sub-version, 0 where
// the file has none (or they were dropped).
struct MS3DExtras {
    int comments = 0;
    int vertexExtras = 0;
    int jointExtras = 0;
    int modelExtras = 0;
    int weightedVertices = 0;  // vertices skinned over their weights
    std::string dropped;       // why the extras were dropped; empty if they were not
};

class MS3DModel : public Model {
public:
    // Size of the path buffer that ParseData composes texture paths in.
    static constexpr int kTexturePathCapacity = 260;

    MS3DModel() = default;
    ~MS3DModel() override = default;

    // Every load replaces whatever the model held; a failed one leaves it
    // empty.
    //
    // Loads the "MDL" resource of that name (any case) and its textures from
    // the "JPG" resources. False when there is no such resource or the image
    // is rejected.
    virtual bool LoadFromResource(const char* name);
    // Loads an MS3D file and its textures from files named relative to the
    // file's directory. False when the file cannot be read or is rejected.
    virtual bool LoadFromFile(const char* path);
    // LoadFromFile without the textures: needs no GL context.
    bool ParseFile(const char* path);
    // Parses a complete image of `length` bytes, replacing whatever the model
    // held. `pathBuffer` has room for kTexturePathCapacity characters and
    // holds in its first `prefixLength` the directory that texture names
    // starting with ".\" are relative to; the names are composed behind it.
    // A composed path that does not fit (terminator included) leaves that
    // material's textureFile empty, so it is drawn untextured.
    virtual bool ParseData(const unsigned char* data, size_t length, int prefixLength, char* pathBuffer);

    // What the last parse found after the joints.
    MS3DExtras extras;
};
