// JSON reports on a loaded model for corvane-model.
#pragma once

#include <string>
#include <vector>

#include "tools/model/texture_files.h"

class Model;
class MS3DModel;

// Counts, animation length, texture files, per joint its parent and its
// numbers of rotation and translation keys, in file order; what the file
// carried after its joints (each section's sub-version, 0 where it has none,
// how many vertices are weighted over several joints, and why the extras
// were dropped, or null); and for each texture file where it was found
// (null when it was not) and why it gives no texture (null when it loads).
std::string InfoJson(const MS3DModel& model, const std::vector<TextureReport>& textures);

// Every vertex's position in the model's current pose, in file order: what
// Render sends for a corner that uses it.
std::string PoseJson(const Model& model);
