// The scientist: lab coat, glasses, a tablet in the left hand. The loop
// works on the tablet, starts at the alarm, points and looks around, and
// goes back to work.
#include <cmath>

#include "figure.h"
#include "models.h"

namespace assetgen {

namespace {

enum ScientistJoint {
    kPelvis, kSpine, kChest, kNeck, kHead,
    kClavicleR, kUpperArmR, kForearmR, kHandR, kFingersR,
    kClavicleL, kUpperArmL, kForearmL, kHandL, kFingersL,
    kThighR, kShinR, kFootR, kThighL, kShinL, kFootL,
    kTablet, kScientistJoints
};

enum ScientistGroup {
    gFace, gHair, gCoat, gUpperSleeves, gLowerSleeves, gCollar, gHands, gFingers, gThighs, gShins, gShoes,
    gNeck, gBackHair, gEars, gSkirt, gShirt, gScreen, gTabletBody, gHips, kScientistGroups
};

constexpr double kThigh = 2.85, kShin = 2.8;
// The drawing places the scientist 8 units below the warden's floor level
// in its own space, so it stands 8 units up.
constexpr double kStand = 8.0;

}  // namespace

ms3d::Model BuildScientist() {
    ms3d::Model model;
    model.totalFrames = 185;
    Figure f(model);
    MeshBuilder& b = f.builder;
    f.AddGroups("scientist", "s", kScientistGroups);

    f.AddTrunk({0, 6.6, 0}, {0, 7.8, 0}, {0, 9.1, 0}, {0, 10.3, 0.05}, {0, 10.85, 0.1});
    const Vec3 shoulderR{-1.55, 9.85, 0}, shoulderL{1.55, 9.85, 0};
    const Vec3 elbowR = shoulderR + Normalize({-0.15, -1, 0.1}) * 1.95;
    const Vec3 wristR = elbowR + Normalize({0.55, 0.5, 1}) * 1.6;
    const Vec3 elbowL = shoulderL + Normalize({0.15, -1, 0.1}) * 1.95;
    const Vec3 wristL = elbowL + Normalize({-0.45, 0.3, 1}) * 1.6;
    const Arm armR = f.AddArm("r", kChest, {-0.4, 9.9, 0}, shoulderR, elbowR, wristR, 0.7);
    const Arm armL = f.AddArm("l", kChest, {0.4, 9.9, 0}, shoulderL, elbowL, wristL, 0.7);
    const Leg legR = f.AddLeg("r", kPelvis, {-0.75, 6.45, 0}, kThigh, kShin);
    const Leg legL = f.AddLeg("l", kPelvis, {0.75, 6.45, 0}, kThigh, kShin);
    const Vec3 tabletCenter = wristL + armL.handDir * 0.55 + Vec3{-0.35, 0.12, 0};
    f.AddJoint("tablet", kHandL, tabletCenter);

    const Vec3 x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};
    // Torso: trousers at the hips, the coat, the collar; the shirt and tie
    // show in the coat's opening.
    {
        const size_t first = model.triangles.size();
        const std::vector<Vec3> p = {{0, 5.9, 0.05}, {0, 6.4, 0}, {0, 7.2, 0}, {0, 8.0, 0.02},
                                     {0, 9.0, 0.06}, {0, 9.9, 0}, {0, 10.3, 0}};
        const std::vector<std::pair<double, double>> r = {{0.95, 0.7}, {1.25, 0.85}, {1.25, 0.85}, {1.3, 0.9},
                                                           {1.5, 1.0}, {1.35, 0.85}, {0.5, 0.45}};
        LoftOptions o;
        o.segments = 8;
        o.startBulge = 0.2;
        o.endBulge = 0.05;
        o.ringJoints = {kPelvis, kPelvis, kPelvis, kSpine, kChest, kChest, kChest};
        o.bandGroups = {gHips, gHips, gCoat, gCoat, gCoat, gCollar};
        o.bandT = {{0.0, 0.5}, {0.5, 1.0}, {0.8, 0.55}, {0.55, 0.3}, {0.3, 0.05}, {0.0, 1.0}};
        b.Loft(0, 0, Figure::Chain(p, r, x, z), o);
        Regroup(model, first, gShirt,
                [](Vec3 c) { return c.z > 0.55 && std::fabs(c.x) < 0.55 && c.y > 8.4 && c.y < 10.0; },
                [](Vec3 c) { return UV{(c.x + 0.6) / 1.2, (10.0 - c.y) / 1.6}; });
    }
    // The coat's skirt over the thighs.
    {
        const std::vector<Vec3> p = {{0, 6.0, 0}, {0, 7.3, 0.02}, {0, 4.4, 0.05}, {0, 4.2, 0.05}};
        const std::vector<std::pair<double, double>> r = {{0.5, 0.4}, {1.3, 0.9}, {1.55, 1.1}, {1.45, 1.0}};
        LoftOptions o;
        o.segments = 8;
        o.flatStart = true;
        o.capEnd = false;
        std::vector<Ring> rings = Figure::Chain({p[1], p[2], p[3]}, {r[1], r[2], r[3]}, x, z);
        o.bandT = {{0.0, 1.0}, {1.0, 1.0}};
        // A closed shell: the inner wall of the hem turns back up to a pole.
        rings.push_back({{0, 5.6, 0.05}, x, z, 0.9, 0.6});
        o.capEnd = true;
        o.endBulge = 0.0;
        b.Loft(gSkirt, kPelvis, rings, o);
    }
    // Head: neck, face, hair on the crown.
    {
        const std::vector<Vec3> p = {{0, 10.0, 0.05}, {0, 10.55, 0.1}, {0, 10.8, 0.22}, {0, 11.1, 0.2},
                                     {0, 11.45, 0.18}, {0, 11.85, 0.12}, {0, 12.15, 0.05}};
        const std::vector<std::pair<double, double>> r = {{0.36, 0.36}, {0.4, 0.42}, {0.5, 0.58}, {0.6, 0.66},
                                                           {0.63, 0.68}, {0.6, 0.64}, {0.45, 0.5}};
        LoftOptions o;
        o.segments = 8;
        o.flatStart = true;
        o.endBulge = 0.12;
        o.ringJoints = {kNeck, kNeck, kHead, kHead, kHead, kHead, kHead};
        o.bandGroups = {gNeck, gFace, gFace, gFace, gFace, gHair};
        o.bandT = {{1.0, 0.0}, {1.0, 0.86}, {0.86, 0.64}, {0.64, 0.42}, {0.42, 0.18}, {1.0, 0.0}};
        const size_t first = model.triangles.size();
        b.Loft(0, 0, Figure::Chain(p, r, x, z), o);
        // Grey hair over the back of the head, down to the nape.
        Regroup(model, first, gBackHair, [](Vec3 c) { return c.z < -0.2 && c.y > 10.75 && c.y < 11.9; },
                [](Vec3 c) { return UV{(c.x + 0.7) / 1.4, (11.9 - c.y) / 1.2}; });
    }
    // Ears.
    for (double s : {-1.0, 1.0}) b.Box(gEars, kHead, {s * 0.64, 11.3, 0.15}, {0.06, 0, 0}, {0, 0.2, 0}, {0, 0, 0.12});
    // Arms: sleeve, cuff, hand, fingers.
    for (const Arm& arm : {armR, armL}) {
        const Vec3 shoulder = arm.shoulder, elbow = arm.elbow, wrist = arm.wrist, dir = arm.handDir;
        const std::vector<Vec3> p = {shoulder + Vec3{0, 0.05, 0}, Lerp(shoulder, elbow, 0.5), elbow,
                                     Lerp(elbow, wrist, 0.55), wrist - dir * 0.1, wrist + dir * 0.45, wrist + dir * 0.75,
                                     wrist + dir * 1.1};
        const std::vector<std::pair<double, double>> r = {{0.5, 0.5}, {0.45, 0.45}, {0.4, 0.4}, {0.42, 0.42},
                                                           {0.43, 0.43}, {0.3, 0.17}, {0.29, 0.15}, {0.16, 0.1}};
        LoftOptions o;
        o.segments = 6;
        o.startBulge = 0.3;
        o.endBulge = 0.1;
        o.ringJoints = {arm.upperArm, arm.upperArm, arm.forearm, arm.forearm, arm.forearm, arm.hand, arm.fingers,
                        arm.fingers};
        o.bandGroups = {gUpperSleeves, gUpperSleeves, gLowerSleeves, gLowerSleeves, gHands, gFingers, gFingers};
        o.bandT = {{0.0, 0.5}, {0.5, 1.0}, {0.0, 0.6}, {0.6, 1.0}, {0.0, 1.0}, {0.0, 0.5}, {0.5, 1.0}};
        b.Loft(0, 0, Figure::Chain(p, r, Normalize(Cross(Normalize(elbow - shoulder), z)), z), o);
    }
    // Legs: trousers and shoes.
    for (const Leg& leg : {legR, legL}) {
        const Vec3 hip = leg.hip;
        const double sx = hip.x, knee = leg.knee, ankle = leg.ankle;
        const std::vector<Vec3> p = {{sx, hip.y + 0.4, 0}, {sx, hip.y - 0.3, 0}, {sx, knee + 0.2, 0.05},
                                     {sx, knee - 0.4, 0.05}, {sx, ankle + 0.5, 0}, {sx, ankle - 0.05, 0.15},
                                     {sx, 0.25, 0.9}, {sx, 0.25, 1.25}};
        const std::vector<std::pair<double, double>> r = {{0.55, 0.55}, {0.65, 0.65}, {0.46, 0.48}, {0.44, 0.46},
                                                           {0.38, 0.38}, {0.42, 0.5}, {0.4, 0.25}, {0.26, 0.18}};
        LoftOptions o;
        o.segments = 6;
        o.flatStart = true;
        o.endBulge = 0.12;
        o.ringJoints = {leg.thigh, leg.thigh, leg.thigh, leg.shin, leg.shin, leg.foot, leg.foot, leg.foot};
        o.bandGroups = {gThighs, gThighs, gShins, gShins, gShoes, gShoes, gShoes};
        o.bandT = {{0.0, 0.3}, {0.3, 1.0}, {0.0, 0.3}, {0.3, 1.0}, {0.0, 0.4}, {0.4, 0.8}, {0.8, 1.0}};
        b.Loft(0, 0, Figure::Chain(p, r, x, z), o);
    }
    // The tablet: its face towards the eyes is the screen.
    {
        const size_t first = model.triangles.size();
        const Vec3 forward = Normalize(Vec3{-0.1, 0.55, 1});
        const Vec3 across = Normalize(Cross(y, forward));
        const Vec3 face = Normalize(Cross(forward, across));
        b.Box(gTabletBody, kTablet, tabletCenter, across * 0.62, face * 0.05, forward * 0.85);
        Regroup(model, first, gScreen, [&](Vec3 c) { return Dot(c - tabletCenter, face) > 0.04; },
                [&](Vec3 c) {
                    const Vec3 d = c - tabletCenter;
                    return UV{0.5 + Dot(d, across) / 1.24, 0.5 - Dot(d, forward) / 1.7};
                });
    }

    const int needV = 380 - static_cast<int>(model.vertices.size());
    const int needT = 711 - static_cast<int>(model.triangles.size());
    const Padding pad = FindPadding(needV, needT);
    if (pad.found) {
        // Detail: pens in the breast pocket, a button, a name badge.
        for (int k = 0; k < pad.cones; ++k) {
            b.Cone(gTabletBody, kChest, {0.42 + 0.12 * k, 9.2, 0.86}, {0.42 + 0.12 * k, 9.75, 0.88}, 0.05, pad.ConeSides(k));
        }
        if (pad.discSides > 0) b.Disc(gShirt, kChest, {-0.45, 9.45, 1.02}, {0, 0.1, 1}, 0.16, pad.discSides);
        for (int k = 0; k < pad.quads; ++k) b.Quad(gShirt, kChest, {-0.65, 9.55 - 0.3 * k, 0.98}, {0.35, 0, 0}, {0, -0.2, 0});
    }

    // Stand on the floor of the drawing's placement.
    for (ms3d::Vertex& v : model.vertices) v.position[1] += static_cast<float>(kStand);
    model.joints[kPelvis].position[1] += static_cast<float>(kStand);

    // 180 keys from frame 3 (0.125 s) to frame 185, the end of the loop.
    std::vector<double> times;
    for (int k = 0; k < 180; ++k) times.push_back(std::round(3.0 + k * 182.0 / 179.0) / 24.0);
    const double first = times.front(), last = times.back();
    SampleKeys(model, times, [=](double t) {
        std::vector<JointPose> pose(kScientistJoints);
        const double s = (t - first) / (last - first) * 7.6;  // seconds into the loop
        const double alarm = Hold(s, 2.5, 3.0, 5.6, 6.5);
        const double work = 1.0 - alarm;
        // Tapping: a whole number of taps over the loop, so it closes.
        const double tapRate = 12.0 / 7.6;
        const double tap = work * 0.12 * std::max(0.0, std::sin(s * 2 * kPi * tapRate));
        const double scan = alarm * (0.75 * std::sin((s - 2.5) * 1.9));
        const double breathe = 0.02 * std::sin(s / 7.6 * 2 * kPi * 3);
        pose[kPelvis].translation = {0, -0.35 * Hold(s, 2.5, 2.8, 3.3, 4.2), -0.3 * alarm};
        pose[kSpine].rotation = RotateX(0.1 * work + breathe) * RotateY(0.2 * scan);
        pose[kChest].rotation = RotateX(0.05 * work - 0.12 * alarm) * RotateY(0.25 * scan);
        pose[kNeck].rotation = RotateX(0.2 * work) * RotateY(0.3 * scan);
        pose[kHead].rotation = RotateY(0.45 * scan) * RotateX(0.25 * work - 0.25 * alarm);
        pose[kUpperArmR].rotation = RotateZ(-0.5 * alarm) * RotateX(-1.9 * alarm);
        pose[kForearmR].rotation = RotateX(tap + 0.5 * alarm);
        pose[kHandR].rotation = RotateX(0.3 * work * std::sin(s * 2 * kPi * tapRate));
        pose[kFingersR].rotation = RotateX(0.3 * work);
        pose[kUpperArmL].rotation = RotateX(0.4 * alarm) * RotateZ(0.1 * alarm);
        pose[kForearmL].rotation = RotateX(0.35 * alarm);
        pose[kFingersL].rotation = RotateX(0.6);
        for (const Leg& leg : {legR, legL}) PlaceLeg(leg, leg.planted - (leg.hip + pose[kPelvis].translation), pose);
        return pose;
    });
    return model;
}

}  // namespace assetgen
