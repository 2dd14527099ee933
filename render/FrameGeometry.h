// cFrameGeometry: one animation frame decoded into renderer-ready triangles (scaled positions,
// float texture coordinates, unit face normals), with its bounding box and polygon-group flags.
// The common base of both renderers' per-frame objects.
#pragma once

#include <cstdint>
#include <memory>

class cZentorMesh;
struct DataHeader;

// Polygon types: the low four bits of a triangle's type byte.
constexpr int POLY_TRANSLUCENT = 2;
constexpr int POLY_MASKED = 3;
constexpr int POLY_TWO_SIDED = 4;   // with 2 and 3 forms the two-sided group
constexpr int POLY_PLACEHOLDER = 8; // weapon-triangle placeholder

// How a texel row byte V becomes the t coordinate. The OpenGL renderer holds texture rows
// reversed and uses (1 - V) / 256; the Direct3D renderer uses V / 256.
enum eTexCoordRule
{
    TCOORD_OPENGL,
    TCOORD_DIRECT3D
};

struct RenderTri
{
    float V[3][3];          // vertex 0, 1, 2: x, y, z in model space, scaled
    float U[3];             // s coordinate per vertex
    float T[3];             // t coordinate per vertex
    std::int16_t TextureNum; // texture number, sign-extended from the file's byte
    std::uint8_t Type;      // polygon type byte; low four bits are the type
    float Normal[3];        // unit face normal, zero for a degenerate triangle
};

// Scales Vec to unit length in place; a zero vector stays zero.
void NormalizeVec(float Vec[3]);
// Unit normal of Tri: (V1 - V0) x (V2 - V1), so counter-clockwise faces point at the viewer.
void FaceNormal(const RenderTri& Tri, float Normal[3]);

class cFrameGeometry
{
public:
    cFrameGeometry(cZentorMesh* pModel, int Frame, int NumSlots);
    virtual ~cFrameGeometry() = default;

    cFrameGeometry(const cFrameGeometry&) = delete;
    cFrameGeometry& operator=(const cFrameGeometry&) = delete;

    // Decodes every triangle of the frame with the given t rule, then sets flags and bounds.
    // Needs mHeader set first. Stops at the first triangle the model cannot give. Returns 0.
    int BuildTris(eTexCoordRule Rule);
    // Grows the bounds (which start at the origin) over every stored vertex. 1 when there
    // is no triangle array, else 0.
    int ComputeBounds();
    int GetBounds(float& MinX, float& MaxX, float& MinY, float& MaxY, float& MinZ,
                  float& MaxZ) const;
    // Frees the triangle array; bounds and flags stay valid.
    void ReleaseTris();

    int GetFrame() const { return mFrame; }
    // The triangles converted by BuildTris; null before it or after ReleaseTris.
    const RenderTri* GetRenderTris() const { return mRenderTris.get(); }
    int GetNumRenderTris() const { return mRenderTris ? mNumRenderTris : 0; }
    bool HasTwoSided() const { return mHasTwoSided; }
    bool HasTranslucent() const { return mHasTranslucent; }
    bool HasMasked() const { return mHasMasked; }
    bool HasPlaceholder() const { return mHasPlaceholder; }

protected:
    cZentorMesh* mModel;
    int mFrame;
    int mNumSlots;
    const DataHeader* mHeader = nullptr;  // triangle count source, set by the renderer
    std::unique_ptr<RenderTri[]> mRenderTris;
    int mNumRenderTris = 0;               // triangles actually converted
    float mMinX = 0.0f, mMaxX = 0.0f, mMinY = 0.0f, mMaxY = 0.0f, mMinZ = 0.0f, mMaxZ = 0.0f;
    bool mHasTwoSided = false;
    bool mHasTranslucent = false;
    bool mHasMasked = false;
    bool mHasPlaceholder = false;
};
