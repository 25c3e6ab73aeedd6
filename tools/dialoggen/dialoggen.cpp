// dialoggen: writes the settings dialog's resources into a directory:
// dialog225.dlg (the dialog template) and bitmap227.bmp (its emblem).
// The output depends on nothing but this code, byte for byte.
#include <cstdio>
#include <string>
#include <vector>

#include "dialog_layout.h"
#include "emblem.h"

namespace {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "dialoggen: cannot write %s\n", path.c_str());
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) std::fprintf(stderr, "dialoggen: writing %s failed\n", path.c_str());
    return written && closed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dialoggen <output-directory>\n");
        return 2;
    }
    const std::string directory = argv[1];
    const bool ok = WriteFile(directory + "/dialog225.dlg", BuildSettingsDialogTemplate()) &&
                    WriteFile(directory + "/bitmap227.bmp", BuildEmblemBitmap());
    return ok ? 0 : 1;
}
