// Frames: a hierarchy of transforms carrying lights and meshes.
#pragma once

#include "platform/rm/D3DRM.h"
#include "platform/rm/RMMath.h"

#include <vector>

class cRMFrame final : public cRMRefCounted<IDirect3DRMFrame2>
{
public:
    // The parent keeps a reference to the new child; the child does not keep its parent.
    explicit cRMFrame(cRMFrame* pParent);
    ~cRMFrame() override;

    RMRESULT QueryInterface(const RMGUID& Iid, void** ppObject) override;
    RMRESULT AddLight(IDirect3DRMLight* pLight) override;
    RMRESULT DeleteLight(IDirect3DRMLight* pLight) override;
    RMRESULT AddVisual(IDirect3DRMVisual* pVisual) override;
    RMRESULT DeleteVisual(IDirect3DRMVisual* pVisual) override;
    RMRESULT SetPosition(IDirect3DRMFrame2* pReference, D3DVALUE X, D3DVALUE Y, D3DVALUE Z) override;
    RMRESULT GetPosition(IDirect3DRMFrame2* pReference, D3DVECTOR* pPosition) override;
    RMRESULT SetOrientation(IDirect3DRMFrame2* pReference, D3DVALUE DirX, D3DVALUE DirY, D3DVALUE DirZ,
                            D3DVALUE UpX, D3DVALUE UpY, D3DVALUE UpZ) override;
    RMRESULT AddRotation(D3DRMCOMBINETYPE Combine, D3DVALUE X, D3DVALUE Y, D3DVALUE Z, D3DVALUE Theta) override;
    RMRESULT GetTransform(D3DRMMATRIX4D Matrix) override;
    RMRESULT SetSceneBackground(D3DCOLOR Color) override;
    D3DCOLOR GetSceneBackground() override { return mBackground; }
    RMRESULT SetZbufferMode(D3DRMZBUFFERMODE Mode) override;
    D3DRMZBUFFERMODE GetZbufferMode() override { return mZbufferMode; }
    IDirect3DRMFrame2* GetParentFrame() override { return mParent; }
    std::uint32_t GetVisualCount() override { return static_cast<std::uint32_t>(mVisuals.size()); }
    std::uint32_t GetLightCount() override { return static_cast<std::uint32_t>(mLights.size()); }

    // From this frame's space into its parent's.
    const cMatrix& GetLocal() const { return mLocal; }
    // From this frame's space into the root's.
    cMatrix GetWorld() const;
    cRMFrame* GetRoot();
    // Whether drawing under this frame tests depth: the nearest explicit mode up the tree,
    // enabled when none is set.
    bool IsZbufferEnabled() const;

    const std::vector<cRMFrame*>& GetChildren() const { return mChildren; }
    const std::vector<IDirect3DRMVisual*>& GetVisuals() const { return mVisuals; }
    const std::vector<IDirect3DRMLight*>& GetLights() const { return mLights; }

private:
    // World transform of a reference frame; null or a foreign frame means the root's space.
    static cMatrix ReferenceWorld(IDirect3DRMFrame2* pReference);

    cRMFrame* mParent;
    cMatrix mLocal;
    std::vector<cRMFrame*> mChildren;          // each holds a reference
    std::vector<IDirect3DRMVisual*> mVisuals;  // each holds a reference
    std::vector<IDirect3DRMLight*> mLights;    // each holds a reference
    D3DCOLOR mBackground = 0;
    D3DRMZBUFFERMODE mZbufferMode = D3DRMZBUFFER_FROMPARENT;
};
