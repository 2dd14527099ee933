// Generated content read back through the model import: what the reader decodes must be
// exactly what the generator says it wrote.
#include <gtest/gtest.h>

#include "model/ImportOutput.h"
#include "model/ZentorMesh.h"
#include "tests/zgen/TestSupport.h"
#include "tools/zgen/ZentorGen.h"

TEST(SampleLoad, ReaderSeesWhatWasWritten)
{
    const cTempFolder Dir;
    const cGenResult R = WriteSample(Dir.Path());
    cZentorMesh Mesh(R.ScriptPath.c_str(), false);

    ASSERT_EQ(Mesh.GetDataHeader()->NumPolys, R.Tris.size());
    ASSERT_EQ(Mesh.GetDataHeader()->NumVertices, R.NumVertices);
    ASSERT_EQ(Mesh.GetAnivHeader()->NumFrames, R.Frames.size());
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(Mesh.GetScale()[k], R.Scale[k]);
    ASSERT_EQ(Mesh.GetNumSequences(), static_cast<int>(R.Sequences.size()));
    for (int s = 0; s < Mesh.GetNumSequences(); ++s)
    {
        EXPECT_EQ(Mesh.GetSequence(s)->pszName, R.Sequences[static_cast<std::size_t>(s)].Name);
        EXPECT_EQ(Mesh.GetSequence(s)->StartFrame, R.Sequences[static_cast<std::size_t>(s)].StartFrame);
        EXPECT_EQ(Mesh.GetSequence(s)->NumFrames, R.Sequences[static_cast<std::size_t>(s)].NumFrames);
    }

    for (std::size_t f = 0; f < R.Frames.size(); ++f)
        for (std::size_t t = 0; t < R.Tris.size(); ++t)
        {
            const FrameTri* pTri = Mesh.GetTriangle(static_cast<int>(f), static_cast<int>(t));
            ASSERT_NE(pTri, nullptr);
            const MeshTri& Want = R.Tris[t];
            ASSERT_EQ(pTri->Type, Want.Type);
            ASSERT_EQ(pTri->TextureNum, Want.TextureNum);
            for (int k = 0; k < 3; ++k)
            {
                const cUnpacked P = UnpackVertex(R.Frames[f][Want.iVertex[k]]);
                ASSERT_EQ(pTri->X[k], static_cast<float>(P.X)) << "frame " << f << " tri " << t;
                ASSERT_EQ(pTri->Y[k], static_cast<float>(P.Y));
                ASSERT_EQ(pTri->Z[k], static_cast<float>(P.Z));
                ASSERT_EQ(pTri->UV[k][0], Want.UV[k][0]);
                ASSERT_EQ(pTri->UV[k][1], Want.UV[k][1]);
            }
        }

    // Every mapped texture number shows its slot's image through the palette; numbers that
    // share a slot share the pixels.
    for (int n = 0; n < MAX_TEXTURES; ++n)
    {
        const std::uint8_t* pPixels = Mesh.GetTexture(n);
        const int Slot = R.TexMap[n];
        if (Slot < 0)
        {
            EXPECT_EQ(pPixels, nullptr) << "texture number " << n;
            continue;
        }
        ASSERT_NE(pPixels, nullptr) << "texture number " << n;
        const std::vector<std::uint8_t>& Indices = R.TextureIndices[static_cast<std::size_t>(Slot)];
        const std::vector<std::uint8_t>& Palette = R.TexturePalettes[static_cast<std::size_t>(Slot)];
        for (std::size_t i = 0; i < Indices.size(); ++i)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(pPixels[i * 3 + static_cast<std::size_t>(c)],
                          Palette[static_cast<std::size_t>(Indices[i]) * 3 + static_cast<std::size_t>(c)])
                    << "texture number " << n << " pixel " << i;
    }
    EXPECT_EQ(Mesh.GetTexture(2), Mesh.GetTexture(1));
}

TEST(SampleLoad, ScaleReadsBackExactly)
{
    // Values that six significant digits would round: the script must carry every bit.
    const cTempFolder Dir;
    cGenParams Params;
    Params.Scale[0] = 1.0f / 3.0f;
    Params.Scale[1] = 123456.789f;
    Params.Scale[2] = -2.5e-7f;
    const cGenResult R = WriteModel(Dir.Path(), Params);
    const ImportOutputProc Previous = SetImportOutput([](const char*) {});
    const cZentorMesh Mesh(R.ScriptPath.c_str(), false);
    SetImportOutput(Previous);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(Mesh.GetScale()[k], R.Scale[k]) << k;
}
