// Helpers shared by the files that implement cD3DViewer.
#pragma once

// Releases an owned interface and forgets it; null stays null.
template <class Interface>
void ReleaseMember(Interface*& pObject)
{
    if (pObject)
    {
        pObject->Release();
        pObject = nullptr;
    }
}
