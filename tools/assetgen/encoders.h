// Encoders for the generator's outputs: baseline JFIF (libjpeg) for the
// pictures and PNG (libpng) for the contact sheet and model previews.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

namespace assetgen {

using Bytes = std::vector<uint8_t>;

// Baseline sequential JPEG (the catalogue's pictures), or progressive (which
// the catalogue check must refuse), 8-bit samples, one component for a grey
// image and three (YCbCr) for RGB, with a JFIF header stating 96 dots per
// inch.
enum class JpegScans { Baseline, Progressive };
Bytes EncodeJpeg(const Image& image, int quality, JpegScans scans = JpegScans::Baseline);

// An 8-bit RGB, RGBA or grey PNG, in memory (empty if libpng failed) or written to
// a file (false when it cannot be written).
Bytes EncodePng(const Image& image);
bool WritePng(const std::string& path, const Image& image);

bool WriteFile(const std::string& path, const Bytes& bytes);
bool ReadFile(const std::string& path, Bytes& bytes);

}  // namespace assetgen
