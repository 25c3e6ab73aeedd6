// Shared parts of the two characters: a skeleton given by joint positions
// in the bind pose (all bind rotations zero, so every joint's axes are the
// model's axes), tubes that run through several joints, leg placement that
// keeps the feet on the floor, and sampling of a pose function into keys.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "builder.h"
#include "geometry.h"
#include "formats/ms3d_writer.h"

namespace assetgen {

// An arm as Figure::AddArm made it: where its joints stand in the bind pose,
// the direction the hand goes on in (from the elbow through the wrist), and
// the joints' indices.
struct Arm {
    Vec3 shoulder, elbow, wrist, handDir;
    int upperArm = 0, forearm = 0, hand = 0, fingers = 0;
};

// A leg as Figure::AddLeg made it: the hip, the heights of knee and ankle,
// the bone lengths, the ankle a hair short of the straight leg's reach (where
// the foot stays planted, so that the knee never locks) and the joints.
struct Leg {
    Vec3 hip;
    double knee = 0.0, ankle = 0.0, thighLength = 0.0, shinLength = 0.0;
    Vec3 planted;
    int thigh = 0, shin = 0, foot = 0;
};

class Figure {
public:
    explicit Figure(ms3d::Model& target) : model(target), builder(target) {}

    // `count` groups "`name`_1" on, each with a material and picture of its
    // own, "`letter`1" on.
    void AddGroups(const std::string& name, const std::string& letter, int count);
    int AddJoint(const std::string& name, int parent, Vec3 position);
    // The trunk, each joint the child of the one before: pelvis (a root),
    // spine, chest, neck and head.
    void AddTrunk(Vec3 pelvis, Vec3 spine, Vec3 chest, Vec3 neck, Vec3 head);
    // One arm, `side` "r" or "l": clavicle (a child of `chest`), upper arm
    // at the shoulder, forearm at the elbow, hand at the wrist and fingers
    // `fingers` beyond the wrist along the forearm.
    Arm AddArm(const std::string& side, int chest, Vec3 clavicle, Vec3 shoulder, Vec3 elbow, Vec3 wrist,
               double fingers);
    // One straight leg below `hip`: thigh, shin and foot.
    Leg AddLeg(const std::string& side, int pelvis, Vec3 hip, double thigh, double shin);
    Vec3 JointPosition(int joint) const { return positions[static_cast<size_t>(joint)]; }

    // Rings through `points` (each with side and front radii), framed by
    // carrying the first ring's axes along the path so the tube does not
    // twist. `side0` and `front0` are the first ring's axes.
    static std::vector<Ring> Chain(const std::vector<Vec3>& points, const std::vector<std::pair<double, double>>& radii,
                                   Vec3 side0, Vec3 front0);

    ms3d::Model& model;
    MeshBuilder builder;
    std::vector<Vec3> positions;

private:
    // Joints each the child of the one before, the first of `parent`;
    // returns the last.
    int AddChain(const std::vector<std::string>& names, int parent, const std::vector<Vec3>& points);
};

// One joint's pose relative to its bind pose: a rotation about the joint and
// a translation in the parent's axes.
struct JointPose {
    Mat3 rotation;
    Vec3 translation;
};

using PoseFunction = std::function<std::vector<JointPose>(double seconds)>;

// Writes `count` rotation and translation keys per joint at the given times.
void SampleKeys(ms3d::Model& model, const std::vector<double>& times, const PoseFunction& pose);

// Rotations for a straight, vertical bind-pose leg (thigh, shin, foot) so
// that the ankle reaches `ankle` from `hip` (both in the pelvis's axes) with
// the knee bending forward and the foot kept level.
void PlaceLeg(Vec3 hip, Vec3 ankle, double thigh, double shin, JointPose& thighPose, JointPose& shinPose,
              JointPose& footPose);
// The same for a figure's leg, `ankle` given from the hip.
void PlaceLeg(const Leg& leg, Vec3 ankle, std::vector<JointPose>& pose);

// Moves the triangles from `firstTriangle` on whose centroid `select`
// accepts into `group`, with picture coordinates from a function of each
// corner's position.
void Regroup(ms3d::Model& model, size_t firstTriangle, int group, const std::function<bool(Vec3 centroid)>& select,
             const std::function<UV(Vec3 corner)>& uv);

// A smooth 0..1 ramp between two times, and a bump up and down again.
double Ease(double t, double t0, double t1);
double Hold(double t, double in0, double in1, double out0, double out1);

}  // namespace assetgen
