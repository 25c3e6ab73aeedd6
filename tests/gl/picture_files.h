// Test pictures made in code: uncompressed BMP and GIF files from pixels
// given as 0xRRGGBB, rows top-down.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

std::vector<unsigned char> EncodeBmp(int width, int height, const std::vector<uint32_t>& rgb);
// At most 256 distinct colours.
std::vector<unsigned char> EncodeGif(int width, int height, const std::vector<uint32_t>& rgb);

bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);
