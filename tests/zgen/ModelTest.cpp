// Whole models written by the generator: file consistency, determinism, parameter checks,
// and the properties the bundled sample promises (sequences, textures, polygon types,
// outward winding, script form).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <numeric>
#include <set>
#include <stdexcept>

#include "tests/zgen/TestSupport.h"
#include "tools/zgen/ZentorGen.h"

namespace
{
std::vector<std::string> AllFiles(const cGenResult& R)
{
    std::vector<std::string> Files = {R.ScriptPath, R.DataPath, R.AnivPath};
    Files.insert(Files.end(), R.TexturePaths.begin(), R.TexturePaths.end());
    return Files;
}

std::string ReadText(const std::string& Path)
{
    const std::vector<std::uint8_t> Bytes = ReadAll(Path);
    return std::string(Bytes.begin(), Bytes.end());
}

std::size_t CountOf(const std::string& Text, const std::string& Part)
{
    std::size_t Count = 0;
    for (std::size_t At = Text.find(Part); At != std::string::npos; At = Text.find(Part, At + 1))
        ++Count;
    return Count;
}

// Checks the mesh files on disk against the result and every index against its range.
void ExpectConsistentFiles(const cGenResult& R)
{
    const std::vector<std::uint8_t> Data = ReadAll(R.DataPath);
    const std::vector<std::uint8_t> Aniv = ReadAll(R.AnivPath);
    ASSERT_GE(Data.size(), 48u);
    ASSERT_GE(Aniv.size(), 4u);
    const int NumPolys = Data[0] | (Data[1] << 8);
    const int NumVertices = Data[2] | (Data[3] << 8);
    const int NumFrames = Aniv[0] | (Aniv[1] << 8);
    EXPECT_EQ(NumPolys, static_cast<int>(R.Tris.size()));
    EXPECT_EQ(NumVertices, R.NumVertices);
    EXPECT_EQ(NumFrames, static_cast<int>(R.Frames.size()));
    EXPECT_EQ(Aniv[2] | (Aniv[3] << 8), 4 * NumVertices);
    EXPECT_EQ(Data.size(), 48u + 16u * static_cast<std::size_t>(NumPolys));
    EXPECT_EQ(Aniv.size(), 4u + 4u * static_cast<std::size_t>(NumVertices) * static_cast<std::size_t>(NumFrames));
    for (const MeshTri& Tri : R.Tris)
    {
        for (std::uint16_t Index : Tri.iVertex)
            ASSERT_LT(Index, NumVertices);
        ASSERT_LT(Tri.TextureNum, MAX_TEXTURES);
        ASSERT_GE(R.TexMap[Tri.TextureNum], 0) << "texture number " << int(Tri.TextureNum) << " is not mapped";
    }
    for (const cGenSequence& Seq : R.Sequences)
    {
        EXPECT_GE(Seq.StartFrame, 0);
        EXPECT_GE(Seq.NumFrames, 1);
        EXPECT_LE(Seq.StartFrame + Seq.NumFrames, NumFrames) << Seq.Name;
    }
}

cGenParams SmallParams()
{
    cGenParams P;
    P.Name = "Lump";
    P.NumFrames = 12;
    P.NumTris = 150;
    P.NumVertices = 70;
    P.NumTextures = 3;
    P.TypeMix = {0, 2, 0x13, 4, 8};
    P.NumSequences = 5;
    P.Scale[2] = 2.5f;
    P.Seed = 77;
    return P;
}
} // namespace

TEST(GenericModel, FilesMatchTheRequestedShape)
{
    const cTempFolder Dir;
    const cGenParams P = SmallParams();
    const cGenResult R = WriteModel(Dir.Path(), P);
    ExpectConsistentFiles(R);
    EXPECT_EQ(R.ScriptPath, Dir.Path() + "/Pkg/Classes/Lump.zc");
    EXPECT_EQ(R.Tris.size(), 150u);
    EXPECT_EQ(R.Frames.size(), 12u);
    ASSERT_EQ(R.TexturePaths.size(), 3u);
    for (std::size_t t = 0; t < R.Tris.size(); ++t)
        EXPECT_EQ(R.Tris[t].Type, P.TypeMix[t % P.TypeMix.size()]);
    std::set<int> TextureNums;
    for (const MeshTri& Tri : R.Tris)
        TextureNums.insert(Tri.TextureNum);
    EXPECT_EQ(TextureNums, (std::set<int>{0, 1, 2}));
    // The sequences share out every frame exactly once, in order.
    ASSERT_EQ(R.Sequences.size(), 5u);
    int Next = 0;
    for (const cGenSequence& Seq : R.Sequences)
    {
        EXPECT_EQ(Seq.StartFrame, Next);
        Next += Seq.NumFrames;
    }
    EXPECT_EQ(Next, 12);
    const std::string Script = ReadText(R.ScriptPath);
    EXPECT_NE(Script.find("X=1 Y=1 Z=2.5"), std::string::npos);
    EXPECT_EQ(CountOf(Script, "\n#exec MESHMAP SETTEXTURE"), 3u);
}

TEST(GenericModel, SameParamsSameBytesOtherSeedOtherVertices)
{
    const cTempFolder A, B, C;
    const cGenResult Ra = WriteModel(A.Path(), SmallParams());
    const cGenResult Rb = WriteModel(B.Path(), SmallParams());
    const std::vector<std::string> Fa = AllFiles(Ra), Fb = AllFiles(Rb);
    ASSERT_EQ(Fa.size(), Fb.size());
    for (std::size_t i = 0; i < Fa.size(); ++i)
    {
        const std::vector<std::uint8_t> Bytes = ReadAll(Fa[i]);
        EXPECT_FALSE(Bytes.empty()) << Fa[i];
        EXPECT_EQ(Bytes, ReadAll(Fb[i])) << Fa[i];
    }
    cGenParams Other = SmallParams();
    Other.Seed = 78;
    const cGenResult Rc = WriteModel(C.Path(), Other);
    EXPECT_NE(ReadAll(Rc.AnivPath), ReadAll(Ra.AnivPath));
}

TEST(GenericModel, EdgeCountsAndRefusedParams)
{
    const cTempFolder Dir;
    cGenParams P;
    P.Name = "Empty";
    P.NumFrames = 0;
    P.NumTris = 0;
    P.NumVertices = 0;
    P.NumSequences = 0;
    ExpectConsistentFiles(WriteModel(Dir.Path(), P));

    // One vertex: every triangle degenerates onto it but stays in range.
    P.Name = "Dot";
    P.NumFrames = 2;
    P.NumTris = 4;
    P.NumVertices = 1;
    ExpectConsistentFiles(WriteModel(Dir.Path(), P));

    // The largest counts: frames beyond what the viewer draws, all nine textures.
    P.Name = "Big";
    P.NumFrames = GEN_MAX_FRAMES;
    P.NumTris = GEN_MAX_TRIS;
    P.NumVertices = 2000;
    P.NumTextures = GEN_MAX_TEXTURES;
    P.NumSequences = 3;
    const cGenResult Big = WriteModel(Dir.Path(), P);
    ExpectConsistentFiles(Big);
    EXPECT_EQ(Big.TexturePaths.size(), 9u);

    const auto Refused = [&](auto Change) {
        cGenParams Bad = SmallParams();
        Change(Bad);
        EXPECT_THROW(WriteModel(Dir.Path(), Bad), std::invalid_argument);
    };
    Refused([](cGenParams& B) { B.Name = "has space"; });
    Refused([](cGenParams& B) { B.Name = "..\\up"; });
    Refused([](cGenParams& B) { B.NumFrames = GEN_MAX_FRAMES + 1; });
    Refused([](cGenParams& B) { B.NumVertices = GEN_MAX_VERTICES + 1; });
    Refused([](cGenParams& B) { B.NumVertices = 0; });
    Refused([](cGenParams& B) { B.NumTextures = 10; });
    Refused([](cGenParams& B) { B.NumTextures = 0; });
    Refused([](cGenParams& B) { B.TypeMix = {}; });
    Refused([](cGenParams& B) { B.TypeMix = {256}; });
    Refused([](cGenParams& B) { B.NumSequences = 13; });
    Refused([](cGenParams& B) { B.Scale[1] = std::numeric_limits<float>::infinity(); });
}

TEST(Sample, SequencesTexturesAndPolygonTypes)
{
    const cTempFolder Dir;
    const cGenResult R = WriteSample(Dir.Path());
    ExpectConsistentFiles(R);
    ASSERT_GE(R.Sequences.size(), 3u);
    EXPECT_GE(R.TexturePaths.size(), 2u);
    std::set<int> Types;
    bool HighNibble = false;
    for (const MeshTri& Tri : R.Tris)
    {
        Types.insert(Tri.Type & 0x0F);
        HighNibble = HighNibble || (Tri.Type & 0xF0) != 0;
    }
    for (int Type : {0, 2, 3, 4, 8})
        EXPECT_TRUE(Types.count(Type)) << "no triangle of type " << Type;
    EXPECT_TRUE(HighNibble);

    // Texture images: 256 x 256, and the top rows differ from the bottom rows.
    for (const std::vector<std::uint8_t>& Image : R.TextureIndices)
    {
        ASSERT_EQ(Image.size(), 65536u);
        EXPECT_FALSE(std::equal(Image.begin(), Image.begin() + 256 * 32, Image.end() - 256 * 32));
    }
}

TEST(Sample, ScriptFormAndDirectiveOrder)
{
    const cTempFolder Dir;
    const cGenResult R = WriteSample(Dir.Path());
    const std::string Script = ReadText(R.ScriptPath);
    ASSERT_FALSE(Script.empty());
    for (std::size_t At = Script.find('\n'); At != std::string::npos; At = Script.find('\n', At + 1))
        ASSERT_TRUE(At > 0 && Script[At - 1] == '\r') << "bare LF at byte " << At;
    EXPECT_GE(CountOf(Script, "\r\n#exec MESHMAP SETTEXTURE"), 2u);
    EXPECT_EQ(CountOf(Script, "\r\n#exec MESH SEQUENCE"), R.Sequences.size());
    EXPECT_GE(CountOf(Script, "\r\n#alwaysexec "), 1u);
    EXPECT_NE(Script.find("DATAFILE=Models\\Wanderer_d.bin"), std::string::npos);
    EXPECT_EQ(Script.find('/', Script.find("#exec")), Script.find("// #exec"))
        << "content paths use backslashes only";
    // Textures are only imported once the mesh is.
    const std::size_t MeshImport = Script.find("#exec MESH IMPORT");
    ASSERT_NE(MeshImport, std::string::npos);
    EXPECT_LT(MeshImport, Script.find("#exec TEXTURE IMPORT"));
}

TEST(Sample, FigureSizeAndOutwardWinding)
{
    const cTempFolder Dir;
    const cGenResult R = WriteSample(Dir.Path());
    ASSERT_FALSE(R.Frames.empty());
    // Stand height about 400 units around the origin, nothing pressed against a field edge
    // (which would mean clamped coordinates).
    int MinY = 1 << 20, MaxY = -(1 << 20);
    for (const auto& Frame : R.Frames)
        for (std::uint32_t Word : Frame)
        {
            const cUnpacked P = UnpackVertex(Word);
            ASSERT_TRUE(P.X > -1024 && P.X < 1023 && P.Y > -1024 && P.Y < 1023 && P.Z > -512 && P.Z < 511);
        }
    for (std::uint32_t Word : R.Frames[0])
    {
        MinY = std::min(MinY, UnpackVertex(Word).Y);
        MaxY = std::max(MaxY, UnpackVertex(Word).Y);
    }
    EXPECT_NEAR(MaxY - MinY, 400, 40);
    EXPECT_NEAR(MaxY + MinY, 0, 40);

    // Plain triangles form closed convex pieces; group them by shared vertices and check
    // that every face normal points away from its piece's centre, in every frame.
    std::vector<int> Group(static_cast<std::size_t>(R.NumVertices));
    std::iota(Group.begin(), Group.end(), 0);
    const auto Find = [&](int V) {
        while (Group[static_cast<std::size_t>(V)] != V)
            V = Group[static_cast<std::size_t>(V)];
        return V;
    };
    std::vector<const MeshTri*> Plain;
    for (const MeshTri& Tri : R.Tris)
        if (Tri.Type == 0)
        {
            Plain.push_back(&Tri);
            Group[static_cast<std::size_t>(Find(Tri.iVertex[1]))] = Find(Tri.iVertex[0]);
            Group[static_cast<std::size_t>(Find(Tri.iVertex[2]))] = Find(Tri.iVertex[0]);
        }
    ASSERT_GE(Plain.size(), 12u * 8u);
    for (std::size_t f = 0; f < R.Frames.size(); ++f)
    {
        std::map<int, std::array<double, 4>> Centre;  // sum of X, Y, Z and the count
        for (int v = 0; v < R.NumVertices; ++v)
        {
            const cUnpacked P = UnpackVertex(R.Frames[f][static_cast<std::size_t>(v)]);
            std::array<double, 4>& C = Centre[Find(v)];
            C[0] += P.X, C[1] += P.Y, C[2] += P.Z, C[3] += 1;
        }
        for (const MeshTri* pTri : Plain)
        {
            cUnpacked P[3];
            for (int k = 0; k < 3; ++k)
                P[k] = UnpackVertex(R.Frames[f][pTri->iVertex[k]]);
            const double Ax = P[1].X - P[0].X, Ay = P[1].Y - P[0].Y, Az = P[1].Z - P[0].Z;
            const double Bx = P[2].X - P[0].X, By = P[2].Y - P[0].Y, Bz = P[2].Z - P[0].Z;
            const double Nx = Ay * Bz - Az * By, Ny = Az * Bx - Ax * Bz, Nz = Ax * By - Ay * Bx;
            const std::array<double, 4>& C = Centre[Find(pTri->iVertex[0])];
            const double Dx = P[0].X - C[0] / C[3], Dy = P[0].Y - C[1] / C[3], Dz = P[0].Z - C[2] / C[3];
            ASSERT_GT(Nx * Dx + Ny * Dy + Nz * Dz, 0) << "frame " << f << " triangle " << (pTri - R.Tris.data());
        }
    }
}
