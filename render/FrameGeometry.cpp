// Frame geometry: decodes one animation frame into renderer-ready triangles, its bounds and
// its polygon-group flags.
#include "render/FrameGeometry.h"

#include <cmath>
#include <new>

#include "model/ZentorMesh.h"

namespace
{
constexpr float TEXEL = 0.00390625f;  // 1 / 256
}

void NormalizeVec(float Vec[3])
{
    float Length = std::sqrt(Vec[0] * Vec[0] + Vec[1] * Vec[1] + Vec[2] * Vec[2]);
    if (Length == 0.0f)
        Length = 1.0f;
    Vec[0] /= Length;
    Vec[1] /= Length;
    Vec[2] /= Length;
}

void FaceNormal(const RenderTri& Tri, float Normal[3])
{
    float A[3], B[3];
    for (int Axis = 0; Axis < 3; ++Axis)
    {
        A[Axis] = Tri.V[0][Axis] - Tri.V[1][Axis];
        B[Axis] = Tri.V[1][Axis] - Tri.V[2][Axis];
    }
    Normal[0] = A[1] * B[2] - A[2] * B[1];
    Normal[1] = A[2] * B[0] - A[0] * B[2];
    Normal[2] = A[0] * B[1] - A[1] * B[0];
    NormalizeVec(Normal);
}

cFrameGeometry::cFrameGeometry(cZentorMesh* pModel, int Frame, int NumSlots)
    : mModel(pModel), mFrame(Frame), mNumSlots(NumSlots)
{
}

int cFrameGeometry::BuildTris(eTexCoordRule Rule)
{
    if (mHeader && mModel)
    {
        const int NumPolys = mHeader->NumPolys;
        mRenderTris.reset(new (std::nothrow) RenderTri[NumPolys > 0 ? NumPolys : 1]);
        mNumRenderTris = 0;
        if (mRenderTris)
        {
            const float* pScale = mModel->GetScale();
            for (int TriNum = 0; TriNum < NumPolys; ++TriNum)
            {
                const FrameTri* pSrc = mModel->GetTriangle(mFrame, TriNum);
                if (!pSrc)
                    break;
                RenderTri& Dst = mRenderTris[TriNum];
                for (int k = 0; k < 3; ++k)
                {
                    Dst.V[k][0] = pScale[0] * pSrc->X[k];
                    Dst.V[k][1] = pScale[1] * pSrc->Y[k];
                    Dst.V[k][2] = pScale[2] * pSrc->Z[k];
                    Dst.U[k] = static_cast<float>(pSrc->UV[k][0]) * TEXEL;
                    const int TexelRow = pSrc->UV[k][1];
                    Dst.T[k] = Rule == TCOORD_OPENGL ? static_cast<float>(1 - TexelRow) * TEXEL
                                                     : static_cast<float>(TexelRow) * TEXEL;
                }
                Dst.TextureNum = static_cast<std::int8_t>(pSrc->TextureNum);
                Dst.Type = pSrc->Type;
                const int PolyType = Dst.Type & 0x0F;
                if (PolyType == POLY_TRANSLUCENT || PolyType == POLY_MASKED ||
                    PolyType == POLY_TWO_SIDED)
                    mHasTwoSided = true;
                if (PolyType == POLY_MASKED)
                    mHasMasked = true;
                if (PolyType == POLY_TRANSLUCENT)
                    mHasTranslucent = true;
                if (PolyType == POLY_PLACEHOLDER)
                    mHasPlaceholder = true;
                FaceNormal(Dst, Dst.Normal);
                mNumRenderTris = TriNum + 1;
            }
        }
    }
    ComputeBounds();
    return 0;
}

int cFrameGeometry::ComputeBounds()
{
    if (!mRenderTris)
        return 1;
    for (int TriNum = 0; TriNum < mNumRenderTris; ++TriNum)
    {
        for (const float* p : mRenderTris[TriNum].V)
        {
            mMinX = p[0] < mMinX ? p[0] : mMinX;
            mMaxX = p[0] > mMaxX ? p[0] : mMaxX;
            mMinY = p[1] < mMinY ? p[1] : mMinY;
            mMaxY = p[1] > mMaxY ? p[1] : mMaxY;
            mMinZ = p[2] < mMinZ ? p[2] : mMinZ;
            mMaxZ = p[2] > mMaxZ ? p[2] : mMaxZ;
        }
    }
    return 0;
}

int cFrameGeometry::GetBounds(float& MinX, float& MaxX, float& MinY, float& MaxY, float& MinZ,
                              float& MaxZ) const
{
    MinX = mMinX;
    MaxX = mMaxX;
    MinY = mMinY;
    MaxY = mMaxY;
    MinZ = mMinZ;
    MaxZ = mMaxZ;
    return 0;
}

void cFrameGeometry::ReleaseTris()
{
    mRenderTris.reset();
    mNumRenderTris = 0;
}
