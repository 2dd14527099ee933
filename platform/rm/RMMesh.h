// Meshes: groups of vertices and faces, each group with its colour, texture, material and quality.
#pragma once

#include "platform/rm/D3DRM.h"
#include "platform/rm/RMGroupData.h"

#include <utility>
#include <vector>

class cRMMesh final : public cRMRefCounted<IDirect3DRMMesh>
{
public:
    struct cGroup
    {
        explicit cGroup(cRMGroupData&& GroupData) : Data(std::move(GroupData)) {}

        cRMGroupData Data;  // faces, and vertex records that other groups may share
        float Red = 1, Green = 1, Blue = 1;
        cRMRef<IDirect3DRMTexture2> Texture;
        cRMRef<IDirect3DRMMaterial> Material;
        D3DRMRENDERQUALITY Quality = D3DRMRENDER_GOURAUD;
    };

    RMRESULT QueryInterface(const RMGUID& Iid, void** ppObject) override;
    RMRESULT AddGroup(unsigned VertexCount, unsigned FaceCount, unsigned VerticesPerFace, const unsigned* pFaceData,
                      D3DRMGROUPINDEX* pGroup) override;
    RMRESULT AddGroupSharingVertices(IDirect3DRMMesh* pSource, D3DRMGROUPINDEX SourceGroup, unsigned FaceCount,
                                     unsigned VerticesPerFace, const unsigned* pFaceData,
                                     D3DRMGROUPINDEX* pGroup) override;
    RMRESULT SetVertices(D3DRMGROUPINDEX Group, unsigned Index, unsigned Count, const D3DRMVERTEX* pVertices) override;
    RMRESULT GetVertices(D3DRMGROUPINDEX Group, unsigned Index, unsigned Count, D3DRMVERTEX* pVertices) override;
    RMRESULT GetGroup(D3DRMGROUPINDEX Group, unsigned* pVertexCount, unsigned* pFaceCount,
                      unsigned* pVerticesPerFace, unsigned* pFaceData) override;
    unsigned GetGroupCount() override { return static_cast<unsigned>(mGroups.size()); }
    RMRESULT SetGroupColorRGB(D3DRMGROUPINDEX Group, D3DVALUE Red, D3DVALUE Green, D3DVALUE Blue) override;
    D3DCOLOR GetGroupColor(D3DRMGROUPINDEX Group) override;
    RMRESULT SetGroupTexture(D3DRMGROUPINDEX Group, IDirect3DRMTexture2* pTexture) override;
    RMRESULT GetGroupTexture(D3DRMGROUPINDEX Group, IDirect3DRMTexture2** ppTexture) override;
    RMRESULT SetGroupMaterial(D3DRMGROUPINDEX Group, IDirect3DRMMaterial* pMaterial) override;
    RMRESULT GetGroupMaterial(D3DRMGROUPINDEX Group, IDirect3DRMMaterial** ppMaterial) override;
    RMRESULT SetGroupQuality(D3DRMGROUPINDEX Group, D3DRMRENDERQUALITY Quality) override;
    D3DRMRENDERQUALITY GetGroupQuality(D3DRMGROUPINDEX Group) override;
    RMRESULT Scale(D3DVALUE X, D3DVALUE Y, D3DVALUE Z) override;

    D3DVECTOR GetScale() override { return mScale; }

    const std::vector<cGroup>& GetGroups() const { return mGroups; }

private:
    cGroup* Find(D3DRMGROUPINDEX Group);
    // Adds the group Make returns once the faces are checked against VertexCount.
    template <class MakeData>
    RMRESULT AddChecked(unsigned VertexCount, unsigned FaceCount, unsigned VerticesPerFace, const unsigned* pFaceData,
                        D3DRMGROUPINDEX* pGroup, MakeData Make);

    std::vector<cGroup> mGroups;
    D3DVECTOR mScale = {1, 1, 1};
};
