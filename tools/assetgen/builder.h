// Building blocks for model geometry: quads, grids, boxes, lofted tubes and
// discs, with per-corner normals and texture coordinates. Triangles are
// wound counter-clockwise as seen from the side their normals face, which is
// the side drawn when back faces are culled.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "geometry.h"
#include "formats/ms3d_writer.h"

namespace assetgen {

struct UV {
    double s = 0.0, t = 0.0;  // t = 0 at the top of the picture
};

// One cross-section of a lofted tube: an ellipse around `center` spanned by
// `side` (radius `rs`) and `front` (radius `rf`).
struct Ring {
    Vec3 center;
    Vec3 side{1, 0, 0};
    Vec3 front{0, 0, 1};
    double rs = 1.0, rf = 1.0;
};

struct LoftOptions {
    int segments = 8;
    bool capStart = true;  // close the first ring with a pole
    bool capEnd = true;
    // Close an end flat, across its own ring, without a pole (for ends hidden
    // inside another part; one vertex fewer).
    bool flatStart = false;
    bool flatEnd = false;
    double startBulge = 0.0;  // pole distance beyond the first ring, along the tube
    double endBulge = 0.0;
    double sRepeat = 1.0;  // picture repeats around the tube
    double t0 = 0.0, t1 = 1.0;  // picture rows from the first to the last ring
    // Optional: the joint of each ring, and the group of the band of
    // triangles after each ring (the end cap takes the last band's group).
    // Empty means the loft's own joint and group throughout.
    std::vector<int> ringJoints;
    std::vector<int> bandGroups;
    // Optional picture rows for each band (top ring, bottom ring), so that
    // each group's picture spans its own bands; overrides t0..t1.
    std::vector<std::pair<double, double>> bandT;
};

class MeshBuilder {
public:
    explicit MeshBuilder(ms3d::Model& target) : model(target) {}

    int AddGroup(const std::string& name, int material);
    // A group with a material of its own, whose texture is the picture
    // `picture`.jpg beside the model (".\\picture.jpg").
    int AddTexturedGroup(const std::string& name, const std::string& material, const std::string& picture);
    int AddVertex(Vec3 p, int joint);
    // A triangle whose winding follows the given corner normals.
    void AddTriangle(int group, int a, int b, int c, Vec3 na, Vec3 nb, Vec3 nc, UV ua, UV ub, UV uc);
    void AddFlatTriangle(int group, int a, int b, int c, UV ua, UV ub, UV uc);

    // A parallelogram from its top-left corner, facing cross(down, right);
    // the picture's [s0, s1] x [t0, t1] is laid over it.
    void Quad(int group, int joint, Vec3 topLeft, Vec3 right, Vec3 down, UV uv0 = {0, 0}, UV uv1 = {1, 1});
    // The same divided into nu x nv cells sharing their corners; the picture
    // repeats `repeatU` x `repeatV` times over the whole.
    void Grid(int group, int joint, Vec3 topLeft, Vec3 right, Vec3 down, int nu, int nv, double repeatU, double repeatV);
    // A box given by its centre and three half-axes (8 shared corners, 12
    // triangles, flat faces). `texel` > 0 repeats the picture every `texel`
    // units; 0 stretches it once over each face.
    void Box(int group, int joint, Vec3 center, Vec3 ax, Vec3 ay, Vec3 az, double texel = 0.0);
    void AxisBox(int group, int joint, Vec3 low, Vec3 high, double texel = 0.0);
    // A tube through `rings` with smooth normals and optional rounded ends.
    void Loft(int group, int joint, const std::vector<Ring>& rings, const LoftOptions& options);
    // A flat n-sided disc as a fan around its centre (n + 1 vertices).
    void Disc(int group, int joint, Vec3 center, Vec3 normal, double radius, int sides, UV uvCenter = {0.5, 0.5},
              double uvRadius = 0.5);
    // A closed cone (a stud, rivet or button) standing on its base.
    void Cone(int group, int joint, Vec3 base, Vec3 tip, double radius, int sides);

    ms3d::Model& model;
    // When set, grids and boxes give every cell or face corners of its own
    // instead of sharing them with their neighbours. The picture is the
    // same; only the vertex count changes.
    bool splitFaces = false;
};

// A straight tube between two points with the given radii at each end.
std::vector<Ring> Segment(Vec3 from, Vec3 to, double r0, double r1, int rings, Vec3 frontHint = {0, 0, 1});

// Decoration that brings a model to exact counts: `quads` loose quads
// (4 vertices, 2 triangles), at most one disc with `discSides` sides
// (sides + 1, sides) and `cones` closed cones of 3 to 16 sides whose base
// sides add up to `coneSides` (each n-sided cone: n + 1 vertices, 2n - 2
// triangles).
struct Padding {
    bool found = false;
    int quads = 0, discSides = 0, cones = 0, coneSides = 0;
    // Base sides of cone number k of `cones`, spreading `coneSides` evenly.
    int ConeSides(int k) const { return coneSides / cones + (k < coneSides % cones ? 1 : 0); }
};
Padding FindPadding(int vertices, int triangles);

}  // namespace assetgen
