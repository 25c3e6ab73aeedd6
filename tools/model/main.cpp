// corvane-model: a tool for people who make the program's models.
//
//   corvane-model info FILE          the model's contents as one JSON object
//   corvane-model pose FILE TIME_MS  every vertex's posed position as JSON
//   corvane-model view FILE          a window showing the model animating
//   corvane-model --version          the tool's name and the project's version
//
// An unreadable or malformed file prints one line on stderr and exits 1, as
// does `view` when there is no screen to show on (platform/screen.h).
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "model/ms3d_model.h"
#include "platform/screen.h"
#include "tools/model/model_report.h"
#include "tools/model/model_viewer.h"

namespace {

int Usage() {
    std::fputs("usage: corvane-model info FILE | pose FILE TIME_MS | view FILE | --version\n", stderr);
    return 2;
}

// Parses the file (textures are not loaded); on failure says why.
bool Load(MS3DModel& model, const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        std::fprintf(stderr, "corvane-model: cannot read %s: %s\n", path, std::strerror(errno));
        return false;
    }
    std::fclose(file);
    if (!model.ParseFile(path)) {
        std::fprintf(stderr, "corvane-model: %s is not a well-formed MS3D model (version 3 or 4)\n", path);
        return false;
    }
    return true;
}

bool ParseTime(const char* text, double& timeMs) {
    char* end = nullptr;
    timeMs = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(timeMs) && timeMs >= 0.0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("corvane-model " CORVANE_VERSION);
        return 0;
    }
    if (argc < 3) return Usage();
    const std::string command = argv[1];
    const char* path = argv[2];

    if (command == "info" && argc == 3) {
        MS3DModel model;
        if (!Load(model, path)) return 1;
        std::fputs(InfoJson(model).c_str(), stdout);
        return 0;
    }
    if (command == "pose" && argc == 4) {
        double timeMs = 0.0;
        if (!ParseTime(argv[3], timeMs)) {
            std::fprintf(stderr, "corvane-model: TIME_MS must be a number of milliseconds, 0 or more: %s\n", argv[3]);
            return 2;
        }
        MS3DModel model;
        if (!Load(model, path)) return 1;
        // As if the model's clock read timeMs: past the end the animation
        // starts again at 0.
        model.AnimateAt(timeMs);
        std::fputs(PoseJson(model).c_str(), stdout);
        return 0;
    }
    if (command == "view" && argc == 3) {
        const std::string noScreen = NoScreenReason();
        if (!noScreen.empty()) {
            std::fprintf(stderr, "corvane-model: %s\n", noScreen.c_str());
            return 1;
        }
        MS3DModel model;
        if (!Load(model, path)) return 1;
        return RunViewer(model, path);
    }
    return Usage();
}
