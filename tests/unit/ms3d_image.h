// The tests' MS3D models, described for the one MS3D writer
// (formats/ms3d_writer.h), which encodes them byte by byte.
#pragma once

#include "formats/ms3d_writer.h"

namespace ms3d_test {

// One textured quad (two triangles, one group, one material), no joints.
inline ms3d::Model Quad() {
    ms3d::Model model;
    model.vertices = {{{0, 0, 0}}, {{1, 0, 0}}, {{1, 1, 0}}, {{0, 1, 0}}};
    model.triangles = {ms3d::Triangle{{0, 1, 2}}, ms3d::Triangle{{0, 2, 3}}};
    model.groups = {ms3d::Group{{0, 1}, 0}};
    model.materials = {ms3d::Material{".\\quad.jpg"}};
    return model;
}

}  // namespace ms3d_test
