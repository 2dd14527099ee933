// The OpenGL renderer behind the renderer seam.
#pragma once

#include "render/Renderer.h"

cRenderer& GLRenderer();
