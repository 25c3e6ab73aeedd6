// The pictures models made elsewhere ship with, for corvane-model: found
// beside the model whatever the letter case of their names, decoded by
// SDL2_image and made into OpenGL textures. The show's own picture loader
// (gfx/, platform/) is not used and not changed: it takes what Windows'
// picture service takes.
//
// Platform: Linux. Dependencies: SDL2_image (with libpng and libjpeg), GL,
// GLU. Reads: JPEG, PNG, TGA (uncompressed and run-length encoded,
// true-colour, grey and colour-mapped), BMP, GIF (the first image). Limits:
// files of at most 128 MiB, pictures within the bounds of
// formats/picture_header.h (4096 x 4096 pixels), checked from the header
// before anything is decoded; a file cut short is refused.
#pragma once

#include <string>
#include <vector>

class Model;

// What became of one material's texture file.
struct TextureReport {
    std::string file;     // the material's texture file, as the model names it
    std::string found;    // where it was found; empty when it was not
    std::string problem;  // why it gives no texture; empty when it loads
};

// One report per material, in order: each file looked for beside the model
// and decoded (no GL context needed). A material without a texture file
// reports nothing but its empty name.
std::vector<TextureReport> CheckTextures(const Model& model, const std::string& modelPath);

// Gives each material the texture of its file, with a current GL context; a
// material whose file is missing or bad is drawn untextured, and one line on
// standard error names the file and says why.
void LoadTextures(Model& model, const std::string& modelPath);
// Deletes the textures LoadTextures made.
void DeleteTextures(Model& model);
