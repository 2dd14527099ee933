// A clipper: remembers the window a device presents its pictures in.
#pragma once

#include "platform/rm/DirectDraw.h"

class cClipper final : public cRMRefCounted<IDirectDrawClipper>
{
public:
    RMRESULT QueryInterface(const RMGUID& Iid, void** ppObject) override;
    RMRESULT SetHWnd(std::uint32_t Flags, RMWINDOW Window) override;
    RMRESULT GetHWnd(RMWINDOW* pWindow) override;

    RMWINDOW GetWindow() const { return mWindow; }

private:
    RMWINDOW mWindow = nullptr;
};
