// cExportMesh: a model's triangles regrouped for export: shared vertices, one index list per
// texture number and polygon kind, and every frame's positions of those vertices.
#pragma once

#include <cstdint>
#include <vector>

class cZentorMesh;

// The polygon kinds that get primitives of their own; any other type counts as normal.
constexpr int KIND_NORMAL = 0;

// The kind of a triangle's type byte: its low four bits when they name translucent, masked,
// two-sided or placeholder, else KIND_NORMAL.
int PolygonKind(std::uint8_t Type);
const char* KindName(int Kind);
// Translucent, masked and two-sided triangles are drawn from both sides.
bool KindIsDoubleSided(int Kind);

struct cExportGroup
{
    int TextureNum;
    int Kind;
    std::vector<std::uint32_t> Indices;   // three per triangle, front faces counter-clockwise
};

class cExportMesh
{
public:
    // Reads every triangle with a texture number from 0 to 8; others are left out.
    explicit cExportMesh(cZentorMesh& Model);

    std::size_t NumVertices() const { return mTexCoords.size() / 2; }
    // Texture coordinates per vertex, with the image's top row at v = 0.
    const std::vector<float>& TexCoords() const { return mTexCoords; }
    // Groups in order of texture number, then kind.
    const std::vector<cExportGroup>& Groups() const { return mGroups; }
    // Scaled x, y, z per vertex in frame Frame, as the OpenGL renderer places them.
    std::vector<float> FramePositions(int Frame) const;

private:
    cZentorMesh& mModel;
    std::vector<float> mTexCoords;
    std::vector<cExportGroup> mGroups;
    std::vector<int> mTris;                    // triangles kept, in file order
    std::vector<std::uint32_t> mCornerVertex;  // shared vertex of each kept triangle's corners
};
