// Where the tests find models made outside this project: the shared folder
// beside the repository. A clone of the project alone has no such folder, so
// the tests that read it skip, naming the path they miss.
#pragma once

#include <cstdio>
#include <string>

namespace test_paths {

// CORVANE_SOURCE_DIR is the repository, given by the build: __FILE__ may be
// relative (a compiler cache rewrites paths), so it is no guide.
inline std::string SharedModel(const std::string& name) {
    return std::string(CORVANE_SOURCE_DIR) + "/../shared/models/" + name;
}

inline bool Readable(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file) std::fclose(file);
    return file != nullptr;
}

}  // namespace test_paths

// In a test body: skip the test when the shared model `name` is absent.
#define SKIP_WITHOUT_SHARED_MODEL(name)                                   \
    if (!test_paths::Readable(test_paths::SharedModel(name))) GTEST_SKIP() \
        << "missing " << test_paths::SharedModel(name) << " (the shared models beside the repository)"
