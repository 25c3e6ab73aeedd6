// Joint hierarchy set-up and keyframe animation.
#include "model/model.h"
#include "timing/timer.h"

namespace {

// Moves the cursor forward to the first key not earlier than `time` and
// writes the value at that time: the first key's before it, the last key's
// after it, linear in between. A joint without keys of this kind gets zeros,
// which leave it in its bind pose for that kind.
void SampleKeys(const Keyframe* keys, int count, int& cursor, double time, float out[3]) {
    if (count == 0) {
        out[0] = out[1] = out[2] = 0.0f;
        return;
    }
    int j = cursor;
    while (j < count && static_cast<double>(keys[j].timeMs) < time) ++j;
    cursor = j;

    if (j == 0 || j == count) {
        const Keyframe& key = keys[j == 0 ? 0 : count - 1];
        out[0] = key.value[0];
        out[1] = key.value[1];
        out[2] = key.value[2];
        return;
    }
    // The search leaves previous.timeMs < time <= current.timeMs, so the
    // span is never zero.
    const Keyframe& previous = keys[j - 1];
    const Keyframe& current = keys[j];
    const double f = (time - previous.timeMs) / (static_cast<double>(current.timeMs) - previous.timeMs);
    for (int i = 0; i < 3; ++i) {
        const double from = previous.value[i];
        out[i] = static_cast<float>((current.value[i] - from) * f + from);
    }
}

}  // namespace

void Model::BindSkeleton() {
    for (int i = 0; i < jointCount; ++i) {
        Joint& joint = joints[i];
        joint.localMatrix.SetRotationFromEuler(joint.localRotation);
        joint.localMatrix.SetTranslationPart(joint.localTranslation);
        if (joint.parentIndex == -1) {
            joint.bindMatrix = joint.localMatrix;
        } else {
            joint.bindMatrix = joints[joint.parentIndex].bindMatrix;
            joint.bindMatrix.MultiplyBy(joint.localMatrix);
        }
    }

    // A vertex weighted over several joints stays in model space, and so do
    // the normals of the corners that use it: each joint carries it from
    // there when it is posed.
    for (int i = 0; i < vertexCount; ++i) {
        Vertex& vertex = vertices[i];
        if (vertex.boneId != -1 && vertex.influenceCount == 0)
            IntoJointSpace(joints[vertex.boneId].bindMatrix, vertex.position, true);
    }

    for (int i = 0; i < triangleCount; ++i) {
        Triangle& triangle = triangles[i];
        for (int k = 0; k < 3; ++k) {
            const Vertex& vertex = vertices[triangle.vertexIndices[k]];
            if (vertex.boneId != -1 && vertex.influenceCount == 0)
                IntoJointSpace(joints[vertex.boneId].bindMatrix, triangle.normals[k], false);
        }
    }
}

void Model::RestartAnimation() {
    for (int i = 0; i < jointCount; ++i) {
        Joint& joint = joints[i];
        joint.currentTranslationKey = 0;
        joint.currentRotationKey = 0;
        joint.poseMatrix = joint.bindMatrix;
    }
    if (timer) timer->Reset();
}

void Model::Animate() { AnimateAt(timer ? timer->GetTime() : 0.0); }

void Model::AnimateAt(double timeMs) {
    double time = timeMs;
    if (time > totalTimeMs) {
        if (looping) {
            RestartAnimation();
            time = 0.0;
        } else {
            time = totalTimeMs;
        }
    }

    for (int i = 0; i < jointCount; ++i) {
        Joint& joint = joints[i];
        Matrix keyTransform;
        if (joint.rotationKeyCount > 0 || joint.translationKeyCount > 0) {
            float translation[3];
            float angles[3];
            SampleKeys(joint.translationKeys, joint.translationKeyCount, joint.currentTranslationKey, time,
                       translation);
            SampleKeys(joint.rotationKeys, joint.rotationKeyCount, joint.currentRotationKey, time, angles);
            keyTransform.SetRotationFromEuler(angles);
            keyTransform.SetTranslationPart(translation);
        }

        Matrix relative = joint.localMatrix;
        relative.MultiplyBy(keyTransform);
        if (joint.parentIndex == -1) {
            joint.poseMatrix = relative;
        } else {
            joint.poseMatrix = joints[joint.parentIndex].poseMatrix;
            joint.poseMatrix.MultiplyBy(relative);
        }
    }
}
