// Meshes: groups of vertices and faces, each group with its colour, texture, material and quality.
#include "platform/rm/RMMesh.h"

#include "platform/rm/RMMath.h"

#include <algorithm>
#include <new>

namespace
{
// Large enough for any model the viewer builds, small enough that sizes never overflow.
const unsigned MAX_GROUP_VERTICES = 1u << 24;

D3DCOLOR PackColor(float Red, float Green, float Blue)
{
    auto Byte = [](float Value) { return static_cast<D3DCOLOR>(Value * 255.0f + 0.5f); };
    return (Byte(Red) << 16) | (Byte(Green) << 8) | Byte(Blue);
}
}

RMRESULT cRMMesh::QueryInterface(const RMGUID& Iid, void** ppObject)
{
    if (ppObject)
        *ppObject = nullptr;
    return ppObject ? DDERR_UNSUPPORTED : DDERR_INVALIDPARAMS;
}

cRMMesh::cGroup* cRMMesh::Find(D3DRMGROUPINDEX Group)
{
    if (Group < 0 || static_cast<std::size_t>(Group) >= mGroups.size())
        return nullptr;
    return &mGroups[static_cast<std::size_t>(Group)];
}

template <class MakeData>
RMRESULT cRMMesh::AddChecked(unsigned VertexCount, unsigned FaceCount, unsigned VerticesPerFace,
                             const unsigned* pFaceData, D3DRMGROUPINDEX* pGroup, MakeData Make)
{
    if (!pGroup || (FaceCount > 0 && !pFaceData))
        return DDERR_INVALIDPARAMS;
    // Faces are triangles; every mesh the viewer builds is made of them.
    if (VerticesPerFace != 3)
        return DDERR_UNSUPPORTED;
    if (VertexCount == 0 || VertexCount > MAX_GROUP_VERTICES || FaceCount > MAX_GROUP_VERTICES)
        return D3DRMERR_BADVALUE;
    const std::size_t IndexCount = static_cast<std::size_t>(FaceCount) * VerticesPerFace;
    // Indices are checked here once so drawing can trust them.
    if (std::any_of(pFaceData, pFaceData + IndexCount, [&](unsigned Index) { return Index >= VertexCount; }))
        return D3DRMERR_BADVALUE;
    try
    {
        // The data is made before the array grows: a source group of this mesh may move.
        cRMGroupData Data = Make();
        mGroups.emplace_back(std::move(Data));
    }
    catch (const std::bad_alloc&)
    {
        return D3DRMERR_BADALLOC;
    }
    *pGroup = static_cast<D3DRMGROUPINDEX>(mGroups.size() - 1);
    return D3DRM_OK;
}

RMRESULT cRMMesh::AddGroup(unsigned VertexCount, unsigned FaceCount, unsigned VerticesPerFace,
                           const unsigned* pFaceData, D3DRMGROUPINDEX* pGroup)
{
    return AddChecked(VertexCount, FaceCount, VerticesPerFace, pFaceData, pGroup,
                      [&] { return cRMGroupData(VertexCount, FaceCount, pFaceData); });
}

RMRESULT cRMMesh::AddGroupSharingVertices(IDirect3DRMMesh* pSource, D3DRMGROUPINDEX SourceGroup, unsigned FaceCount,
                                          unsigned VerticesPerFace, const unsigned* pFaceData,
                                          D3DRMGROUPINDEX* pGroup)
{
    if (!pSource)
        return DDERR_INVALIDPARAMS;
    // Only this layer's meshes have records that can be shared.
    cRMMesh* pSourceMesh = dynamic_cast<cRMMesh*>(pSource);
    if (!pSourceMesh)
        return D3DRMERR_BADOBJECT;
    const cGroup* pShared = pSourceMesh->Find(SourceGroup);
    if (!pShared)
        return DDERR_INVALIDPARAMS;
    const cRMGroupData& Shared = pShared->Data;
    return AddChecked(Shared.GetVertexCount(), FaceCount, VerticesPerFace, pFaceData, pGroup,
                      [&] { return cRMGroupData(Shared, FaceCount, pFaceData); });
}

RMRESULT cRMMesh::SetVertices(D3DRMGROUPINDEX Group, unsigned Index, unsigned Count, const D3DRMVERTEX* pVertices)
{
    cGroup* pGroup = Find(Group);
    if (!pGroup || !pVertices)
        return DDERR_INVALIDPARAMS;
    if (static_cast<std::size_t>(Index) + Count > pGroup->Data.GetVertexCount())
        return D3DRMERR_BADVALUE;
    try
    {
        pGroup->Data.Write(Index, Count, pVertices);
    }
    catch (const std::bad_alloc&)
    {
        return D3DRMERR_BADALLOC;
    }
    return D3DRM_OK;
}

RMRESULT cRMMesh::GetVertices(D3DRMGROUPINDEX Group, unsigned Index, unsigned Count, D3DRMVERTEX* pVertices)
{
    cGroup* pGroup = Find(Group);
    if (!pGroup || !pVertices)
        return DDERR_INVALIDPARAMS;
    if (static_cast<std::size_t>(Index) + Count > pGroup->Data.GetVertexCount())
        return D3DRMERR_BADVALUE;
    pGroup->Data.Read(Index, Count, pVertices);
    return D3DRM_OK;
}

RMRESULT cRMMesh::GetGroup(D3DRMGROUPINDEX Group, unsigned* pVertexCount, unsigned* pFaceCount,
                           unsigned* pVerticesPerFace, unsigned* pFaceData)
{
    cGroup* pGroup = Find(Group);
    if (!pGroup)
        return DDERR_INVALIDPARAMS;
    if (pVertexCount)
        *pVertexCount = pGroup->Data.GetVertexCount();
    if (pFaceCount)
        *pFaceCount = pGroup->Data.GetFaceCount();
    if (pVerticesPerFace)
        *pVerticesPerFace = 3;
    if (pFaceData)
        pGroup->Data.CopyFaceData(pFaceData);
    return D3DRM_OK;
}

RMRESULT cRMMesh::SetGroupColorRGB(D3DRMGROUPINDEX Group, D3DVALUE Red, D3DVALUE Green, D3DVALUE Blue)
{
    cGroup* pGroup = Find(Group);
    if (!pGroup)
        return DDERR_INVALIDPARAMS;
    pGroup->Red = Clamp01(Red);
    pGroup->Green = Clamp01(Green);
    pGroup->Blue = Clamp01(Blue);
    return D3DRM_OK;
}

D3DCOLOR cRMMesh::GetGroupColor(D3DRMGROUPINDEX Group)
{
    const cGroup* pGroup = Find(Group);
    return pGroup ? PackColor(pGroup->Red, pGroup->Green, pGroup->Blue) : 0;
}

RMRESULT cRMMesh::SetGroupTexture(D3DRMGROUPINDEX Group, IDirect3DRMTexture2* pTexture)
{
    cGroup* pGroup = Find(Group);
    if (!pGroup)
        return DDERR_INVALIDPARAMS;
    pGroup->Texture.Reset(pTexture);
    return D3DRM_OK;
}

RMRESULT cRMMesh::GetGroupTexture(D3DRMGROUPINDEX Group, IDirect3DRMTexture2** ppTexture)
{
    cGroup* pGroup = Find(Group);
    if (!pGroup || !ppTexture)
        return DDERR_INVALIDPARAMS;
    *ppTexture = pGroup->Texture.Get();
    if (*ppTexture)
        (*ppTexture)->AddRef();
    return D3DRM_OK;
}

RMRESULT cRMMesh::SetGroupMaterial(D3DRMGROUPINDEX Group, IDirect3DRMMaterial* pMaterial)
{
    cGroup* pGroup = Find(Group);
    if (!pGroup)
        return DDERR_INVALIDPARAMS;
    pGroup->Material.Reset(pMaterial);
    return D3DRM_OK;
}

RMRESULT cRMMesh::GetGroupMaterial(D3DRMGROUPINDEX Group, IDirect3DRMMaterial** ppMaterial)
{
    cGroup* pGroup = Find(Group);
    if (!pGroup || !ppMaterial)
        return DDERR_INVALIDPARAMS;
    *ppMaterial = pGroup->Material.Get();
    if (*ppMaterial)
        (*ppMaterial)->AddRef();
    return D3DRM_OK;
}

RMRESULT cRMMesh::SetGroupQuality(D3DRMGROUPINDEX Group, D3DRMRENDERQUALITY Quality)
{
    cGroup* pGroup = Find(Group);
    if (!pGroup)
        return DDERR_INVALIDPARAMS;
    pGroup->Quality = Quality;
    return D3DRM_OK;
}

D3DRMRENDERQUALITY cRMMesh::GetGroupQuality(D3DRMGROUPINDEX Group)
{
    const cGroup* pGroup = Find(Group);
    return pGroup ? pGroup->Quality : 0;
}

RMRESULT cRMMesh::Scale(D3DVALUE X, D3DVALUE Y, D3DVALUE Z)
{
    if (X == 0 || Y == 0 || Z == 0)
        return D3DRMERR_BADVALUE;
    mScale = {mScale.x * X, mScale.y * Y, mScale.z * Z};
    return D3DRM_OK;
}
