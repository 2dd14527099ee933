// One mesh group's face indices and its vertex records, which several groups may share until one writes.
#pragma once

#include "platform/rm/RMVertexData.h"

#include <memory>
#include <vector>

// The records live in a reference-counted cRMVertexData, so a group made from another keeps them
// alive whoever is released first. A write to records that another group also holds first gives
// the writing group its own copy: sharing never shows in what either group reads back.
// Face indices are kept in the narrowest of these forms that reproduces them:
//  - none while they run 0, 1, 2, ... (each three consecutive vertices one face);
//  - one number r per face while every face is 3r, 3r + 1, 3r + 2, or every face 3r, 3r + 2, 3r + 1
//    (a group listing some of another's triangles, in either winding);
//  - three indices per face otherwise.
class cRMGroupData
{
public:
    // Face indices must already be checked against VertexCount. Throws std::bad_alloc.
    cRMGroupData(unsigned VertexCount, unsigned FaceCount, const unsigned* pFaceData);
    // Shares Source's records, with faces of its own checked against Source's vertex count.
    // Throws std::bad_alloc.
    cRMGroupData(const cRMGroupData& Source, unsigned FaceCount, const unsigned* pFaceData);

    unsigned GetVertexCount() const { return mVertices->GetVertexCount(); }
    unsigned GetFaceCount() const { return mFaceCount; }
    // The three vertex indices of face Face, which must be below the face count.
    void GetFace(unsigned Face, unsigned* pIndices) const
    {
        const std::size_t First = 3 * static_cast<std::size_t>(Face);
        switch (mFaceForm)
        {
        case FACES_CONSECUTIVE:
            pIndices[0] = static_cast<unsigned>(First);
            pIndices[1] = static_cast<unsigned>(First + 1);
            pIndices[2] = static_cast<unsigned>(First + 2);
            break;
        case FACES_TRIPLES:
        case FACES_TURNED_TRIPLES:
            pIndices[0] = 3 * mFaceData[Face];
            pIndices[1] = pIndices[0] + (mFaceForm == FACES_TRIPLES ? 1 : 2);
            pIndices[2] = pIndices[0] + (mFaceForm == FACES_TRIPLES ? 2 : 1);
            break;
        case FACES_LISTED:
            pIndices[0] = mFaceData[First];
            pIndices[1] = mFaceData[First + 1];
            pIndices[2] = mFaceData[First + 2];
            break;
        }
    }
    void CopyFaceData(unsigned* pFaceData) const;

    // The range must lie inside the group. Write throws std::bad_alloc when copying shared records
    // or widening runs out of memory; the records read back as before then.
    void Write(unsigned Index, unsigned Count, const D3DRMVERTEX* pVertices);
    void Read(unsigned Index, unsigned Count, D3DRMVERTEX* pVertices) const
    {
        mVertices->Read(Index, Count, pVertices);
    }

    // How the group is stored now, for tests and measurements.
    bool NormalsPerTriple() const { return mVertices->NormalsPerTriple(); }
    bool TexturesOnGrid() const { return mVertices->TexturesOnGrid(); }
    bool ColorShared() const { return mVertices->ColorShared(); }
    std::size_t StoredFaceNumbers() const { return mFaces ? mFaces->size() : 0; }
    // True when this group's face numbers are the very array another group stores.
    bool SharesFacesWith(const cRMGroupData& Other) const { return mFaces && mFaces == Other.mFaces; }
    bool SharesVerticesWith(const cRMGroupData& Other) const { return mVertices == Other.mVertices; }
    bool SharesTexturesWith(const cRMGroupData& Other) const
    {
        return mVertices->SharesTexturesWith(*Other.mVertices);
    }

private:
    enum eFaceForm
    {
        FACES_CONSECUTIVE,
        FACES_TRIPLES,
        FACES_TURNED_TRIPLES,
        FACES_LISTED
    };

    void SetFaces(unsigned FaceCount, const unsigned* pFaceData);

    std::shared_ptr<cRMVertexData> mVertices;  // never null
    unsigned mFaceCount = 0;
    eFaceForm mFaceForm = FACES_CONSECUTIVE;
    // r per face for triples, three indices per face when listed; groups with the same numbers
    // (the same triangles of every frame of a model) share one array.
    std::shared_ptr<const std::vector<unsigned>> mFaces;
    const unsigned* mFaceData = nullptr;  // mFaces' elements
};
