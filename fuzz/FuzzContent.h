// The small generated model the script fuzz target loads its scripts against; the seed writer
// starts the script corpus from this model's own script, so seeds name files that exist.
#pragma once

#include "tools/zgen/ZentorGen.h"

inline cGenParams FuzzModelParams()
{
    cGenParams Params;
    Params.Name = "Seed";
    Params.NumFrames = 3;
    Params.NumTris = 6;
    Params.NumVertices = 8;
    Params.NumTextures = 2;
    Params.NumSequences = 2;
    return Params;
}
