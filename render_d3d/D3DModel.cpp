// Direct3D model building: the model's textures, and per frame the meshes of all triangles,
// of the two-sided pair and of the masked, translucent and placeholder triangles.
#include "render_d3d/D3DModel.h"

#include <algorithm>
#include <new>
#include <numeric>

#include "model/ZentorMesh.h"
#include "render/FramePreparation.h"
#include "render/View.h"
#include "render_d3d/D3DRenderer.h"
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

// A frame the layer has no memory for is not left empty: the preparation's out-of-memory
// path ends the model and tells the user. Other failures leave the mesh or group out.
RMRESULT CheckMemory(RMRESULT Result)
{
    if (Result == D3DRMERR_BADALLOC || Result == DDERR_OUTOFMEMORY)
        throw std::bad_alloc();
    return Result;
}

// Working storage the frame cannot do without.
template <typename T>
void Allocate(std::unique_ptr<T[]>& Array, std::size_t Count)
{
    Array.reset(new T[Count]);
}

// Writes a triangle's three records: vertex 0, vertex 2, vertex 1 (reversed: 0, 1, 2), all with
// the negated normal. The meshes are mirrored in z, which turns the model's winding and facing
// around.
void WriteRecords(const RenderTri& Tri, bool bReversed, D3DRMVERTEX* pOut)
{
    static const int ORDER[2][3] = {{0, 2, 1}, {0, 1, 2}};
    for (int r = 0; r < 3; ++r)
    {
        const int k = ORDER[bReversed][r];
        D3DRMVERTEX& Out = pOut[r];
        Out.position = {Tri.V[k][0], Tri.V[k][1], Tri.V[k][2]};
        Out.normal = {-Tri.Normal[0], -Tri.Normal[1], -Tri.Normal[2]};
        Out.tu = Tri.U[k];
        Out.tv = Tri.T[k];
        Out.color = 0xFFFFFFu;
    }
}
}  // namespace

cD3DFrame::cD3DFrame(cZentorMesh* pModel, int Frame, int NumSlots, cD3DViewer* pViewer)
    : cFrameGeometry(pModel, Frame, NumSlots), mViewer(pViewer)
{
    if (pModel)
        mHeader = pModel->GetDataHeader();
}

cD3DFrame::~cD3DFrame()
{
    ReleaseMeshes();
}

void cD3DFrame::ReleaseMeshes()
{
    for (IDirect3DRMMesh** ppMesh : {&mMainMesh, &mTwoSidedMesh, &mBackMesh, &mMaskedMesh,
                                     &mTranslucentMesh, &mPlaceholderMesh})
        ReleaseMember(*ppMesh);
    ReleaseMember(mMaterial);
}

bool cD3DFrame::PrepareNextPart()
{
    if (mComplete)
        return true;
    if (!mStarted)
    {
        // Decoding is a part of its own, and so is listing, unless there is nothing to build.
        mStarted = true;
        if (mModel)
        {
            BuildTris(TCOORD_DIRECT3D);
            return false;
        }
    }
    else if (!mListed)
    {
        mListed = true;
        if (StartMeshes())
            return false;
    }
    else if (BuildNextMesh())
    {
        return false;
    }
    ReleaseTris();
    FreeWorkingStorage();
    mComplete = true;
    return true;
}

void cD3DFrame::FreeWorkingStorage()
{
    mListStarts.reset();
    mListTris.reset();
    mListTypes.reset();
    mGroupVertices.reset();
    mGroupFaces.reset();
    mIdentityFaces.reset();
}

bool cD3DFrame::StartMeshes()
{
    const std::size_t TriCount = static_cast<std::size_t>(std::max(GetNumRenderTris(), 1));
    IDirect3DRM2* pRoot = mViewer ? mViewer->GetD3DRM() : nullptr;
    if (!pRoot || mNumSlots <= 0)
        return false;
    Allocate(mListStarts, static_cast<std::size_t>(mNumSlots) + 1);
    Allocate(mListTris, TriCount);
    Allocate(mListTypes, TriCount);
    Allocate(mGroupVertices, 3 * TriCount);
    Allocate(mGroupFaces, 3 * TriCount);
    Allocate(mIdentityFaces, 3 * TriCount);
    std::iota(mIdentityFaces.get(), mIdentityFaces.get() + 3 * TriCount, 0u);
    FillLists();

    if (RMSucceeded(CheckMemory(pRoot->CreateMaterial(100.0f, &mMaterial))) && mMaterial)
    {
        mMaterial->SetEmissive(0.0f, 0.0f, 0.0f);
        mMaterial->SetSpecular(0.0f, 0.0f, 0.0f);
    }
    else
    {
        mMaterial = nullptr;
    }
    return true;
}

bool cD3DFrame::BuildNextMesh()
{
    IDirect3DRM2* pRoot = mViewer->GetD3DRM();
    // The main mesh first: the others share its records.
    switch (mNextMesh++)
    {
    case 0:
        mMainMesh = BuildMesh(pRoot, ALL_TYPES, false, false, mMainGroups);
        return true;
    case 1:
        if (mHasTwoSided)
            mTwoSidedMesh = BuildMesh(pRoot, TWO_SIDED_TYPES, false, true, mTwoSidedGroups);
        return true;
    case 2:
        if (mHasTwoSided)
            mBackMesh = BuildMesh(pRoot, TWO_SIDED_TYPES, true, true, mBackGroups);
        return true;
    case 3:
        if (mHasMasked)
            mMaskedMesh = BuildMesh(pRoot, TypeBit(POLY_MASKED), false, true, mMaskedGroups);
        return true;
    case 4:
        if (mHasTranslucent)
            mTranslucentMesh = BuildMesh(pRoot, TypeBit(POLY_TRANSLUCENT), false, true, mTranslucentGroups);
        return true;
    case 5:
        if (mHasPlaceholder)
            mPlaceholderMesh = BuildMesh(pRoot, TypeBit(POLY_PLACEHOLDER), false, true, mPlaceholderGroups);
        return true;
    default:
        return false;
    }
}

void cD3DFrame::FillLists()
{
    // Triangles of a texture number outside the slots are in no mesh.
    const RenderTri* pTris = GetRenderTris();
    auto SlotOf = [&](int i) { return static_cast<unsigned>(pTris[i].TextureNum); };
    const unsigned NumSlots = static_cast<unsigned>(mNumSlots);
    std::fill(mListStarts.get(), mListStarts.get() + NumSlots + 1, 0u);
    for (int i = 0; i < GetNumRenderTris(); ++i)
        if (SlotOf(i) < NumSlots)
            ++mListStarts[SlotOf(i) + 1];
    std::partial_sum(mListStarts.get(), mListStarts.get() + NumSlots + 1, mListStarts.get());
    // Each number's start moves on as its triangles are placed, ending at the next number's start.
    for (int i = 0; i < GetNumRenderTris(); ++i)
        if (SlotOf(i) < NumSlots)
        {
            const unsigned Place = mListStarts[SlotOf(i)]++;
            mListTris[Place] = static_cast<unsigned>(i);
            mListTypes[Place] = TypeBit(pTris[i].Type & 0x0F);
        }
    std::copy_backward(mListStarts.get(), mListStarts.get() + NumSlots, mListStarts.get() + NumSlots + 1);
    mListStarts[0] = 0;
}

D3DRMGROUPINDEX cD3DFrame::AddSlotGroup(IDirect3DRMMesh* pMesh, int Slot, unsigned TypeMask, bool bReversed,
                                        bool bShareMain)
{
    const unsigned First = mListStarts[static_cast<std::size_t>(Slot)];
    const unsigned Listed = mListStarts[static_cast<std::size_t>(Slot) + 1] - First;
    const unsigned* pListTris = mListTris.get() + First;
    const unsigned* pListTypes = mListTypes.get() + First;
    const unsigned Mask = TypeMask == ALL_TYPES ? ~0u : TypeMask;
    D3DRMGROUPINDEX Group = NO_GROUP;
    const D3DRMGROUPINDEX Source = bShareMain && mMainMesh ? GetMainGroup(Slot) : NO_GROUP;
    if (Source != NO_GROUP)
    {
        // Triangle r of the texture number is records 3r, 3r + 1, 3r + 2 of the main group;
        // reversed faces swap the last two, which lists the model's vertices 0, 1, 2. Every
        // triangle's face is written and kept only when its type is chosen.
        const unsigned Second = bReversed ? 2 : 1, Third = bReversed ? 1 : 2;
        unsigned Count = 0;
        for (unsigned r = 0; r < Listed; ++r)
        {
            unsigned* pFace = mGroupFaces.get() + 3 * static_cast<std::size_t>(Count);
            pFace[0] = 3 * r;
            pFace[1] = 3 * r + Second;
            pFace[2] = 3 * r + Third;
            Count += (pListTypes[r] & Mask) != 0;
        }
        if (Count == 0 ||
            RMFailed(CheckMemory(
                pMesh->AddGroupSharingVertices(mMainMesh, Source, Count, 3, mGroupFaces.get(), &Group))))
            return NO_GROUP;
        return Group;
    }
    const RenderTri* pTris = GetRenderTris();
    unsigned Count = 0;
    for (unsigned r = 0; r < Listed; ++r)
        if (pListTypes[r] & Mask)
            WriteRecords(pTris[pListTris[r]], bReversed, mGroupVertices.get() + 3 * static_cast<std::size_t>(Count++));
    if (Count == 0 || RMFailed(CheckMemory(pMesh->AddGroup(3 * Count, Count, 3, mIdentityFaces.get(), &Group))))
        return NO_GROUP;
    CheckMemory(pMesh->SetVertices(Group, 0, 3 * Count, mGroupVertices.get()));
    return Group;
}

IDirect3DRMMesh* cD3DFrame::BuildMesh(IDirect3DRM2* pRoot, unsigned TypeMask, bool bReversed, bool bShareMain,
                                      std::unique_ptr<D3DRMGROUPINDEX[]>& Groups)
{
    IDirect3DRMMesh* pMesh = nullptr;
    if (RMFailed(CheckMemory(pRoot->CreateMesh(&pMesh))) || !pMesh)
        return nullptr;
    // The mesh is released when a group runs out of memory.
    std::unique_ptr<IDirect3DRMMesh, void (*)(IDirect3DRMMesh*)> Held(
        pMesh, [](IDirect3DRMMesh* pHeld) { pHeld->Release(); });
    Allocate(Groups, static_cast<std::size_t>(mNumSlots));
    for (int t = 0; t < mNumSlots; ++t)
    {
        const D3DRMGROUPINDEX Group = AddSlotGroup(pMesh, t, TypeMask, bReversed, bShareMain);
        Groups[t] = Group;
        if (Group == NO_GROUP)
            continue;
        pMesh->SetGroupColorRGB(Group, 255.0f, 255.0f, 255.0f);
        if (IDirect3DRMTexture2* pTexture = mViewer->GetTexture(t))
            pMesh->SetGroupTexture(Group, pTexture);
        if (mMaterial)
            pMesh->SetGroupMaterial(Group, mMaterial);
        pMesh->SetGroupQuality(Group, D3DRMRENDER_FLAT);
    }
    pMesh->Scale(1.0f, 1.0f, -1.0f);
    return Held.release();
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

void D3DReleaseFrames()
{
    for (int Frame = 0; Frame < MAX_FRAMES; ++Frame)
        D3DReleaseFrame(Frame);
}

bool D3DPrepareFramePart(int Frame)
{
    if (Frame < 0 || Frame >= MAX_FRAMES)
        return true;
    if (!D3DFrames[Frame])
        D3DFrames[Frame] = new cD3DFrame(TheModel, Frame, MAX_TEXTURES, TheD3DViewer);
    try
    {
        if (!D3DFrames[Frame]->PrepareNextPart())
            return false;
    }
    catch (const std::bad_alloc&)
    {
        // A frame the memory ran out for is not kept half-made.
        D3DReleaseFrame(Frame);
        throw;
    }
    // A frame completed after textures were switched off draws without them, as the others do.
    if (!View.TexturesOn)
        D3DFrames[Frame]->SetTexturesOn(false);
    return true;
}

std::size_t D3DEstimateFrameBytes(int)
{
    // The retained-mode meshes hold about 50 bytes per triangle (measured with the viewer's
    // load benchmark), plus the material and the meshes' own records.
    constexpr std::size_t BYTES_PER_TRIANGLE = 52, BYTES_PER_FRAME = 4096;
    const std::size_t NumTris = TheModel ? TheModel->GetDataHeader()->NumPolys : 0;
    return NumTris * BYTES_PER_TRIANGLE + BYTES_PER_FRAME;
}

int D3DBuildModel(const char* pszScript)
{
    int NumFrames = TheModel ? TheModel->GetAnivHeader()->NumFrames : 0;
    NumFrames = std::min(std::max(NumFrames, 0), MAX_FRAMES);
    if (TheD3DViewer)
        TheD3DViewer->CreateTextures(MAX_TEXTURES, TheModel);
    // Frames of an earlier model are cleared, so none of it survives.
    D3DReleaseFrames();
    // Frame 0 now, for the bounds and the first picture; the others when they are needed.
    StartWithFrameZero(NumFrames, D3DRenderer());
    if (FinishModelBuild(D3DFrames[0], pszScript) != 0)
        return 1;
    ApplyTextureSwitchToDirect3D();
    return 0;
}

void ApplyTextureSwitchToDirect3D()
{
    if (!TheModel || !TheD3DViewer)
        return;
    const float Ambient = View.TexturesOn ? 0.8f : 0.1f;
    TheD3DViewer->SetAmbientLight(Ambient, Ambient, Ambient);
    const int NumFrames = std::min(static_cast<int>(TheModel->GetAnivHeader()->NumFrames), MAX_FRAMES);
    for (int Frame = 0; Frame < NumFrames; ++Frame)
        if (D3DFrames[Frame])
            D3DFrames[Frame]->SetTexturesOn(View.TexturesOn);
}
