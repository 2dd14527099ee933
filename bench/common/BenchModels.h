// The generated models the renderer benchmarks load: the same mesh for both renderers, so
// their figures compare.
#pragma once

#include <string>

// The script of a model of Frames x Tris with three textures and a mix of polygon types (half
// ordinary, the rest translucent, masked, two-sided and placeholder), written under Root once
// per run.
const std::string& BenchModelScript(const std::string& Root, int Frames, int Tris);
