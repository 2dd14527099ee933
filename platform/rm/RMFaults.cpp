// Failures a test can inject into chosen operations of the retained-mode layer, and the count
// of the layer's objects alive.
#include "platform/rm/RMFaults.h"

#include "platform/rm/RMObject.h"

namespace
{
// One operation's armed failure. Times below 0 fails for good; Code D3DRM_OK is unarmed.
struct tFault
{
    RMRESULT Code = D3DRM_OK;
    int Skip = 0;
    int Times = 0;
};

tFault Faults[RMFAULT_COUNT];

bool IsKnown(eRMFault Fault)
{
    return static_cast<unsigned>(Fault) < RMFAULT_COUNT;
}

// Uses up one failing call of an armed fault; returns its code.
RMRESULT Fire(tFault& Armed)
{
    const RMRESULT Code = Armed.Code;
    if (Armed.Times > 0 && --Armed.Times == 0)
        Armed = tFault();
    return Code;
}
}

void RMInjectFault(eRMFault Fault, RMRESULT Code, int Skip, int Times)
{
    if (!IsKnown(Fault))
        return;
    tFault& Armed = Faults[Fault];
    Armed = tFault();
    if (!RMFailed(Code) || Times == 0)
        return;
    Armed.Code = Code;
    Armed.Skip = Skip > 0 ? Skip : 0;
    Armed.Times = Times > 0 ? Times : -1;
}

void RMClearFaults()
{
    for (tFault& Armed : Faults)
        Armed = tFault();
}

int RMLiveObjectCount()
{
    return cRMLiveObjects::Count();
}

RMRESULT RMFaultCheck(eRMFault Fault)
{
    if (!IsKnown(Fault))
        return D3DRM_OK;
    tFault& Armed = Faults[Fault];
    if (Armed.Code == D3DRM_OK)
        return D3DRM_OK;
    if (Armed.Skip > 0)
    {
        --Armed.Skip;
        return D3DRM_OK;
    }
    return Fire(Armed);
}

RMRESULT RMFaultCheckEnumeration(std::size_t& Count)
{
    tFault& Armed = Faults[RMFAULT_ENUM_DEVICES];
    if (Armed.Code == D3DRM_OK)
        return D3DRM_OK;
    // Skip stays: it is the number of devices every failing enumeration reports.
    if (static_cast<std::size_t>(Armed.Skip) < Count)
        Count = static_cast<std::size_t>(Armed.Skip);
    return Fire(Armed);
}
