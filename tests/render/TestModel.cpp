// Writes crafted test models as script, mesh data, animation and PCX files.
#include "tests/render/TestModel.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "tests/common/TempFolder.h"
#include "tools/zgen/ZentorGen.h"

namespace
{
void AddTri(std::vector<cTestTri>& Tris, const int (&A)[3], const int (&B)[3], const int (&C)[3],
            const std::uint8_t (&UV)[3][2], int TextureNum, int Type)
{
    cTestTri Tri{};
    for (int Axis = 0; Axis < 3; ++Axis)
    {
        Tri.P[0][Axis] = A[Axis];
        Tri.P[1][Axis] = B[Axis];
        Tri.P[2][Axis] = C[Axis];
    }
    for (int k = 0; k < 3; ++k)
    {
        Tri.UV[k][0] = UV[k][0];
        Tri.UV[k][1] = UV[k][1];
    }
    Tri.TextureNum = static_cast<std::uint8_t>(TextureNum);
    Tri.Type = static_cast<std::uint8_t>(Type);
    Tris.push_back(Tri);
}

std::vector<std::unique_ptr<cTempFolder>> Folders;

// Texel rows: V 10 at the top edge, 250 at the bottom; U 10 left, 245 right.
constexpr std::uint8_t UL = 10, UR = 245, VT = 10, VB = 250;
}

void AddQuad(std::vector<cTestTri>& Tris, int X, int Y, int Z, int Half, int TextureNum,
             int Type, bool bFacingAway)
{
    const int BL[3] = {X - Half, Y - Half, Z}, BR[3] = {X + Half, Y - Half, Z};
    const int TR[3] = {X + Half, Y + Half, Z}, TL[3] = {X - Half, Y + Half, Z};
    if (!bFacingAway)
    {
        AddTri(Tris, BL, BR, TR, {{UL, VB}, {UR, VB}, {UR, VT}}, TextureNum, Type);
        AddTri(Tris, BL, TR, TL, {{UL, VB}, {UR, VT}, {UL, VT}}, TextureNum, Type);
    }
    else
    {
        AddTri(Tris, BL, TR, BR, {{UL, VB}, {UR, VT}, {UR, VB}}, TextureNum, Type);
        AddTri(Tris, BL, TL, TR, {{UL, VB}, {UL, VT}, {UR, VT}}, TextureNum, Type);
    }
}

void AddSideQuad(std::vector<cTestTri>& Tris, int X, int Y, int Z, int Half, int TextureNum,
                 int Type, bool bFacingAway)
{
    // Seen from +X, the screen's right is -Z.
    const int BL[3] = {X, Y - Half, Z + Half}, BR[3] = {X, Y - Half, Z - Half};
    const int TR[3] = {X, Y + Half, Z - Half}, TL[3] = {X, Y + Half, Z + Half};
    if (!bFacingAway)
    {
        AddTri(Tris, BL, BR, TR, {{UL, VB}, {UR, VB}, {UR, VT}}, TextureNum, Type);
        AddTri(Tris, BL, TR, TL, {{UL, VB}, {UR, VT}, {UL, VT}}, TextureNum, Type);
    }
    else
    {
        AddTri(Tris, BL, TR, BR, {{UL, VB}, {UR, VT}, {UR, VB}}, TextureNum, Type);
        AddTri(Tris, BL, TL, TR, {{UL, VB}, {UL, VT}, {UR, VT}}, TextureNum, Type);
    }
}

void AddDepthAnchors(std::vector<cTestTri>& Tris, int Depth)
{
    const int Near[3] = {0, 0, Depth}, Far[3] = {0, 0, -Depth};
    AddTri(Tris, Near, Near, Near, {{0, 0}, {0, 0}, {0, 0}}, 200, 0);
    AddTri(Tris, Far, Far, Far, {{0, 0}, {0, 0}, {0, 0}}, 200, 0);
}

std::string WriteTestModel(const cTestModel& Model, const std::string& Name)
{
    Folders.push_back(std::make_unique<cTempFolder>("tessaly-render"));
    const std::string Root = Folders.back()->Path() + "/Pkg/";
    std::string Script;
    if (Model.WithMesh)
    {
        const std::vector<cTestTri>& First = Model.Frames.at(0);
        const int NumVertices = static_cast<int>(First.size()) * 3;
        std::vector<MeshTri> Tris;
        for (std::size_t TriNum = 0; TriNum < First.size(); ++TriNum)
        {
            MeshTri Rec{};
            for (int k = 0; k < 3; ++k)
            {
                Rec.iVertex[k] = static_cast<std::uint16_t>(TriNum * 3 + k);
                Rec.UV[k][0] = First[TriNum].UV[k][0];
                Rec.UV[k][1] = First[TriNum].UV[k][1];
            }
            Rec.Type = First[TriNum].Type;
            Rec.TextureNum = First[TriNum].TextureNum;
            Tris.push_back(Rec);
        }
        std::vector<std::vector<std::uint32_t>> Frames;
        for (const std::vector<cTestTri>& Frame : Model.Frames)
        {
            std::vector<std::uint32_t> Words;
            for (const cTestTri& Tri : Frame)
                for (const int* p : Tri.P)
                    Words.push_back(PackVertex(p[0], p[1], p[2]));
            Frames.push_back(Words);
        }
        WriteBytes(Root + "Models/" + Name + "_d.bin", EncodeDataFile(NumVertices, Tris));
        WriteBytes(Root + "Models/" + Name + "_a.bin", EncodeAnivFile(NumVertices, Frames));
        Script += "#exec MESH IMPORT MESH=" + Name + " ANIVFILE=Models\\" + Name +
                  "_a.bin DATAFILE=Models\\" + Name + "_d.bin\n";
    }
    for (std::size_t TexNum = 0; TexNum < Model.Textures.size(); ++TexNum)
    {
        const cTestTexture& Tex = Model.Textures[TexNum];
        std::uint8_t Palette[768] = {};
        for (int c = 0; c < 3; ++c)
        {
            Palette[3 + c] = Tex.Top[c];
            Palette[6 + c] = Tex.Bottom[c];
        }
        std::vector<std::uint8_t> Indices(256 * 256);
        for (int Row = 0; Row < 256; ++Row)
            for (int Col = 0; Col < 256; ++Col)
                Indices[Row * 256 + Col] = Row < 128 ? 1 : 2;
        const std::string File = Name + std::to_string(TexNum) + ".pcx";
        WriteBytes(Root + "Textures/" + File, EncodePCX(256, 256, Indices, Palette));
        Script += "#exec TEXTURE IMPORT NAME=Tex" + std::to_string(TexNum) +
                  " FILE=Textures\\" + File + "\n";
        Script += "#exec MESHMAP SETTEXTURE MESHMAP=" + Name + " NUM=" +
                  std::to_string(Tex.TextureNum) + " TEXTURE=Tex" + std::to_string(TexNum) + "\n";
    }
    Script += "#exec MESHMAP SCALE MESHMAP=" + Name + " X=" + std::to_string(Model.Scale[0]) +
              " Y=" + std::to_string(Model.Scale[1]) + " Z=" + std::to_string(Model.Scale[2]) + "\n";
    for (const cTestSequence& Seq : Model.Sequences)
        Script += "#exec MESH SEQUENCE MESH=" + Name + " SEQ=" + Seq.Name + " STARTFRAME=" +
                  std::to_string(Seq.StartFrame) + " NUMFRAMES=" + std::to_string(Seq.NumFrames) +
                  "\n";
    const std::string Path = Root + "Classes/" + Name + ".zc";
    WriteBytes(Path, std::vector<std::uint8_t>(Script.begin(), Script.end()));
    return Path;
}

void RemoveTestModels()
{
    Folders.clear();
}
