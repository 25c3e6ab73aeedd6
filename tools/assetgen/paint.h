// Shared painting vocabulary for the pictures: brushed and worn metal,
// bevelled panels, rivets, hazard stripes, fabric weave and skin, each a
// function of the pixel position so that pictures compose them freely.
#pragma once

#include <cstdint>
#include <functional>

#include "image.h"

namespace assetgen {

// A signed distance field: negative inside a shape.
using Field = std::function<double(double x, double y)>;

// The rounded box from (x0, y0) to (x1, y1) as a field (see BoxDistance).
Field RoundedBox(double x0, double y0, double x1, double y1, double radius);

// Surface grime: a tiling fractal in [0, 1] over a w x h picture.
double Grime(double x, double y, int w, int h, uint32_t seed, double cells = 4.0);

// Metal: the base colour with brushed streaks along x, fine speckle and
// large-scale wear. `wear` 0..1.
Color Metal(Color base, double x, double y, int w, int h, uint32_t seed, double wear = 0.5);

// Lighting of a raised (height > 0) or sunken shape with a bevel of `width`
// pixels, lit from the top left: -1 dark .. +1 bright, 0 on flat parts.
double BevelLight(const Field& shape, double x, double y, double width, bool raised = true);

// BevelLight at (x, y) of a row of equal rounded boxes across a picture h
// high, each `cell` wide and inset 1 from its cell's sides and `inset` from
// the top and bottom: plates, pouches, doors.
double RowOfBoxesLight(double x, double y, double cell, int h, double inset, double radius, double width);

// Multiply a colour by 1 + k * light, k about 0.35.
Color Shade(Color c, double light, double k = 0.35);

// A round rivet head at (cx, cy): returns coverage in `cover` and the
// colour lit from the top left.
Color Rivet(Color base, double x, double y, double cx, double cy, double radius, double& cover);

// Diagonal hazard stripes, 1 on the yellow parts.
double Stripes(double x, double y, double period, double slant = 1.0);

// Woven fabric: colour with a fine twill and soft folds.
Color Fabric(Color base, double x, double y, int w, int h, uint32_t seed, double weave = 0.06);

// Cross-hatched anti-slip tread for floor plates.
double Tread(double x, double y, double period);

// Coverage of a filled circle / ellipse with a soft (1 px) edge.
double Disk(double x, double y, double cx, double cy, double radius);
double Ellipse(double x, double y, double cx, double cy, double rx, double ry);
// Coverage of a rectangle with a soft edge.
double Rect(double x, double y, double x0, double y0, double x1, double y1);
// Coverage of a line segment of the given width.
double Line(double x, double y, double x0, double y0, double x1, double y1, double width);

}  // namespace assetgen
