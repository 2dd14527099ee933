// The model summary that tessaly-render --info prints as JSON.
#pragma once

#include <string>

class cZentorMesh;

// Frames, triangles, vertices, texture mapping, sequences, scale and frame 0's bounds.
std::string ModelInfoJson(cZentorMesh& Model, const std::string& ScriptPath);
