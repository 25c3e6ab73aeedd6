#include "figure.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace assetgen {

int Figure::AddJoint(const std::string& name, int parent, Vec3 position) {
    ms3d::Joint joint;
    joint.name = name;
    Vec3 local = position;
    if (parent >= 0) {
        joint.parent = model.joints[static_cast<size_t>(parent)].name;
        local = position - positions[static_cast<size_t>(parent)];
    }
    joint.position[0] = static_cast<float>(local.x);
    joint.position[1] = static_cast<float>(local.y);
    joint.position[2] = static_cast<float>(local.z);
    model.joints.push_back(joint);
    positions.push_back(position);
    return static_cast<int>(model.joints.size()) - 1;
}

int Figure::AddChain(const std::vector<std::string>& names, int parent, const std::vector<Vec3>& points) {
    for (size_t i = 0; i < names.size(); ++i) parent = AddJoint(names[i], parent, points[i]);
    return parent;
}

void Figure::AddTrunk(Vec3 pelvis, Vec3 spine, Vec3 chest, Vec3 neck, Vec3 head) {
    AddChain({"pelvis", "spine", "chest", "neck", "head"}, -1, {pelvis, spine, chest, neck, head});
}

void Figure::AddGroups(const std::string& name, const std::string& letter, int count) {
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i + 1);
        builder.AddTexturedGroup(name + "_" + n, letter + n, letter + n);
    }
}

Arm Figure::AddArm(const std::string& side, int chest, Vec3 clavicle, Vec3 shoulder, Vec3 elbow, Vec3 wrist,
                   double fingers) {
    const Vec3 handDir = Normalize(wrist - elbow);
    const int last = AddChain({"clavicle_" + side, "upperarm_" + side, "forearm_" + side, "hand_" + side,
                               "fingers_" + side},
                              chest, {clavicle, shoulder, elbow, wrist, wrist + handDir * fingers});
    return {shoulder, elbow, wrist, handDir, last - 3, last - 2, last - 1, last};
}

Leg Figure::AddLeg(const std::string& side, int pelvis, Vec3 hip, double thigh, double shin) {
    const int last = AddChain({"thigh_" + side, "shin_" + side, "foot_" + side}, pelvis,
                              {hip, hip - Vec3{0, thigh, 0}, hip - Vec3{0, thigh + shin, 0}});
    return {hip, hip.y - thigh, hip.y - thigh - shin, thigh, shin, hip - Vec3{0, thigh + shin - 0.001, 0},
            last - 2, last - 1, last};
}

std::vector<Ring> Figure::Chain(const std::vector<Vec3>& points, const std::vector<std::pair<double, double>>& radii,
                                Vec3 side0, Vec3 front0) {
    std::vector<Ring> rings;
    Vec3 side = Normalize(side0), front = Normalize(front0);
    Vec3 previous{};
    for (size_t i = 0; i < points.size(); ++i) {
        const Vec3 a = points[i > 0 ? i - 1 : i], b = points[i + 1 < points.size() ? i + 1 : i];
        const Vec3 direction = Normalize(b - a);
        if (i > 0) {
            const Vec3 axis = Cross(previous, direction);
            const double s = Length(axis), c = Dot(previous, direction);
            if (s > 1e-9) {
                const Mat3 turn = AxisAngle(axis, std::atan2(s, c));
                side = Normalize(turn * side);
                front = Normalize(turn * front);
            }
        }
        previous = direction;
        rings.push_back({points[i], side, front, radii[i].first, radii[i].second});
    }
    return rings;
}

void SampleKeys(ms3d::Model& model, const std::vector<double>& times, const PoseFunction& pose) {
    std::vector<Vec3> last(model.joints.size());
    for (double t : times) {
        const std::vector<JointPose> poses = pose(t);
        for (size_t j = 0; j < model.joints.size(); ++j) {
            const Vec3 e = ToEuler(poses[j].rotation, last[j]);
            last[j] = e;
            ms3d::Key r, k;
            r.time = k.time = static_cast<float>(t);
            r.value[0] = static_cast<float>(e.x);
            r.value[1] = static_cast<float>(e.y);
            r.value[2] = static_cast<float>(e.z);
            k.value[0] = static_cast<float>(poses[j].translation.x);
            k.value[1] = static_cast<float>(poses[j].translation.y);
            k.value[2] = static_cast<float>(poses[j].translation.z);
            model.joints[j].rotationKeys.push_back(r);
            model.joints[j].translationKeys.push_back(k);
        }
    }
}

void PlaceLeg(Vec3 hip, Vec3 ankle, double thigh, double shin, JointPose& thighPose, JointPose& shinPose,
              JointPose& footPose) {
    const Vec3 v = ankle - hip;
    const double reach = std::min(Length(v), thigh + shin - 1e-6);
    const double sway = std::atan2(v.x, -v.y);  // sideways lean of the whole leg
    const double planar = std::hypot(v.y, v.x);
    const double pitch = std::atan2(v.z, planar);  // forward lean towards the ankle
    const double cosKnee = (thigh * thigh + shin * shin - reach * reach) / (2 * thigh * shin);
    const double bend = kPi - std::acos(std::clamp(cosKnee, -1.0, 1.0));
    const double cosHip = (thigh * thigh + reach * reach - shin * shin) / (2 * thigh * reach);
    const double lift = std::acos(std::clamp(cosHip, -1.0, 1.0));
    // A negative turn about x swings a hanging limb forward.
    thighPose.rotation = RotateZ(sway) * RotateX(-(pitch + lift));
    shinPose.rotation = RotateX(bend);
    footPose.rotation = RotateX(pitch + lift - bend) * RotateZ(-sway);
}

void PlaceLeg(const Leg& leg, Vec3 ankle, std::vector<JointPose>& pose) {
    PlaceLeg({0, 0, 0}, ankle, leg.thighLength, leg.shinLength, pose[static_cast<size_t>(leg.thigh)],
             pose[static_cast<size_t>(leg.shin)], pose[static_cast<size_t>(leg.foot)]);
}

void Regroup(ms3d::Model& model, size_t firstTriangle, int group, const std::function<bool(Vec3 centroid)>& select,
             const std::function<UV(Vec3 corner)>& uv) {
    for (size_t i = firstTriangle; i < model.triangles.size(); ++i) {
        ms3d::Triangle& t = model.triangles[i];
        Vec3 c{};
        Vec3 corner[3];
        for (int k = 0; k < 3; ++k) {
            const float* p = model.vertices[static_cast<size_t>(t.vertices[k])].position;
            corner[k] = {p[0], p[1], p[2]};
            c = c + corner[k] * (1.0 / 3.0);
        }
        if (!select(c)) continue;
        auto& from = model.groups[static_cast<size_t>(t.group)].triangles;
        from.erase(std::find(from.begin(), from.end(), static_cast<int>(i)));
        t.group = group;
        model.groups[static_cast<size_t>(group)].triangles.push_back(static_cast<int>(i));
        for (int k = 0; k < 3; ++k) {
            const UV u = uv(corner[k]);
            t.s[k] = static_cast<float>(u.s);
            t.t[k] = static_cast<float>(u.t);
        }
    }
}


double Ease(double t, double t0, double t1) {
    if (t <= t0) return 0.0;
    if (t >= t1) return 1.0;
    const double x = (t - t0) / (t1 - t0);
    return x * x * (3.0 - 2.0 * x);
}

double Hold(double t, double in0, double in1, double out0, double out1) {
    return Ease(t, in0, in1) * (1.0 - Ease(t, out0, out1));
}

}  // namespace assetgen
