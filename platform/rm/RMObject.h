// Reference counting and interface queries shared by every object of the retained-mode layer.
#pragma once

#include "platform/rm/RMTypes.h"

#include <cstdint>

// Base of every interface: an object lives while its count is above zero; Release returns the
// new count and frees the object when it reaches zero.
class IRMUnknown
{
public:
    virtual RMRESULT QueryInterface(const RMGUID& Iid, void** ppObject) = 0;
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

protected:
    virtual ~IRMUnknown() = default;
};

// Counts the reference-counted objects alive, for tests that check what a release frees.
class cRMLiveObjects
{
public:
    static int Count() { return mCount; }

protected:
    cRMLiveObjects() { ++mCount; }
    cRMLiveObjects(const cRMLiveObjects&) = delete;
    cRMLiveObjects& operator=(const cRMLiveObjects&) = delete;
    ~cRMLiveObjects() { --mCount; }

private:
    static inline int mCount = 0;
};

// Implements the count for a concrete class deriving from one interface chain. The count
// starts at 1: the creator's reference.
template <class Interface>
class cRMRefCounted : public Interface, private cRMLiveObjects
{
public:
    std::uint32_t AddRef() override { return ++mRefCount; }

    std::uint32_t Release() override
    {
        const std::uint32_t Count = --mRefCount;
        if (Count == 0)
            delete this;
        return Count;
    }

protected:
    cRMRefCounted() = default;
    cRMRefCounted(const cRMRefCounted&) = delete;
    cRMRefCounted& operator=(const cRMRefCounted&) = delete;

    // Hands out this object as the interface asked for, adding a reference.
    template <class Target>
    RMRESULT GiveAs(void** ppObject)
    {
        Target* pTarget = this;
        pTarget->AddRef();
        *ppObject = pTarget;
        return D3DRM_OK;
    }

private:
    std::uint32_t mRefCount = 1;
};

// Owning pointer used inside the layer: adds a reference on assignment, releases on reset.
template <class T>
class cRMRef
{
public:
    cRMRef() = default;
    explicit cRMRef(T* pObject) : mObject(pObject) { if (mObject) mObject->AddRef(); }
    cRMRef(const cRMRef& Other) : cRMRef(Other.mObject) {}
    cRMRef& operator=(const cRMRef& Other) { Reset(Other.mObject); return *this; }
    ~cRMRef() { Reset(nullptr); }

    void Reset(T* pObject)
    {
        if (pObject)
            pObject->AddRef();
        T* pOld = mObject;
        mObject = pObject;
        if (pOld)
            pOld->Release();
    }

    T* Get() const { return mObject; }
    T* operator->() const { return mObject; }
    explicit operator bool() const { return mObject != nullptr; }

private:
    T* mObject = nullptr;
};
