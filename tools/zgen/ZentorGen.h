// ZentorGen: writes sample content (class script, mesh data and animation files, PCX
// textures) so that tests, benchmarks and fuzzers have files of known shape to read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/ZentorMesh.h"

// Largest counts the generator accepts; they are the limits the file formats can carry.
constexpr int GEN_MAX_FRAMES = 1200;
constexpr int GEN_MAX_TRIS = 65535;
// The animation header stores FrameSize = 4 * NumVertices in 16 bits, so a consistent pair
// of mesh files holds at most 16383 vertices.
constexpr int GEN_MAX_VERTICES = 16383;
constexpr int GEN_MAX_TEXTURES = 9;
constexpr int GEN_TEXTURE_SIZE = 256;

// Packs one vertex into an animation word: X in bits 0-10, Y in bits 11-21 (both 11-bit
// two's complement, -1024..1023), Z in bits 22-31 (10-bit, -512..511). Out-of-range values
// are clamped to the field's range.
std::uint32_t PackVertex(int X, int Y, int Z);

// Encodes an 8-bit palette image as a run-length encoded PCX file. Indices holds Width x
// Height bytes, row by row. BytesPerLine 0 means Width rounded up to even; any larger value
// pads each row with zero bytes. Runs never cross a row. The file ends with the 12 marker
// and the 768-byte Palette. Throws std::invalid_argument on sizes that cannot be encoded.
std::vector<std::uint8_t> EncodePCX(int Width, int Height, const std::vector<std::uint8_t>& Indices,
                                    const std::uint8_t Palette[768], int BytesPerLine = 0,
                                    std::uint8_t Version = 5);

// The mesh data file: a DataHeader followed by the triangle records.
std::vector<std::uint8_t> EncodeDataFile(int NumVertices, const std::vector<MeshTri>& Tris);

// The animation file: an AnivHeader followed by every frame's packed vertex words. Each
// frame must hold NumVertices words. FrameSize -1 writes the consistent 4 * NumVertices;
// any other value 0..65535 is written as given, to make inconsistent files for readers.
std::vector<std::uint8_t> EncodeAnivFile(int NumVertices,
                                         const std::vector<std::vector<std::uint32_t>>& Frames,
                                         int FrameSize = -1);

// Writes Bytes to Path, creating missing directories. Throws std::runtime_error on failure.
void WriteBytes(const std::string& Path, const std::vector<std::uint8_t>& Bytes);

// What to generate. Counts are checked against the GEN_MAX_* limits. With Figure set, the
// figure's own geometry, textures, types and sequences are used and only Name, Scale and
// NumFrames count: frames run through the figure's sequences (Still, Walk, Wave, Spin, 45
// frames in all) and repeat that cycle when NumFrames asks for more; sequences are listed
// as far as they fit in NumFrames.
struct cGenParams
{
    std::string Name = "Sample";
    int NumFrames = 8;
    int NumTris = 64;
    int NumVertices = 66;
    int NumTextures = 1;            // 1..9
    std::vector<int> TypeMix = {0}; // triangle Type bytes, cycled over the triangles
    int NumSequences = 1;           // frames are shared out among the sequences
    float Scale[3] = {1.0f, 1.0f, 1.0f};
    std::uint32_t Seed = 1;
    bool Figure = false;            // a character-like figure instead of a generic mesh
};

// One animation sequence as written to the script.
struct cGenSequence
{
    std::string Name;
    int StartFrame;
    int NumFrames;
};

// What was written, so that readers can be checked against it.
struct cGenResult
{
    std::string ScriptPath;        // RootDir/Pkg/Classes/<Name>.zc
    std::string DataPath;          // RootDir/Pkg/Models/<Name>_d.bin
    std::string AnivPath;          // RootDir/Pkg/Models/<Name>_a.bin
    std::vector<std::string> TexturePaths;  // RootDir/Pkg/Textures/<Name><k>.pcx, slot order
    std::vector<std::string> TextureNames;  // import names, in slot (import) order
    int TexMap[MAX_TEXTURES] = {-1, -1, -1, -1, -1, -1, -1, -1, -1}; // texture number -> slot
    int NumVertices = 0;
    std::vector<MeshTri> Tris;
    std::vector<std::vector<std::uint32_t>> Frames;
    std::vector<cGenSequence> Sequences;
    float Scale[3] = {1.0f, 1.0f, 1.0f};
    std::vector<std::vector<std::uint8_t>> TextureIndices;  // 256 x 256 palette indices each
    std::vector<std::vector<std::uint8_t>> TexturePalettes; // 768 bytes each
};

// Writes a generic (or figure) model under RootDir. The same params give the same bytes.
// Throws std::invalid_argument on out-of-range params, std::runtime_error on write failure.
cGenResult WriteModel(const std::string& RootDir, const cGenParams& Params);

// Writes the bundled sample character, "Wanderer", under RootDir.
cGenResult WriteSample(const std::string& RootDir);
