// Loading a Model from the MS3D format (versions 3 and 4), from the program's
// own "MDL" resources or from a file.
//
// Every read is bounded by the image's length and every index is checked
// (vertex, triangle, material, joint, parent before child). A truncated or
// inconsistent image is rejected whole: the model is left empty, as
// constructed, and the loader reports false.
#pragma once

#include <cstddef>

#include "model/model.h"

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
};
