// Direct3D model building: the model's textures, and per frame the meshes of all triangles,
// of the two-sided pair and of the masked, translucent and placeholder triangles.
#include "render_d3d/D3DModel.h"

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "model/ZentorMesh.h"
#include "render/GLScene.h"
#include "render/RenderHooks.h"
#include "render_d3d/D3DViewer.h"
#include "render_d3d/D3DViewerPrivate.h"

cD3DFrame* D3DFrames[MAX_FRAMES];

namespace
{
// Polygon types as bits, for choosing the triangles of a mesh.
constexpr unsigned TypeBit(int Type) { return 1u << Type; }
constexpr unsigned ALL_TYPES = 0;
constexpr unsigned TWO_SIDED_TYPES =
    TypeBit(POLY_TRANSLUCENT) | TypeBit(POLY_MASKED) | TypeBit(POLY_TWO_SIDED);
}  // namespace

cD3DFrame::cD3DFrame(cZentorMesh* pModel, int Frame, int NumSlots, cD3DViewer* pViewer)
    : cFrameGeometry(pModel, Frame, NumSlots), mViewer(pViewer)
{
    if (!pModel)
        return;
    mHeader = pModel->GetDataHeader();
    BuildTris(TCOORD_DIRECT3D);
    BuildMeshes();
    ReleaseTris();
    TriVertices.reset();
    GroupLists.reset();
    GroupCounts.reset();
}

cD3DFrame::~cD3DFrame()
{
    for (IDirect3DRMMesh** ppMesh : {&mMainMesh, &mTwoSidedMesh, &mBackMesh, &mMaskedMesh,
                                     &mTranslucentMesh, &mPlaceholderMesh})
        ReleaseMember(*ppMesh);
    ReleaseMember(mMaterial);
}

int cD3DFrame::BuildMeshes()
{
    const int NumPolys = GetNumRenderTris();
    const std::size_t ListSize = 3 * static_cast<std::size_t>(NumPolys);
    IDirect3DRM2* pRoot = mViewer ? mViewer->GetD3DRM() : nullptr;
    if (!pRoot || mNumSlots <= 0)
        return 0;
    GroupLists.reset(new (std::nothrow) unsigned[static_cast<std::size_t>(mNumSlots) * std::max<std::size_t>(ListSize, 1)]);
    TriVertices.reset(new (std::nothrow) D3DRMVERTEX[std::max<std::size_t>(ListSize, 1)]);
    GroupCounts.reset(new (std::nothrow) unsigned[static_cast<std::size_t>(mNumSlots)]);
    if (!GroupLists || !TriVertices || !GroupCounts)
        return 0;

    if (RMSucceeded(pRoot->CreateMaterial(100.0f, &mMaterial)) && mMaterial)
    {
        mMaterial->SetEmissive(0.0f, 0.0f, 0.0f);
        mMaterial->SetSpecular(0.0f, 0.0f, 0.0f);
    }
    else
    {
        mMaterial = nullptr;
    }

    // Each triangle's records run vertex 0, vertex 2, vertex 1, all with the negated normal:
    // the meshes are mirrored in z, which turns the model's winding and facing around.
    const RenderTri* pTris = GetRenderTris();
    for (int i = 0; i < NumPolys; ++i)
    {
        const RenderTri& Tri = pTris[i];
        static const int ORDER[3] = {0, 2, 1};
        for (int r = 0; r < 3; ++r)
        {
            const int k = ORDER[r];
            D3DRMVERTEX& Out = TriVertices[3 * static_cast<std::size_t>(i) + r];
            Out.position = {Tri.V[k][0], Tri.V[k][1], Tri.V[k][2]};
            Out.normal = {-Tri.Normal[0], -Tri.Normal[1], -Tri.Normal[2]};
            Out.tu = Tri.U[k];
            Out.tv = Tri.T[k];
            Out.color = 0xFFFFFFu;
        }
    }

    mMainMesh = BuildMesh(pRoot, ALL_TYPES, false, mMainGroups);
    if (mHasTwoSided)
    {
        mTwoSidedMesh = BuildMesh(pRoot, TWO_SIDED_TYPES, false, mTwoSidedGroups);
        mBackMesh = BuildMesh(pRoot, TWO_SIDED_TYPES, true, mBackGroups);
    }
    if (mHasMasked)
        mMaskedMesh = BuildMesh(pRoot, TypeBit(POLY_MASKED), false, mMaskedGroups);
    if (mHasTranslucent)
        mTranslucentMesh = BuildMesh(pRoot, TypeBit(POLY_TRANSLUCENT), false, mTranslucentGroups);
    if (mHasPlaceholder)
        mPlaceholderMesh = BuildMesh(pRoot, TypeBit(POLY_PLACEHOLDER), false, mPlaceholderGroups);
    return 0;
}

void cD3DFrame::FillLists(unsigned TypeMask, bool bReversed)
{
    const std::size_t ListSize = 3 * static_cast<std::size_t>(GetNumRenderTris());
    std::fill(GroupCounts.get(), GroupCounts.get() + mNumSlots, 0u);
    const RenderTri* pTris = GetRenderTris();
    for (int i = 0; i < GetNumRenderTris(); ++i)
    {
        const int t = pTris[i].TextureNum;
        // Triangles of a texture number outside the slots are in no mesh.
        if (t < 0 || t >= mNumSlots)
            continue;
        if (TypeMask != ALL_TYPES && !(TypeMask & TypeBit(pTris[i].Type & 0x0F)))
            continue;
        unsigned* pList = GroupLists.get() + static_cast<std::size_t>(t) * ListSize;
        unsigned& Count = GroupCounts[static_cast<std::size_t>(t)];
        const unsigned First = 3u * static_cast<unsigned>(i);
        pList[Count++] = First;
        pList[Count++] = bReversed ? First + 2 : First + 1;
        pList[Count++] = bReversed ? First + 1 : First + 2;
    }
}

IDirect3DRMMesh* cD3DFrame::BuildMesh(IDirect3DRM2* pRoot, unsigned TypeMask, bool bReversed,
                                      std::unique_ptr<D3DRMGROUPINDEX[]>& Groups)
{
    IDirect3DRMMesh* pMesh = nullptr;
    if (RMFailed(pRoot->CreateMesh(&pMesh)) || !pMesh)
        return nullptr;
    Groups.reset(new (std::nothrow) D3DRMGROUPINDEX[static_cast<std::size_t>(mNumSlots)]);
    if (!Groups)
    {
        pMesh->Release();
        return nullptr;
    }
    FillLists(TypeMask, bReversed);
    const std::size_t ListSize = 3 * static_cast<std::size_t>(GetNumRenderTris());
    std::vector<D3DRMVERTEX> Vertices;
    std::vector<unsigned> Faces;
    for (int t = 0; t < mNumSlots; ++t)
    {
        Groups[t] = NO_GROUP;
        const unsigned Count = GroupCounts[static_cast<std::size_t>(t)];
        if (Count == 0)
            continue;
        const unsigned* pList = GroupLists.get() + static_cast<std::size_t>(t) * ListSize;
        Vertices.resize(Count);
        Faces.resize(Count);
        for (unsigned l = 0; l < Count; ++l)
        {
            Vertices[l] = TriVertices[pList[l]];
            Faces[l] = l;
        }
        D3DRMGROUPINDEX Group = NO_GROUP;
        if (RMFailed(pMesh->AddGroup(Count, Count / 3, 3, Faces.data(), &Group)))
            continue;
        Groups[t] = Group;
        pMesh->SetVertices(Group, 0, Count, Vertices.data());
        pMesh->SetGroupColorRGB(Group, 255.0f, 255.0f, 255.0f);
        if (IDirect3DRMTexture2* pTexture = mViewer->GetTexture(t))
            pMesh->SetGroupTexture(Group, pTexture);
        if (mMaterial)
            pMesh->SetGroupMaterial(Group, mMaterial);
        pMesh->SetGroupQuality(Group, D3DRMRENDER_FLAT);
    }
    pMesh->Scale(1.0f, 1.0f, -1.0f);
    return pMesh;
}

void cD3DFrame::SetTexturesOn(bool bOn)
{
    const std::pair<IDirect3DRMMesh*, const D3DRMGROUPINDEX*> MESHES[] = {
        {mMainMesh, mMainGroups.get()},           {mTwoSidedMesh, mTwoSidedGroups.get()},
        {mBackMesh, mBackGroups.get()},           {mMaskedMesh, mMaskedGroups.get()},
        {mTranslucentMesh, mTranslucentGroups.get()}, {mPlaceholderMesh, mPlaceholderGroups.get()},
    };
    for (int t = 0; t < mNumSlots; ++t)
    {
        IDirect3DRMTexture2* pTexture = bOn && mViewer ? mViewer->GetTexture(t) : nullptr;
        for (const auto& Mesh : MESHES)
            if (Mesh.first && Mesh.second && Mesh.second[t] != NO_GROUP)
                Mesh.first->SetGroupTexture(Mesh.second[t], pTexture);
    }
}

D3DRMGROUPINDEX cD3DFrame::GroupOf(const std::unique_ptr<D3DRMGROUPINDEX[]>& Groups, int Slot) const
{
    return Groups && Slot >= 0 && Slot < mNumSlots ? Groups[Slot] : NO_GROUP;
}

void D3DReleaseFrame(int FrameNum)
{
    if (FrameNum < 0 || FrameNum >= MAX_FRAMES)
        return;
    delete D3DFrames[FrameNum];
    D3DFrames[FrameNum] = nullptr;
}

int D3DBuildModel(const char* pszScript)
{
    int NumFrames = TheModel ? TheModel->GetAnivHeader()->NumFrames : 0;
    NumFrames = std::min(std::max(NumFrames, 0), MAX_FRAMES);
    if (TheD3DViewer)
        TheD3DViewer->CreateTextures(MAX_TEXTURES, TheModel);
    for (int Frame = 0; Frame < MAX_FRAMES; ++Frame)
    {
        // Frames past the new count are cleared too, so none of an earlier model survives.
        D3DReleaseFrame(Frame);
        if (Frame >= NumFrames)
            continue;
        try
        {
            D3DFrames[Frame] = new cD3DFrame(TheModel, Frame, MAX_TEXTURES, TheD3DViewer);
        }
        catch (const std::bad_alloc&)
        {
            D3DFrames[Frame] = nullptr;
        }
        if (BuildProgressHook)
            BuildProgressHook(Frame + 1, NumFrames);
    }
    if (D3DFrames[0])
    {
        D3DFrames[0]->GetBounds(ModelBounds.MinX, ModelBounds.MaxX, ModelBounds.MinY,
                                ModelBounds.MaxY, ModelBounds.MinZ, ModelBounds.MaxZ);
        ApplyTextureSwitchToDirect3D();
        return 0;
    }
    const std::string Text = std::string("The file ") + (pszScript ? pszScript : "") +
                             " does not contain any mesh information.";
    ShowRendererMessage(Text.c_str(), "Error");
    return 1;
}

void ApplyTextureSwitchToDirect3D()
{
    if (!TheModel || !TheD3DViewer)
        return;
    const float Ambient = TexturesOn ? 0.8f : 0.1f;
    TheD3DViewer->SetAmbientLight(Ambient, Ambient, Ambient);
    const int NumFrames = std::min(static_cast<int>(TheModel->GetAnivHeader()->NumFrames), MAX_FRAMES);
    for (int Frame = 0; Frame < NumFrames; ++Frame)
        if (D3DFrames[Frame])
            D3DFrames[Frame]->SetTexturesOn(TexturesOn != 0);
}
