// What an export holds: geometry of every frame, texture coordinates and images, materials per
// texture number and polygon kind, and the animations of the chosen sequences.
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "model/ImportOutput.h"
#include "export/ModelExport.h"
#include "model/ZentorMesh.h"
#include "tests/export/ExportTestSupport.h"

namespace
{
void DropLine(const char*) {}

int KindOf(std::uint8_t Type)
{
    const int Low = Type & 0x0F;
    return Low == 2 || Low == 3 || Low == 4 || Low == 8 ? Low : 0;
}

// The triangles of each primitive in export order: by texture number, then kind.
std::map<int, std::vector<int>> ExpectedGroups(cZentorMesh& Model)
{
    std::map<int, std::vector<int>> Groups;
    for (int Tri = 0; Tri < Model.GetNumTris(); ++Tri)
    {
        const MeshTri* pRecord = Model.GetMeshTri(Tri);
        if (pRecord->TextureNum <= 8)
            Groups[pRecord->TextureNum * 16 + KindOf(pRecord->Type)].push_back(Tri);
    }
    return Groups;
}
}

TEST_F(cExportTest, EveryFrameAndTexelMatchesTheImportedModel)
{
    const cGenResult Gen = WriteMixedModel();
    for (const char* pszName : {"m.glb", "m.gltf"})
    {
        SCOPED_TRACE(pszName);
        ASSERT_EQ(Export(Gen.ScriptPath + " -o " + Out(pszName)), 0) << mStderr;
        const tinygltf::Model Doc = Load(Out(pszName));
        SetImportOutput(DropLine);
        cZentorMesh Model(Gen.ScriptPath.c_str(), true);
        const cZentorMesh Unflipped(Gen.ScriptPath.c_str(), false);
        SetImportOutput(nullptr);
        const std::map<int, std::vector<int>> Groups = ExpectedGroups(Model);
        const int NumFrames = Model.GetAnivHeader()->NumFrames;
        const float* pScale = Model.GetScale();

        ASSERT_EQ(Doc.meshes.size(), 1u);
        ASSERT_EQ(Doc.meshes[0].primitives.size(), Groups.size());
        auto Group = Groups.begin();
        for (const tinygltf::Primitive& Prim : Doc.meshes[0].primitives)
        {
            const std::vector<int>& Tris = (Group++)->second;
            const std::vector<std::uint32_t> Indices = ReadIndices(Doc, Prim.indices);
            ASSERT_EQ(Indices.size(), 3 * Tris.size());
            ASSERT_EQ(Prim.targets.size(), std::size_t(NumFrames - 1));
            const std::vector<float> Base = ReadFloats(Doc, Prim.attributes.at("POSITION"));
            const std::vector<float> UV = ReadFloats(Doc, Prim.attributes.at("TEXCOORD_0"));
            for (int Frame = 0; Frame < NumFrames; ++Frame)
            {
                const std::vector<float> Delta =
                    Frame ? ReadFloats(Doc, Prim.targets[Frame - 1].at("POSITION"))
                          : std::vector<float>(Base.size(), 0.0f);
                for (std::size_t i = 0; i < Indices.size(); ++i)
                {
                    const FrameTri* pTri = Model.GetTriangle(Frame, Tris[i / 3]);
                    const int k = static_cast<int>(i % 3);
                    const float Expected[3] = {pScale[0] * pTri->X[k], pScale[1] * pTri->Y[k],
                                               pScale[2] * pTri->Z[k]};
                    for (int Axis = 0; Axis < 3; ++Axis)
                        ASSERT_NEAR(Base[3 * Indices[i] + Axis] + Delta[3 * Indices[i] + Axis],
                                    Expected[Axis], 1e-3f);
                    if (Frame)
                        continue;
                    // The exported image sampled at the corner shows the texel OpenGL shows.
                    const float U = UV[2 * Indices[i]], V = UV[2 * Indices[i] + 1];
                    ASSERT_EQ(U * 256.0f, pTri->UV[k][0]);
                    const int Row = static_cast<int>(std::floor(V * 256.0f)) & 255;
                    const int GLRow = (1 - pTri->UV[k][1]) & 255;  // t = (1 - V) / 256, repeated
                    const tinygltf::Material& Mat = Doc.materials.at(Prim.material);
                    const int Texture = Mat.pbrMetallicRoughness.baseColorTexture.index;
                    if (Texture < 0)
                        continue;
                    const tinygltf::Image& Image = Doc.images.at(Doc.textures.at(Texture).source);
                    ASSERT_EQ(Image.image.size(), 256u * 256u * 3u);
                    const std::uint8_t* pGL = Model.GetTexture(pTri->TextureNum);
                    const std::size_t At = (std::size_t(Row) * 256 + pTri->UV[k][0]) * 3;
                    const std::size_t GLAt = (std::size_t(GLRow) * 256 + pTri->UV[k][0]) * 3;
                    ASSERT_EQ(0, std::memcmp(&Image.image[At], &pGL[GLAt], 3));
                }
            }
        }
        // Images are stored top row first, as the texture files are.
        ASSERT_FALSE(Doc.images.empty());
        for (const tinygltf::Image& Image : Doc.images)
        {
            const int TextureNum = std::stoi(Image.name.substr(Image.name.rfind(' ') + 1));
            ASSERT_EQ(Image.width, 256);
            ASSERT_EQ(Image.image.size(), 256u * 256u * 3u);
            EXPECT_EQ(0, std::memcmp(Image.image.data(), Unflipped.GetTexture(TextureNum),
                                     Image.image.size()));
        }
        EXPECT_NE(Doc.asset.generator.find("Tessaly"), std::string::npos);
    }
    // The .gltf set (JSON, buffer, one PNG per texture) is in place and no temporary is left.
    EXPECT_EQ(CountOutputFiles(), 3 + static_cast<int>(Gen.TextureNames.size()));
    EXPECT_TRUE(std::filesystem::exists(Out("m.bin")));
    for (const auto& Entry : std::filesystem::directory_iterator(mRoot))
        EXPECT_EQ(Entry.path().string().find(".tmp"), std::string::npos) << Entry.path();
}

TEST_F(cExportTest, MaterialsNameKindAndSidedness)
{
    const cGenResult Gen = WriteMixedModel();
    ASSERT_EQ(Export(Gen.ScriptPath + " -o " + Out("m.glb")), 0) << mStderr;
    const tinygltf::Model Doc = Load(Out("m.glb"));
    const char* KINDS[] = {"normal", "",   "translucent", "masked",     "two-sided",
                           "",       "",   "",            "placeholder"};
    bool bPlaceholder = false, bPlain = false;
    for (const tinygltf::Primitive& Prim : Doc.meshes.at(0).primitives)
    {
        const tinygltf::Material& Mat = Doc.materials.at(Prim.material);
        int Kind = -1;
        for (int k : {0, 2, 3, 4, 8})
            if (Mat.name.find(KINDS[k]) != std::string::npos)
                Kind = k;
        ASSERT_GE(Kind, 0) << Mat.name;
        EXPECT_EQ(Mat.doubleSided, Kind == 2 || Kind == 3 || Kind == 4) << Mat.name;
        bPlaceholder = bPlaceholder || Kind == 8;
        if (Mat.name.find(" 7 ") != std::string::npos)
        {
            bPlain = true;
            EXPECT_LT(Mat.pbrMetallicRoughness.baseColorTexture.index, 0);
        }
        else
            EXPECT_GE(Mat.pbrMetallicRoughness.baseColorTexture.index, 0) << Mat.name;
    }
    EXPECT_TRUE(bPlaceholder);
    EXPECT_TRUE(bPlain);
    EXPECT_EQ(Doc.images.size(), Gen.TextureNames.size());
}

TEST_F(cExportTest, AnimationsStepThroughTheChosenSequences)
{
    const cGenResult Gen = WriteMixedModel();
    ASSERT_EQ(Export(Gen.ScriptPath + " -o " + Out("all.glb") + " --fps 10"), 0) << mStderr;
    const tinygltf::Model All = Load(Out("all.glb"));
    ASSERT_EQ(All.animations.size(), Gen.Sequences.size());
    const int NumTargets = static_cast<int>(Gen.Frames.size()) - 1;
    for (std::size_t s = 0; s < Gen.Sequences.size(); ++s)
    {
        const tinygltf::Animation& Anim = All.animations[s];
        EXPECT_EQ(Anim.name, Gen.Sequences[s].Name);
        ASSERT_EQ(Anim.channels.size(), 1u);
        EXPECT_EQ(Anim.channels[0].target_path, "weights");
        const tinygltf::AnimationSampler& Sampler = Anim.samplers.at(0);
        EXPECT_EQ(Sampler.interpolation, "STEP");
        const std::vector<float> Times = ReadFloats(All, Sampler.input);
        const std::vector<float> Weights = ReadFloats(All, Sampler.output);
        ASSERT_EQ(Times.size(), std::size_t(Gen.Sequences[s].NumFrames));
        ASSERT_EQ(Weights.size(), Times.size() * NumTargets);
        for (std::size_t k = 0; k < Times.size(); ++k)
        {
            EXPECT_FLOAT_EQ(Times[k], k / 10.0f);
            const int Frame = Gen.Sequences[s].StartFrame + static_cast<int>(k);
            for (int t = 0; t < NumTargets; ++t)
                EXPECT_EQ(Weights[k * NumTargets + t], t == Frame - 1 ? 1.0f : 0.0f);
        }
    }

    const std::string Chosen = Gen.Sequences[2].Name + " --sequence " + Gen.Sequences[0].Name;
    ASSERT_EQ(Export(Gen.ScriptPath + " -o " + Out("two.glb") + " --sequence " + Chosen), 0);
    const tinygltf::Model Two = Load(Out("two.glb"));
    ASSERT_EQ(Two.animations.size(), 2u);
    EXPECT_EQ(Two.animations[0].name, Gen.Sequences[0].Name);
    EXPECT_EQ(Two.animations[1].name, Gen.Sequences[2].Name);
    EXPECT_FLOAT_EQ(ReadFloats(Two, Two.animations[0].samplers[0].input).at(1), 1.0f / 20.0f);
}

TEST_F(cExportTest, SequencesReachingPastTheModelKeepOnlyItsFrames)
{
    const cGenResult Gen = WriteMixedModel();
    std::ifstream In(Gen.ScriptPath);
    std::stringstream Text;
    Text << In.rdbuf();
    In.close();
    std::ofstream(Gen.ScriptPath) << Text.str()
                                  << "#exec MESH SEQUENCE MESH=Mixed SEQ=Long STARTFRAME=-2 "
                                     "NUMFRAMES=2000000000\n";
    ASSERT_EQ(Export(Gen.ScriptPath + " -o " + Out("m.glb") + " --sequence Long"), 0) << mStderr;
    const tinygltf::Model Doc = Load(Out("m.glb"));
    ASSERT_EQ(Doc.animations.size(), 1u);
    EXPECT_EQ(ReadFloats(Doc, Doc.animations[0].samplers.at(0).input).size(), Gen.Frames.size());
}

TEST_F(cExportTest, TexturesSampleNearestRepeatedAndUnlitMarksEveryMaterial)
{
    const cGenResult Gen = WriteMixedModel();
    for (const bool bUnlit : {false, true})
    {
        SCOPED_TRACE(bUnlit ? "--unlit" : "lit");
        const std::string Name = bUnlit ? "unlit.gltf" : "lit.glb";
        ASSERT_EQ(Export(Gen.ScriptPath + " -o " + Out(Name) + (bUnlit ? " --unlit" : "")), 0)
            << mStderr;
        const tinygltf::Model Doc = Load(Out(Name));
        ASSERT_FALSE(Doc.textures.empty());
        for (const tinygltf::Texture& Texture : Doc.textures)
        {
            const tinygltf::Sampler& Sampler = Doc.samplers.at(Texture.sampler);
            EXPECT_EQ(Sampler.magFilter, TINYGLTF_TEXTURE_FILTER_NEAREST);
            EXPECT_EQ(Sampler.minFilter, TINYGLTF_TEXTURE_FILTER_NEAREST);
            EXPECT_EQ(Sampler.wrapS, TINYGLTF_TEXTURE_WRAP_REPEAT);
            EXPECT_EQ(Sampler.wrapT, TINYGLTF_TEXTURE_WRAP_REPEAT);
        }
        const std::vector<std::string> Used = Doc.extensionsUsed;
        EXPECT_EQ(Used, bUnlit ? std::vector<std::string>{"KHR_materials_unlit"}
                               : std::vector<std::string>{});
        ASSERT_FALSE(Doc.materials.empty());
        for (const tinygltf::Material& Mat : Doc.materials)
            EXPECT_EQ(Mat.extensions.count("KHR_materials_unlit"), bUnlit ? 1u : 0u) << Mat.name;
    }
}

TEST_F(cExportTest, ModelsOfEitherTextureOrientationExportAlike)
{
    // The viewer exports the model it has loaded, rows bottom-up for OpenGL or top-down for
    // Direct3D; the files must not depend on which.
    const cGenResult Gen = WriteMixedModel();
    SetImportOutput(DropLine);
    cZentorMesh Flipped(Gen.ScriptPath.c_str(), true);
    cZentorMesh Unflipped(Gen.ScriptPath.c_str(), false);
    SetImportOutput(nullptr);
    std::filesystem::create_directory(Out("gl"));
    std::filesystem::create_directory(Out("d3d"));
    for (const char* pszName : {"m.glb", "m.gltf"})
    {
        ExportModel(Flipped, Out("gl/") + pszName, cExportSettings());
        ExportModel(Unflipped, Out("d3d/") + pszName, cExportSettings());
    }
    int Compared = 0;
    for (const auto& Entry : std::filesystem::directory_iterator(Out("gl")))
    {
        const std::string Name = Entry.path().filename().string();
        EXPECT_EQ(ReadFileBytes(Entry.path().string()), ReadFileBytes(Out("d3d/" + Name)))
            << Name;
        ++Compared;
    }
    EXPECT_EQ(Compared, 3 + static_cast<int>(Gen.TextureNames.size()));   // .glb, .gltf, .bin, PNGs
}
