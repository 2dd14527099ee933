// Fuzz target: a mesh data and animation file pair, then every triangle of every frame.
// The first two input bytes give the data file's length; the rest of the input is split there.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "model/LoadError.h"
#include "model/MeshFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t Size)
{
    if (Size < 2)
        return 0;
    const std::size_t Rest = Size - 2;
    const std::size_t DataSize = std::min<std::size_t>(pData[0] | (pData[1] << 8), Rest);
    const std::uint8_t* pFiles = pData + 2;
    try
    {
        const cMeshData Mesh = ReadMeshPair(pFiles, DataSize, pFiles + DataSize, Rest - DataSize,
                                            "data", "aniv");
        FrameTri Tri{};
        const int NumFrames = Mesh.Aniv.NumFrames;
        const int NumPolys = static_cast<int>(Mesh.Tris.size());
        for (int f = -1; f <= NumFrames; ++f)
            for (int t = -1; t <= NumPolys; ++t)
            {
                const bool bInside = f >= 0 && f < NumFrames && t >= 0 && t < NumPolys;
                if (DecodeTriangle(Mesh.Aniv, Mesh.Tris,
                                   reinterpret_cast<const std::uint8_t*>(Mesh.Verts.data()), f, t,
                                   Tri) != bInside)
                    __builtin_trap();
            }
    }
    catch (const cLoadError&)
    {
    }
    return 0;
}
