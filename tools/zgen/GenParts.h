// GenParts: the generator's internal pieces (mesh builders, texture painters, script
// composer) shared between its source files; not part of the public interface.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/zgen/ZentorGen.h"

// A small deterministic random source (xorshift32), so output depends on the seed alone.
class cGenRandom
{
public:
    explicit cGenRandom(std::uint32_t Seed) : mState(Seed ? Seed : 0x9E3779B9u) {}
    std::uint32_t Next()
    {
        mState ^= mState << 13;
        mState ^= mState >> 17;
        mState ^= mState << 5;
        return mState;
    }
    // Uniform in Lo..Hi inclusive.
    int Range(int Lo, int Hi) { return Lo + static_cast<int>(Next() % static_cast<std::uint32_t>(Hi - Lo + 1)); }

private:
    std::uint32_t mState;
};

// A mesh ready to be written: triangles, packed frames and the sequences over them.
struct cMeshBuild
{
    int NumVertices = 0;
    std::vector<MeshTri> Tris;
    std::vector<std::vector<std::uint32_t>> Frames;
    std::vector<cGenSequence> Sequences;
};

// One 256 x 256 palette image and the name it is imported under.
struct cTextureArt
{
    std::string Name;
    std::vector<std::uint8_t> Indices;
    std::vector<std::uint8_t> Palette;  // 768 bytes
};

// Texture numbers the figure's triangles carry: skin, cloth, and the cape, which the script
// maps to the cloth image a second time.
constexpr int FIGURE_TEX_SKIN = 0;
constexpr int FIGURE_TEX_CLOTH = 1;
constexpr int FIGURE_TEX_CAPE = 2;

// The character figure with NumFrames frames cycling through its sequences.
cMeshBuild BuildFigure(int NumFrames);

// A lumpy animated ball with the counts, types and textures Params asks for.
cMeshBuild BuildGenericMesh(const cGenParams& Params);

// The figure's textures: skin with a face, hair and hands; cloth with tunic, trousers,
// boots, cape, visor and metal areas.
cTextureArt PaintSkin(const std::string& Name);
cTextureArt PaintCloth(const std::string& Name);

// A generic texture: checks shaded light at the top to dark at the bottom, with
// TextureNum + 1 marks along the top edge so the images tell apart.
cTextureArt PaintGeneric(const std::string& Name, int TextureNum, std::uint32_t Seed);

// Everything the class script declares.
struct cScriptDeclarations
{
    std::string Name;
    bool Figure = false;
    std::vector<cGenSequence> Sequences;
    float Scale[3] = {1.0f, 1.0f, 1.0f};
    std::vector<std::string> TextureNames;  // slot order
    std::vector<std::string> TextureFiles;  // relative to the content root, '\' separated
    // SETTEXTURE lines in order: texture number and the name as the script spells it.
    std::vector<std::pair<int, std::string>> Mappings;
};

// The class script text, CR LF line ends.
std::string ComposeScript(const cScriptDeclarations& Declared);
