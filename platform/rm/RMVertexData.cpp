// Compact storage of one mesh group's vertex records that reads back exactly what was written.
#include "platform/rm/RMVertexData.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "platform/rm/RMSharedArrays.h"

namespace
{
const float GRID_STEPS = 256.0f;

// True when Value is k/256 for a whole k in [0, 256): a byte then holds it exactly. Negative zero
// and values that are not numbers fail, so they keep their own bits.
bool OnGrid(float Value)
{
    const float Scaled = Value * GRID_STEPS;  // exact: a power of two only moves the exponent
    if (!(Scaled >= 0.0f && Scaled < GRID_STEPS) || std::signbit(Value))
        return false;
    return static_cast<float>(static_cast<unsigned>(Scaled)) == Scaled;
}

std::uint8_t ToGrid(float Value)
{
    return static_cast<std::uint8_t>(Value * GRID_STEPS);
}

float FromGrid(std::uint8_t Steps)
{
    return Steps / GRID_STEPS;
}

// Normals compare by their bits, so the stored one is the written one even for -0 or values that are
// not numbers.
bool SameBits(const D3DVECTOR& A, const D3DVECTOR& B)
{
    return std::memcmp(&A, &B, sizeof A) == 0;
}
}

cRMVertexData::cRMVertexData(unsigned VertexCount)
    : mVertexCount(VertexCount),
      mPositions(new D3DVECTOR[VertexCount]),
      mNormals(new D3DVECTOR[(static_cast<std::size_t>(VertexCount) + 2) / 3]),
      mGridTextures(new std::uint8_t[2 * static_cast<std::size_t>(VertexCount)])
{
}

// Only the written prefix is copied: the rest of the storage was never filled.
cRMVertexData::cRMVertexData(const cRMVertexData& Other)
    : mVertexCount(Other.mVertexCount),
      mWritten(Other.mWritten),
      mPositions(new D3DVECTOR[mVertexCount]),
      mNormals(new D3DVECTOR[Other.mWideNormals ? mVertexCount : (static_cast<std::size_t>(mVertexCount) + 2) / 3]),
      mWideNormals(Other.mWideNormals),
      mColor(Other.mColor)
{
    const std::size_t Written = mWritten;
    std::copy(Other.mPositions.get(), Other.mPositions.get() + Written, mPositions.get());
    const std::size_t Normals = mWideNormals ? Written : (Written + 2) / 3;
    std::copy(Other.mNormals.get(), Other.mNormals.get() + Normals, mNormals.get());
    if (Other.mWideTextures)
    {
        mWideTextures.reset(new float[2 * static_cast<std::size_t>(mVertexCount)]);
        std::copy(Other.mWideTextures.get(), Other.mWideTextures.get() + 2 * Written, mWideTextures.get());
    }
    else if (Other.mSharedGrid)
    {
        mSharedGrid = Other.mSharedGrid;
    }
    else
    {
        mGridTextures.reset(new std::uint8_t[2 * static_cast<std::size_t>(mVertexCount)]);
        std::copy(Other.mGridTextures.get(), Other.mGridTextures.get() + 2 * Written, mGridTextures.get());
    }
    if (Other.mColors)
    {
        mColors.reset(new D3DCOLOR[mVertexCount]);
        std::copy(Other.mColors.get(), Other.mColors.get() + Written, mColors.get());
    }
}
void cRMVertexData::Write(unsigned Index, unsigned Count, const D3DRMVERTEX* pVertices)
{
    if (Count == 0)
        return;
    // Vertices skipped over become zero records, written like any others so the forms stay right.
    if (Index > mWritten)
        WriteZeros(mWritten, Index - mWritten);
    const unsigned End = Index + Count;
    const D3DRMVERTEX* pEnd = pVertices + Count;

    if (!mColors)
    {
        // A write from the start over everything written so far may bring a new shared colour.
        const D3DCOLOR Shared = Index == 0 && End >= mWritten ? pVertices[0].color : mColor;
        if (std::all_of(pVertices, pEnd, [&](const D3DRMVERTEX& V) { return V.color == Shared; }))
            mColor = Shared;
        else
            WidenColors();
    }
    auto Gridded = [](const D3DRMVERTEX& V) { return OnGrid(V.tu) && OnGrid(V.tv); };
    if (!mWideTextures && !std::all_of(pVertices, pEnd, Gridded))
        WidenTextures();
    if (!mWideNormals && !TriplesShareNormals(Index, Count, pVertices))
        WidenNormals();
    if (!mWideTextures)
        OwnGridTextures();

    // One pass per part, each in its current form.
    D3DVECTOR* const pPositions = mPositions.get() + Index;
    for (unsigned i = 0; i < Count; ++i)
        pPositions[i] = pVertices[i].position;
    D3DVECTOR* const pNormals = mNormals.get();
    if (mWideNormals)
        for (unsigned i = 0; i < Count; ++i)
            pNormals[Index + i] = pVertices[i].normal;
    else
        for (unsigned i = 0; i < Count; ++i)
            pNormals[(Index + i) / 3] = pVertices[i].normal;
    if (mWideTextures)
    {
        float* const pTextures = mWideTextures.get() + 2 * static_cast<std::size_t>(Index);
        for (unsigned i = 0; i < Count; ++i)
        {
            pTextures[2 * i] = pVertices[i].tu;
            pTextures[2 * i + 1] = pVertices[i].tv;
        }
    }
    else
    {
        std::uint8_t* const pTextures = mGridTextures.get() + 2 * static_cast<std::size_t>(Index);
        for (unsigned i = 0; i < Count; ++i)
        {
            pTextures[2 * i] = ToGrid(pVertices[i].tu);
            pTextures[2 * i + 1] = ToGrid(pVertices[i].tv);
        }
    }
    if (mColors)
    {
        D3DCOLOR* const pColors = mColors.get() + Index;
        for (unsigned i = 0; i < Count; ++i)
            pColors[i] = pVertices[i].color;
    }
    mWritten = std::max(mWritten, End);
    if (!mWideTextures && mWritten == mVertexCount)
        ShareGridTextures();
}

void cRMVertexData::Read(unsigned Index, unsigned Count, D3DRMVERTEX* pVertices) const
{
    const unsigned End = Index + Count;
    const unsigned Stored = std::min(End, std::max(Index, mWritten));
    const std::uint8_t* const pGrid = GridTextures();
    for (std::size_t v = Index; v < Stored; ++v)
    {
        D3DRMVERTEX& Out = *pVertices++;
        Out.position = mPositions[v];
        Out.normal = mNormals[mWideNormals ? v : v / 3];
        if (mWideTextures)
        {
            Out.tu = mWideTextures[2 * v];
            Out.tv = mWideTextures[2 * v + 1];
        }
        else
        {
            Out.tu = FromGrid(pGrid[2 * v]);
            Out.tv = FromGrid(pGrid[2 * v + 1]);
        }
        Out.color = mColors ? mColors[v] : mColor;
    }
    std::fill(pVertices, pVertices + (End - Stored), D3DRMVERTEX{});
}

void cRMVertexData::WriteZeros(unsigned Index, unsigned Count)
{
    static const D3DRMVERTEX ZEROS[48] = {};
    const unsigned CHUNK = sizeof ZEROS / sizeof ZEROS[0];
    for (unsigned Done = 0; Done < Count; Done += CHUNK)
        Write(Index + Done, std::min(CHUNK, Count - Done), ZEROS);
}

// True when, after this write, every triple of consecutive vertices still holds one normal among
// its written members: the new records and the earlier ones the write leaves in place.
bool cRMVertexData::TriplesShareNormals(unsigned Index, unsigned Count, const D3DRMVERTEX* pVertices) const
{
    const unsigned End = Index + Count;
    for (unsigned First = Index / 3 * 3; First < End; First += 3)
    {
        const D3DVECTOR* pShared = nullptr;
        const unsigned Last = std::min(First + 3, mVertexCount);
        for (unsigned v = First; v < Last; ++v)
        {
            const D3DVECTOR* pNormal = nullptr;
            if (v >= Index && v < End)
                pNormal = &pVertices[v - Index].normal;
            else if (v < mWritten)
                pNormal = &mNormals[v / 3];
            if (!pNormal)
                continue;
            if (pShared && !SameBits(*pShared, *pNormal))
                return false;
            pShared = pNormal;
        }
    }
    return true;
}

void cRMVertexData::WidenNormals()
{
    std::unique_ptr<D3DVECTOR[]> Wide(new D3DVECTOR[mVertexCount]);
    for (std::size_t v = 0; v < mWritten; ++v)
        Wide[v] = mNormals[v / 3];
    mNormals = std::move(Wide);
    mWideNormals = true;
}

void cRMVertexData::WidenTextures()
{
    std::unique_ptr<float[]> Wide(new float[2 * static_cast<std::size_t>(mVertexCount)]);
    const std::uint8_t* const pGrid = GridTextures();
    for (std::size_t i = 0; i < 2 * static_cast<std::size_t>(mWritten); ++i)
        Wide[i] = FromGrid(pGrid[i]);
    mWideTextures = std::move(Wide);
    mGridTextures.reset();
    mSharedGrid.reset();
}

void cRMVertexData::OwnGridTextures()
{
    if (!mSharedGrid)
        return;
    std::unique_ptr<std::uint8_t[]> Own(new std::uint8_t[2 * static_cast<std::size_t>(mVertexCount)]);
    std::copy(mSharedGrid->begin(), mSharedGrid->end(), Own.get());
    mGridTextures = std::move(Own);
    mSharedGrid.reset();
}

void cRMVertexData::ShareGridTextures()
{
    if (mSharedGrid)
        return;
    // Sharing only saves memory: without room for it the group keeps its own bytes.
    try
    {
        const std::uint8_t* const pGrid = mGridTextures.get();
        mSharedGrid = ShareArray(std::vector<std::uint8_t>(pGrid, pGrid + 2 * static_cast<std::size_t>(mVertexCount)));
        mGridTextures.reset();
    }
    catch (const std::bad_alloc&)
    {
        mSharedGrid.reset();
    }
}

void cRMVertexData::WidenColors()
{
    std::unique_ptr<D3DCOLOR[]> Wide(new D3DCOLOR[mVertexCount]);
    std::fill(Wide.get(), Wide.get() + mWritten, mColor);
    mColors = std::move(Wide);
}
