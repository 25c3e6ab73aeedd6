#include "scene/scene_application.h"

void SceneApplication::SetSound(bool enabled) { soundEnabled = enabled; }
