// For the start-up benchmark: a call as each stage of startUp ends.
#pragma once

// stage: "video", "textures", "widgets", "first_frame" or "scene".
using StartupStageHook = void (*)(const char* stage);
// Null (the default) calls nothing.
void setStartupStageHook(StartupStageHook hook);
