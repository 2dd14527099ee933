// Lights and materials.
#include "platform/rm/RMLighting.h"

#include "platform/rm/RMMath.h"

namespace
{
RMRESULT NoOtherInterface(void** ppObject)
{
    if (ppObject)
        *ppObject = nullptr;
    return ppObject ? DDERR_UNSUPPORTED : DDERR_INVALIDPARAMS;
}
}

cRMLight::cRMLight(D3DRMLIGHTTYPE Type, float Red, float Green, float Blue)
    : mRed(Clamp01(Red)), mGreen(Clamp01(Green)), mBlue(Clamp01(Blue)), mType(Type)
{
}

RMRESULT cRMLight::QueryInterface(const RMGUID& Iid, void** ppObject)
{
    return NoOtherInterface(ppObject);
}

RMRESULT cRMLight::SetColorRGB(D3DVALUE Red, D3DVALUE Green, D3DVALUE Blue)
{
    mRed = Clamp01(Red);
    mGreen = Clamp01(Green);
    mBlue = Clamp01(Blue);
    return D3DRM_OK;
}

D3DCOLOR cRMLight::GetColor()
{
    auto Byte = [](float Value) { return static_cast<D3DCOLOR>(Value * 255.0f + 0.5f); };
    return (Byte(mRed) << 16) | (Byte(mGreen) << 8) | Byte(mBlue);
}

RMRESULT cRMMaterial::QueryInterface(const RMGUID& Iid, void** ppObject)
{
    return NoOtherInterface(ppObject);
}

RMRESULT cRMMaterial::SetPower(D3DVALUE Power)
{
    if (!(Power >= 0))
        return D3DRMERR_BADVALUE;
    mPower = Power;
    return D3DRM_OK;
}

RMRESULT cRMMaterial::SetEmissive(D3DVALUE Red, D3DVALUE Green, D3DVALUE Blue)
{
    mEmissive[0] = Clamp01(Red);
    mEmissive[1] = Clamp01(Green);
    mEmissive[2] = Clamp01(Blue);
    return D3DRM_OK;
}

RMRESULT cRMMaterial::GetEmissive(D3DVALUE* pRed, D3DVALUE* pGreen, D3DVALUE* pBlue)
{
    if (!pRed || !pGreen || !pBlue)
        return DDERR_INVALIDPARAMS;
    *pRed = mEmissive[0];
    *pGreen = mEmissive[1];
    *pBlue = mEmissive[2];
    return D3DRM_OK;
}

RMRESULT cRMMaterial::SetSpecular(D3DVALUE Red, D3DVALUE Green, D3DVALUE Blue)
{
    mSpecular[0] = Clamp01(Red);
    mSpecular[1] = Clamp01(Green);
    mSpecular[2] = Clamp01(Blue);
    return D3DRM_OK;
}

RMRESULT cRMMaterial::GetSpecular(D3DVALUE* pRed, D3DVALUE* pGreen, D3DVALUE* pBlue)
{
    if (!pRed || !pGreen || !pBlue)
        return DDERR_INVALIDPARAMS;
    *pRed = mSpecular[0];
    *pGreen = mSpecular[1];
    *pBlue = mSpecular[2];
    return D3DRM_OK;
}
