// Lights and materials.
#pragma once

#include "platform/rm/D3DRM.h"

class cRMLight final : public cRMRefCounted<IDirect3DRMLight>
{
public:
    cRMLight(D3DRMLIGHTTYPE Type, float Red, float Green, float Blue);

    RMRESULT QueryInterface(const RMGUID& Iid, void** ppObject) override;
    D3DRMLIGHTTYPE GetType() override { return mType; }
    D3DRMLIGHTTYPE GetTypeValue() const { return mType; }
    RMRESULT SetColorRGB(D3DVALUE Red, D3DVALUE Green, D3DVALUE Blue) override;
    D3DCOLOR GetColor() override;

    float mRed, mGreen, mBlue;

private:
    D3DRMLIGHTTYPE mType;
};

class cRMMaterial final : public cRMRefCounted<IDirect3DRMMaterial>
{
public:
    explicit cRMMaterial(float Power) : mPower(Power) {}

    RMRESULT QueryInterface(const RMGUID& Iid, void** ppObject) override;
    RMRESULT SetPower(D3DVALUE Power) override;
    D3DVALUE GetPower() override { return mPower; }
    RMRESULT SetEmissive(D3DVALUE Red, D3DVALUE Green, D3DVALUE Blue) override;
    RMRESULT GetEmissive(D3DVALUE* pRed, D3DVALUE* pGreen, D3DVALUE* pBlue) override;
    RMRESULT SetSpecular(D3DVALUE Red, D3DVALUE Green, D3DVALUE Blue) override;
    RMRESULT GetSpecular(D3DVALUE* pRed, D3DVALUE* pGreen, D3DVALUE* pBlue) override;

    float mPower;
    float mEmissive[3] = {0, 0, 0};
    float mSpecular[3] = {0, 0, 0};
};
