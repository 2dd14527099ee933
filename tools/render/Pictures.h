// The pictures of one tessaly-render run, the same for both renderers: the view options put
// into the shared view state, and the frame or sequence loop that writes the PNG files.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "tools/render/RenderOptions.h"

// One finished picture: Width x Height RGB triples, top row first.
struct cRGBPicture
{
    int Width = 0, Height = 0;
    std::vector<std::uint8_t> Rgb;
};

// Draws CurrentFrame with the active renderer (advancing it while LoopAnimation is set, as
// the renderers do) and returns what the window shows.
using tDrawPicture = std::function<cRGBPicture()>;

// Sets the polygon filter and the camera's angles and offsets from the options.
void ApplyViewOptions(const cOptions& Opt);

// Draws the chosen frame into Opt.Output, or every frame of the chosen sequence, played as
// Loop Animation plays it, into Opt.Output/NAME_nnnn.png. Returns the exit status: 0, or 1
// when the model has no sequence of that name. Throws std::runtime_error when a file cannot
// be written.
int WritePictures(const cOptions& Opt, const tDrawPicture& Draw);
