// The generator's bundled sample read back through the model: every triangle of every frame
// and every mapped texture must be what the generator wrote.
#include "ModelTestSupport.h"
#include "tools/zgen/ZentorGen.h"

namespace
{

// Sign-extends a field by shifting it to the top of a 32-bit word and back.
float Field(std::uint32_t Word, int Low, int Bits)
{
    const std::uint32_t Top = Word << (32 - Low - Bits);
    return static_cast<float>(static_cast<std::int32_t>(Top) >> (32 - Bits));
}

class cSampleTest : public cContentTest
{
};

TEST_F(cSampleTest, TheSampleReadsBackAsWritten)
{
    const cGenResult Written = WriteSample(mRoot.string());
    for (bool bFlip : {false, true})
    {
        const cImportLines Quiet;
        cZentorMesh Model(Written.ScriptPath.c_str(), bFlip);

        ASSERT_EQ(Model.GetDataHeader()->NumPolys, Written.Tris.size());
        ASSERT_EQ(Model.GetDataHeader()->NumVertices, Written.NumVertices);
        ASSERT_EQ(Model.GetAnivHeader()->NumFrames, Written.Frames.size());
        EXPECT_EQ(Model.GetScale()[1], Written.Scale[1]);
        ASSERT_EQ(Model.GetNumSequences(), static_cast<int>(Written.Sequences.size()));
        for (std::size_t s = 0; s < Written.Sequences.size(); ++s)
        {
            EXPECT_EQ(Model.GetSequence(static_cast<int>(s))->pszName, Written.Sequences[s].Name);
            EXPECT_EQ(Model.GetSequence(static_cast<int>(s))->StartFrame, Written.Sequences[s].StartFrame);
        }

        int Mismatches = 0;
        for (std::size_t f = 0; f < Written.Frames.size(); ++f)
            for (std::size_t t = 0; t < Written.Tris.size(); ++t)
            {
                const FrameTri* pTri = Model.GetTriangle(static_cast<int>(f), static_cast<int>(t));
                ASSERT_NE(pTri, nullptr);
                const MeshTri& Source = Written.Tris[t];
                for (int k = 0; k < 3; ++k)
                {
                    const std::uint32_t Word = Written.Frames[f][Source.iVertex[k]];
                    Mismatches += pTri->X[k] != Field(Word, 0, 11) || pTri->Y[k] != Field(Word, 11, 11) ||
                                  pTri->Z[k] != Field(Word, 22, 10) || pTri->UV[k][0] != Source.UV[k][0] ||
                                  pTri->UV[k][1] != Source.UV[k][1];
                }
                Mismatches += pTri->Type != Source.Type || pTri->TextureNum != Source.TextureNum;
            }
        EXPECT_EQ(Mismatches, 0);

        for (int n = 0; n < MAX_TEXTURES; ++n)
        {
            const int Slot = Written.TexMap[n];
            if (Slot < 0)
            {
                EXPECT_EQ(Model.GetTexture(n), nullptr) << n;
                continue;
            }
            ASSERT_NE(Model.GetTexture(n), nullptr) << n;
            const std::vector<std::uint8_t>& Indices = Written.TextureIndices[Slot];
            const std::vector<std::uint8_t>& Palette = Written.TexturePalettes[Slot];
            for (int y = 0; y < 256; y += 17)
                for (int x = 0; x < 256; x += 13)
                {
                    const int Index = Indices[(bFlip ? 255 - y : y) * 256 + x];
                    const std::vector<std::uint8_t> Expected(&Palette[3 * Index], &Palette[3 * Index] + 3);
                    ASSERT_EQ(PixelAt(Model.GetTexture(n), x, y), Expected) << n << " " << x << "," << y;
                }
        }
    }
}

} // namespace
