// Direct3D model building: the textures of a model and, for every animation frame, the
// retained-mode meshes its pictures are drawn from (all triangles, the two-sided pair, and the
// masked, translucent and placeholder triangles on their own).
#pragma once

#include <cstdint>
#include <memory>

#include "platform/rm/D3DRM.h"
#include "render/FrameGeometry.h"
#include "render/ViewState.h"

class cD3DViewer;

// A mesh's group array entry for a texture number that has no triangle in that mesh.
constexpr D3DRMGROUPINDEX NO_GROUP = -1;

// 5-5-5 pixel: red in bits 10-14, green 5-9, blue 0-4.
std::uint16_t PackRGB555(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue);

// One frame's meshes, prepared a part at a time: the triangles decoded and listed by texture
// number, then one mesh per part; the triangles are freed once the meshes are complete. A part
// throws std::bad_alloc when memory runs out. Destruction releases whatever meshes and material
// exist.
class cD3DFrame : public cFrameGeometry
{
public:
    cD3DFrame(cZentorMesh* pModel, int Frame, int NumSlots, cD3DViewer* pViewer);
    ~cD3DFrame() override;

    // Does the next part of the preparation; true once the frame is complete.
    bool PrepareNextPart();
    bool IsComplete() const { return mComplete; }

    // Gives every group the viewer's texture of its number, or none when bOn is false.
    void SetTexturesOn(bool bOn);
    // Draws one picture for a polygon filter (0 all, 2, 3, 4, 8); leaves the model frame
    // without visuals and every group flat-shaded and solid again; a frame not complete draws
    // nothing. Returns 0.
    int Draw(unsigned int Filter);

    IDirect3DRMMesh* GetMainMesh() const { return mMainMesh; }
    IDirect3DRMMesh* GetTwoSidedMesh() const { return mTwoSidedMesh; }
    IDirect3DRMMesh* GetBackMesh() const { return mBackMesh; }
    IDirect3DRMMesh* GetMaskedMesh() const { return mMaskedMesh; }
    IDirect3DRMMesh* GetTranslucentMesh() const { return mTranslucentMesh; }
    IDirect3DRMMesh* GetPlaceholderMesh() const { return mPlaceholderMesh; }
    // Group of texture number Slot in a mesh's array, NO_GROUP when it has none.
    D3DRMGROUPINDEX GetMainGroup(int Slot) const { return GroupOf(mMainGroups, Slot); }
    D3DRMGROUPINDEX GetBackGroup(int Slot) const { return GroupOf(mBackGroups, Slot); }
    D3DRMGROUPINDEX GetTwoSidedGroup(int Slot) const { return GroupOf(mTwoSidedGroups, Slot); }
    D3DRMGROUPINDEX GetMaskedGroup(int Slot) const { return GroupOf(mMaskedGroups, Slot); }

private:
    // Makes the working storage and the material and lists the decoded triangles by texture
    // number. False when there is nothing to build meshes for.
    bool StartMeshes();
    // Builds the next mesh the frame has. False when none is left.
    bool BuildNextMesh();
    void FreeWorkingStorage();
    void ReleaseMeshes();
    // Creates a mesh of the triangles whose type is in TypeMask (0: every triangle) in the
    // given winding, with one group per texture number that has some, mirrored in z. With
    // bShareMain a group takes its records from the main mesh's group of its texture number
    // and lists only its own triangles' faces; otherwise, or when the main mesh has no such
    // group, it holds a copy of its triangles' records. Null when the mesh cannot be created.
    IDirect3DRMMesh* BuildMesh(IDirect3DRM2* pRoot, unsigned TypeMask, bool bReversed, bool bShareMain,
                               std::unique_ptr<D3DRMGROUPINDEX[]>& Groups);
    // Adds the group of texture number Slot's triangles whose type is in TypeMask, as BuildMesh
    // describes; NO_GROUP when there are none or the group cannot be added.
    D3DRMGROUPINDEX AddSlotGroup(IDirect3DRMMesh* pMesh, int Slot, unsigned TypeMask, bool bReversed,
                                 bool bShareMain);
    // Lists every triangle of a texture number in the slots by texture number, each number's in
    // triangle order, with its type bit.
    void FillLists();
    void SetQuality(IDirect3DRMMesh* pMesh, const D3DRMGROUPINDEX* pGroups,
                    D3DRMRENDERQUALITY Quality);
    void Attach(IDirect3DRMMesh* pMesh);
    void Detach(IDirect3DRMMesh* pMesh);
    D3DRMGROUPINDEX GroupOf(const std::unique_ptr<D3DRMGROUPINDEX[]>& Groups, int Slot) const;

    cD3DViewer* mViewer;
    bool mStarted = false;   // the triangles are decoded
    bool mListed = false;    // and listed by texture number
    bool mComplete = false;
    int mNextMesh = 0;  // the next mesh BuildNextMesh looks at
    IDirect3DRMMaterial* mMaterial = nullptr;
    IDirect3DRMMesh* mMainMesh = nullptr;
    IDirect3DRMMesh* mTwoSidedMesh = nullptr;
    IDirect3DRMMesh* mBackMesh = nullptr;
    IDirect3DRMMesh* mMaskedMesh = nullptr;
    IDirect3DRMMesh* mTranslucentMesh = nullptr;
    IDirect3DRMMesh* mPlaceholderMesh = nullptr;
    std::unique_ptr<D3DRMGROUPINDEX[]> mMainGroups, mTwoSidedGroups, mBackGroups, mMaskedGroups,
        mTranslucentGroups, mPlaceholderGroups;
    // Working storage of the preparation, freed once the frame is complete.
    std::unique_ptr<unsigned[]> mListStarts;  // per texture number where its triangles start; then the end
    std::unique_ptr<unsigned[]> mListTris;    // the listed triangles' numbers
    std::unique_ptr<unsigned[]> mListTypes;   // the listed triangles' type bits
    std::unique_ptr<D3DRMVERTEX[]> mGroupVertices;  // one group's records
    std::unique_ptr<unsigned[]> mGroupFaces;        // one sharing group's face indices
    std::unique_ptr<unsigned[]> mIdentityFaces;     // 0, 1, 2, ... for groups with records of their own
};

// The prepared frames, index = frame number; null where none is prepared.
extern cD3DFrame* D3DFrames[MAX_FRAMES];

// Builds TheModel's textures with TheD3DViewer, prepares frame 0, takes its bounds into
// ModelBounds and applies the texture switch; frames 1 to MAX_FRAMES - 1 wait for preparation
// (render/FramePreparation.h), which calls D3DPrepareFramePart. 0 when frame 0 was prepared;
// otherwise tells the user that pszScript has no mesh and returns 1. Throws std::bad_alloc
// when frame 0 runs out of memory.
int D3DBuildModel(const char* pszScript);
// Does the next part of frame Frame's meshes with TheD3DViewer, starting it unless it exists;
// true once it is complete, with textures as the switch stands. Throws std::bad_alloc when
// memory runs out.
bool D3DPrepareFramePart(int Frame);
// What frame Frame's meshes are estimated to hold, from the triangle count.
std::size_t D3DEstimateFrameBytes(int Frame);
// The Direct3D side of the "Textures On" switch: the ambient light (0.8 on, 0.1 off) and
// every prepared frame's textures.
void ApplyTextureSwitchToDirect3D();
// Destroys frame FrameNum's meshes, complete or not.
void D3DReleaseFrame(int FrameNum);
// Destroys every prepared frame's meshes; D3DFrames becomes all null.
void D3DReleaseFrames();
