// Groups that share another group's vertex records: writes stay with the group written, the records
// outlive the mesh they came from, the faces are the group's own, and drawing matches a group holding copies.
#include "platform/rm/RMFaults.h"
#include "platform/rm/RMMesh.h"
#include "platform/rm/RMSharedArrays.h"
#include "tests/rm/RMTestScene.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace
{
// Three records per triangle, each triple with its own normal, over an 8 x 8 grid of cells at z = 3,
// two triangles a cell; triangles of odd cells run counter-clockwise (facing away).
std::vector<D3DRMVERTEX> GridRecords()
{
    static const int CORNERS[2][3] = {{0, 1, 3}, {0, 3, 2}};
    std::vector<D3DRMVERTEX> Records;
    for (int Cell = 0; Cell < 64; ++Cell)
    {
        const int i = Cell % 8, j = Cell / 8;
        for (const int* pCorners : CORNERS)
            for (int k : {0, Cell % 2 ? 2 : 1, Cell % 2 ? 1 : 2})
            {
                const int a = i + pCorners[k] % 2, b = j + pCorners[k] / 2;
                Records.push_back({{-1 + a / 4.0f, 1 - b / 4.0f, 3}, {0.15f * (i - 4), 0.1f * (j - 4), -1},
                                   a * 30 / 256.0f, b * 30 / 256.0f, 0x00FFFFFF});
            }
    }
    return Records;
}

// Bit for bit.
bool Holds(IDirect3DRMMesh* pMesh, D3DRMGROUPINDEX Group, const std::vector<D3DRMVERTEX>& Expected)
{
    std::vector<D3DRMVERTEX> Records(Expected.size());
    return pMesh->GetVertices(Group, 0, static_cast<unsigned>(Records.size()), Records.data()) == D3DRM_OK &&
           std::memcmp(Records.data(), Expected.data(), Records.size() * sizeof Records[0]) == 0;
}

const cRMGroupData& Stored(IDirect3DRMMesh* pMesh, D3DRMGROUPINDEX Group)
{
    return dynamic_cast<cRMMesh&>(*pMesh).GetGroups().at(static_cast<std::size_t>(Group)).Data;
}

IDirect3DRMMesh* EmptyMesh(cTestScene& Scene)
{
    IDirect3DRMMesh* pMesh = nullptr;
    EXPECT_EQ(Scene.mRoot->CreateMesh(&pMesh), D3DRM_OK);
    Scene.mOwned.push_back(pMesh);
    return pMesh;
}

// A mesh of one group holding Records, one face per three; not attached to the scene.
IDirect3DRMMesh* MakeMesh(cTestScene& Scene, const std::vector<D3DRMVERTEX>& Records)
{
    IDirect3DRMMesh* pMesh = EmptyMesh(Scene);
    const unsigned Count = static_cast<unsigned>(Records.size());
    std::vector<unsigned> Faces(Count);
    std::iota(Faces.begin(), Faces.end(), 0u);
    D3DRMGROUPINDEX Group = -1;
    EXPECT_EQ(pMesh->AddGroup(Count, Count / 3, 3, Faces.data(), &Group), D3DRM_OK);
    EXPECT_EQ(pMesh->SetVertices(Group, 0, Count, Records.data()), D3DRM_OK);
    return pMesh;
}

// A mesh of another implementation, whose records cannot be shared.
class cForeignMesh final : public IDirect3DRMMesh
{
public:
    RMRESULT QueryInterface(const RMGUID&, void**) override { return DDERR_UNSUPPORTED; }
    std::uint32_t AddRef() override { return 1; }
    std::uint32_t Release() override { return 1; }
    RMRESULT AddGroup(unsigned, unsigned, unsigned, const unsigned*, D3DRMGROUPINDEX*) override { return D3DRM_OK; }
    RMRESULT AddGroupSharingVertices(IDirect3DRMMesh*, D3DRMGROUPINDEX, unsigned, unsigned, const unsigned*,
                                     D3DRMGROUPINDEX*) override { return D3DRM_OK; }
    RMRESULT SetVertices(D3DRMGROUPINDEX, unsigned, unsigned, const D3DRMVERTEX*) override { return D3DRM_OK; }
    RMRESULT GetVertices(D3DRMGROUPINDEX, unsigned, unsigned, D3DRMVERTEX*) override { return D3DRM_OK; }
    RMRESULT GetGroup(D3DRMGROUPINDEX, unsigned*, unsigned*, unsigned*, unsigned*) override { return D3DRM_OK; }
    unsigned GetGroupCount() override { return 1; }
    RMRESULT SetGroupColorRGB(D3DRMGROUPINDEX, D3DVALUE, D3DVALUE, D3DVALUE) override { return D3DRM_OK; }
    D3DCOLOR GetGroupColor(D3DRMGROUPINDEX) override { return 0; }
    RMRESULT SetGroupTexture(D3DRMGROUPINDEX, IDirect3DRMTexture2*) override { return D3DRM_OK; }
    RMRESULT GetGroupTexture(D3DRMGROUPINDEX, IDirect3DRMTexture2**) override { return D3DRM_OK; }
    RMRESULT SetGroupMaterial(D3DRMGROUPINDEX, IDirect3DRMMaterial*) override { return D3DRM_OK; }
    RMRESULT GetGroupMaterial(D3DRMGROUPINDEX, IDirect3DRMMaterial**) override { return D3DRM_OK; }
    RMRESULT SetGroupQuality(D3DRMGROUPINDEX, D3DRMRENDERQUALITY) override { return D3DRM_OK; }
    D3DRMRENDERQUALITY GetGroupQuality(D3DRMGROUPINDEX) override { return 0; }
    RMRESULT Scale(D3DVALUE, D3DVALUE, D3DVALUE) override { return D3DRM_OK; }
    D3DVECTOR GetScale() override { return {1, 1, 1}; }
};
}

// The source written to or the sharing group written to, with the sharing group in the source's
// own mesh or in another.
TEST(RMSharedGroups, AWriteToEitherGroupChangesOnlyThatGroup)
{
    const std::vector<D3DRMVERTEX> Original = GridRecords();
    std::vector<D3DRMVERTEX> Changed = Original;
    Changed[4].position.x += 1;
    Changed[4].tu = 0.3f;
    for (bool bWriteSource : {true, false})
        for (bool bSameMesh : {true, false})
        {
            SCOPED_TRACE(testing::Message() << "write source " << bWriteSource << ", same mesh " << bSameMesh);
            cTestScene Scene(8, 8);
            IDirect3DRMMesh* pSource = MakeMesh(Scene, Original);
            IDirect3DRMMesh* pSharing = bSameMesh ? pSource : EmptyMesh(Scene);
            const unsigned Faces[] = {6, 8, 7, 0, 1, 2};
            D3DRMGROUPINDEX Group = -1;
            ASSERT_EQ(pSharing->AddGroupSharingVertices(pSource, 0, 2, 3, Faces, &Group), D3DRM_OK);
            EXPECT_EQ(Group, bSameMesh ? 1 : 0);
            EXPECT_TRUE(Stored(pSharing, Group).SharesVerticesWith(Stored(pSource, 0)));
            EXPECT_TRUE(Holds(pSharing, Group, Original));

            ASSERT_EQ((bWriteSource ? pSource : pSharing)->SetVertices(bWriteSource ? 0 : Group, 4, 1, &Changed[4]),
                      D3DRM_OK);
            EXPECT_TRUE(Holds(pSource, 0, bWriteSource ? Changed : Original));
            EXPECT_TRUE(Holds(pSharing, Group, bWriteSource ? Original : Changed));
        }
}

// Faces that are whole triples, in either winding, are kept as one number each; others as given.
TEST(RMSharedGroups, KeepTheirRecordsAndFacesWhenTheSourceMeshIsReleased)
{
    const struct
    {
        std::vector<unsigned> Faces;
        std::size_t StoredNumbers;
    } CASES[] = {{{9, 10, 11, 3, 4, 5}, 2}, {{9, 11, 10, 3, 5, 4}, 2}, {{9, 11, 10, 3, 4, 5}, 6}, {{1, 2, 3}, 3}};
    for (const auto& Case : CASES)
    {
        SCOPED_TRACE(Case.Faces[2]);
        cTestScene Scene(8, 8);
        // The test releases the source itself.
        IDirect3DRMMesh* pSource = MakeMesh(Scene, GridRecords());
        Scene.mOwned.pop_back();
        IDirect3DRMMesh* pSharing = EmptyMesh(Scene);
        const unsigned FaceCount = static_cast<unsigned>(Case.Faces.size() / 3);
        D3DRMGROUPINDEX Group = -1;
        ASSERT_EQ(pSharing->AddGroupSharingVertices(pSource, 0, FaceCount, 3, Case.Faces.data(), &Group), D3DRM_OK);
        EXPECT_EQ(Stored(pSharing, Group).StoredFaceNumbers(), Case.StoredNumbers);
        const int Alive = RMLiveObjectCount();
        EXPECT_EQ(pSource->Release(), 0u);
        EXPECT_EQ(RMLiveObjectCount(), Alive - 1);

        unsigned VertexCount = 0, StoredFaceCount = 0, PerFace = 0;
        std::vector<unsigned> StoredFaces(Case.Faces.size());
        ASSERT_EQ(pSharing->GetGroup(Group, &VertexCount, &StoredFaceCount, &PerFace, StoredFaces.data()), D3DRM_OK);
        EXPECT_EQ(VertexCount, GridRecords().size());
        EXPECT_EQ(StoredFaceCount, FaceCount);
        EXPECT_EQ(PerFace, 3u);
        EXPECT_EQ(StoredFaces, Case.Faces);
        EXPECT_TRUE(Holds(pSharing, Group, GridRecords()));
    }
}

TEST(RMSharedGroups, RefuseForeignSourcesMissingGroupsAndFacesPastTheSharedRecords)
{
    cTestScene Scene(8, 8);
    IDirect3DRMMesh* pSource = MakeMesh(Scene, GridRecords());
    IDirect3DRMMesh* pSharing = EmptyMesh(Scene);
    cForeignMesh Foreign;
    const unsigned Last = static_cast<unsigned>(GridRecords().size()) - 1;
    const unsigned Inside[] = {0, 1, Last}, Past[] = {0, 1, Last + 1};
    D3DRMGROUPINDEX Group = -1;
    EXPECT_EQ(pSharing->AddGroupSharingVertices(&Foreign, 0, 1, 3, Inside, &Group), D3DRMERR_BADOBJECT);
    EXPECT_EQ(pSharing->AddGroupSharingVertices(nullptr, 0, 1, 3, Inside, &Group), DDERR_INVALIDPARAMS);
    EXPECT_EQ(pSharing->AddGroupSharingVertices(pSource, 1, 1, 3, Inside, &Group), DDERR_INVALIDPARAMS);
    EXPECT_EQ(pSharing->AddGroupSharingVertices(pSource, 0, 1, 3, Past, &Group), D3DRMERR_BADVALUE);
    EXPECT_EQ(pSharing->AddGroupSharingVertices(pSource, 0, 1, 4, Inside, &Group), DDERR_UNSUPPORTED);
    EXPECT_EQ(pSharing->GetGroupCount(), 0u);
    EXPECT_EQ(pSharing->AddGroupSharingVertices(pSource, 0, 1, 3, Inside, &Group), D3DRM_OK);
}

// Triangles of even cells as they are (whole triples), of odd cells turned round (turned triples),
// or both (listed faces), so all face the camera; lit, textured and Gouraud-shaded. The copy holds
// the same records in face order. Only the drawn mesh is scaled.
TEST(RMSharedGroups, DrawLikeAGroupHoldingCopiesOfTheirFaces)
{
    const std::vector<D3DRMVERTEX> Records = GridRecords();
    auto Draw = [&](const std::vector<unsigned>& Faces, bool bShared) {
        cTestScene Scene(64, 64);
        Scene.AddSun(0.8f);
        IDirect3DRMTexture2* pTexture = Scene.MakeTexture(CoordinateTexel);
        IDirect3DRMMesh* pDrawn = nullptr;
        if (bShared)
        {
            pDrawn = EmptyMesh(Scene);
            D3DRMGROUPINDEX Group = -1;
            EXPECT_EQ(pDrawn->AddGroupSharingVertices(MakeMesh(Scene, Records), 0,
                                                      static_cast<unsigned>(Faces.size() / 3), 3, Faces.data(), &Group),
                      D3DRM_OK);
            EXPECT_EQ(pDrawn->SetGroupQuality(Group, D3DRMRENDER_GOURAUD), D3DRM_OK);
            EXPECT_EQ(pDrawn->SetGroupTexture(Group, pTexture), D3DRM_OK);
            EXPECT_EQ(Scene.mScene->AddVisual(pDrawn), D3DRM_OK);
        }
        else
        {
            std::vector<D3DRMVERTEX> Copies;
            for (unsigned Index : Faces)
                Copies.push_back(Records[Index]);
            std::vector<unsigned> Consecutive(Copies.size());
            std::iota(Consecutive.begin(), Consecutive.end(), 0u);
            pDrawn = Scene.AddMesh(Copies, Consecutive, D3DRMRENDER_GOURAUD, pTexture);
        }
        EXPECT_EQ(pDrawn->Scale(0.75f, 1.25f, 1), D3DRM_OK);
        return Scene.Draw().mPixels;
    };
    for (int Cells : {1, 2, 3})
    {
        SCOPED_TRACE(Cells);
        std::vector<unsigned> Faces;
        for (unsigned r = 0; r < Records.size() / 3; ++r)
        {
            const bool bTurned = r / 2 % 2 == 1;
            if (r % 3 != 1 && (Cells & (bTurned ? 2 : 1)))
                Faces.insert(Faces.end(), {3 * r, 3 * r + (bTurned ? 2 : 1), 3 * r + (bTurned ? 1 : 2)});
        }
        const std::vector<std::uint32_t> Copied = Draw(Faces, false);
        EXPECT_GT(std::count_if(Copied.begin(), Copied.end(), [](std::uint32_t P) { return P != cTestScene::BACKGROUND; }),
                  64 * 64 / 8);
        EXPECT_EQ(Draw(Faces, true), Copied);
    }
}

// Meshes of different frames repeat their texture coordinates and face lists: equal arrays are
// stored once across meshes, and a write to one mesh's records leaves the others as they were.
TEST(RMSharedGroups, EqualTextureAndFaceArraysAreStoredOnceAcrossMeshes)
{
    cTestScene Scene(8, 8);
    std::vector<D3DRMVERTEX> Moved = GridRecords();
    for (D3DRMVERTEX& Record : Moved)
        Record.position.z += 1.0f;
    IDirect3DRMMesh* pFirst = MakeMesh(Scene, GridRecords());
    IDirect3DRMMesh* pSecond = MakeMesh(Scene, Moved);
    const unsigned Faces[] = {9, 11, 10, 3, 5, 4}, OtherFaces[] = {0, 2, 1, 3, 5, 4};
    IDirect3DRMMesh* pSharingFirst = EmptyMesh(Scene);
    IDirect3DRMMesh* pSharingSecond = EmptyMesh(Scene);
    D3DRMGROUPINDEX Group = -1, OtherGroup = -1;
    ASSERT_EQ(pSharingFirst->AddGroupSharingVertices(pFirst, 0, 2, 3, Faces, &Group), D3DRM_OK);
    ASSERT_EQ(pSharingSecond->AddGroupSharingVertices(pSecond, 0, 2, 3, Faces, &Group), D3DRM_OK);
    ASSERT_EQ(pSharingSecond->AddGroupSharingVertices(pSecond, 0, 2, 3, OtherFaces, &OtherGroup), D3DRM_OK);
    EXPECT_TRUE(Stored(pSharingFirst, Group).SharesFacesWith(Stored(pSharingSecond, Group)));
    EXPECT_FALSE(Stored(pSharingSecond, Group).SharesFacesWith(Stored(pSharingSecond, OtherGroup)));

    const cRMGroupData& First = Stored(pFirst, 0);
    const cRMGroupData& Second = Stored(pSecond, 0);
    ASSERT_TRUE(First.TexturesOnGrid());
    EXPECT_TRUE(First.SharesTexturesWith(Second));

    // New texture coordinates in the second mesh: its own array, and the first keeps its records.
    std::vector<D3DRMVERTEX> Retextured = Moved;
    for (D3DRMVERTEX& Record : Retextured)
        Record.tu = 1.0f / 256.0f;
    ASSERT_EQ(pSecond->SetVertices(0, 0, static_cast<unsigned>(Retextured.size()), Retextured.data()), D3DRM_OK);
    EXPECT_FALSE(First.SharesTexturesWith(Stored(pSecond, 0)));
    EXPECT_TRUE(Holds(pFirst, 0, GridRecords()));
    EXPECT_TRUE(Holds(pSecond, 0, Retextured));
    // Written back as they were, the coordinates are shared again.
    ASSERT_EQ(pSecond->SetVertices(0, 0, static_cast<unsigned>(Moved.size()), Moved.data()), D3DRM_OK);
    EXPECT_TRUE(First.SharesTexturesWith(Stored(pSecond, 0)));
    EXPECT_TRUE(Holds(pSecond, 0, Moved));
}

// The pool of shared arrays holds exactly the arrays alive: the last user's release takes its
// entry out, so memory counts settle after every model.
TEST(RMSharedGroups, SharedArraysLeaveThePoolWithTheirLastUser)
{
    const std::size_t Before = rm_shared_arrays::Pool<unsigned>().size();
    {
        cTestScene Scene(8, 8);
        IDirect3DRMMesh* pSource = MakeMesh(Scene, GridRecords());
        const unsigned Faces[] = {9, 11, 10, 3, 5, 4};
        D3DRMGROUPINDEX Group = -1;
        for (int Copy = 0; Copy < 3; ++Copy)
            ASSERT_EQ(EmptyMesh(Scene)->AddGroupSharingVertices(pSource, 0, 2, 3, Faces, &Group), D3DRM_OK);
        EXPECT_EQ(rm_shared_arrays::Pool<unsigned>().size(), Before + 1);
    }
    EXPECT_EQ(rm_shared_arrays::Pool<unsigned>().size(), Before);
}
