#include "tools/model/model_report.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <utility>

#include "model/ms3d_model.h"

namespace {

// JSON has no NaN or infinity: such values are written as null.
void AppendNumber(std::string& out, double value, int digits) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char text[40];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    out += text;
}

// Texture names come from the file and may hold any byte: control
// characters and bytes above 127 are escaped (read as Latin-1), so the
// output is always valid JSON in ASCII.
void AppendString(std::string& out, const char* text) {
    out += '"';
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        if (*c == '"' || *c == '\\') {
            out += '\\';
            out += static_cast<char>(*c);
        } else if (*c < 0x20 || *c > 0x7e) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", *c);
            out += escaped;
        } else {
            out += static_cast<char>(*c);
        }
    }
    out += '"';
}

template <typename Field>
void AppendJointList(std::string& out, const char* key, const Model& model, Field field) {
    out += ",\"";
    out += key;
    out += "\":[";
    for (int i = 0; i < model.jointCount; ++i) {
        if (i > 0) out += ',';
        out += std::to_string(field(model.joints[i]));
    }
    out += ']';
}

// A string, or null when it is empty.
void AppendText(std::string& out, const std::string& text) {
    if (text.empty())
        out += "null";
    else
        AppendString(out, text.c_str());
}

// "key":value for each count, after a comma unless an object opens here.
void AppendCounts(std::string& out, std::initializer_list<std::pair<const char*, int>> counts) {
    for (const auto& [key, value] : counts) {
        if (out.back() != '{') out += ',';
        out += '"';
        out += key;
        out += "\":" + std::to_string(value);
    }
}

}  // namespace

std::string InfoJson(const MS3DModel& model, const std::vector<TextureReport>& textures) {
    std::string out = "{";
    AppendCounts(out, {{"vertices", model.vertexCount},
                       {"triangles", model.triangleCount},
                       {"meshes", model.meshCount},
                       {"materials", model.materialCount},
                       {"joints", model.jointCount}});
    out += ",\"totalTimeMs\":";
    AppendNumber(out, model.totalTimeMs, 17);
    out += ",\"textures\":[";
    for (int i = 0; i < model.materialCount; ++i) {
        if (i > 0) out += ',';
        AppendString(out, model.materials[i].textureFile ? model.materials[i].textureFile : "");
    }
    out += ']';
    AppendJointList(out, "parents", model, [](const Joint& joint) { return joint.parentIndex; });
    AppendJointList(out, "rotationKeys", model, [](const Joint& joint) { return joint.rotationKeyCount; });
    AppendJointList(out, "translationKeys", model, [](const Joint& joint) { return joint.translationKeyCount; });
    const MS3DExtras& extras = model.extras;
    out += ",\"extras\":{";
    AppendCounts(out, {{"comments", extras.comments},
                       {"vertexExtras", extras.vertexExtras},
                       {"jointExtras", extras.jointExtras},
                       {"modelExtras", extras.modelExtras},
                       {"weightedVertices", extras.weightedVertices}});
    out += ",\"dropped\":";
    AppendText(out, extras.dropped);
    out += "},\"textureFiles\":[";
    for (size_t i = 0; i < textures.size(); ++i) {
        out += i > 0 ? ",{\"file\":" : "{\"file\":";
        AppendString(out, textures[i].file.c_str());
        out += ",\"found\":";
        AppendText(out, textures[i].found);
        out += ",\"problem\":";
        AppendText(out, textures[i].problem);
        out += '}';
    }
    out += "]}\n";
    return out;
}

std::string PoseJson(const Model& model) {
    std::string out = "[";
    for (int i = 0; i < model.vertexCount; ++i) {
        const Vector position = model.PosedPosition(i);
        out += i > 0 ? ",\n[" : "\n[";
        AppendNumber(out, position.x, 9);
        out += ',';
        AppendNumber(out, position.y, 9);
        out += ',';
        AppendNumber(out, position.z, 9);
        out += ']';
    }
    out += "\n]\n";
    return out;
}
