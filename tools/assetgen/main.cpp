// assetgen: the generator of Corvane's embedded catalogue.
//
//   assetgen --out DIR        write every picture, model and sound and the
//                             manifest into DIR (normally resources/)
//   assetgen --sheet FILE     a contact sheet PNG of all pictures with names
//   assetgen --preview FILE   the models posed in the room, seen from the
//                             camera path, as a PNG grid
//
// Everything is deterministic. Nothing is written when the catalogue breaks
// the table; the problems are listed instead.
#include <cstdio>
#include <string>

#include "catalogue.h"
#include "font.h"
#include "pictures.h"
#include "preview.h"

using namespace assetgen;

namespace {

int WriteCatalogue(const std::string& dir) {
    const Catalogue catalogue = BuildCatalogue();
    const std::vector<std::string> problems = CheckCatalogue(catalogue);
    if (!problems.empty()) {
        for (const std::string& p : problems) std::fprintf(stderr, "assetgen: %s\n", p.c_str());
        std::fprintf(stderr, "assetgen: the catalogue breaks the table; nothing written\n");
        return 1;
    }
    for (const CatalogueFile& f : catalogue.files) {
        if (!WriteFile(dir + "/" + f.file, f.bytes)) {
            std::fprintf(stderr, "assetgen: cannot write %s/%s\n", dir.c_str(), f.file.c_str());
            return 1;
        }
    }
    const Bytes manifest(catalogue.manifest.begin(), catalogue.manifest.end());
    if (!WriteFile(dir + "/manifest.txt", manifest)) {
        std::fprintf(stderr, "assetgen: cannot write the manifest\n");
        return 1;
    }
    std::printf("assetgen: wrote %zu files and the manifest to %s\n", catalogue.files.size(), dir.c_str());
    return 0;
}

int WriteSheet(const std::string& path) {
    const std::vector<PictureSpec> pictures = AllPictures();
    const int cell = 112, label = 12, columns = 10;
    const int rows = static_cast<int>((pictures.size() + columns - 1) / columns);
    Image sheet(columns * cell, rows * (cell + label), 3);
    for (uint8_t& p : sheet.pixels) p = 40;
    for (size_t i = 0; i < pictures.size(); ++i) {
        const PictureSpec& spec = pictures[i];
        const Image image = Render(spec.width, spec.height, spec.grey ? 1 : 3, spec.paint);
        // Show each picture as large as fits, keeping its proportions.
        const double scale = std::min(96.0 / spec.width, 96.0 / spec.height);
        const int w = std::max(1, static_cast<int>(spec.width * scale)), h = std::max(1, static_cast<int>(spec.height * scale));
        const int left = static_cast<int>(i % columns) * cell + (cell - w) / 2;
        const int top = static_cast<int>(i / columns) * (cell + label) + 4 + (96 - h) / 2;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const uint8_t* p = image.At(x * spec.width / w, y * spec.height / h);
                uint8_t* q = sheet.At(left + x, top + y);
                for (int c = 0; c < 3; ++c) q[c] = p[spec.grey ? 0 : c];
            }
        }
        const std::string name = spec.name + " " + std::to_string(spec.width) + "X" + std::to_string(spec.height);
        DrawText(sheet, name, static_cast<int>(i % columns) * cell + 4, static_cast<int>(i / columns) * (cell + label) + 102,
                 Color{0.9, 0.9, 0.9});
    }
    if (!WritePng(path, sheet)) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (argc == 3 && command == "--out") return WriteCatalogue(argv[2]);
    if (argc == 3 && command == "--sheet") return WriteSheet(argv[2]);
    if (argc >= 3 && command == "--preview") return WritePreview(argv[2], argc > 3 ? std::stod(argv[3]) : 0.0) ? 0 : 1;
    std::fprintf(stderr, "usage: assetgen --out DIR | --sheet FILE.png | --preview FILE.png [SECONDS]\n");
    return 2;
}
