// The pictures of one tessaly-render run, the same for both renderers: the load, the view
// options put into the shared view state, and the frame or sequence loop that writes the PNG
// files. Only the frames drawn are ever prepared.
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

// Loads Opt.Script for the active renderer through the viewer's load step, with the import's
// lines on stdout under --verbose. 0 when frame 0 is ready; otherwise 1, after the reason is
// on stderr (an import or memory failure here, a model without frames by the renderer).
int LoadForRender(const cOptions& Opt);
// Sets the polygon filter, the camera's angles and offsets, the texture switch and the
// background colour from the options, the last two through the active renderer.
void ApplyViewOptions(const cOptions& Opt);

// Draws the chosen frame, or every frame of the chosen sequence played as Loop Animation
// plays it, or the --turntable pictures, into Opt.Output: one PNG, an animated file, or
// Opt.Output/NAME_nnnn.png (NAME: the sequence, or "turntable"). A transparent picture is
// drawn over two backgrounds set through the active renderer. Returns the exit status: 0, or
// 1 when the model has no sequence of that name or a frame ran out of memory. Throws
// std::runtime_error when a file cannot be written. Nothing is left behind on failure.
int WritePictures(const cOptions& Opt, const tDrawPicture& Draw);
