// fuzz_seeds KIND DIR: writes the starting corpus of one fuzz target (KIND is script, mesh or
// pcx) into DIR, made with the content generator so no binary file is kept in the repository.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzContent.h"

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

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: fuzz_seeds script|mesh|pcx DIR\n");
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
