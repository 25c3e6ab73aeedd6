// A software preview of the scene: the room and both characters, posed by
// their keyframes and placed as the drawing places them, rendered with
// fixed-function style lighting from several points of the camera path and
// from close by. For looking at the models without a GL window.
#pragma once

#include <string>

namespace assetgen {

// Writes a grid of views to `path`; `seconds` is the characters' animation
// time. False when the file cannot be written.
bool WritePreview(const std::string& path, double seconds);

}  // namespace assetgen
