// Compact storage of one mesh group's vertex records and face indices that reads back exactly what was written.
#pragma once

#include "platform/rm/D3DRM.h"

#include <cstdint>
#include <memory>
#include <vector>

// Each part of the vertex records is kept in the narrowest form that still reproduces it bit for bit:
//  - normals once per three consecutive vertices while each such triple shares one;
//  - texture coordinates as one byte each while they are whole 256ths in [0, 1);
//  - a single colour while every vertex has the same;
//  - no face indices while they run 0, 1, 2, ... (each three consecutive vertices one face).
// A write that does not fit a form widens that part first. Vertices past the written prefix read as
// zero records; their storage is left unfilled and never read.
class cRMGroupData
{
public:
    // Face indices must already be checked against VertexCount. Throws std::bad_alloc.
    cRMGroupData(unsigned VertexCount, unsigned FaceCount, const unsigned* pFaceData);

    unsigned GetVertexCount() const { return mVertexCount; }
    unsigned GetFaceCount() const { return mFaceCount; }
    // Null while the face indices are 0, 1, 2, ...; otherwise three per face.
    const unsigned* GetFaceData() const { return mFaces.empty() ? nullptr : mFaces.data(); }
    void CopyFaceData(unsigned* pFaceData) const;

    // The range must lie inside the group. Write throws std::bad_alloc when widening runs out of
    // memory; the records read back as before then.
    void Write(unsigned Index, unsigned Count, const D3DRMVERTEX* pVertices);
    void Read(unsigned Index, unsigned Count, D3DRMVERTEX* pVertices) const;

    // How the group is stored now, for tests and measurements.
    bool NormalsPerTriple() const { return !mWideNormals; }
    bool TexturesOnGrid() const { return !mWideTextures; }
    bool ColorShared() const { return !mColors; }

private:
    void WriteZeros(unsigned Index, unsigned Count);
    bool TriplesShareNormals(unsigned Index, unsigned Count, const D3DRMVERTEX* pVertices) const;
    void WidenNormals();
    void WidenTextures();
    void WidenColors();

    unsigned mVertexCount;
    unsigned mFaceCount;
    unsigned mWritten = 0;  // vertices [0, mWritten) hold written records
    std::vector<unsigned> mFaces;
    std::unique_ptr<D3DVECTOR[]> mPositions;
    std::unique_ptr<D3DVECTOR[]> mNormals;  // one per triple, or one per vertex when mWideNormals
    bool mWideNormals = false;
    std::unique_ptr<std::uint8_t[]> mGridTextures;  // tu and tv in 256ths, when on the grid
    std::unique_ptr<float[]> mWideTextures;         // tu and tv as given otherwise
    D3DCOLOR mColor = 0;
    std::unique_ptr<D3DCOLOR[]> mColors;  // one per vertex once they differ
};
