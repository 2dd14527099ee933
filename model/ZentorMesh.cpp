// cZentorMesh: construction from a script, the accessors and per-triangle decoding.
#include "model/ZentorMesh.h"

#include <cassert>

#include "model/ContentPath.h"
#include "model/MeshFiles.h"

cZentorMesh::cZentorMesh(const char* pszScript, bool bFlipTextures)
    : mFlipTextures(bFlipTextures)
{
    assert(pszScript != nullptr && "a model is built from a script path");
    mBasePath = MakeBasePath(pszScript);
    // Every member owns what it holds, so a directive that throws leaves nothing behind.
    ReadScript(pszScript);
}

cZentorMesh::~cZentorMesh() = default;

const AnimSeq* cZentorMesh::GetSequence(int SequenceNum) const
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wsign-compare"
    assert(0 <= SequenceNum && SequenceNum < mAnimSeqs.size());
#pragma GCC diagnostic pop
    return &mAnimSeqs[SequenceNum];
}

const std::uint8_t* cZentorMesh::GetTexture(int TextureNum) const
{
    assert(0 <= TextureNum && TextureNum < MAX_TEXTURES);
    return mTexMap[TextureNum];
}

const FrameTri* cZentorMesh::GetTriangle(int Frame, int Tri)
{
    if (!ReadFrame(Frame))
        return nullptr;
    return DecodeTriangle(mAnivHeader, mTris, mBlock.get(), Frame, Tri, mTri) ? &mTri : nullptr;
}

const MeshTri* cZentorMesh::GetMeshTri(int Tri) const
{
    return Tri >= 0 && static_cast<std::size_t>(Tri) < mTris.size() ? &mTris[Tri] : nullptr;
}
