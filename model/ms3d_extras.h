// Reading the sections an MS3D file may carry after its joints (comments,
// vertex, joint and model extras; their layout and meaning are told in
// model/ms3d_model.h) and weighting the model's vertices by them.
#pragma once

#include <cstddef>

#include "model/ms3d_model.h"

// Reads the `length` bytes after the joints of a model whose blocks are read
// and checked, before its skeleton is bound. Fills `extras` and, where the
// file weights vertices over several joints, their influences. Bad extras
// leave every vertex as it was and `extras` empty but for `dropped`.
void ReadMS3DExtras(const unsigned char* data, size_t length, Model& model, MS3DExtras& extras);
