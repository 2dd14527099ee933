// One mesh group's face indices and its vertex records, which several groups may share until one writes.
#include "platform/rm/RMGroupData.h"

#include "platform/rm/RMSharedArrays.h"

cRMGroupData::cRMGroupData(unsigned VertexCount, unsigned FaceCount, const unsigned* pFaceData)
    : mVertices(std::make_shared<cRMVertexData>(VertexCount))
{
    SetFaces(FaceCount, pFaceData);
}

cRMGroupData::cRMGroupData(const cRMGroupData& Source, unsigned FaceCount, const unsigned* pFaceData)
    : mVertices(Source.mVertices)
{
    SetFaces(FaceCount, pFaceData);
}

void cRMGroupData::SetFaces(unsigned FaceCount, const unsigned* pFaceData)
{
    mFaceCount = FaceCount;
    const unsigned* const pEnd = pFaceData + 3 * static_cast<std::size_t>(FaceCount);
    bool bConsecutive = true, bTriples = true, bTurned = true;
    for (const unsigned* pFace = pFaceData; pFace != pEnd && (bTriples || bTurned); pFace += 3)
    {
        const unsigned First = pFace[0];
        bConsecutive = bConsecutive && First == static_cast<unsigned>(pFace - pFaceData);
        const bool bOnTriple = First % 3 == 0;
        bTriples = bTriples && bOnTriple && pFace[1] == First + 1 && pFace[2] == First + 2;
        bTurned = bTurned && bOnTriple && pFace[1] == First + 2 && pFace[2] == First + 1;
    }
    if (bTriples && bConsecutive)
    {
        mFaceForm = FACES_CONSECUTIVE;
    }
    else if (bTriples || bTurned)
    {
        mFaceForm = bTriples ? FACES_TRIPLES : FACES_TURNED_TRIPLES;
        std::vector<unsigned> Triples(FaceCount);
        for (std::size_t Face = 0; Face < FaceCount; ++Face)
            Triples[Face] = pFaceData[3 * Face] / 3;
        mFaces = ShareArray(std::move(Triples));
    }
    else
    {
        mFaceForm = FACES_LISTED;
        mFaces = ShareArray(std::vector<unsigned>(pFaceData, pEnd));
    }
    mFaceData = mFaces ? mFaces->data() : nullptr;
}

void cRMGroupData::CopyFaceData(unsigned* pFaceData) const
{
    for (unsigned Face = 0; Face < mFaceCount; ++Face)
        GetFace(Face, pFaceData + 3 * static_cast<std::size_t>(Face));
}

void cRMGroupData::Write(unsigned Index, unsigned Count, const D3DRMVERTEX* pVertices)
{
    // The layer runs on one thread, so the count cannot change between this test and the copy.
    if (mVertices.use_count() > 1)
        mVertices = std::make_shared<cRMVertexData>(*mVertices);
    mVertices->Write(Index, Count, pVertices);
}
