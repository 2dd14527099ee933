// The Direct3D renderer behind the renderer seam (render/Renderer.h).
#pragma once

#include "render/Renderer.h"

// The Direct3D renderer, registered or not.
cRenderer& D3DRenderer();

// Registers the Direct3D renderer as the one of eRenderMode::Direct3D. The shell and every
// program that draws with Direct3D call it once, before the first viewer is made.
void RegisterD3DRenderer();
