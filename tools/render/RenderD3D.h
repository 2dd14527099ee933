// tessaly-render's Direct3D path: the model drawn by the Direct3D renderer on a software
// device, into an in-memory window, with no OpenGL context made.
#pragma once

#include "tools/render/RenderOptions.h"

// Chooses device Opt.Device in the viewer's chooser, loads Opt.Script the way the viewer
// loads it with Direct3D active and writes the pictures. Returns the exit status: 0, or 1
// after printing why (a device that does not exist, a load the renderer refused, an error
// message box). Throws cLoadError or std::runtime_error as the OpenGL path does.
int RenderWithDirect3D(const cOptions& Opt);
