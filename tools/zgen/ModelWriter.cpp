// ModelWriter: writes whole models under a content root: the class script in Pkg/Classes,
// the mesh files in Pkg/Models and the textures in Pkg/Textures.
#include "tools/zgen/GenParts.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <stdexcept>

namespace
{
void CheckParams(const cGenParams& P)
{
    auto Fail = [](const std::string& Reason) { throw std::invalid_argument(Reason); };
    if (P.Name.empty() || P.Name.size() > 40)
        Fail("name must have 1 to 40 characters");
    for (char C : P.Name)
        if (!std::isalnum(static_cast<unsigned char>(C)) && C != '_')
            Fail("name may hold only letters, digits and '_': " + P.Name);
    for (float S : P.Scale)
        if (!std::isfinite(S))
            Fail("scale values must be finite numbers");
    if (P.NumFrames < 0 || P.NumFrames > GEN_MAX_FRAMES)
        Fail("frames must be 0 to " + std::to_string(GEN_MAX_FRAMES));
    if (P.Figure)
        return;
    if (P.NumTris < 0 || P.NumTris > GEN_MAX_TRIS)
        Fail("triangles must be 0 to " + std::to_string(GEN_MAX_TRIS));
    if (P.NumVertices < 0 || P.NumVertices > GEN_MAX_VERTICES)
        Fail("vertices must be 0 to " + std::to_string(GEN_MAX_VERTICES));
    if (P.NumTris > 0 && P.NumVertices < 1)
        Fail("triangles need at least one vertex");
    if (P.NumTextures < 1 || P.NumTextures > GEN_MAX_TEXTURES)
        Fail("textures must be 1 to " + std::to_string(GEN_MAX_TEXTURES));
    if (P.TypeMix.empty())
        Fail("the type mix needs at least one type");
    for (int Type : P.TypeMix)
        if (Type < 0 || Type > 255)
            Fail("polygon types must be 0 to 255");
    if (P.NumSequences < 0 || P.NumSequences > P.NumFrames)
        Fail("sequences must be 0 to the number of frames");
}

std::string Join(const std::string& RootDir, const std::string& Relative)
{
    return (std::filesystem::path(RootDir) / "Pkg" / Relative).string();
}
} // namespace

cGenResult WriteModel(const std::string& RootDir, const cGenParams& Params)
{
    CheckParams(Params);
    const std::string& Name = Params.Name;
    cMeshBuild Build = Params.Figure ? BuildFigure(Params.NumFrames) : BuildGenericMesh(Params);

    cScriptDeclarations Declared;
    Declared.Name = Name;
    Declared.Figure = Params.Figure;
    Declared.Sequences = Build.Sequences;
    for (int k = 0; k < 3; ++k)
        Declared.Scale[k] = Params.Scale[k];

    std::vector<cTextureArt> Textures;
    if (Params.Figure)
    {
        Textures.push_back(PaintSkin(Name + "Skin"));
        Textures.push_back(PaintCloth(Name + "Cloth"));
        Declared.Mappings = {{FIGURE_TEX_SKIN, Name + "Skin"},
                         {FIGURE_TEX_CLOTH, Name + "Cloth"},
                         // Names match without regard to case; the cape reuses the cloth.
                         {FIGURE_TEX_CAPE, Name + "CLOTH"}};
    }
    else
    {
        for (int k = 0; k < Params.NumTextures; ++k)
        {
            Textures.push_back(PaintGeneric(Name + "Tex" + std::to_string(k), k, Params.Seed));
            Declared.Mappings.push_back({k, Textures.back().Name});
        }
    }

    cGenResult Result;
    for (std::size_t k = 0; k < Textures.size(); ++k)
    {
        const std::string File = Name + std::to_string(k) + ".pcx";
        Declared.TextureNames.push_back(Textures[k].Name);
        Declared.TextureFiles.push_back("Textures\\" + File);
        Result.TextureNames.push_back(Textures[k].Name);
        Result.TexturePaths.push_back(Join(RootDir, "Textures/" + File));
    }
    for (const auto& Mapping : Declared.Mappings)
        for (std::size_t k = 0; k < Textures.size(); ++k)
            if (Declared.TextureNames[k].size() == Mapping.second.size() &&
                std::equal(Mapping.second.begin(), Mapping.second.end(), Declared.TextureNames[k].begin(),
                           [](char A, char B) { return std::tolower(static_cast<unsigned char>(A)) ==
                                                       std::tolower(static_cast<unsigned char>(B)); }))
            {
                Result.TexMap[Mapping.first] = static_cast<int>(k);
                break;
            }

    Result.ScriptPath = Join(RootDir, "Classes/" + Name + ".zc");
    Result.DataPath = Join(RootDir, "Models/" + Name + "_d.bin");
    Result.AnivPath = Join(RootDir, "Models/" + Name + "_a.bin");
    WriteBytes(Result.DataPath, EncodeDataFile(Build.NumVertices, Build.Tris));
    WriteBytes(Result.AnivPath, EncodeAnivFile(Build.NumVertices, Build.Frames));
    for (std::size_t k = 0; k < Textures.size(); ++k)
        WriteBytes(Result.TexturePaths[k], EncodePCX(GEN_TEXTURE_SIZE, GEN_TEXTURE_SIZE, Textures[k].Indices,
                                                     Textures[k].Palette.data()));
    const std::string Script = ComposeScript(Declared);
    WriteBytes(Result.ScriptPath, std::vector<std::uint8_t>(Script.begin(), Script.end()));

    Result.NumVertices = Build.NumVertices;
    Result.Tris = std::move(Build.Tris);
    Result.Frames = std::move(Build.Frames);
    Result.Sequences = std::move(Build.Sequences);
    for (int k = 0; k < 3; ++k)
        Result.Scale[k] = Params.Scale[k];
    for (cTextureArt& Art : Textures)
    {
        Result.TextureIndices.push_back(std::move(Art.Indices));
        Result.TexturePalettes.push_back(std::move(Art.Palette));
    }
    return Result;
}

cGenResult WriteSample(const std::string& RootDir)
{
    cGenParams Params;
    Params.Name = "Wanderer";
    Params.Figure = true;
    Params.NumFrames = 45;
    // At a fifth of its 400 raw units the figure stands 80 units tall; the view distance the
    // viewer derives from its depth then leaves a margin of background above and below it.
    Params.Scale[0] = Params.Scale[1] = Params.Scale[2] = 0.2f;
    return WriteModel(RootDir, Params);
}
