// Where the tests find models made outside this project: the shared folder
// beside the repository.
#pragma once

#include <string>

namespace test_paths {

inline std::string SharedModel(const std::string& name) {
    std::string here = __FILE__;  // <repo>/tests/<kind>/shared_models.h
    for (int up = 0; up < 3; ++up) here = here.substr(0, here.find_last_of('/'));
    return here + "/../shared/models/" + name;
}

}  // namespace test_paths
