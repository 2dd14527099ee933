// BuildGltf: turns a loaded model into a glTF document (mesh, morph targets, materials,
// textures, animations).
#include "export/GltfBuild.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "model/ZentorMesh.h"
#include "export/ExportMesh.h"
#include "export/ModelExport.h"
#include "export/GltfBuffer.h"
#include "export/PngEncode.h"
#include "TessalyVersion.h"

namespace
{
constexpr int TEXTURE_SIZE = 256;
constexpr const char* UNLIT_EXTENSION = "KHR_materials_unlit";

// Texture number -> glTF texture index (-1: the number maps to no texture). Textures that
// share a picture share one image and one texture.
// Every texture is sampled as the OpenGL renderer samples it: nearest texel, repeated.
std::vector<int> AddTextures(cGltfDocument& Out, cGltfBuffer& Buffer, cZentorMesh& Model,
                             const cExportMesh& Mesh, const std::string& ImageStem)
{
    std::vector<int> TextureOf(MAX_TEXTURES, -1);
    tinygltf::Sampler Sampler;
    Sampler.magFilter = TINYGLTF_TEXTURE_FILTER_NEAREST;
    Sampler.minFilter = TINYGLTF_TEXTURE_FILTER_NEAREST;
    Sampler.wrapS = TINYGLTF_TEXTURE_WRAP_REPEAT;
    Sampler.wrapT = TINYGLTF_TEXTURE_WRAP_REPEAT;
    std::map<const std::uint8_t*, int> ByPicture;
    for (const cExportGroup& Group : Mesh.Groups())
    {
        const std::uint8_t* pPixels = Model.GetTexture(Group.TextureNum);
        if (!pPixels || TextureOf[Group.TextureNum] >= 0)
            continue;
        const auto Found = ByPicture.find(pPixels);
        if (Found != ByPicture.end())
        {
            TextureOf[Group.TextureNum] = Found->second;
            continue;
        }
        // The image is stored top row first; a model built for OpenGL holds its rows bottom-up.
        const std::size_t Row = TEXTURE_SIZE * 3;
        std::vector<std::uint8_t> TopDown(pPixels, pPixels + Row * TEXTURE_SIZE);
        if (Model.TexturesFlipped())
            for (int y = 0; y < TEXTURE_SIZE; ++y)
                std::copy(pPixels + Row * (TEXTURE_SIZE - 1 - y),
                          pPixels + Row * (TEXTURE_SIZE - y), TopDown.begin() + Row * y);
        std::vector<unsigned char> Png = EncodePngRGB(TEXTURE_SIZE, TEXTURE_SIZE, TopDown.data());
        tinygltf::Image Image;
        Image.name = "texture " + std::to_string(Group.TextureNum);
        Image.mimeType = "image/png";
        if (ImageStem.empty())
            Image.bufferView = Buffer.AddView(Png.data(), Png.size(), 0);
        else
        {
            Image.uri = ImageStem + "_" + std::to_string(Group.TextureNum) + ".png";
            Out.ImageFiles.emplace_back(Image.uri, std::move(Png));
        }
        Out.Doc.images.push_back(Image);
        tinygltf::Texture Texture;
        Texture.source = static_cast<int>(Out.Doc.images.size() - 1);
        Texture.sampler = 0;
        Out.Doc.textures.push_back(Texture);
        const int Index = static_cast<int>(Out.Doc.textures.size() - 1);
        ByPicture[pPixels] = Index;
        TextureOf[Group.TextureNum] = Index;
    }
    if (!Out.Doc.textures.empty())
        Out.Doc.samplers.push_back(Sampler);
    return TextureOf;
}

// With bUnlit the material shows its texture's own colours, lighting left out.
int AddMaterial(tinygltf::Model& Doc, const cExportGroup& Group, int Texture, bool bUnlit)
{
    tinygltf::Material Material;
    Material.name = std::string(Texture >= 0 ? "texture " : "plain, texture number ") +
                    std::to_string(Group.TextureNum) + " " + KindName(Group.Kind);
    Material.doubleSided = KindIsDoubleSided(Group.Kind);
    Material.pbrMetallicRoughness.metallicFactor = 0.0;
    if (Texture >= 0)
        Material.pbrMetallicRoughness.baseColorTexture.index = Texture;
    if (bUnlit)
        Material.extensions[UNLIT_EXTENSION] = tinygltf::Value(tinygltf::Value::Object());
    Doc.materials.push_back(Material);
    return static_cast<int>(Doc.materials.size() - 1);
}

// The sequences to export, in the model's order, or the first unknown name as an error.
std::vector<const AnimSeq*> ChooseSequences(cZentorMesh& Model,
                                            const std::vector<std::string>& Names)
{
    std::vector<const AnimSeq*> Chosen;
    for (const std::string& Name : Names)
    {
        bool bFound = false;
        for (int i = 0; i < Model.GetNumSequences() && !bFound; ++i)
            bFound = Model.GetSequence(i)->pszName == Name;
        if (!bFound)
            throw std::runtime_error("The model has no sequence named " + Name);
    }
    for (int i = 0; i < Model.GetNumSequences(); ++i)
    {
        const AnimSeq* pSeq = Model.GetSequence(i);
        bool bWanted = Names.empty();
        for (const std::string& Name : Names)
            bWanted = bWanted || pSeq->pszName == Name;
        if (bWanted)
            Chosen.push_back(pSeq);
    }
    return Chosen;
}

// One animation stepping the morph weights through the sequence's frames, frame f showing
// target f - 1 alone (frame 0 is the base). Frames outside the model are skipped.
void AddAnimation(tinygltf::Model& Doc, cGltfBuffer& Buffer, const AnimSeq& Seq, int NumFrames,
                  int Fps)
{
    const std::size_t NumTargets = static_cast<std::size_t>(NumFrames - 1);
    std::vector<float> Times, Weights;
    // Only the part of the sequence inside the model counts, however long the script says it is.
    const std::int64_t First = std::max<std::int64_t>(Seq.StartFrame, 0);
    const std::int64_t End = std::min<std::int64_t>(std::int64_t(Seq.StartFrame) + Seq.NumFrames,
                                                    NumFrames);
    for (std::int64_t Frame = First; Frame < End; ++Frame)
    {
        Times.push_back(static_cast<float>(Times.size()) / static_cast<float>(Fps));
        Weights.resize(Weights.size() + NumTargets, 0.0f);
        if (Frame > 0)
            Weights[Weights.size() - NumTargets + std::size_t(Frame - 1)] = 1.0f;
    }
    if (Times.empty())
        return;
    tinygltf::AnimationSampler Sampler;
    Sampler.input = Buffer.AddFloats(Times, TINYGLTF_TYPE_SCALAR, 1, 0, true);
    Sampler.output = Buffer.AddFloats(Weights, TINYGLTF_TYPE_SCALAR, 1, 0, false);
    Sampler.interpolation = "STEP";
    tinygltf::Animation Anim;
    Anim.name = Seq.pszName;
    Anim.samplers.push_back(Sampler);
    tinygltf::AnimationChannel Channel;
    Channel.sampler = 0;
    Channel.target_node = 0;
    Channel.target_path = "weights";
    Anim.channels.push_back(Channel);
    Doc.animations.push_back(Anim);
}
}

cGltfDocument BuildGltf(cZentorMesh& Model, const cExportSettings& Settings,
                        const std::string& ImageStem)
{
    const std::vector<const AnimSeq*> Chosen = ChooseSequences(Model, Settings.Sequences);
    cGltfDocument Out;
    tinygltf::Model& Doc = Out.Doc;
    Doc.asset.version = "2.0";
    Doc.asset.generator = std::string("Tessaly " TESSALY_VERSION " (") + Settings.pszProgram + ")";
    cGltfBuffer Buffer(Doc);
    const cExportMesh Mesh(Model);
    const int NumFrames = Model.GetAnivHeader()->NumFrames;

    tinygltf::Node Node;
    if (!Mesh.Groups().empty())
    {
        const std::vector<float> Base = Mesh.FramePositions(0);
        const int Position = Buffer.AddFloats(Base, TINYGLTF_TYPE_VEC3, 3,
                                              TINYGLTF_TARGET_ARRAY_BUFFER, true);
        const int TexCoord = Buffer.AddFloats(Mesh.TexCoords(), TINYGLTF_TYPE_VEC2, 2,
                                              TINYGLTF_TARGET_ARRAY_BUFFER, false);
        std::vector<int> Targets;
        for (int Frame = 1; Frame < NumFrames; ++Frame)
        {
            std::vector<float> Delta = Mesh.FramePositions(Frame);
            for (std::size_t i = 0; i < Delta.size(); ++i)
                Delta[i] -= Base[i];
            Targets.push_back(Buffer.AddFloats(Delta, TINYGLTF_TYPE_VEC3, 3,
                                               TINYGLTF_TARGET_ARRAY_BUFFER, true));
        }
        const std::vector<int> TextureOf = AddTextures(Out, Buffer, Model, Mesh, ImageStem);
        tinygltf::Mesh GltfMesh;
        GltfMesh.name = "model";
        for (const cExportGroup& Group : Mesh.Groups())
        {
            tinygltf::Primitive Prim;
            Prim.attributes["POSITION"] = Position;
            Prim.attributes["TEXCOORD_0"] = TexCoord;
            Prim.indices = Buffer.AddIndices(Group.Indices);
            Prim.material =
                AddMaterial(Doc, Group, TextureOf[Group.TextureNum], Settings.bUnlit);
            Prim.mode = TINYGLTF_MODE_TRIANGLES;
            for (int Target : Targets)
                Prim.targets.push_back({{"POSITION", Target}});
            GltfMesh.primitives.push_back(Prim);
        }
        GltfMesh.weights.assign(Targets.size(), 0.0);
        Doc.meshes.push_back(GltfMesh);
        Node.mesh = 0;
        // Animations need weights to drive: a model of one frame has none.
        if (!Targets.empty())
            for (const AnimSeq* pSeq : Chosen)
                AddAnimation(Doc, Buffer, *pSeq, NumFrames, Settings.Fps);
        if (Settings.bUnlit)
            Doc.extensionsUsed.push_back(UNLIT_EXTENSION);
    }
    Node.name = "model";
    Doc.nodes.push_back(Node);
    tinygltf::Scene Scene;
    Scene.nodes.push_back(0);
    Doc.scenes.push_back(Scene);
    Doc.defaultScene = 0;
    return Out;
}
