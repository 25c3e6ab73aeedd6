// The warden: a guard in armour and helmet holding a rifle across the chest.
// The bind pose is the guard's stance; the loop scans the room, shifts
// weight, raises the rifle to sight along it and settles again.
#include <cmath>

#include "figure.h"
#include "models.h"

namespace assetgen {

namespace {

enum WardenJoint {
    kPelvis, kSpine, kChest, kNeck, kHead,
    kClavicleR, kUpperArmR, kForearmR, kHandR, kFingersR, kThumbR,
    kClavicleL, kUpperArmL, kForearmL, kHandL, kFingersL, kThumbL,
    kThighR, kShinR, kFootR, kThighL, kShinL, kFootL,
    kRifle, kWardenJoints
};

// Groups, in material order (material i is W(i + 1)).
enum WardenGroup {
    gFace, gHelmet, gVisor, gVest, gPads, gSleeves, gGloves, gFingers, gThighs, gBoots,
    gBelt, gKnees, gArmband, gCollar, gRifle, gStock, gPack, gHips, gGuards, gShins, kWardenGroups
};

constexpr double kThigh = 3.05, kShin = 2.95;

}  // namespace

ms3d::Model BuildWarden() {
    ms3d::Model model;
    model.totalFrames = 281;
    Figure f(model);
    MeshBuilder& b = f.builder;
    f.AddGroups("warden", "w", kWardenGroups);

    // Skeleton in the guard's stance.
    f.AddTrunk({0, 7.0, 0}, {0, 8.3, 0}, {0, 9.7, 0}, {0, 10.9, 0.05}, {0, 11.5, 0.1});
    const Vec3 shoulderR{-1.75, 10.4, 0}, shoulderL{1.75, 10.4, 0};
    const Vec3 elbowR = shoulderR + Normalize({-0.25, -1, 0.2}) * 2.0;
    const Vec3 wristR = elbowR + Normalize({0.3, -0.25, 1}) * 1.7;
    const Vec3 elbowL = shoulderL + Normalize({0.2, -1, 0.35}) * 2.0;
    const Vec3 wristL = elbowL + Normalize({-0.55, 0.45, 1}) * 1.7;
    const Arm armR = f.AddArm("r", kChest, {-0.45, 10.45, 0}, shoulderR, elbowR, wristR, 0.75);
    f.AddJoint("thumb_r", kHandR, wristR + armR.handDir * 0.2 + Vec3{0.25, 0.1, 0});
    const Arm armL = f.AddArm("l", kChest, {0.45, 10.45, 0}, shoulderL, elbowL, wristL, 0.75);
    f.AddJoint("thumb_l", kHandL, wristL + armL.handDir * 0.2 + Vec3{-0.2, 0.15, 0});
    const Leg legR = f.AddLeg("r", kPelvis, {-0.85, 6.75, 0}, kThigh, kShin);
    const Leg legL = f.AddLeg("l", kPelvis, {0.85, 6.75, 0}, kThigh, kShin);
    const Vec3 gripR = wristR + armR.handDir * 0.45, gripL = wristL + armL.handDir * 0.45;
    f.AddJoint("rifle", kHandR, gripR);

    const Vec3 x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};
    // Torso: crotch to collar, pelvis / belt / vest / collar bands.
    {
        const size_t first = model.triangles.size();
        const std::vector<Vec3> p = {{0, 6.2, 0.05}, {0, 6.7, 0}, {0, 7.4, 0}, {0, 7.9, 0},
                                     {0, 9.6, 0.05}, {0, 10.5, 0}, {0, 10.9, 0}};
        const std::vector<std::pair<double, double>> r = {{1.05, 0.75}, {1.35, 0.9}, {1.42, 0.97}, {1.47, 1.0},
                                                           {1.75, 1.15}, {1.5, 0.95}, {0.55, 0.5}};
        LoftOptions o;
        o.segments = 8;
        o.startBulge = 0.25;
        o.endBulge = 0.05;
        o.ringJoints = {kPelvis, kPelvis, kPelvis, kSpine, kChest, kChest, kChest};
        o.bandGroups = {gHips, gHips, gBelt, gVest, gVest, gCollar};
        o.bandT = {{1.0, 0.5}, {0.5, 0.0}, {1.0, 0.0}, {1.0, 0.3}, {0.3, 0.0}, {1.0, 0.0}};
        b.Loft(0, 0, Figure::Chain(p, r, x, z), o);
        // The radio pack is strapped flat to the back of the vest.
        Regroup(model, first, gPack, [](Vec3 c) { return c.z < -0.75 && c.y > 8.2 && c.y < 10.2; },
                [](Vec3 c) { return UV{(c.x + 1.2) / 2.4, (10.2 - c.y) / 2.0}; });
    }
    // Head and helmet as one shell: neck, jaw, face, the brim and the dome.
    // The visor is the band of the face in front of the eyes.
    {
        const size_t first = model.triangles.size();
        const std::vector<Vec3> p = {{0, 10.6, 0.05}, {0, 11.2, 0.12}, {0, 11.75, 0.2}, {0, 12.05, 0.2},
                                     {0, 12.0, 0.22}, {0, 12.55, 0.18}, {0, 13.05, 0.1}};
        const std::vector<std::pair<double, double>> r = {{0.42, 0.42}, {0.5, 0.55}, {0.66, 0.7}, {0.66, 0.7},
                                                           {0.84, 0.9}, {0.82, 0.88}, {0.6, 0.64}};
        LoftOptions o;
        o.segments = 8;
        o.flatStart = true;
        o.endBulge = 0.3;
        o.ringJoints = {kNeck, kHead, kHead, kHead, kHead, kHead, kHead};
        o.bandGroups = {gCollar, gFace, gFace, gHelmet, gHelmet, gHelmet};
        o.bandT = {{1.0, 0.0}, {0.95, 0.55}, {0.55, 0.2}, {1.0, 0.95}, {0.95, 0.5}, {0.5, 0.0}};
        b.Loft(0, 0, Figure::Chain(p, r, x, z), o);
        Regroup(model, first, gVisor, [](Vec3 c) { return c.z > 0.3 && c.y > 11.76 && c.y < 12.04; },
                [](Vec3 c) { return UV{(c.x + 0.75) / 1.5, (12.05 - c.y) / 0.3}; });
    }
    // Arms: shoulder, sleeve, armband, forearm guard, glove, fingers.
    for (const Arm& arm : {armR, armL}) {
        const Vec3 shoulder = arm.shoulder, elbow = arm.elbow, wrist = arm.wrist, dir = arm.handDir;
        const std::vector<Vec3> p = {shoulder + Vec3{0, 0.05, 0}, Lerp(shoulder, elbow, 0.45), Lerp(shoulder, elbow, 0.6),
                                     elbow, wrist, wrist + dir * 0.7, wrist + dir * 1.15};
        const std::vector<std::pair<double, double>> r = {{0.55, 0.55}, {0.5, 0.5}, {0.48, 0.48}, {0.44, 0.44},
                                                           {0.34, 0.3}, {0.36, 0.2}, {0.2, 0.12}};
        LoftOptions o;
        o.segments = 6;
        o.startBulge = 0.35;
        o.endBulge = 0.12;
        o.ringJoints = {arm.upperArm, arm.upperArm, arm.upperArm, arm.forearm, arm.hand, arm.fingers, arm.fingers};
        o.bandGroups = {gSleeves, gArmband, gSleeves, gGuards, gGloves, gFingers};
        o.bandT = {{0.0, 0.6}, {0.0, 1.0}, {0.6, 1.0}, {0.0, 1.0}, {0.0, 1.0}, {0.0, 1.0}};
        b.Loft(0, 0, Figure::Chain(p, r, Normalize(Cross(Normalize(elbow - shoulder), z)), z), o);
    }
    // Thumbs.
    for (int side = 0; side < 2; ++side) {
        const bool right = side == 0;
        const int thumb = right ? kThumbR : kThumbL;
        const Vec3 base = f.JointPosition(thumb);
        const Vec3 dir = Normalize((right ? armR : armL).handDir + Vec3{0, 0.6, 0});
        LoftOptions o;
        o.segments = 4;
        o.startBulge = 0.05;
        o.endBulge = 0.08;
        b.Loft(gFingers, thumb, Segment(base, base + dir * 0.55, 0.13, 0.1, 2, y), o);
    }
    // Shoulder pads.
    for (double s : {-1.0, 1.0}) {
        b.Box(gPads, s < 0 ? kUpperArmR : kUpperArmL, {s * 1.85, 10.55, 0}, Vec3{0.55, -0.18 * s, 0},
              Vec3{0.1 * s, 0.28, 0}, {0, 0, 0.62});
    }
    // Legs: thigh, knee pad, shin, boot.
    for (const Leg& leg : {legR, legL}) {
        const Vec3 hip = leg.hip;
        const double sx = hip.x, knee = leg.knee, ankle = leg.ankle;
        const std::vector<Vec3> p = {{sx, hip.y + 0.5, 0}, {sx, hip.y - 1.4, 0.05}, {sx, knee + 0.35, 0.1},
                                     {sx, knee - 0.3, 0.12}, {sx, ankle + 0.55, 0}, {sx, ankle - 0.05, 0.2},
                                     {sx, 0.3, 0.95}, {sx, 0.3, 1.4}};
        const std::vector<std::pair<double, double>> r = {{0.7, 0.7}, {0.68, 0.7}, {0.5, 0.55}, {0.5, 0.58},
                                                           {0.42, 0.42}, {0.5, 0.55}, {0.46, 0.3}, {0.3, 0.2}};
        LoftOptions o;
        o.segments = 6;
        o.flatStart = true;
        o.endBulge = 0.15;
        o.ringJoints = {leg.thigh, leg.thigh, leg.thigh, leg.shin, leg.shin, leg.foot, leg.foot, leg.foot};
        o.bandGroups = {gThighs, gThighs, gKnees, gShins, gBoots, gBoots, gBoots};
        o.bandT = {{0.0, 0.4}, {0.4, 1.0}, {0.0, 1.0}, {0.0, 1.0}, {0.0, 0.4}, {0.4, 0.8}, {0.8, 1.0}};
        b.Loft(0, 0, Figure::Chain(p, r, x, z), o);
    }
    // The rifle, held across the chest, and the pack on the back.
    {
        const Vec3 axis = Normalize(gripL - gripR);
        const Vec3 lift = Normalize(Cross(Cross(axis, y), axis)) * -0.35;
        const Vec3 base = gripR + lift;
        const std::vector<Vec3> p = {base - axis * 1.5, base - axis * 0.9, base - axis * 0.2, base + axis * 1.6,
                                     base + axis * 2.0, base + axis * 3.4};
        const std::vector<std::pair<double, double>> r = {{0.14, 0.42}, {0.12, 0.2}, {0.16, 0.3}, {0.16, 0.3}, {0.09, 0.09}, {0.07, 0.07}};
        LoftOptions o;
        o.segments = 4;
        o.startBulge = 0.02;
        o.endBulge = 0.05;
        o.ringJoints = {kRifle, kRifle, kRifle, kRifle, kRifle, kRifle};
        o.bandGroups = {gStock, gStock, gRifle, gRifle, gRifle};
        o.bandT = {{0.0, 0.5}, {0.5, 1.0}, {0.0, 1.0}, {0.0, 1.0}, {0.0, 1.0}};
        b.Loft(0, 0, Figure::Chain(p, r, Normalize(Cross(axis, y)), Normalize(Cross(Normalize(Cross(axis, y)), axis))), o);
    }

    const int needV = 382 - static_cast<int>(model.vertices.size());
    const int needT = 709 - static_cast<int>(model.triangles.size());
    const Padding pad = FindPadding(needV, needT);
    if (pad.found) {
        // Detail: rivets on the shoulder pads and the vest, a badge, pack plates.
        for (int k = 0; k < pad.cones; ++k) {
            const double a = -0.9 + 1.8 * (k + 0.5) / pad.cones;
            b.Cone(gPads, kChest, {std::sin(a) * 1.62, 9.95, std::cos(a) * 1.08},
                   {std::sin(a) * 1.75, 9.95, std::cos(a) * 1.17}, 0.08, pad.ConeSides(k));
        }
        if (pad.discSides > 0) b.Disc(gVest, kChest, {0.55, 9.9, 1.16}, {0.3, 0, 1}, 0.18, pad.discSides);
        for (int k = 0; k < pad.quads; ++k) b.Quad(gPack, kChest, {-0.6 + 0.65 * k, 10.1, -1.62}, {0.5, 0, 0}, {0, -0.4, 0});
    }

    // The loop: 250 keys a frame apart from 0.125 s to 10.5 s.
    std::vector<double> times;
    for (int k = 0; k < 250; ++k) times.push_back((3 + k) / 24.0);
    const double first = times.front(), last = times.back();
    const Vec3 pelvis = f.JointPosition(kPelvis);
    SampleKeys(model, times, [=](double t) {
        std::vector<JointPose> pose(kWardenJoints);
        const double u = (t - first) / (last - first);  // 0..1 over the loop
        const double s = u * 10.375;                       // seconds into the loop
        const double breathe = std::sin(u * 2 * kPi * 3) * 0.025;
        // Scan: look left, look right, then back to the front.
        const double look = 0.65 * (Ease(s, 0.6, 2.0) - 2.0 * Ease(s, 3.2, 4.8) + Ease(s, 6.0, 7.2));
        const double aim = Hold(s, 7.6, 8.3, 9.3, 10.1);
        const double shift = 0.28 * std::sin(u * 2 * kPi);
        pose[kPelvis].translation = {shift, -0.08 * std::fabs(std::sin(u * 2 * kPi)) - 0.1 * aim, 0};
        pose[kPelvis].rotation = RotateY(0.12 * look);
        pose[kSpine].rotation = RotateY(0.15 * look) * RotateX(breathe);
        pose[kChest].rotation = RotateY(0.2 * look) * RotateX(-breathe - 0.05 * aim);
        pose[kNeck].rotation = RotateY(0.3 * look);
        pose[kHead].rotation = RotateY(0.45 * look) * RotateX(0.08 * std::sin(u * 2 * kPi * 2) + 0.12 * aim);
        // Raising the rifle: both upper arms turn about the shared shoulder
        // axis, so the rifle stays in both hands.
        pose[kUpperArmR].rotation = RotateX(-0.55 * aim + breathe);
        pose[kUpperArmL].rotation = RotateX(-0.55 * aim + breathe);
        pose[kFingersR].rotation = RotateX(0.25);
        pose[kFingersL].rotation = RotateX(0.25);
        // Legs keep the feet where they stand while the pelvis moves.
        const Mat3 pelvisTurn = pose[kPelvis].rotation;
        const Mat3 undo = RotateY(-0.12 * look);
        for (const Leg& leg : {legR, legL}) {
            const Vec3 hipNow = pelvis + pose[kPelvis].translation + pelvisTurn * (leg.hip - pelvis);
            PlaceLeg(leg, undo * (leg.planted - hipNow), pose);
        }
        return pose;
    });
    return model;
}

}  // namespace assetgen
