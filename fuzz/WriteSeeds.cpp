// fuzz_seeds KIND DIR: writes the starting corpus of one fuzz target (KIND is script, mesh, pcx
// or load) into DIR, made with the content generator so no binary file is kept in the repository.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzContent.h"
#include "LoadInput.h"

namespace
{

using cBytes = std::vector<std::uint8_t>;

cBytes ReadAll(const std::string& Path)
{
    std::ifstream In(Path, std::ios::binary);
    return cBytes(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

cBytes Text(const std::string& S) { return cBytes(S.begin(), S.end()); }

std::vector<cBytes> ScriptSeeds(const cGenResult& Model)
{
    // File names as the generator lays them out under Pkg, as the model's own script has them.
    std::string Crowded = "#exec MESH IMPORT MESH=A ANIVFILE=Models\\Seed_a.bin DATAFILE=Models\\Seed_d.bin\r\n";
    for (int i = 0; i < 10; ++i)
        Crowded += "#exec TEXTURE IMPORT NAME=T" + std::to_string(i) + " FILE=Textures\\Seed0.pcx\n";
    Crowded += "#exec MESHMAP SETTEXTURE NUM=8 TEXTURE=t8\n#exec MESHMAP SETTEXTURE NUM=9 TEXTURE=T1\n"
               "#exec MESHMAP SCALE X=0.5 Y=-1e3 Z=.25\n"
               "#alwaysexec MESH SEQUENCE SEQ=Run STARTFRAME=3 NUMFRAMES=-2\r\n";
    return {ReadAll(Model.ScriptPath), Text(Crowded),
            Text(std::string(1022, 'x') + "#exec MESHMAP SCALE X=1 Y=2")};
}

std::vector<cBytes> MeshSeeds(const cGenResult& Model)
{
    const cBytes Data = EncodeDataFile(Model.NumVertices, Model.Tris);
    const cBytes Aniv = EncodeAnivFile(Model.NumVertices, Model.Frames);
    cBytes Pair = {static_cast<std::uint8_t>(Data.size() & 0xFF), static_cast<std::uint8_t>(Data.size() >> 8)};
    Pair.insert(Pair.end(), Data.begin(), Data.end());
    Pair.insert(Pair.end(), Aniv.begin(), Aniv.end());
    return {Pair};
}

std::vector<cBytes> PCXSeeds(const cGenResult& Model)
{
    const std::uint8_t* pPalette = Model.TexturePalettes[0].data();
    cBytes Small(12 * 7);
    for (std::size_t i = 0; i < Small.size(); ++i)
        Small[i] = static_cast<std::uint8_t>(i / 5 * 40);
    return {EncodePCX(GEN_TEXTURE_SIZE, GEN_TEXTURE_SIZE, Model.TextureIndices[0], pPalette),
            EncodePCX(12, 7, Small, pPalette), EncodePCX(12, 7, Small, pPalette, 16),
            EncodePCX(3, 1, {0xC5, 1, 2}, pPalette)};
}

// A 16 x 16 texture sampled from the generated one: the load seeds stay small, and the load
// takes an image of any size.
cBytes SmallTexture(const cGenResult& Model)
{
    const std::vector<std::uint8_t>& Indices = Model.TextureIndices[0];
    cBytes Small(16 * 16);
    for (std::size_t i = 0; i < Small.size(); ++i)
        Small[i] = Indices[(i / 16) * 16 * GEN_TEXTURE_SIZE + (i % 16) * 16];
    return EncodePCX(16, 16, Small, Model.TexturePalettes[0].data());
}

// Models written under Scratch with the names the load target's tree uses: the generator's own
// script over every polygon type; the same mesh with its triangles spread over all nine texture
// numbers, the one texture mapped to some of them by a script of bare directives, looping over a
// sequence on the second device; and a longer animation drawn untextured on a 16-bit display.
std::vector<cBytes> LoadSeeds(const std::filesystem::path& Scratch)
{
    cGenParams Params;
    Params.Name = LOAD_MODEL_NAME;
    Params.NumFrames = 3;
    Params.NumTris = 9;
    Params.NumVertices = 8;
    Params.TypeMix = {0, 2, 3, 4, 8};
    Params.NumSequences = 2;
    const cGenResult Model = WriteModel((Scratch / "load0").string(), Params);
    cLoadInput Plain;
    Plain.Frame = 1;
    Plain.Script = ReadAll(Model.ScriptPath);
    Plain.Data = ReadAll(Model.DataPath);
    Plain.Aniv = ReadAll(Model.AnivPath);
    Plain.Texture = SmallTexture(Model);

    cLoadInput Spread = Plain;
    Spread.Frame = 2;
    Spread.Filter = 3;
    Spread.Switches = LOAD_LOOP_SEQUENCE | 1 << LOAD_DEVICE_SHIFT;
    std::vector<MeshTri> Tris = Model.Tris;
    for (std::size_t t = 0; t < Tris.size(); ++t)
        Tris[t].TextureNum = static_cast<std::uint8_t>(t % MAX_TEXTURES);
    Spread.Data = EncodeDataFile(Model.NumVertices, Tris);
    Spread.Script = Text("#exec MESH IMPORT MESH=Fuzz ANIVFILE=Models\\Fuzz_a.bin DATAFILE=Models\\Fuzz_d.bin\n"
                         "#exec MESH SEQUENCE MESH=Fuzz SEQ=All STARTFRAME=0 NUMFRAMES=3\n"
                         "#exec TEXTURE IMPORT NAME=A FILE=Textures\\Fuzz0.pcx\n"
                         "#exec MESHMAP SETTEXTURE MESHMAP=Fuzz NUM=0 TEXTURE=A\n"
                         "#exec MESHMAP SETTEXTURE MESHMAP=Fuzz NUM=4 TEXTURE=A\n"
                         "#exec MESHMAP SETTEXTURE MESHMAP=Fuzz NUM=8 TEXTURE=A\n"
                         "#exec MESHMAP SCALE MESHMAP=Fuzz X=0.5 Y=2 Z=1\n");

    Params.NumFrames = 24;
    Params.NumTris = 16;
    Params.NumVertices = 12;
    Params.NumSequences = 3;
    const cGenResult Long = WriteModel((Scratch / "load2").string(), Params);
    cLoadInput Untextured;
    Untextured.Frame = 23;
    Untextured.Filter = 4;
    Untextured.Switches = LOAD_TEXTURES_OFF | 1 << LOAD_DEPTH_SHIFT;
    Untextured.Script = ReadAll(Long.ScriptPath);
    Untextured.Data = ReadAll(Long.DataPath);
    Untextured.Aniv = ReadAll(Long.AnivPath);
    Untextured.Texture = SmallTexture(Long);
    return {JoinLoadInput(Plain), JoinLoadInput(Spread), JoinLoadInput(Untextured)};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: fuzz_seeds script|mesh|pcx|load DIR\n");
        return 2;
    }
    const std::string Kind = argv[1];
    const std::filesystem::path Dir = argv[2];
    const std::filesystem::path Scratch = Dir / ".generated";
    const cGenResult Model = WriteModel(Scratch.string(), FuzzModelParams());

    std::vector<cBytes> Seeds;
    if (Kind == "script")
        Seeds = ScriptSeeds(Model);
    else if (Kind == "mesh")
        Seeds = MeshSeeds(Model);
    else if (Kind == "pcx")
        Seeds = PCXSeeds(Model);
    else if (Kind == "load")
        Seeds = LoadSeeds(Scratch);
    std::filesystem::remove_all(Scratch);
    if (Seeds.empty())
    {
        std::fprintf(stderr, "fuzz_seeds: unknown kind %s\n", Kind.c_str());
        return 2;
    }
    for (std::size_t i = 0; i < Seeds.size(); ++i)
        WriteBytes((Dir / ("seed" + std::to_string(i))).string(), Seeds[i]);
    return 0;
}
