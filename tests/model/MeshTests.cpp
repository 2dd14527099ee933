// The mesh file pair: triangle decoding, refusal of files that do not hold what their headers
// claim, and content paths.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "ModelTestSupport.h"
#include "model/ContentPath.h"
#include "model/LoadError.h"

namespace
{

class cMeshTest : public cContentTest
{
protected:
    void WritePair(const cBytes& Data, const cBytes& Aniv) const
    {
        Write("Pkg/Models/m_d.bin", Data);
        Write("Pkg/Models/m_a.bin", Aniv);
    }
    std::unique_ptr<cZentorMesh> Load(const std::string& Text = MESH_IMPORT_LINE) const
    {
        return std::make_unique<cZentorMesh>(Script(Text).c_str(), true);
    }
    std::string LoadError() const
    {
        try
        {
            Load();
        }
        catch (const cLoadError& Error)
        {
            return Error.what();
        }
        return "loaded";
    }
    std::string DataPath() const { return Base() + "Models\\m_d.bin"; }
    std::string AnivPath() const { return Base() + "Models\\m_a.bin"; }
};

TEST_F(cMeshTest, VertexWordsDecodeAsSignedBitFields)
{
    WritePair(EncodeDataFile(5, {Tri(0, 1, 2, 6, 0x13), Tri(3, 4, 0)}),
              MakeAnivFile(1, 20, {0x7FF, 0x400, 0x3FF, 0x80000000u, 1u << 21}));
    const auto Model = Load();
    const FrameTri* pTri = Model->GetTriangle(0, 0);
    ASSERT_NE(pTri, nullptr);
    EXPECT_EQ(pTri->X[0], -1.0f);
    EXPECT_EQ(pTri->X[1], -1024.0f);
    EXPECT_EQ(pTri->X[2], 1023.0f);
    EXPECT_EQ(pTri->Y[0], 0.0f);
    EXPECT_EQ(pTri->TextureNum, 6);
    EXPECT_EQ(pTri->Type, 0x13);
    EXPECT_EQ(pTri->UV[2][0], 21);
    EXPECT_EQ(pTri->UV[2][1], 22);
    pTri = Model->GetTriangle(0, 1);
    ASSERT_NE(pTri, nullptr);
    EXPECT_EQ(pTri->Z[0], -512.0f);
    EXPECT_EQ(pTri->X[0], 0.0f);
    EXPECT_EQ(pTri->Y[0], 0.0f);
    EXPECT_EQ(pTri->Y[1], -1024.0f);
    EXPECT_EQ(pTri->X[1], 0.0f);
    EXPECT_EQ(pTri->Z[1], 0.0f);
}

TEST_F(cMeshTest, FramesStartAtMultiplesOfTheFrameSize)
{
    const std::vector<std::uint32_t> Words = {1, 2, 3, 4, 5, 6};
    WritePair(EncodeDataFile(3, {Tri(2, 0, 1)}), MakeAnivFile(2, 12, Words));
    const auto Model = Load();
    EXPECT_EQ(Model->GetAnivHeader()->FrameSize, 12);
    const FrameTri* pTri = Model->GetTriangle(1, 0);
    ASSERT_NE(pTri, nullptr);
    EXPECT_EQ(pTri->X[0], 6.0f);
    EXPECT_EQ(pTri->X[1], 4.0f);
    EXPECT_EQ(pTri->X[2], 5.0f);

    // A stride that is not a whole number of words still stays inside the block.
    cBytes Aniv = MakeAnivFile(2, 6, Words);
    WritePair(EncodeDataFile(3, {Tri(0, 1, 2)}), Aniv);
    const auto Unaligned = Load();
    pTri = Unaligned->GetTriangle(1, 0);
    ASSERT_NE(pTri, nullptr);
    // Frame 1 starts at byte 6: the upper half of word 1 and the lower half of word 2 make
    // 0x00030000, which is Y = 0x60.
    EXPECT_EQ(pTri->X[0], 0.0f);
    EXPECT_EQ(pTri->Y[0], 96.0f);
}

TEST_F(cMeshTest, IndicesOutsideTheMeshGiveNoTriangle)
{
    WritePair(EncodeDataFile(3, {Tri(0, 1, 2)}), MakeAnivFile(2, 12, {1, 2, 3, 4, 5, 6}));
    const auto Model = Load();
    EXPECT_NE(Model->GetTriangle(1, 0), nullptr);
    EXPECT_EQ(Model->GetTriangle(2, 0), nullptr);
    EXPECT_EQ(Model->GetTriangle(-1, 0), nullptr);
    EXPECT_EQ(Model->GetTriangle(0, 1), nullptr);
    EXPECT_EQ(Model->GetTriangle(0, -1), nullptr);
}

// Frames are read from the animation file when first decoded. A file cut short after the load
// leaves the frames it no longer holds unreadable, while frames read before keep decoding.
TEST_F(cMeshTest, FramesAreReadWhenFirstDecodedAndACutFileLosesOnlyWhatIsGone)
{
    const std::vector<std::uint32_t> Words = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    WritePair(EncodeDataFile(3, {Tri(0, 1, 2)}), MakeAnivFile(3, 12, Words));
    const auto Model = Load();
    ASSERT_NE(Model->GetTriangle(0, 0), nullptr);
    EXPECT_EQ(Model->GetTriangle(0, 0)->X[0], 1.0f);
    // The last frame's words are changed on disk before they are first read: the model reads
    // what the file holds then. Cutting the file after that takes frame 1 away, not frame 2.
    const std::string Path = (mRoot / "Pkg/Models/m_a.bin").string();
    cBytes Aniv = MakeAnivFile(3, 12, Words);
    Aniv[Aniv.size() - 12] = 70;
    Write("Pkg/Models/m_a.bin", Aniv);
    ASSERT_NE(Model->GetTriangle(2, 0), nullptr);
    EXPECT_EQ(Model->GetTriangle(2, 0)->X[0], 70.0f);
    ASSERT_EQ(truncate(Path.c_str(), static_cast<off_t>(Aniv.size() - 20)), 0);
    EXPECT_EQ(Model->GetTriangle(1, 0), nullptr);
    EXPECT_EQ(Model->GetTriangle(1, 0), nullptr);
    ASSERT_NE(Model->GetTriangle(2, 0), nullptr);
    EXPECT_EQ(Model->GetTriangle(2, 0)->X[0], 70.0f);
    EXPECT_EQ(Model->GetTriangle(0, 0)->X[0], 1.0f);
}

TEST_F(cMeshTest, EmptyMeshesAndExtraBytesStillLoad)
{
    cBytes Data = EncodeDataFile(3, {Tri(0, 1, 2)});
    cBytes Aniv = MakeAnivFile(1, 12, {7, 8, 9});
    Data.resize(Data.size() + 5, 0xEE);
    Aniv.resize(Aniv.size() + 3, 0xEE);
    WritePair(Data, Aniv);
    EXPECT_EQ(Load()->GetTriangle(0, 0)->X[2], 9.0f);

    // No triangles, yet the mesh counts as imported: textures after it are taken.
    WritePair(EncodeDataFile(3, {}), MakeAnivFile(1, 12, {7, 8, 9}));
    Write("Pkg/Textures/A.pcx", PlainPCX(3));
    cImportLines Lines;
    const auto Model = Load(std::string(MESH_IMPORT_LINE) + "#exec TEXTURE IMPORT NAME=A FILE=Textures\\A.pcx\n");
    EXPECT_EQ(Lines.Take(),
              "Texture " + Base() + "Textures\\A.pcx assigned to slot 0\n");
    EXPECT_EQ(Model->GetDataHeader()->NumPolys, 0);
    EXPECT_EQ(Model->GetTriangle(0, 0), nullptr);
}

TEST_F(cMeshTest, ASecondMeshImportReplacesTheFirst)
{
    WritePair(EncodeDataFile(3, {Tri(0, 1, 2)}), MakeAnivFile(1, 12, {1, 2, 3}));
    Write("Pkg/Models/n_d.bin", EncodeDataFile(4, {Tri(3, 3, 3), Tri(0, 0, 0)}));
    Write("Pkg/Models/n_a.bin", MakeAnivFile(1, 16, {10, 20, 30, 40}));
    const auto Model =
        Load(std::string(MESH_IMPORT_LINE) + "#exec MESH IMPORT ANIVFILE=Models\\n_a.bin DATAFILE=Models\\n_d.bin\n");
    EXPECT_EQ(Model->GetDataHeader()->NumPolys, 2);
    EXPECT_EQ(Model->GetTriangle(0, 0)->X[0], 40.0f);
}

TEST_F(cMeshTest, PairsThatWouldReadOutsideTheirArraysAreRefused)
{
    const std::string Shorter = " is too short for ";
    WritePair(cBytes(20, 0), MakeAnivFile(1, 12, {1, 2, 3}));
    EXPECT_EQ(LoadError(), "Mesh file " + DataPath() + Shorter + "the header (48 bytes, the file has 20)");

    cBytes Data = EncodeDataFile(3, {Tri(0, 1, 2), Tri(2, 1, 0)});
    Data.resize(Data.size() - 1);
    WritePair(Data, MakeAnivFile(1, 12, {1, 2, 3}));
    EXPECT_EQ(LoadError(), "Mesh file " + DataPath() + Shorter + "2 triangles (80 bytes, the file has 79)");

    WritePair(EncodeDataFile(3, {Tri(0, 1, 2)}), cBytes(3, 0));
    EXPECT_EQ(LoadError(), "Mesh file " + AnivPath() + Shorter + "the header (4 bytes, the file has 3)");

    WritePair(EncodeDataFile(3, {Tri(0, 1, 2)}), MakeAnivFile(2, 12, {1, 2, 3, 4, 5}));
    EXPECT_EQ(LoadError(), "Mesh file " + AnivPath() + Shorter + "2 frames of 3 vertices (28 bytes, the file has 24)");

    WritePair(EncodeDataFile(3, {Tri(0, 1, 2)}), MakeAnivFile(2, 13, {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(LoadError(), "Mesh file " + AnivPath() +
                               ": frame size 13 places frame 1 outside the vertex block of 2 frames of 3 vertices");

    WritePair(EncodeDataFile(3, {Tri(0, 1, 2), Tri(0, 3, 1)}), MakeAnivFile(1, 12, {1, 2, 3}));
    EXPECT_EQ(LoadError(), "Mesh file " + DataPath() + ": triangle 1 uses vertex 3 but a frame has 3 vertices");
}

TEST(cContentPath, BasePathKeepsTheScriptDirectoryThenGoesUp)
{
    EXPECT_EQ(MakeBasePath("/home/a/Pkg/Classes/Thing.zc"), "/home/a/Pkg/Classes/..\\");
    EXPECT_EQ(MakeBasePath("C:\\Game\\Pkg\\Classes\\Thing.zc"), "C:\\Game\\Pkg\\Classes\\..\\");
    EXPECT_EQ(MakeBasePath("Pkg\\Classes/Thing.zc"), "Pkg\\Classes/..\\");
    EXPECT_EQ(MakeBasePath("Thing.zc"), "..\\");
    EXPECT_EQ(MakeBasePath(""), "..\\");
}

TEST_F(cMeshTest, ContentNamesMatchFilesIgnoringCase)
{
    Write("Pkg/MODELS/M_D.Bin", EncodeDataFile(3, {Tri(0, 1, 2)}));
    Write("Pkg/MODELS/m_A.bin", MakeAnivFile(1, 12, {1, 2, 3}));
    const auto Model = Load();
    EXPECT_EQ(Model->GetBasePath(), Base());
    EXPECT_NE(Model->GetTriangle(0, 0), nullptr);

    // A directory is not a file, whatever its name.
    EXPECT_EQ(OpenContentFile(Base() + "models"), nullptr);
    EXPECT_EQ(OpenContentFile(Base() + "Models\\m_x.bin"), nullptr);
    EXPECT_NE(OpenContentFile(mRoot.string() + "/pkg/classes/../models/m_d.bin"), nullptr);
}

TEST_F(cMeshTest, OnlyRegularFilesAreRead)
{
    // A device or a pipe named as content would never end or never start: refused as missing.
    std::filesystem::create_directories(mRoot / "Pkg/Models");
    std::filesystem::create_symlink("/dev/zero", mRoot / "Pkg/Models/m_d.bin");
    Write("Pkg/Models/m_a.bin", MakeAnivFile(1, 12, {1, 2, 3}));
    EXPECT_EQ(LoadError(), "Can't open file " + DataPath());

    std::filesystem::remove(mRoot / "Pkg/Models/m_d.bin");
    std::filesystem::create_directories(mRoot / "Pkg/Textures");
    std::filesystem::create_symlink("/dev/zero", mRoot / "Pkg/Textures/Zero.pcx");
    WritePair(EncodeDataFile(3, {Tri(0, 1, 2)}), MakeAnivFile(1, 12, {1, 2, 3}));
    std::string Message = "loaded";
    {
        const cImportLines Quiet;
        try
        {
            Load(std::string(MESH_IMPORT_LINE) + "#exec TEXTURE IMPORT NAME=Z FILE=Textures\\Zero.pcx\n");
        }
        catch (const cLoadError& Error)
        {
            Message = Error.what();
        }
    }
    EXPECT_EQ(Message, "cPCXFile::cPCXFile(): file not found");

    // The test holds the pipe open for writing, so a reader would not wait for a writer.
    const std::filesystem::path Pipe = mRoot / "pipe.zc";
    ASSERT_EQ(mkfifo(Pipe.c_str(), 0600), 0);
    const int Writer = open(Pipe.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(Writer, 0);
    EXPECT_FALSE(OpenContentFile(Pipe.string()));
    close(Writer);
}

TEST_F(cMeshTest, AScriptWithoutADirectoryResolvesFromTheCurrentOne)
{
    WritePair(EncodeDataFile(3, {Tri(0, 1, 2)}), MakeAnivFile(1, 12, {1, 2, 3}));
    Script(MESH_IMPORT_LINE);
    const std::filesystem::path Previous = std::filesystem::current_path();
    std::filesystem::current_path(mRoot / "Pkg/Classes");
    std::unique_ptr<cZentorMesh> Model;
    EXPECT_NO_THROW(Model = std::make_unique<cZentorMesh>("Thing.zc", false));
    std::filesystem::current_path(Previous);
    ASSERT_NE(Model, nullptr);
    EXPECT_EQ(Model->GetBasePath(), "..\\");
    EXPECT_NE(Model->GetTriangle(0, 0), nullptr);
}

} // namespace
