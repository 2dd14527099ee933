// Compact storage of one mesh group's vertex records that reads back exactly what was written.
#pragma once

#include "platform/rm/D3DRM.h"

#include <cstdint>
#include <memory>
#include <vector>

// Each part of the vertex records is kept in the narrowest form that still reproduces it bit for bit:
//  - normals once per three consecutive vertices while each such triple shares one;
//  - texture coordinates as one byte each while they are whole 256ths in [0, 1), and once every
//    vertex is written, in an array shared with every other group that holds the same ones (an
//    animation's frames repeat them);
//  - a single colour while every vertex has the same.
// A write that does not fit a form widens that part first. Vertices past the written prefix read as
// zero records; their storage is left unfilled and never read.
class cRMVertexData
{
public:
    // Throws std::bad_alloc.
    explicit cRMVertexData(unsigned VertexCount);
    // A copy of the written records in the same forms. Throws std::bad_alloc.
    cRMVertexData(const cRMVertexData& Other);
    cRMVertexData& operator=(const cRMVertexData&) = delete;

    unsigned GetVertexCount() const { return mVertexCount; }

    // The range must lie inside the group. Write throws std::bad_alloc when widening runs out of
    // memory; the records read back as before then.
    void Write(unsigned Index, unsigned Count, const D3DRMVERTEX* pVertices);
    void Read(unsigned Index, unsigned Count, D3DRMVERTEX* pVertices) const;

    // How the group is stored now, for tests and measurements.
    bool NormalsPerTriple() const { return !mWideNormals; }
    bool TexturesOnGrid() const { return !mWideTextures; }
    // True when the texture coordinates are the very array another group stores.
    bool SharesTexturesWith(const cRMVertexData& Other) const
    {
        return mSharedGrid && mSharedGrid == Other.mSharedGrid;
    }
    bool ColorShared() const { return !mColors; }

private:
    void WriteZeros(unsigned Index, unsigned Count);
    bool TriplesShareNormals(unsigned Index, unsigned Count, const D3DRMVERTEX* pVertices) const;
    void WidenNormals();
    void WidenTextures();
    // The grid bytes, wherever they are kept.
    const std::uint8_t* GridTextures() const { return mSharedGrid ? mSharedGrid->data() : mGridTextures.get(); }
    // Gives the group grid bytes of its own again before a write changes them.
    void OwnGridTextures();
    // Keeps the grid bytes in the shared array equal to them, once every vertex is written.
    void ShareGridTextures();
    void WidenColors();

    unsigned mVertexCount;
    unsigned mWritten = 0;  // vertices [0, mWritten) hold written records
    std::unique_ptr<D3DVECTOR[]> mPositions;
    std::unique_ptr<D3DVECTOR[]> mNormals;  // one per triple, or one per vertex when mWideNormals
    bool mWideNormals = false;
    std::unique_ptr<std::uint8_t[]> mGridTextures;  // tu and tv in 256ths, when on the grid
    std::shared_ptr<const std::vector<std::uint8_t>> mSharedGrid;  // the same, when shared
    std::unique_ptr<float[]> mWideTextures;         // tu and tv as given otherwise
    D3DCOLOR mColor = 0;
    std::unique_ptr<D3DCOLOR[]> mColors;  // one per vertex once they differ
};
