// `corvane-model render`: one picture of a posed model, drawn off screen and
// written as PNG, with no display at all.
//
// Platform: Linux. Dependencies: EGL on Mesa's surfaceless platform
// (libegl-mesa0), which gives a desktop OpenGL context with the
// fixed-function pipeline on the llvmpipe software renderer, drawing into a
// pbuffer; SDL2_image writes the PNG. This is the one place where the
// project draws with a driver that shows nothing: the picture is the point,
// not a window. Limits: 1 to kMaxRenderSide pixels a side.
#pragma once

class MS3DModel;

constexpr int kMaxRenderSide = 8192;

// Draws the model as it is posed now, lit and textured (textures from the
// files beside `modelPath`), framed whole and seen from the front, a little
// from above, into a width x height PNG at `outPath`. Returns the process
// exit status: 1, with one line on standard error, when no context can be
// had or the picture cannot be written.
int RenderToPng(MS3DModel& model, const char* modelPath, const char* outPath, int width, int height);
