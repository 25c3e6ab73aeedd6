// Scripting the fake GetCurrentDirectoryA.
//
// Platform: none (unit tests). The directory is "/corvane" after Reset;
// FailCall("GetCurrentDirectoryA") makes the call fail (0).
#pragma once

#include <string>

namespace fake {

void SetCurrentDirectory(const std::string& directory);

}  // namespace fake
