#include "builder.h"

#include <cmath>

namespace assetgen {

namespace {

void Store(float out[3], Vec3 v) {
    out[0] = static_cast<float>(v.x);
    out[1] = static_cast<float>(v.y);
    out[2] = static_cast<float>(v.z);
}

Vec3 Position(const ms3d::Model& model, int index) {
    const float* p = model.vertices[static_cast<size_t>(index)].position;
    return {p[0], p[1], p[2]};
}

}  // namespace

int MeshBuilder::AddGroup(const std::string& name, int material) {
    ms3d::Group group;
    group.name = name;
    group.material = material;
    model.groups.push_back(group);
    return static_cast<int>(model.groups.size()) - 1;
}

int MeshBuilder::AddTexturedGroup(const std::string& name, const std::string& material, const std::string& picture) {
    ms3d::Material m;
    m.name = material;
    m.texture = ".\\" + picture + ".jpg";
    model.materials.push_back(m);
    return AddGroup(name, static_cast<int>(model.materials.size()) - 1);
}

int MeshBuilder::AddVertex(Vec3 p, int joint) {
    ms3d::Vertex v;
    Store(v.position, p);
    v.joint = joint;
    model.vertices.push_back(v);
    return static_cast<int>(model.vertices.size()) - 1;
}

void MeshBuilder::AddTriangle(int group, int a, int b, int c, Vec3 na, Vec3 nb, Vec3 nc, UV ua, UV ub, UV uc) {
    const Vec3 pa = Position(model, a), pb = Position(model, b), pc = Position(model, c);
    if (Dot(Cross(pb - pa, pc - pa), na + nb + nc) < 0.0) {
        std::swap(b, c);
        std::swap(nb, nc);
        std::swap(ub, uc);
    }
    ms3d::Triangle t;
    t.vertices[0] = a;
    t.vertices[1] = b;
    t.vertices[2] = c;
    Store(t.normals[0], Normalize(na));
    Store(t.normals[1], Normalize(nb));
    Store(t.normals[2], Normalize(nc));
    const UV uv[3] = {ua, ub, uc};
    for (int i = 0; i < 3; ++i) {
        t.s[i] = static_cast<float>(uv[i].s);
        t.t[i] = static_cast<float>(uv[i].t);
    }
    t.group = group;
    model.triangles.push_back(t);
    model.groups[static_cast<size_t>(group)].triangles.push_back(static_cast<int>(model.triangles.size()) - 1);
}

void MeshBuilder::AddFlatTriangle(int group, int a, int b, int c, UV ua, UV ub, UV uc) {
    const Vec3 pa = Position(model, a), pb = Position(model, b), pc = Position(model, c);
    const Vec3 n = Normalize(Cross(pb - pa, pc - pa));
    AddTriangle(group, a, b, c, n, n, n, ua, ub, uc);
}

void MeshBuilder::Quad(int group, int joint, Vec3 topLeft, Vec3 right, Vec3 down, UV uv0, UV uv1) {
    Grid(group, joint, topLeft, right, down, 1, 1, 1.0, 1.0);
    // Grid lays the picture 0..1; move the last two triangles' coordinates.
    for (size_t i = model.triangles.size() - 2; i < model.triangles.size(); ++i) {
        ms3d::Triangle& t = model.triangles[i];
        for (int k = 0; k < 3; ++k) {
            t.s[k] = static_cast<float>(uv0.s + (uv1.s - uv0.s) * t.s[k]);
            t.t[k] = static_cast<float>(uv0.t + (uv1.t - uv0.t) * t.t[k]);
        }
    }
}

void MeshBuilder::Grid(int group, int joint, Vec3 topLeft, Vec3 right, Vec3 down, int nu, int nv, double repeatU,
                       double repeatV) {
    const Vec3 n = Normalize(Cross(down, right));
    auto point = [&](int i, int j) {
        return topLeft + right * (static_cast<double>(i) / nu) + down * (static_cast<double>(j) / nv);
    };
    auto uv = [&](int i, int j) { return UV{repeatU * i / nu, repeatV * j / nv}; };
    if (splitFaces) {
        for (int j = 0; j < nv; ++j) {
            for (int i = 0; i < nu; ++i) {
                const int a = AddVertex(point(i, j), joint), b = AddVertex(point(i, j + 1), joint);
                const int c = AddVertex(point(i + 1, j + 1), joint), d = AddVertex(point(i + 1, j), joint);
                AddTriangle(group, a, b, c, n, n, n, uv(i, j), uv(i, j + 1), uv(i + 1, j + 1));
                AddTriangle(group, a, c, d, n, n, n, uv(i, j), uv(i + 1, j + 1), uv(i + 1, j));
            }
        }
        return;
    }
    std::vector<int> index;
    for (int j = 0; j <= nv; ++j) {
        for (int i = 0; i <= nu; ++i) {
            index.push_back(AddVertex(point(i, j), joint));
        }
    }
    auto at = [&](int i, int j) { return index[static_cast<size_t>(j * (nu + 1) + i)]; };
    for (int j = 0; j < nv; ++j) {
        for (int i = 0; i < nu; ++i) {
            AddTriangle(group, at(i, j), at(i, j + 1), at(i + 1, j + 1), n, n, n, uv(i, j), uv(i, j + 1), uv(i + 1, j + 1));
            AddTriangle(group, at(i, j), at(i + 1, j + 1), at(i + 1, j), n, n, n, uv(i, j), uv(i + 1, j + 1), uv(i + 1, j));
        }
    }
}

void MeshBuilder::Box(int group, int joint, Vec3 center, Vec3 ax, Vec3 ay, Vec3 az, double texel) {
    Vec3 position[8];
    int corner[8] = {};
    for (int i = 0; i < 8; ++i) {
        position[i] = center + ax * ((i & 1) ? 1.0 : -1.0) + ay * ((i & 2) ? 1.0 : -1.0) + az * ((i & 4) ? 1.0 : -1.0);
        if (!splitFaces) corner[i] = AddVertex(position[i], joint);
    }
    // Each face: corners top-left, bottom-left, bottom-right, top-right seen
    // from outside, with its outward normal, width and height.
    struct Face {
        int c[4];
        Vec3 normal;
        double width, height;
    };
    const double lx = Length(ax) * 2, ly = Length(ay) * 2, lz = Length(az) * 2;
    const Face faces[6] = {
        {{6, 4, 5, 7}, Normalize(az), lx, ly},   {{3, 1, 0, 2}, -Normalize(az), lx, ly},
        {{7, 5, 1, 3}, Normalize(ax), lz, ly},   {{2, 0, 4, 6}, -Normalize(ax), lz, ly},
        {{2, 6, 7, 3}, Normalize(ay), lx, lz},   {{4, 0, 1, 5}, -Normalize(ay), lx, lz},
    };
    for (const Face& f : faces) {
        int c[4];
        for (int k = 0; k < 4; ++k) c[k] = splitFaces ? AddVertex(position[f.c[k]], joint) : corner[f.c[k]];
        const double su = texel > 0.0 ? f.width / texel : 1.0, sv = texel > 0.0 ? f.height / texel : 1.0;
        const UV tl{0, 0}, bl{0, sv}, br{su, sv}, tr{su, 0};
        const Vec3 n = f.normal;
        AddTriangle(group, c[0], c[1], c[2], n, n, n, tl, bl, br);
        AddTriangle(group, c[0], c[2], c[3], n, n, n, tl, br, tr);
    }
}

void MeshBuilder::AxisBox(int group, int joint, Vec3 low, Vec3 high, double texel) {
    const Vec3 half = (high - low) * 0.5;
    Box(group, joint, (low + high) * 0.5, {half.x, 0, 0}, {0, half.y, 0}, {0, 0, half.z}, texel);
}

void MeshBuilder::Loft(int group, int joint, const std::vector<Ring>& rings, const LoftOptions& o) {
    const int n = o.segments;
    const size_t count = rings.size();
    std::vector<std::vector<int>> index(count);
    std::vector<std::vector<Vec3>> normal(count);
    for (size_t r = 0; r < count; ++r) {
        const Ring& ring = rings[r];
        const Vec3 along = Normalize(rings[r + 1 < count ? r + 1 : r].center - rings[r > 0 ? r - 1 : r].center);
        for (int k = 0; k < n; ++k) {
            const double a = 2.0 * kPi * k / n;
            // Around from the back (-front) through -side, front and +side.
            const double cs = -std::sin(a), cf = -std::cos(a);
            const Vec3 p = ring.center + ring.side * (cs * ring.rs) + ring.front * (cf * ring.rf);
            index[r].push_back(AddVertex(p, o.ringJoints.empty() ? joint : o.ringJoints[r]));
            Vec3 radial = ring.side * (cs / std::max(ring.rs, 1e-4)) + ring.front * (cf / std::max(ring.rf, 1e-4));
            radial = Normalize(radial - along * Dot(radial, along));
            // Tilt the normal by the tube's taper so cones shade correctly.
            double slope = 0.0;
            if (count > 1) {
                const size_t r0 = r > 0 ? r - 1 : r, r1 = r + 1 < count ? r + 1 : r;
                const double dr = (rings[r1].rs + rings[r1].rf) - (rings[r0].rs + rings[r0].rf);
                const double dl = Length(rings[r1].center - rings[r0].center);
                slope = dl > 1e-6 ? -0.5 * dr / dl : 0.0;
            }
            normal[r].push_back(Normalize(radial + along * slope));
        }
    }
    const double dt = count > 1 ? (o.t1 - o.t0) / static_cast<double>(count - 1) : 0.0;
    // Picture coordinates of ring r's corner k as seen from band `b`.
    auto uvIn = [&](size_t b, size_t r, int k) {
        double t = o.t0 + dt * static_cast<double>(r);
        if (!o.bandT.empty()) {
            const auto& rows = o.bandT[std::min(b, o.bandT.size() - 1)];
            t = r == b ? rows.first : rows.second;
        }
        return UV{o.sRepeat * k / n, t};
    };
    auto band = [&](size_t r) { return o.bandGroups.empty() ? group : o.bandGroups[std::min(r, o.bandGroups.size() - 1)]; };
    for (size_t r = 0; r + 1 < count; ++r) {
        const int bandGroup = band(r);
        for (int k = 0; k < n; ++k) {
            const int k1 = (k + 1) % n;
            const int a = index[r][static_cast<size_t>(k)], b = index[r][static_cast<size_t>(k1)];
            const int c = index[r + 1][static_cast<size_t>(k)], d = index[r + 1][static_cast<size_t>(k1)];
            const Vec3 na = normal[r][static_cast<size_t>(k)], nb = normal[r][static_cast<size_t>(k1)];
            const Vec3 nc = normal[r + 1][static_cast<size_t>(k)], nd = normal[r + 1][static_cast<size_t>(k1)];
            AddTriangle(bandGroup, a, c, d, na, nc, nd, uvIn(r, r, k), uvIn(r, r + 1, k), uvIn(r, r + 1, k + 1));
            AddTriangle(bandGroup, a, d, b, na, nd, nb, uvIn(r, r, k), uvIn(r, r + 1, k + 1), uvIn(r, r, k + 1));
        }
    }
    auto flat = [&](size_t r, Vec3 outward) {
        const size_t capBand = r == 0 ? 0 : count - 2;
        const auto& ring = index[r];
        for (int k = 1; k + 1 < n; ++k) {
            AddTriangle(band(capBand), ring[0], ring[static_cast<size_t>(k)], ring[static_cast<size_t>(k + 1)], outward,
                        outward, outward, uvIn(capBand, r, 0), uvIn(capBand, r, k), uvIn(capBand, r, k + 1));
        }
    };
    auto cap = [&](size_t r, Vec3 outward, double bulge) {
        const int pole = AddVertex(rings[r].center + outward * bulge, o.ringJoints.empty() ? joint : o.ringJoints[r]);
        const size_t capBand = r == 0 ? 0 : count - 2;
        const int capGroup = band(capBand);
        const UV poleUv{0.5 * o.sRepeat, r == 0 ? uvIn(capBand, r, 0).t - 0.1 : uvIn(capBand, r, 0).t + 0.1};
        for (int k = 0; k < n; ++k) {
            const int k1 = (k + 1) % n;
            const Vec3 na = bulge > 0.0 ? normal[r][static_cast<size_t>(k)] : outward;
            const Vec3 nb = bulge > 0.0 ? normal[r][static_cast<size_t>(k1)] : outward;
            AddTriangle(capGroup, pole, index[r][static_cast<size_t>(k)], index[r][static_cast<size_t>(k1)], outward, na,
                        nb, poleUv, uvIn(capBand, r, k), uvIn(capBand, r, k + 1));
        }
    };
    const Vec3 startOut = count > 1 ? Normalize(rings[0].center - rings[1].center) : Vec3{};
    const Vec3 endOut = count > 1 ? Normalize(rings[count - 1].center - rings[count - 2].center) : Vec3{};
    if (count > 1 && o.flatStart) flat(0, startOut);
    else if (count > 1 && o.capStart) cap(0, startOut, o.startBulge);
    if (count > 1 && o.flatEnd) flat(count - 1, endOut);
    else if (count > 1 && o.capEnd) cap(count - 1, endOut, o.endBulge);
}

void MeshBuilder::Disc(int group, int joint, Vec3 center, Vec3 normal, double radius, int sides, UV uvCenter,
                       double uvRadius) {
    const Vec3 nrm = Normalize(normal);
    const Vec3 helper = std::fabs(nrm.y) < 0.9 ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
    const Vec3 u = Normalize(Cross(helper, nrm)), v = Cross(nrm, u);
    const int c = AddVertex(center, joint);
    std::vector<int> rim;
    for (int k = 0; k < sides; ++k) {
        const double a = 2.0 * kPi * k / sides;
        rim.push_back(AddVertex(center + u * (std::cos(a) * radius) + v * (std::sin(a) * radius), joint));
    }
    for (int k = 0; k < sides; ++k) {
        const int k1 = (k + 1) % sides;
        const double a0 = 2.0 * kPi * k / sides, a1 = 2.0 * kPi * k1 / sides;
        AddTriangle(group, c, rim[static_cast<size_t>(k)], rim[static_cast<size_t>(k1)], nrm, nrm, nrm, uvCenter,
                    {uvCenter.s + uvRadius * std::cos(a0), uvCenter.t - uvRadius * std::sin(a0)},
                    {uvCenter.s + uvRadius * std::cos(a1), uvCenter.t - uvRadius * std::sin(a1)});
    }
}

void MeshBuilder::Cone(int group, int joint, Vec3 base, Vec3 tip, double radius, int sides) {
    const Vec3 axis = Normalize(tip - base);
    const Vec3 helper = std::fabs(axis.y) < 0.9 ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
    const Vec3 u = Normalize(Cross(helper, axis)), v = Cross(axis, u);
    const int apex = AddVertex(tip, joint);
    std::vector<int> rim;
    std::vector<Vec3> out;
    for (int k = 0; k < sides; ++k) {
        const double a = 2.0 * kPi * k / sides;
        out.push_back(u * std::cos(a) + v * std::sin(a));
        rim.push_back(AddVertex(base + out.back() * radius, joint));
    }
    const double slant = radius / std::max(Length(tip - base), 1e-6);
    for (int k = 0; k < sides; ++k) {
        const int k1 = (k + 1) % sides;
        const Vec3 n0 = Normalize(out[static_cast<size_t>(k)] + axis * slant);
        const Vec3 n1 = Normalize(out[static_cast<size_t>(k1)] + axis * slant);
        AddTriangle(group, apex, rim[static_cast<size_t>(k)], rim[static_cast<size_t>(k1)], Normalize(n0 + n1), n0, n1,
                    {0.5, 0.0}, {static_cast<double>(k) / sides, 1.0}, {static_cast<double>(k + 1) / sides, 1.0});
    }
    for (int k = 1; k + 1 < sides; ++k) {
        AddTriangle(group, rim[0], rim[static_cast<size_t>(k + 1)], rim[static_cast<size_t>(k)], -axis, -axis, -axis,
                    {0.5, 0.5}, {0.5, 0.5}, {0.5, 0.5});
    }
}

std::vector<Ring> Segment(Vec3 from, Vec3 to, double r0, double r1, int rings, Vec3 frontHint) {
    const Vec3 axis = Normalize(to - from);
    Vec3 side = Cross(axis, frontHint);
    if (Length(side) < 1e-6) side = Cross(axis, Vec3{1, 0, 0});
    side = Normalize(side);
    // Keep `side` pointing along +x-ish for a tube that runs vertically.
    if (Dot(side, Vec3{1, 0, 0}) < 0.0) side = -side;
    Vec3 front = Normalize(Cross(side, axis));
    if (Dot(front, frontHint) < 0.0) front = -front;
    std::vector<Ring> out;
    for (int i = 0; i < rings; ++i) {
        const double t = rings > 1 ? static_cast<double>(i) / (rings - 1) : 0.0;
        const double r = r0 + (r1 - r0) * t;
        out.push_back({Lerp(from, to, t), side, front, r, r});
    }
    return out;
}

Padding FindPadding(int vertices, int triangles) {
    Padding best;
    int bestItems = 1 << 30;
    for (int quads = 0; quads <= vertices / 4; ++quads) {
        for (int disc = 0; disc <= 12; ++disc) {
            if (disc == 1 || disc == 2) continue;
            const int dv = vertices - 4 * quads - (disc > 0 ? disc + 1 : 0);
            const int dt = triangles - 2 * quads - disc;
            if (dv < 0 || dt < 0) continue;
            const int excess = 2 * dv - dt;  // every cone contributes 4
            if (excess < 0 || excess % 4 != 0) continue;
            const int cones = excess / 4;
            const int sides = dv - cones;
            // Cones of 3 to 16 sides: more would only add slivers to the base.
            if (cones == 0 ? (dv != 0 || dt != 0) : (sides < 3 * cones || sides > 16 * cones)) continue;
            const int items = quads + cones + (disc > 0 ? 1 : 0);
            if (items < bestItems) {
                bestItems = items;
                best = {true, quads, disc, cones, sides};
            }
        }
    }
    return best;
}

}  // namespace assetgen
