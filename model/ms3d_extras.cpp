#include "model/ms3d_extras.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "formats/byte_cursor.h"
#include "formats/ms3d_layout.h"

namespace {

struct StoredWeights {
    int8_t joints[3] = {-1, -1, -1};
    uint8_t weights[3] = {0, 0, 0};
};

const char kCutShort[] = "the sections after the joints are cut short";

std::string Say(const char* format, int a, int b = 0, int c = 0) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

// One comment: an index when the layout has one, a length and the text.
bool SkipComment(ByteCursor& in, bool indexed) {
    int32_t index = 0;
    int32_t length = 0;
    if ((indexed && !in.Read(index)) || !in.Read(length)) return false;
    return length >= 0 && in.Skip(static_cast<size_t>(length));
}

// Walks the sections, the model comment laid out with or without an index.
// Returns why they cannot be read so, or "" when they can (a file may end
// before any section).
std::string ReadSections(ByteCursor in, const Model& model, bool indexedModelComment, MS3DExtras& found,
                         std::vector<StoredWeights>& stored) {
    found = MS3DExtras();
    stored.clear();
    int32_t subVersion = 0;
    if (in.Remaining() == 0) return "";
    if (!in.Read(subVersion)) return kCutShort;
    if (subVersion != ms3d::kCommentSubVersion) return Say("comments of sub-version %d, not 1", subVersion);
    for (int kind = 0; kind < 3; ++kind) {  // group, material and joint comments
        int32_t count = 0;
        if (!in.Read(count) || count < 0) return kCutShort;
        for (int32_t i = 0; i < count; ++i) {
            if (!SkipComment(in, true)) return kCutShort;
        }
    }
    int32_t modelComments = 0;
    if (!in.Read(modelComments)) return kCutShort;
    if (modelComments < 0 || modelComments > 1) return Say("%d model comments, not 0 or 1", modelComments);
    if (modelComments == 1 && !SkipComment(in, indexedModelComment)) return kCutShort;
    found.comments = subVersion;

    if (in.Remaining() == 0) return "";
    if (!in.Read(subVersion)) return kCutShort;
    if (subVersion < ms3d::kLowestVertexExtras || subVersion > ms3d::kHighestVertexExtras)
        return Say("vertex extras of sub-version %d, not 1 to 3", subVersion);
    const size_t extraBytes = ms3d::VertexExtraSize(subVersion) - ms3d::VertexExtraSize(1);
    if (!in.Has(static_cast<size_t>(model.vertexCount) * ms3d::VertexExtraSize(subVersion))) return kCutShort;
    stored.resize(static_cast<size_t>(model.vertexCount));
    for (StoredWeights& vertex : stored) {
        for (int8_t& joint : vertex.joints) in.Read(joint);
        for (uint8_t& weight : vertex.weights) in.Read(weight);
        in.Skip(extraBytes);
    }
    found.vertexExtras = subVersion;

    // Colours of the joints and the modeller's view settings: read past.
    if (in.Remaining() == 0) return "";
    if (!in.Read(subVersion)) return kCutShort;
    if (subVersion < 1 || subVersion > 2) return "";
    if (!in.Skip(static_cast<size_t>(model.jointCount) * ms3d::kJointExtraSize)) return kCutShort;
    found.jointExtras = subVersion;

    if (in.Remaining() == 0) return "";
    if (!in.Read(subVersion)) return kCutShort;
    if (subVersion != 1) return "";
    if (!in.Skip(ms3d::kModelExtraSize)) return kCutShort;
    found.modelExtras = subVersion;
    return "";
}

// Why the weights cannot be used (then no vertex is changed), or "" once
// every vertex they weight over several joints has its influences.
std::string ApplyWeights(const std::vector<StoredWeights>& stored, int subVersion, Model& model, int& weighted) {
    const int whole = subVersion == 1 ? 255 : 100;
    for (size_t i = 0; i < stored.size(); ++i) {
        const StoredWeights& s = stored[i];
        for (int8_t joint : s.joints) {
            if (joint < -1 || joint >= model.jointCount)
                return Say("vertex %d names joint %d of %d", static_cast<int>(i), joint, model.jointCount);
        }
        const int sum = s.weights[0] + s.weights[1] + s.weights[2];
        if (sum > whole) return Say("the weights of vertex %d sum to %d, over %d", static_cast<int>(i), sum, whole);
    }

    weighted = 0;
    for (size_t i = 0; i < stored.size(); ++i) {
        const StoredWeights& s = stored[i];
        Vertex& vertex = model.vertices[i];
        const int sum = s.weights[0] + s.weights[1] + s.weights[2];
        if (sum == 0) continue;  // the vertex's own joint alone
        const int joints[kMaxInfluences] = {vertex.boneId, s.joints[0], s.joints[1], s.joints[2]};
        const int weights[kMaxInfluences] = {s.weights[0], s.weights[1], s.weights[2], whole - sum};
        int count = 0;
        int total = 0;
        for (int k = 0; k < kMaxInfluences; ++k) {
            if (joints[k] == -1 || weights[k] == 0) continue;
            // A joint named twice takes both weights.
            int slot = 0;
            while (slot < count && vertex.influenceBones[slot] != joints[k]) ++slot;
            if (slot == count) {
                vertex.influenceBones[count++] = static_cast<signed char>(joints[k]);
                vertex.influenceWeights[slot] = 0.0f;
            }
            vertex.influenceWeights[slot] += static_cast<float>(weights[k]);
            total += weights[k];
        }
        if (count == 0 || (count == 1 && vertex.influenceBones[0] == vertex.boneId)) continue;
        for (int k = 0; k < count; ++k) vertex.influenceWeights[k] /= static_cast<float>(total);
        vertex.influenceCount = count;
        ++weighted;
    }
    return "";
}

}  // namespace

void ReadMS3DExtras(const unsigned char* data, size_t length, Model& model, MS3DExtras& extras) {
    std::vector<StoredWeights> stored;
    std::string problem = ReadSections(ByteCursor(data, length), model, false, extras, stored);
    if (!problem.empty()) {
        MS3DExtras indexed;
        std::vector<StoredWeights> indexedWeights;
        if (ReadSections(ByteCursor(data, length), model, true, indexed, indexedWeights).empty()) {
            problem.clear();
            extras = indexed;
            stored.swap(indexedWeights);
        }
    }
    if (problem.empty() && extras.vertexExtras != 0)
        problem = ApplyWeights(stored, extras.vertexExtras, model, extras.weightedVertices);
    if (problem.empty()) return;
    // Nothing was weighted: the model stands as if the file had no extras.
    extras = MS3DExtras();
    extras.dropped = problem;
}
