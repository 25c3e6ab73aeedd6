// corvane-model: a tool for people who make the program's models, or swap
// in models made elsewhere.
//
//   corvane-model info FILE          the model's contents as one JSON object
//   corvane-model pose FILE TIME_MS  every vertex's posed position as JSON
//   corvane-model view FILE          a window showing the model animating
//   corvane-model render FILE TIME_MS OUT.png [WIDTH HEIGHT]
//                                    the model at that time as a PNG, drawn
//                                    off screen: no display needed
//   corvane-model --version | --help
//
// An unreadable or malformed file prints one line on stderr and exits 1, as
// does `view` when there is no screen to show on (platform/screen.h). A file
// whose extras after the joints are bad is read without them, with one line
// on stderr saying so.
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
#include "tools/model/offscreen_render.h"
#include "tools/model/texture_files.h"

namespace {

const char kUsage[] =
    "usage: corvane-model info FILE | pose FILE TIME_MS | view FILE\n"
    "                     | render FILE TIME_MS OUT.png [WIDTH HEIGHT] | --version | --help\n";

const char kHelp[] =
    "  info     the model's counts, animation, joints, extras and texture files as JSON\n"
    "  pose     every vertex's position at TIME_MS milliseconds as JSON\n"
    "  view     a window with the model animating, lit and textured\n"
    "  render   the model at TIME_MS, lit, textured and framed whole, written as a\n"
    "           PNG of WIDTH x HEIGHT pixels (800 x 600 unless given, 1 to 8192 each).\n"
    "           It draws off screen with Mesa's software renderer (EGL, surfaceless\n"
    "           platform) and needs no display; it is the only command that does so.\n"
    "Textures are looked for beside the model, whatever the letter case of their\n"
    "names: JPEG, PNG, TGA, BMP and GIF.\n";

int Usage(int status) {
    std::fputs(kUsage, stderr);
    return status;
}

// Parses the file (textures are not loaded); on failure says why. Extras
// dropped are told on one line, and the model is used without them.
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
    if (!model.extras.dropped.empty())
        std::fprintf(stderr, "corvane-model: %s: the extras after the joints are read as absent: %s\n", path,
                     model.extras.dropped.c_str());
    return true;
}

bool ParseTime(const char* text, double& timeMs) {
    char* end = nullptr;
    timeMs = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(timeMs) && timeMs >= 0.0;
}

bool ParseSide(const char* text, int& side) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    side = static_cast<int>(value);
    return end != text && *end == '\0' && errno == 0 && value >= 1 && value <= kMaxRenderSide;
}

bool ReadTime(const char* text, double& timeMs) {
    if (ParseTime(text, timeMs)) return true;
    std::fprintf(stderr, "corvane-model: TIME_MS must be a number of milliseconds, 0 or more: %s\n", text);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("corvane-model " CORVANE_VERSION);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (argc < 3) return Usage(2);
    const std::string command = argv[1];
    const char* path = argv[2];

    if (command == "info" && argc == 3) {
        MS3DModel model;
        if (!Load(model, path)) return 1;
        std::fputs(InfoJson(model, CheckTextures(model, path)).c_str(), stdout);
        return 0;
    }
    if (command == "pose" && argc == 4) {
        double timeMs = 0.0;
        if (!ReadTime(argv[3], timeMs)) return 2;
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
    if (command == "render" && (argc == 5 || argc == 7)) {
        double timeMs = 0.0;
        if (!ReadTime(argv[3], timeMs)) return 2;
        int width = 800, height = 600;
        if (argc == 7 && !(ParseSide(argv[5], width) && ParseSide(argv[6], height))) {
            std::fprintf(stderr, "corvane-model: WIDTH and HEIGHT must be whole numbers from 1 to %d\n",
                         kMaxRenderSide);
            return Usage(1);
        }
        MS3DModel model;
        if (!Load(model, path)) return 1;
        model.AnimateAt(timeMs);
        return RenderToPng(model, path, argv[4], width, height);
    }
    return Usage(2);
}
