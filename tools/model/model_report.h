// JSON reports on a loaded model for corvane-model.
#pragma once

#include <string>

class Model;

// Counts, animation length, texture files, and per joint its parent and its
// numbers of rotation and translation keys, in file order.
std::string InfoJson(const Model& model);

// Every vertex's position in the model's current pose, in file order: what
// Render sends for a corner that uses it.
std::string PoseJson(const Model& model);
