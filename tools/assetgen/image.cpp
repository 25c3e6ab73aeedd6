#include "image.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Color Hex(uint32_t rgb) {
    return {((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0};
}

Color Mix(Color a, Color b, double t) { return a + (b - a) * t; }

double Clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }

double SmoothStep(double edge0, double edge1, double x) {
    const double t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

double Luma(Color c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

namespace {

uint8_t ToByte(double v) { return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0)); }

}  // namespace

Image Render(int width, int height, int channels, const Shader& shader, int samples) {
    Image image(width, height, channels);
    const double step = 1.0 / samples;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Color sum;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Color c = shader(x + (sx + 0.5) * step, y + (sy + 0.5) * step);
                    sum = sum + Color{Clamp01(c.r), Clamp01(c.g), Clamp01(c.b)};
                }
            }
            sum = sum * (1.0 / (samples * samples));
            uint8_t* p = image.At(x, y);
            if (channels == 1) {
                p[0] = ToByte(Luma(sum));
            } else {
                p[0] = ToByte(sum.r);
                p[1] = ToByte(sum.g);
                p[2] = ToByte(sum.b);
            }
        }
    }
    return image;
}

Image Resize(const Image& source, int width, int height) {
    Image out(width, height, source.channels);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int sx0 = x * source.width / width, sx1 = std::max(sx0 + 1, (x + 1) * source.width / width);
            const int sy0 = y * source.height / height, sy1 = std::max(sy0 + 1, (y + 1) * source.height / height);
            for (int c = 0; c < source.channels; ++c) {
                int sum = 0;
                for (int sy = sy0; sy < sy1; ++sy) {
                    for (int sx = sx0; sx < sx1; ++sx) sum += source.At(sx, sy)[c];
                }
                out.At(x, y)[c] = static_cast<uint8_t>(sum / ((sx1 - sx0) * (sy1 - sy0)));
            }
        }
    }
    return out;
}

double BoxDistance(double x, double y, double x0, double y0, double x1, double y1, double radius) {
    const double cx = (x0 + x1) * 0.5, cy = (y0 + y1) * 0.5;
    const double hx = (x1 - x0) * 0.5 - radius, hy = (y1 - y0) * 0.5 - radius;
    const double dx = std::fabs(x - cx) - hx, dy = std::fabs(y - cy) - hy;
    const double outside = std::hypot(std::max(dx, 0.0), std::max(dy, 0.0));
    return outside + std::min(std::max(dx, dy), 0.0) - radius;
}

}  // namespace assetgen
