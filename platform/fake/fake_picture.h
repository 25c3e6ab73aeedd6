// The scriptable fake picture service, for unit tests.
//
// Platform: none. Pictures are in a trivial format of the fake's own, made
// with EncodePicture; files are registered by path with AddPictureFile.
// Picture-service calls fail on request with FailCall, by their own names:
// OpenPictureFromMemory (as a stream that cannot be created),
// OpenPictureFromFile, CreatePictureCanvas (the memory device context),
// GetPicturePixelSize and CreateCanvasSurface.
// CreatePictureCanvas and CreateCanvasSurface also take queued answers
// (QueueAnswer): 1 lets a call through, 0 fails it, so a test can fail the
// mask's call after the colour picture's.
// The fake counts live pictures and canvases so a test can check that every
// one was released. Limitations: the stretch is nearest-pixel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fake {

// An encoded fake picture: `rgb` holds width x height pixels as 0xRRGGBB,
// rows top-down. Bytes without the fake's magic do not decode.
std::vector<unsigned char> EncodePicture(int32_t width, int32_t height, const std::vector<uint32_t>& rgb);
// A picture of one colour.
std::vector<unsigned char> EncodeSolidPicture(int32_t width, int32_t height, uint32_t rgb);

// A file OpenPictureFromFile finds at exactly this path.
void AddPictureFile(const std::string& path, std::vector<unsigned char> bytes);

// The paths OpenPictureFromFile was asked for, found or not, oldest first:
// the files the program tried to read.
std::vector<std::string> PictureFilesAsked();

// Pictures and canvases made and not yet released or destroyed.
int LivePictures();
int LiveCanvases();

}  // namespace fake
