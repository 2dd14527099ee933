// Generated content of the renderer benchmarks.
#include "bench/common/BenchModels.h"

#include <map>
#include <tuple>

#include "tools/zgen/ZentorGen.h"

const std::string& BenchModelScript(const std::string& Root, int Frames, int Tris)
{
    static std::map<std::tuple<std::string, int, int>, std::string> Scripts;
    std::string& Script = Scripts[{Root, Frames, Tris}];
    if (Script.empty())
    {
        cGenParams Params;
        Params.Name = "Bench" + std::to_string(Frames) + "x" + std::to_string(Tris);
        Params.NumFrames = Frames;
        Params.NumTris = Tris;
        Params.NumVertices = Tris / 2 + 2;
        Params.NumTextures = 3;
        Params.TypeMix = {0, 0, 0, 0, 2, 3, 4, 8};
        Script = WriteModel(Root, Params).ScriptPath;
    }
    return Script;
}
