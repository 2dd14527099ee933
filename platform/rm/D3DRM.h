// Retained-mode interfaces: root, frames, meshes, lights, materials, textures, devices and
// viewports. Space is left-handed; a camera looks along its +z with +y up; triangles whose
// vertices run clockwise on screen face the camera and the others are culled.
#pragma once

#include "platform/rm/DirectDraw.h"

class IDirect3DRMFrame2;
class IDirect3DRMMesh;
class IDirect3DRMLight;
class IDirect3DRMMaterial;
class IDirect3DRMTexture2;
class IDirect3DRMDevice2;
class IDirect3DRMViewport;

// Anything a frame can carry as something to draw.
class IDirect3DRMVisual : public IRMUnknown
{
};

class IDirect3DRMFrame2 : public IDirect3DRMVisual
{
public:
    // A frame holds a reference to each light, visual and child frame it carries; adding one
    // it already carries changes nothing. Only meshes are accepted as visuals.
    virtual RMRESULT AddLight(IDirect3DRMLight* pLight) = 0;
    virtual RMRESULT DeleteLight(IDirect3DRMLight* pLight) = 0;
    virtual RMRESULT AddVisual(IDirect3DRMVisual* pVisual) = 0;
    virtual RMRESULT DeleteVisual(IDirect3DRMVisual* pVisual) = 0;
    // Positions and directions are given in the coordinates of Reference (null: the root).
    virtual RMRESULT SetPosition(IDirect3DRMFrame2* pReference, D3DVALUE X, D3DVALUE Y, D3DVALUE Z) = 0;
    virtual RMRESULT GetPosition(IDirect3DRMFrame2* pReference, D3DVECTOR* pPosition) = 0;
    virtual RMRESULT SetOrientation(IDirect3DRMFrame2* pReference, D3DVALUE DirX, D3DVALUE DirY, D3DVALUE DirZ,
                                    D3DVALUE UpX, D3DVALUE UpY, D3DVALUE UpZ) = 0;
    // Rotation through Theta radians about the axis, clockwise when looking along the axis.
    // REPLACE makes it the whole transform; AFTER applies it after the current transform
    // (in the parent's space); BEFORE applies it first (in the frame's own space).
    virtual RMRESULT AddRotation(D3DRMCOMBINETYPE Combine, D3DVALUE X, D3DVALUE Y, D3DVALUE Z, D3DVALUE Theta) = 0;
    // The transform from this frame's space into its parent's.
    virtual RMRESULT GetTransform(D3DRMMATRIX4D Matrix) = 0;
    virtual RMRESULT SetSceneBackground(D3DCOLOR Color) = 0;
    virtual D3DCOLOR GetSceneBackground() = 0;
    virtual RMRESULT SetZbufferMode(D3DRMZBUFFERMODE Mode) = 0;
    virtual D3DRMZBUFFERMODE GetZbufferMode() = 0;
    // Not an added reference; null for a root frame.
    virtual IDirect3DRMFrame2* GetParentFrame() = 0;
    virtual std::uint32_t GetVisualCount() = 0;
    virtual std::uint32_t GetLightCount() = 0;
};

class IDirect3DRMMesh : public IDirect3DRMVisual
{
public:
    // Faces are FaceCount runs of VerticesPerFace indices below VertexCount; faces are triangles,
    // so VerticesPerFace must be 3.
    virtual RMRESULT AddGroup(unsigned VertexCount, unsigned FaceCount, unsigned VerticesPerFace,
                              const unsigned* pFaceData, D3DRMGROUPINDEX* pGroup) = 0;
    // Adds a group whose vertices are those of group SourceGroup of pSource (this mesh or another
    // of this layer; any other mesh is refused), with faces, colour, texture, material and quality
    // of its own; indices must lie below that group's vertex count. The records are shared, not
    // copied, but that never shows: SetVertices on either group changes only that group, and the
    // records live as long as any group holds them. Each mesh's Scale applies to its own groups.
    virtual RMRESULT AddGroupSharingVertices(IDirect3DRMMesh* pSource, D3DRMGROUPINDEX SourceGroup,
                                             unsigned FaceCount, unsigned VerticesPerFace,
                                             const unsigned* pFaceData, D3DRMGROUPINDEX* pGroup) = 0;
    virtual RMRESULT SetVertices(D3DRMGROUPINDEX Group, unsigned Index, unsigned Count,
                                 const D3DRMVERTEX* pVertices) = 0;
    virtual RMRESULT GetVertices(D3DRMGROUPINDEX Group, unsigned Index, unsigned Count,
                                 D3DRMVERTEX* pVertices) = 0;
    // Reads the sizes of a group and, when pFaceData is given, its FaceCount x VerticesPerFace indices.
    virtual RMRESULT GetGroup(D3DRMGROUPINDEX Group, unsigned* pVertexCount, unsigned* pFaceCount,
                              unsigned* pVerticesPerFace, unsigned* pFaceData) = 0;
    virtual unsigned GetGroupCount() = 0;
    // Components are clamped to 0 ... 1.
    virtual RMRESULT SetGroupColorRGB(D3DRMGROUPINDEX Group, D3DVALUE Red, D3DVALUE Green, D3DVALUE Blue) = 0;
    virtual D3DCOLOR GetGroupColor(D3DRMGROUPINDEX Group) = 0;
    // Null removes the texture.
    virtual RMRESULT SetGroupTexture(D3DRMGROUPINDEX Group, IDirect3DRMTexture2* pTexture) = 0;
    virtual RMRESULT GetGroupTexture(D3DRMGROUPINDEX Group, IDirect3DRMTexture2** ppTexture) = 0;
    virtual RMRESULT SetGroupMaterial(D3DRMGROUPINDEX Group, IDirect3DRMMaterial* pMaterial) = 0;
    virtual RMRESULT GetGroupMaterial(D3DRMGROUPINDEX Group, IDirect3DRMMaterial** ppMaterial) = 0;
    virtual RMRESULT SetGroupQuality(D3DRMGROUPINDEX Group, D3DRMRENDERQUALITY Quality) = 0;
    virtual D3DRMRENDERQUALITY GetGroupQuality(D3DRMGROUPINDEX Group) = 0;
    // Scales the mesh along each axis when it is drawn (the stored vertices keep their values);
    // normals take the inverse scale so they stay perpendicular to the surface. Scales combine.
    virtual RMRESULT Scale(D3DVALUE X, D3DVALUE Y, D3DVALUE Z) = 0;
    virtual D3DVECTOR GetScale() = 0;
};

class IDirect3DRMLight : public IRMUnknown
{
public:
    virtual D3DRMLIGHTTYPE GetType() = 0;
    virtual RMRESULT SetColorRGB(D3DVALUE Red, D3DVALUE Green, D3DVALUE Blue) = 0;
    virtual D3DCOLOR GetColor() = 0;
};

class IDirect3DRMMaterial : public IRMUnknown
{
public:
    virtual RMRESULT SetPower(D3DVALUE Power) = 0;
    virtual D3DVALUE GetPower() = 0;
    virtual RMRESULT SetEmissive(D3DVALUE Red, D3DVALUE Green, D3DVALUE Blue) = 0;
    virtual RMRESULT GetEmissive(D3DVALUE* pRed, D3DVALUE* pGreen, D3DVALUE* pBlue) = 0;
    virtual RMRESULT SetSpecular(D3DVALUE Red, D3DVALUE Green, D3DVALUE Blue) = 0;
    virtual RMRESULT GetSpecular(D3DVALUE* pRed, D3DVALUE* pGreen, D3DVALUE* pBlue) = 0;
};

// A texture reads its surface's pixels when drawn, so later writes to the surface show.
class IDirect3DRMTexture2 : public IRMUnknown
{
public:
    virtual RMRESULT GetSurface(IDirectDrawSurface** ppSurface) = 0;
};

// Answers the window's paint and activation for a device.
class IDirect3DRMWinDevice : public IRMUnknown
{
public:
    // Shows the last finished picture again; the device context is not read.
    virtual RMRESULT HandlePaint(void* DeviceContext) = 0;
    virtual RMRESULT HandleActivate(std::uint32_t wParam) = 0;
};

class IDirect3DRMDevice2 : public IRMUnknown
{
public:
    virtual unsigned GetWidth() = 0;
    virtual unsigned GetHeight() = 0;
    // The device quality caps each group's: fill, shade and lighting never exceed it.
    virtual RMRESULT SetQuality(D3DRMRENDERQUALITY Quality) = 0;
    virtual D3DRMRENDERQUALITY GetQuality() = 0;
    // Presents the picture through the clipper's window.
    virtual RMRESULT Update() = 0;
    virtual RMRESULT GetDirect3DDevice2(IDirect3DDevice2** ppDevice) = 0;
};

class IDirect3DRMViewport : public IRMUnknown
{
public:
    virtual RMRESULT SetBack(D3DVALUE Back) = 0;
    virtual D3DVALUE GetBack() = 0;
    virtual RMRESULT SetFront(D3DVALUE Front) = 0;
    virtual D3DVALUE GetFront() = 0;
    // Half the height of the view at distance 1 from the camera.
    virtual RMRESULT SetField(D3DVALUE Field) = 0;
    virtual D3DVALUE GetField() = 0;
    // Fills the viewport with the background of the camera's scene and empties its depth.
    virtual RMRESULT Clear() = 0;
    // Draws the frame's tree as the camera sees it, lit by the lights in that tree.
    virtual RMRESULT Render(IDirect3DRMFrame2* pScene) = 0;
};

class IDirect3DRM : public IRMUnknown
{
};

class IDirect3DRM2 : public IDirect3DRM
{
public:
    virtual RMRESULT CreateFrame(IDirect3DRMFrame2* pParent, IDirect3DRMFrame2** ppFrame) = 0;
    virtual RMRESULT CreateMesh(IDirect3DRMMesh** ppMesh) = 0;
    virtual RMRESULT CreateLightRGB(D3DRMLIGHTTYPE Type, D3DVALUE Red, D3DVALUE Green, D3DVALUE Blue,
                                    IDirect3DRMLight** ppLight) = 0;
    virtual RMRESULT CreateMaterial(D3DVALUE Power, IDirect3DRMMaterial** ppMaterial) = 0;
    // A null GUID selects the default device.
    virtual RMRESULT CreateDeviceFromClipper(IDirectDrawClipper* pClipper, const RMGUID* pGuid, int Width,
                                             int Height, IDirect3DRMDevice2** ppDevice) = 0;
    virtual RMRESULT CreateTextureFromSurface(IDirectDrawSurface* pSurface, IDirect3DRMTexture2** ppTexture) = 0;
    virtual RMRESULT CreateViewport(IDirect3DRMDevice2* pDevice, IDirect3DRMFrame2* pCamera, std::uint32_t X,
                                    std::uint32_t Y, std::uint32_t Width, std::uint32_t Height,
                                    IDirect3DRMViewport** ppViewport) = 0;
};

RMRESULT Direct3DRMCreate(IDirect3DRM** ppRoot);
