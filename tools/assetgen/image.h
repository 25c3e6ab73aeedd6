// Pictures as the generator paints them: a colour type, an 8-bit image, and
// rendering of a per-pixel shading function with supersampling so that edges
// come out smooth even in 32-pixel textures.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace assetgen {

struct Color {
    double r = 0.0, g = 0.0, b = 0.0;
};

inline Color operator+(Color a, Color b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Color operator-(Color a, Color b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Color operator*(Color a, double k) { return {a.r * k, a.g * k, a.b * k}; }
inline Color operator*(Color a, Color b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

// 0xRRGGBB to a colour in [0, 1].
Color Hex(uint32_t rgb);
Color Mix(Color a, Color b, double t);
double Clamp01(double v);
double SmoothStep(double edge0, double edge1, double x);
double Luma(Color c);

struct Image {
    int width = 0;
    int height = 0;
    int channels = 3;  // 3 = RGB, 1 = grey
    std::vector<uint8_t> pixels;

    Image() = default;
    Image(int w, int h, int c) : width(w), height(h), channels(c), pixels(static_cast<size_t>(w) * h * c, 0) {}
    uint8_t* At(int x, int y) { return &pixels[(static_cast<size_t>(y) * width + x) * channels]; }
    const uint8_t* At(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * channels]; }
};

// Colour at a point in pixel units (x right, y down, pixel centres at +0.5).
using Shader = std::function<Color(double x, double y)>;

// Renders `shader` with samples x samples points per pixel, averaged.
Image Render(int width, int height, int channels, const Shader& shader, int samples = 4);

// Box-filtered resize (used for the contact sheet).
Image Resize(const Image& source, int width, int height);

// Signed distance from (x, y) to an axis-aligned box with rounded corners;
// negative inside.
double BoxDistance(double x, double y, double x0, double y0, double x1, double y1, double radius = 0.0);

}  // namespace assetgen
