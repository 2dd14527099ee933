// Directive reading and the import commands, seen through the model a script builds and the
// lines it prints.
#include <cmath>
#include <cstring>
#include <memory>

#include "ModelTestSupport.h"
#include "model/LoadError.h"

namespace
{

class cScriptTest : public cContentTest
{
protected:
    // A one-frame mesh with one triangle, at Pkg/Models/m_d.bin and m_a.bin.
    void WriteMesh() const
    {
        Write("Pkg/Models/m_d.bin", EncodeDataFile(3, {Tri(0, 1, 2)}));
        Write("Pkg/Models/m_a.bin", MakeAnivFile(1, 12, {1, 2, 3}));
    }
    // A 256 x 256 texture of one palette index at Pkg/Textures/<Name>.pcx.
    void WriteTexture(const std::string& Name, int Index) const
    {
        Write("Pkg/Textures/" + Name + ".pcx",
              PlainPCX(Index));
    }
    // Builds the model from Text; mOut receives what it printed.
    std::unique_ptr<cZentorMesh> Load(const std::string& Text)
    {
        const std::string Path = Script(Text);
        cImportLines Lines;
        std::unique_ptr<cZentorMesh> Model;
        try
        {
            Model = std::make_unique<cZentorMesh>(Path.c_str(), false);
        }
        catch (...)
        {
            mOut = Lines.Take();
            throw;
        }
        mOut = Lines.Take();
        return Model;
    }
    // The message a failing load throws.
    std::string LoadError(const std::string& Text)
    {
        try
        {
            Load(Text);
        }
        catch (const cLoadError& Error)
        {
            return Error.what();
        }
        ADD_FAILURE() << "the load did not fail";
        return {};
    }
    std::string mOut;
};

std::string SequenceNames(const cZentorMesh& Model)
{
    std::string Names;
    for (int i = 0; i < Model.GetNumSequences(); ++i)
        Names += Model.GetSequence(i)->pszName + ";";
    return Names;
}

TEST_F(cScriptTest, KeywordsCountOnlyInColumnZeroAndInTheirExactCase)
{
    const auto Model = Load("class Thing extends Actor;\n"
                            "\t#exec MESH SEQUENCE SEQ=Tab STARTFRAME=0 NUMFRAMES=1\n"
                            "  #exec MESH SEQUENCE SEQ=Spaces STARTFRAME=0 NUMFRAMES=1\n"
                            "#EXEC MESH SEQUENCE SEQ=Capitals STARTFRAME=0 NUMFRAMES=1\n"
                            "/*\n#exec MESH SEQUENCE SEQ=Commented STARTFRAME=1 NUMFRAMES=2\n*/\n"
                            "#alwaysexec MESH SEQUENCE SEQ=Always STARTFRAME=3 NUMFRAMES=4\n"
                            "#execMESH SEQUENCE SEQ=Glued STARTFRAME=5 NUMFRAMES=6\n"
                            "#exec MESH SEQUENCE SEQ=Last STARTFRAME=7 NUMFRAMES=8");
    EXPECT_EQ(SequenceNames(*Model), "Commented;Always;Glued;Last;");
    EXPECT_EQ(mOut, "    Found animseq Commented start 1 len 2\n"
                    "    Found animseq Always start 3 len 4\n"
                    "    Found animseq Glued start 5 len 6\n"
                    "    Found animseq Last start 7 len 8\n");
}

TEST_F(cScriptTest, LongLinesArriveInPiecesOf1022Characters)
{
    // The directive after 1022 filler characters starts the second piece, so it runs; the key
    // pushed past the first piece's end is not part of that piece.
    const std::string Filler(1022, 'x');
    const auto Model = Load(Filler + "#exec MESH SEQUENCE SEQ=Second STARTFRAME=1 NUMFRAMES=2\n" +
                            std::string(1021, 'y') + "\n#exec MESH SEQUENCE SEQ=Next STARTFRAME=3 NUMFRAMES=4\n" +
                            "#exec MESH SEQUENCE SEQ=Cut STARTFRAME=5" + std::string(1000, ' ') +
                            "NUMFRAMES=6\n");
    EXPECT_EQ(SequenceNames(*Model), "Second;Next;");
    EXPECT_EQ(mOut, "    Found animseq Second start 1 len 2\n"
                    "    Found animseq Next start 3 len 4\n"
                    "Ignored MESH SEQUENCE: no NUMFRAMES= key\n");
}

TEST_F(cScriptTest, WindowsLineEndsReadLikePlainNewlines)
{
    WriteMesh();
    WriteTexture("Skin", 9);
    const auto Model = Load("class Thing extends Actor;\r\n" + std::string(MESH_IMPORT_LINE, std::strlen(MESH_IMPORT_LINE) - 1) +
                            "\r\n#exec TEXTURE IMPORT NAME=Skin FILE=Textures\\Skin.pcx\r\n"
                            "#exec MESHMAP SETTEXTURE MESHMAP=Thing NUM=2 TEXTURE=Skin\r\n"
                            "#exec MESH SEQUENCE MESH=Thing SEQ=Walk STARTFRAME=0 NUMFRAMES=1\r\n");
    EXPECT_EQ(mOut, "Texture " + Base() + "Textures\\Skin.pcx assigned to slot 0\n"
                    "texture in slot 0 mapped to texnum 2\n"
                    "    Found animseq Walk start 0 len 1\n");
    ASSERT_NE(Model->GetTexture(2), nullptr);
    EXPECT_EQ(PixelAt(Model->GetTexture(2), 5, 5), Colour(9));
    EXPECT_NE(Model->GetTriangle(0, 0), nullptr);
}

TEST_F(cScriptTest, CommandWordsIgnoreCaseButKeysDoNot)
{
    WriteMesh();
    WriteTexture("Skin", 4);
    const auto Model = Load(std::string(MESH_IMPORT_LINE) +
                            "#exec texture import name=Lower FILE=Textures\\Skin.pcx\n"
                            "#exec Texture Import NAME=Skin FILE=Textures\\Skin.pcx\n"
                            "#exec meshmap settexture NUM=1 TEXTURE=Skin\n"
                            "#exec meshmap scale X=2 Y=3 Z=4\n"
                            "#exec mesh sequence SEQ=Run STARTFRAME=2 NUMFRAMES=3\n"
                            "#exec MESHMAP SCALE x=9 Y=9 Z=9\n");
    EXPECT_EQ(mOut, "Texture " + Base() + "Textures\\Skin.pcx assigned to slot 0\n"
                    "texture in slot 0 mapped to texnum 1\n"
                    "    Found animseq Run start 2 len 3\n"
                    "Ignored MESHMAP SCALE: no X= key\n");
    EXPECT_NE(Model->GetTexture(1), nullptr);
    EXPECT_EQ(Model->GetScale()[0], 2.0f);
    EXPECT_EQ(Model->GetScale()[2], 4.0f);
}

TEST_F(cScriptTest, TexturesBeforeTheMeshImportAreNotRead)
{
    // The named file does not exist: reading it would fail the whole load.
    WriteMesh();
    const auto Model = Load("#exec TEXTURE IMPORT NAME=Skin FILE=Textures\\Missing.pcx\n" +
                            std::string(MESH_IMPORT_LINE) +
                            "#exec MESHMAP SETTEXTURE MESHMAP=Thing NUM=0 TEXTURE=Skin\n");
    EXPECT_EQ(mOut, "Ignored SETTEXTURE: no texture named Skin\n");
    for (int n = 0; n < MAX_TEXTURES; ++n)
        EXPECT_EQ(Model->GetTexture(n), nullptr);
}

TEST_F(cScriptTest, SetTextureFindsTheLowestSlotIgnoringCase)
{
    WriteMesh();
    WriteTexture("A", 1);
    WriteTexture("B", 2);
    const auto Model = Load(std::string(MESH_IMPORT_LINE) +
                            "#exec TEXTURE IMPORT NAME=Skin FILE=Textures\\A.pcx\n"
                            "#exec TEXTURE IMPORT NAME=skin FILE=Textures\\B.pcx\n"
                            "#exec TEXTURE IMPORT NAME=Face FILE=Textures\\B.pcx\n"
                            "#exec MESHMAP SETTEXTURE NUM=3 TEXTURE=SKIN\n"
                            "#exec MESHMAP SETTEXTURE NUM=4 TEXTURE=face\n"
                            "#exec MESHMAP SETTEXTURE NUM=5 TEXTURE=Skin\n"
                            "#exec MESHMAP SETTEXTURE NUM=5 TEXTURE=Face\n");
    EXPECT_EQ(mOut, "Texture " + Base() + "Textures\\A.pcx assigned to slot 0\n"
                    "Texture " + Base() + "Textures\\B.pcx assigned to slot 1\n"
                    "Texture " + Base() + "Textures\\B.pcx assigned to slot 2\n"
                    "texture in slot 0 mapped to texnum 3\n"
                    "texture in slot 2 mapped to texnum 4\n"
                    "texture in slot 0 mapped to texnum 5\n"
                    "texture in slot 2 mapped to texnum 5\n");
    EXPECT_EQ(PixelAt(Model->GetTexture(3), 0, 0), Colour(1));
    EXPECT_EQ(PixelAt(Model->GetTexture(5), 0, 0), Colour(2));
    EXPECT_EQ(Model->GetTexture(0), nullptr);
}

TEST_F(cScriptTest, OutOfRangeTextureLinesAreIgnoredWithAMessage)
{
    WriteMesh();
    WriteTexture("A", 1);
    std::string Text = MESH_IMPORT_LINE;
    for (int i = 0; i < 10; ++i)
        Text += "#exec TEXTURE IMPORT NAME=T" + std::to_string(i) + " FILE=Textures\\A.pcx\n";
    Text += "#exec TEXTURE IMPORT NAME= FILE=Textures\\A.pcx\n"
            "#exec MESHMAP SETTEXTURE NUM=9 TEXTURE=T0\n"
            "#exec MESHMAP SETTEXTURE NUM=-1 TEXTURE=T0\n"
            "#exec MESHMAP SETTEXTURE NUM=0 TEXTURE=\n"
            "#exec MESHMAP SETTEXTURE NUM=0 TEXTURE=T9\n"
            "#exec MESHMAP SETTEXTURE NUM=8 TEXTURE=T8\n";
    const auto Model = Load(Text);
    std::string Expected;
    for (int i = 0; i < 9; ++i)
        Expected += "Texture " + Base() + "Textures\\A.pcx assigned to slot " + std::to_string(i) + "\n";
    Expected += "Ignored TEXTURE IMPORT of T9: all 9 texture slots are in use\n"
                "Ignored TEXTURE IMPORT: empty NAME=\n"
                "Ignored SETTEXTURE: texture number 9 is outside 0 to 8\n"
                "Ignored SETTEXTURE: texture number -1 is outside 0 to 8\n"
                "Ignored SETTEXTURE: no texture named \n"
                "Ignored SETTEXTURE: no texture named T9\n"
                "texture in slot 8 mapped to texnum 8\n";
    EXPECT_EQ(mOut, Expected);
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(Model->GetTexture(n), nullptr) << n;
    EXPECT_NE(Model->GetTexture(8), nullptr);
}

TEST_F(cScriptTest, LinesMissingAKeyAreIgnoredWithAMessage)
{
    const auto Model = Load("#exec MESHMAP SCALE X=2 Z=3\n"
                            "#exec MESHMAP SETTEXTURE TEXTURE=Skin\n"
                            "#exec MESHMAP SETTEXTURE NUM=1\n"
                            "#exec MESH IMPORT DATAFILE=Models\\m_d.bin\n"
                            "#exec MESH IMPORT ANIVFILE=Models\\m_a.bin\n"
                            "#exec MESH SEQUENCE STARTFRAME=1 NUMFRAMES=2\n"
                            "#exec MESH SEQUENCE SEQ=A NUMFRAMES=2\n"
                            "#exec MESH SEQUENCE SEQ=A STARTFRAME=2\n"
                            "#exec TEXTURE IMPORT FILE=Textures\\A.pcx\n"
                            "#exec MESH LODPARAMS MESH=Thing\n"
                            "#exec AUDIO IMPORT FILE=Sounds\\a.wav\n");
    EXPECT_EQ(mOut, "Ignored MESHMAP SCALE: no Y= key\n"
                    "Ignored MESHMAP SETTEXTURE: no NUM= key\n"
                    "Ignored MESHMAP SETTEXTURE: no TEXTURE= key\n"
                    "Ignored MESH IMPORT: no ANIVFILE= key\n"
                    "Ignored MESH IMPORT: no DATAFILE= key\n"
                    "Ignored MESH SEQUENCE: no SEQ= key\n"
                    "Ignored MESH SEQUENCE: no STARTFRAME= key\n"
                    "Ignored MESH SEQUENCE: no NUMFRAMES= key\n");
    EXPECT_EQ(Model->GetScale()[0], 1.0f);
    EXPECT_EQ(Model->GetNumSequences(), 0);
    EXPECT_EQ(Model->GetTriangle(0, 0), nullptr);
}

TEST_F(cScriptTest, NumbersReadLikeTheCLibraryWithoutItsLocale)
{
    const auto Model = Load("#exec MESHMAP SCALE MESHMAP=Box X=0.25 Y=0.25 Z=0.5\n"
                            "#exec MESHMAP SCALE X=1e400 Y=-1e-400 Z=  7.\n"
                            "#exec MESH SEQUENCE SEQ=\"Odd STARTFRAME=-12abc NUMFRAMES=99999999999\n"
                            "#exec MESH SEQUENCE SEQ=Odd STARTFRAME=x NUMFRAMES=\n");
    const float* pScale = Model->GetScale();
    const auto Written = Load("#exec MESHMAP SCALE X=-1.5e2 Y=+.5E+1x Z=abc\n");
    EXPECT_EQ(Written->GetScale()[0], -150.0f);
    EXPECT_EQ(Written->GetScale()[1], 5.0f);
    EXPECT_EQ(Written->GetScale()[2], 0.0f);
    EXPECT_TRUE(std::isinf(pScale[0]) && pScale[0] > 0);
    EXPECT_EQ(pScale[1], 0.0f);
    EXPECT_EQ(pScale[2], 7.0f);
    ASSERT_EQ(Model->GetNumSequences(), 2);
    EXPECT_EQ(Model->GetSequence(0)->pszName, "\"Odd");
    EXPECT_EQ(Model->GetSequence(0)->StartFrame, -12);
    EXPECT_EQ(Model->GetSequence(0)->NumFrames, 2147483647);
    EXPECT_EQ(Model->GetSequence(1)->StartFrame, 0);
    EXPECT_EQ(Model->GetSequence(1)->NumFrames, 0);
}

TEST_F(cScriptTest, EmptyScriptGivesAnEmptyModel)
{
    const auto Model = Load("");
    EXPECT_EQ(mOut, "");
    EXPECT_EQ(Model->GetNumSequences(), 0);
    EXPECT_EQ(Model->GetDataHeader()->NumPolys, 0);
    EXPECT_EQ(Model->GetAnivHeader()->NumFrames, 0);
    EXPECT_EQ(Model->GetTriangle(0, 0), nullptr);
    EXPECT_EQ(Model->GetScale()[1], 1.0f);
}

TEST_F(cScriptTest, LoadFailuresCarryTheirMessages)
{
    const std::string Missing = (mRoot / "Pkg/Classes/None.zc").string();
    try
    {
        cZentorMesh Model(Missing.c_str(), true);
        ADD_FAILURE() << "a missing script loaded";
    }
    catch (const cLoadError& Error)
    {
        EXPECT_EQ(std::string(Error.what()), "Can't open file " + Missing);
    }

    EXPECT_EQ(LoadError(MESH_IMPORT_LINE), "Can't open file " + Base() + "Models\\m_d.bin");
    Write("Pkg/Models/m_d.bin", EncodeDataFile(3, {Tri(0, 1, 2)}));
    EXPECT_EQ(LoadError(MESH_IMPORT_LINE), "Can't open file " + Base() + "Models\\m_a.bin");
    WriteMesh();
    EXPECT_EQ(LoadError("#exec MESH SEQUENCE SEQ=A STARTFRAME=0 NUMFRAMES=1\n" +
                        std::string(MESH_IMPORT_LINE) +
                        "#exec TEXTURE IMPORT NAME=Skin FILE=Textures\\Gone.pcx\n"),
              "cPCXFile::cPCXFile(): file not found");
    EXPECT_EQ(mOut, "    Found animseq A start 0 len 1\n");
}

} // namespace

namespace
{
std::string SinkText;

void CollectLine(const char* pszLine)
{
    SinkText += pszLine;
}
}

TEST_F(cContentTest, ImportLinesGoToStdoutUnlessASinkIsSet)
{
    const std::string Path = Script("#exec MESH SEQUENCE SEQ=Run STARTFRAME=0 NUMFRAMES=1\n");
    const std::string Line = "    Found animseq Run start 0 len 1\n";

    testing::internal::CaptureStdout();
    cZentorMesh(Path.c_str(), false);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), Line);

    // A sink set takes the lines instead of stdout; setting none puts stdout back.
    SinkText.clear();
    EXPECT_EQ(SetImportOutput(CollectLine), nullptr);
    testing::internal::CaptureStdout();
    cZentorMesh(Path.c_str(), false);
    const std::string WhileSet = testing::internal::GetCapturedStdout();
    EXPECT_EQ(SetImportOutput(nullptr), CollectLine);
    EXPECT_EQ(WhileSet, "");
    EXPECT_EQ(SinkText, Line);

    testing::internal::CaptureStdout();
    cZentorMesh(Path.c_str(), false);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), Line);
    EXPECT_EQ(SinkText, Line);
}

TEST_F(cScriptTest, ALongDiagnosticLineReachesTheSinkWhole)
{
    // A line of nearly 1000 characters, from a name that fits in one piece of the script.
    const std::string Name(960, 'n');
    Load("#exec MESHMAP SETTEXTURE NUM=0 TEXTURE=" + Name + "\n");
    EXPECT_EQ(mOut, "Ignored SETTEXTURE: no texture named " + Name + "\n");
}
