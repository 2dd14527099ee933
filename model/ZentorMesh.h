// cZentorMesh: the in-memory model of one vertex-animated, texture-mapped mesh, built from a
// ZentorScript class source file's import directives and the mesh and texture files they name.
// Read-only after construction; triangles are decoded one at a time on request.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/ContentPath.h"
#include "model/PCXFile.h"

// Number of texture slots, and of texture numbers (0 to 8) a triangle may carry.
constexpr int MAX_TEXTURES = 9;

#pragma pack(push, 1)
// Header of the mesh data file, exactly as stored.
struct DataHeader
{
    std::uint16_t NumPolys;
    std::uint16_t NumVertices;
    std::uint8_t Unused[44];
};

// Header of the animation file, exactly as stored.
struct AnivHeader
{
    std::uint16_t NumFrames;
    std::uint16_t FrameSize;   // byte distance from one frame's vertex words to the next
};

// One triangle record of the data file, exactly as stored.
struct MeshTri
{
    std::uint16_t iVertex[3];
    std::uint8_t Type;
    std::uint8_t Flags;
    std::uint8_t UV[3][2];
    std::uint8_t TextureNum;
    std::uint8_t Unused;
};
#pragma pack(pop)
static_assert(sizeof(DataHeader) == 48 && sizeof(AnivHeader) == 4 && sizeof(MeshTri) == 16,
              "mesh file records must match the file layout byte for byte");

// One decoded triangle of one frame: unscaled coordinates, texture coordinates in texels.
struct FrameTri
{
    float X[3];
    float Y[3];
    float Z[3];
    std::uint8_t UV[3][2];
    std::uint8_t TextureNum;
    std::uint8_t Type;
};

// A named animation sequence, as written in the script.
struct AnimSeq
{
    std::string pszName;
    std::int32_t StartFrame;
    std::int32_t NumFrames;
};

// An imported texture: an empty Name marks a free slot.
struct TextureSlot
{
    std::string Name;
    std::unique_ptr<cPCXFile> pImage;
};

class cZentorMesh
{
public:
    // Reads the script at pszScript and everything it imports. Throws cLoadError with the
    // message to show when anything cannot be read; nothing is kept then.
    cZentorMesh(const char* pszScript, bool bFlipTextures);
    virtual ~cZentorMesh();

    cZentorMesh(const cZentorMesh&) = delete;
    cZentorMesh& operator=(const cZentorMesh&) = delete;

    const AnivHeader* GetAnivHeader() const { return &mAnivHeader; }
    const DataHeader* GetDataHeader() const { return &mDataHeader; }
    int GetNumSequences() const { return static_cast<int>(mAnimSeqs.size()); }
    const AnimSeq* GetSequence(int SequenceNum) const;
    const float* GetScale() const { return mScale; }
    // RGB pixels of the texture mapped to TextureNum (0 to 8), 256 x 256, or null.
    const std::uint8_t* GetTexture(int TextureNum) const;
    // True when the textures hold their rows bottom-up (the OpenGL orientation).
    bool TexturesFlipped() const { return mFlipTextures; }
    // Decodes triangle Tri of frame Frame into a scratch record that the next call overwrites.
    // The first triangle asked of a frame reads the frame's vertex words from the animation
    // file, which stays open for that. Null when no mesh is loaded, either index is outside the
    // mesh, or the frame can no longer be read (the file was cut short since the load).
    const FrameTri* GetTriangle(int Frame, int Tri);
    // The stored record of triangle Tri (its vertex indices among them), or null outside the
    // mesh.
    const MeshTri* GetMeshTri(int Tri) const;
    int GetNumTris() const { return static_cast<int>(mTris.size()); }

    // The directory the content paths resolve against: the script's directory, then "..\".
    const std::string& GetBasePath() const { return mBasePath; }

private:
    void ReadScript(const char* pszScript);
    void ExecCommand(const char* pszText, bool bMeshImported);
    void LoadMeshFiles(const char* pszDfile, const char* pszAfile);
    // Reads frame Frame's vertex words into mBlock unless they are there. False when the frame
    // is outside the mesh or unreadable.
    bool ReadFrame(int Frame);
    void ImportTexture(const std::string& Name, const std::string& File);
    void MapTexture(const std::string& Name, long TextureNum);

    std::string mBasePath;
    DataHeader mDataHeader{};
    AnivHeader mAnivHeader{};
    FrameTri mTri{};
    float mScale[3] = {1.0f, 1.0f, 1.0f};
    std::vector<AnimSeq> mAnimSeqs;
    TextureSlot mTexSlots[MAX_TEXTURES];
    const std::uint8_t* mTexMap[MAX_TEXTURES] = {};
    bool mMeshImported = false;
    std::vector<MeshTri> mTris;
    enum : std::uint8_t
    {
        FRAME_UNREAD,
        FRAME_READ,
        FRAME_UNREADABLE
    };
    cFileHandle mAnivFile;                    // open while the model lives
    std::string mAnivPath;
    std::unique_ptr<std::uint8_t[]> mBlock;   // the vertex block, filled frame by frame
    std::vector<std::uint8_t> mFrameRead;     // per frame: FRAME_UNREAD, FRAME_READ, FRAME_UNREADABLE
    bool mFlipTextures;
};
