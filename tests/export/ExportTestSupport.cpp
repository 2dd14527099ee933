// Fixtures for the exporter tests: scratch folder, program runs and reading exports back.
#include "tests/export/ExportTestSupport.h"

#include <png.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace
{
bool DecodePng(tinygltf::Image* pImage, const int, std::string* pErr, std::string*, int, int,
               const unsigned char* pBytes, int Size, void*)
{
    png_image Png{};
    Png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&Png, pBytes, static_cast<png_size_t>(Size)))
    {
        *pErr = "not a PNG";
        return false;
    }
    Png.format = PNG_FORMAT_RGB;
    pImage->width = static_cast<int>(Png.width);
    pImage->height = static_cast<int>(Png.height);
    pImage->component = 3;
    pImage->bits = 8;
    pImage->image.resize(PNG_IMAGE_SIZE(Png));
    if (!png_image_finish_read(&Png, nullptr, pImage->image.data(), 0, nullptr))
    {
        *pErr = "bad PNG";
        return false;
    }
    return true;
}
}

void cExportTest::SetUp()
{
    mFolder = std::make_unique<cTempFolder>("tessaly-export");
    mRoot = mFolder->Path();
}

void cExportTest::TearDown()
{
    mFolder.reset();
}

cGenResult cExportTest::WriteMixedModel()
{
    cGenParams Params;
    Params.Name = "Mixed";
    Params.NumFrames = 7;
    Params.NumTris = 40;
    Params.NumVertices = 30;
    Params.NumTextures = 3;
    Params.TypeMix = {0, 2, 3, 4, 8, 0x21, 0x13};
    Params.NumSequences = 3;
    Params.Scale[0] = 2.0f;
    Params.Scale[1] = 1.5f;
    Params.Scale[2] = 0.25f;
    cGenResult Gen = WriteModel((mRoot / "content").string(), Params);
    Gen.Tris[5].TextureNum = 7;
    Gen.Tris[6].TextureNum = 7;
    Gen.Tris[9].TextureNum = 200;
    WriteBytes(Gen.DataPath, EncodeDataFile(Gen.NumVertices, Gen.Tris));
    return Gen;
}

int cExportTest::Export(const std::string& Args)
{
    const std::string ErrPath = (mRoot / "stderr.txt").string();
    const int Status = std::system(
        (std::string(TESSALY_EXPORT_PROGRAM) + " " + Args + " >/dev/null 2>" + ErrPath).c_str());
    std::ifstream Err(ErrPath);
    std::stringstream Text;
    Text << Err.rdbuf();
    mStderr = Text.str();
    std::filesystem::remove(ErrPath);
    return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
}

tinygltf::Model cExportTest::Load(const std::string& Path) const
{
    tinygltf::TinyGLTF Loader;
    Loader.SetImageLoader(DecodePng, nullptr);
    tinygltf::Model Doc;
    std::string Err, Warn;
    const bool bBinary = Path.size() > 4 && Path.compare(Path.size() - 4, 4, ".glb") == 0;
    const bool bOk = bBinary ? Loader.LoadBinaryFromFile(&Doc, &Err, &Warn, Path)
                             : Loader.LoadASCIIFromFile(&Doc, &Err, &Warn, Path);
    EXPECT_TRUE(bOk) << Err;
    EXPECT_EQ(Warn, "");
    return Doc;
}

int cExportTest::CountOutputFiles() const
{
    int Count = 0;
    for (const auto& Entry : std::filesystem::directory_iterator(mRoot))
        Count += Entry.path().filename() != "content";
    return Count;
}

std::vector<float> ReadFloats(const tinygltf::Model& Doc, int Accessor)
{
    const tinygltf::Accessor& Acc = Doc.accessors.at(Accessor);
    const tinygltf::BufferView& View = Doc.bufferViews.at(Acc.bufferView);
    const std::size_t Count = Acc.count * tinygltf::GetNumComponentsInType(Acc.type);
    std::vector<float> Values(Count);
    std::memcpy(Values.data(),
                Doc.buffers.at(View.buffer).data.data() + View.byteOffset + Acc.byteOffset,
                Count * sizeof(float));
    return Values;
}

std::vector<std::uint32_t> ReadIndices(const tinygltf::Model& Doc, int Accessor)
{
    const tinygltf::Accessor& Acc = Doc.accessors.at(Accessor);
    const tinygltf::BufferView& View = Doc.bufferViews.at(Acc.bufferView);
    EXPECT_EQ(Acc.componentType, TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT);
    std::vector<std::uint32_t> Values(Acc.count);
    std::memcpy(Values.data(),
                Doc.buffers.at(View.buffer).data.data() + View.byteOffset + Acc.byteOffset,
                Acc.count * sizeof(std::uint32_t));
    return Values;
}

std::string ReadFileBytes(const std::string& Path)
{
    std::ifstream In(Path, std::ios::binary);
    std::stringstream Bytes;
    Bytes << In.rdbuf();
    return Bytes.str();
}
