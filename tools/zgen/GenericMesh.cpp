// GenericMesh: a lumpy ball of any vertex and triangle count that pulses and turns over
// its frames, for tests and benchmarks that need models of a given size.
#include "tools/zgen/GenParts.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr float PI = 3.14159265358979f;

const char* const SEQUENCE_NAMES[] = {"Idle", "Walk", "Run", "Jump", "Fall", "Land", "Crouch", "Turn"};

std::uint8_t TexelAt(int Step, int Steps)
{
    return static_cast<std::uint8_t>(Steps > 0 ? 255 * Step / Steps : 0);
}
} // namespace

cMeshBuild BuildGenericMesh(const cGenParams& Params)
{
    cMeshBuild Build;
    const int N = Params.NumVertices;
    Build.NumVertices = N;

    // Vertices lie on a latitude-longitude grid of Cols columns; the last row may be short.
    const int Cols = std::max(3, static_cast<int>(std::lround(std::sqrt(static_cast<double>(N)))));
    const int Rows = std::max(1, (N + Cols - 1) / Cols);
    cGenRandom Random(Params.Seed);
    std::vector<float> Jitter(static_cast<std::size_t>(N));
    for (float& J : Jitter)
        J = static_cast<float>(Random.Range(-20, 20));

    const int NumCells = (Rows - 1) * Cols;
    const int NumTextures = std::max(1, Params.NumTextures);
    Build.Tris.reserve(static_cast<std::size_t>(Params.NumTris));
    for (int t = 0; t < Params.NumTris; ++t)
    {
        MeshTri Tri{};
        if (NumCells > 0)
        {
            // Two triangles per grid cell, counter-clockwise seen from outside the ball;
            // counts beyond the grid wrap round and repeat cells.
            const int Cell = (t / 2) % NumCells;
            const int R = Cell / Cols, C = Cell % Cols;
            const int V00 = R * Cols + C, V10 = R * Cols + (C + 1) % Cols;
            const int V01 = (R + 1) * Cols + C, V11 = (R + 1) * Cols + (C + 1) % Cols;
            const int Corners[2][3] = {{V00, V10, V01}, {V10, V11, V01}};
            const int Grid[2][3][2] = {{{C, R}, {C + 1, R}, {C, R + 1}}, {{C + 1, R}, {C + 1, R + 1}, {C, R + 1}}};
            for (int k = 0; k < 3; ++k)
            {
                Tri.iVertex[k] = static_cast<std::uint16_t>(Corners[t % 2][k] % N);
                Tri.UV[k][0] = TexelAt(Grid[t % 2][k][0], Cols);
                Tri.UV[k][1] = TexelAt(Grid[t % 2][k][1], Rows - 1);
            }
        }
        else
        {
            for (int k = 0; k < 3; ++k)
            {
                Tri.iVertex[k] = static_cast<std::uint16_t>((t + k) % N);
                Tri.UV[k][0] = static_cast<std::uint8_t>(k * 127);
                Tri.UV[k][1] = static_cast<std::uint8_t>(k == 1 ? 255 : 0);
            }
        }
        Tri.Type = static_cast<std::uint8_t>(Params.TypeMix[static_cast<std::size_t>(t) % Params.TypeMix.size()]);
        Tri.TextureNum = static_cast<std::uint8_t>(static_cast<long long>(t) * NumTextures / Params.NumTris);
        Build.Tris.push_back(Tri);
    }

    Build.Frames.reserve(static_cast<std::size_t>(Params.NumFrames));
    for (int f = 0; f < Params.NumFrames; ++f)
    {
        const float Phase = 2 * PI * static_cast<float>(f) / static_cast<float>(Params.NumFrames);
        std::vector<std::uint32_t> Words(static_cast<std::size_t>(N));
        for (int v = 0; v < N; ++v)
        {
            const float Lat = PI * (static_cast<float>(v / Cols) + 0.5f) / static_cast<float>(Rows);
            const float Lon = 2 * PI * static_cast<float>(v % Cols) / static_cast<float>(Cols) + Phase;
            const float Radius = 300 * (1 + 0.15f * std::sin(Phase + 3 * Lat)) + Jitter[static_cast<std::size_t>(v)];
            Words[static_cast<std::size_t>(v)] =
                PackVertex(static_cast<int>(std::lround(Radius * std::sin(Lat) * std::cos(Lon))),
                           static_cast<int>(std::lround(Radius * std::cos(Lat))),
                           static_cast<int>(std::lround(Radius * std::sin(Lat) * std::sin(Lon))));
        }
        Build.Frames.push_back(std::move(Words));
    }

    // The frames are shared out evenly among the sequences, in order.
    for (int s = 0; s < Params.NumSequences; ++s)
    {
        const int Start = static_cast<int>(static_cast<long long>(s) * Params.NumFrames / Params.NumSequences);
        const int End = static_cast<int>(static_cast<long long>(s + 1) * Params.NumFrames / Params.NumSequences);
        const std::string Name = s < 8 ? SEQUENCE_NAMES[s] : "Seq" + std::to_string(s);
        Build.Sequences.push_back({Name, Start, End - Start});
    }
    return Build;
}
