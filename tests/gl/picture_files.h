// Test pictures made in code: uncompressed BMP and GIF files from pixels
// given as 0xRRGGBB, rows top-down.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

std::vector<unsigned char> EncodeBmp(int width, int height, const std::vector<uint32_t>& rgb);
// At most 256 distinct colours. Rows are stored in the four interlaced passes
// when asked; `transparent` (if not negative) names the transparent colour.
std::vector<unsigned char> EncodeGif(int width, int height, const std::vector<uint32_t>& rgb, bool interlaced = false,
                                     int64_t transparent = -1);

bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);
