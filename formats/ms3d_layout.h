// The MS3D layout, said once: the sizes of the format's records and fields,
// which the reader (model/ms3d_model.cpp) walks and the writer
// (formats/ms3d_writer.h) produces. What each field means, and what the
// reader makes of the sections after the joints, is told in
// model/ms3d_model.h.
//
// Platform: any. Header only.
#pragma once

#include <cstddef>

namespace ms3d {

constexpr char kMagic[] = "MS3D000000";  // the first 10 bytes, no terminator
constexpr size_t kMagicSize = 10;

constexpr size_t kNameSize = 32;           // group, material and joint names
constexpr size_t kTextureFieldSize = 128;  // texture and alpha-map file names

// Records of the blocks, each block led by a 16-bit count.
constexpr size_t kVertexSize = 15;
constexpr size_t kTriangleSize = 70;
constexpr size_t kGroupSize = 36;        // plus 2 bytes per triangle index
constexpr size_t kMaterialSize = 361;
constexpr size_t kAnimationSize = 12;    // frames per second, current time, frame count
constexpr size_t kJointSize = 93;        // plus kKeySize per key
constexpr size_t kKeySize = 16;          // time in seconds, three values

// The sections after the joints, each led by a 32-bit sub-version; comments
// are (index, length, text) with 32-bit index and length.
constexpr int kCommentSubVersion = 1;
constexpr int kLowestVertexExtras = 1;
constexpr int kHighestVertexExtras = 3;
// Per vertex: three joint ids and three weights, then 0, 1 or 2 extra
// 32-bit values for sub-versions 1, 2 and 3.
inline size_t VertexExtraSize(int subVersion) { return 6 + 4 * static_cast<size_t>(subVersion - 1); }
constexpr size_t kJointExtraSize = 12;  // a colour, three floats
constexpr size_t kModelExtraSize = 12;  // joint size, transparency mode, alpha reference

}  // namespace ms3d
