// The 100 pictures the programs carry, by the lower-case names the program
// asks for: the scene's s1..s19, the walls' w1..w20, the textures t01..t57,
// and the four named ones.
#pragma once

#include <string>
#include <vector>

inline std::vector<std::string> EmbeddedPictureNames() {
    std::vector<std::string> names;
    for (int i = 1; i <= 19; ++i) names.push_back("s" + std::to_string(i) + ".jpg");
    for (int i = 1; i <= 20; ++i) names.push_back("w" + std::to_string(i) + ".jpg");
    for (int i = 1; i <= 57; ++i) names.push_back((i < 10 ? "t0" : "t") + std::to_string(i) + ".jpg");
    for (const char* name : {"t31_blik.jpg", "krv.jpg", "krvmask.jpg", "loading.jpg"}) names.push_back(name);
    return names;
}
