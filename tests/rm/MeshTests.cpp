// Mesh groups read back exactly what was written, whether kept compact or widened by a later write,
// and a large group draws like its faces drawn one by one.
#include "platform/rm/RMMesh.h"
#include "tests/rm/RMTestScene.h"

#include <cstring>
#include <limits>
#include <numeric>
#include <random>

namespace
{
// Faces as the Direct3D renderer lays them out: three records each with the face's normal,
// texture coordinates in whole 256ths, one colour throughout.
std::vector<D3DRMVERTEX> SeparateFaces(unsigned FaceCount)
{
    std::vector<D3DRMVERTEX> Vertices;
    for (unsigned f = 0; f < FaceCount; ++f)
        for (unsigned k = 0; k < 3; ++k)
            Vertices.push_back({{f + 0.5f * k, -1.5f * k, 2}, {0, 0.25f * f, -1}, (7 * f + 3 * k) % 256 / 256.0f,
                                (f + k) % 256 / 256.0f, 0x00FFFFFF});
    return Vertices;
}

std::vector<unsigned> Consecutive(std::size_t Count)
{
    std::vector<unsigned> Indices(Count);
    std::iota(Indices.begin(), Indices.end(), 0u);
    return Indices;
}

// Bit for bit, so -0 and values that are not numbers must come back as written.
void ExpectStored(IDirect3DRMMesh* pMesh, D3DRMGROUPINDEX Group, const std::vector<D3DRMVERTEX>& Expected)
{
    std::vector<D3DRMVERTEX> Stored(Expected.size());
    std::memset(Stored.data(), 0xA5, Stored.size() * sizeof Stored[0]);
    ASSERT_EQ(pMesh->GetVertices(Group, 0, static_cast<unsigned>(Stored.size()), Stored.data()), D3DRM_OK);
    for (std::size_t i = 0; i < Stored.size(); ++i)
        ASSERT_EQ(std::memcmp(&Stored[i], &Expected[i], sizeof Stored[i]), 0) << "vertex " << i;
}

const cRMGroupData& Stored(IDirect3DRMMesh* pMesh, D3DRMGROUPINDEX Group)
{
    return dynamic_cast<cRMMesh&>(*pMesh).GetGroups().at(static_cast<std::size_t>(Group)).Data;
}
}

TEST(RMMeshGroups, AWriteThatBreaksACompactFormWidensItAndKeepsEveryRecord)
{
    struct
    {
        const char* Name;
        void (*Change)(D3DRMVERTEX&);
        bool NormalsPerTriple, TexturesOnGrid, ColorShared;
    } Cases[] = {
        {"another normal", [](D3DRMVERTEX& V) { V.normal.y += 1; }, false, true, true},
        {"normal with -0", [](D3DRMVERTEX& V) { V.normal.x = -0.0f; }, false, true, true},
        {"off the grid", [](D3DRMVERTEX& V) { V.tu = 0.3f; }, true, false, true},
        {"coordinate 1", [](D3DRMVERTEX& V) { V.tv = 1; }, true, false, true},
        {"coordinate -0", [](D3DRMVERTEX& V) { V.tu = -0.0f; }, true, false, true},
        {"not a number", [](D3DRMVERTEX& V) { V.tv = std::numeric_limits<float>::quiet_NaN(); }, true, false, true},
        {"another colour", [](D3DRMVERTEX& V) { V.color = 0x00123456; }, true, true, false},
    };
    for (const auto& Case : Cases)
    {
        SCOPED_TRACE(Case.Name);
        cTestScene Scene(8, 8);
        std::vector<D3DRMVERTEX> Expected = SeparateFaces(12);
        IDirect3DRMMesh* pMesh = Scene.AddMesh(Expected, Consecutive(Expected.size()), D3DRMRENDER_FLAT);
        const cRMGroupData& Data = Stored(pMesh, 0);
        EXPECT_TRUE(Data.NormalsPerTriple() && Data.TexturesOnGrid() && Data.ColorShared());
        EXPECT_EQ(Data.StoredFaceNumbers(), 0u);
        std::vector<unsigned> Faces(Expected.size());
        ASSERT_EQ(pMesh->GetGroup(0, nullptr, nullptr, nullptr, Faces.data()), D3DRM_OK);
        EXPECT_EQ(Faces, Consecutive(Expected.size()));

        // Vertex 4 is the middle of the second face.
        Case.Change(Expected[4]);
        ASSERT_EQ(pMesh->SetVertices(0, 4, 1, &Expected[4]), D3DRM_OK);
        EXPECT_EQ(Data.NormalsPerTriple(), Case.NormalsPerTriple);
        EXPECT_EQ(Data.TexturesOnGrid(), Case.TexturesOnGrid);
        EXPECT_EQ(Data.ColorShared(), Case.ColorShared);
        ExpectStored(pMesh, 0, Expected);
    }
}

TEST(RMMeshGroups, AnySequenceOfWritesReadsBackLikeAPlainCopy)
{
    const D3DVECTOR NORMALS[] = {{0, 0, -1}, {0, 1, 0}, {-0.0f, 0, -1}};
    const float COORDINATES[] = {0, 0.5f, 255 / 256.0f, 1, 0.3f, -0.0f};
    std::mt19937 Random(7);
    auto Pick = [&](unsigned Count) { return static_cast<unsigned>(Random() % Count); };
    cTestScene Scene(8, 8);
    IDirect3DRMMesh* pMesh = nullptr;
    ASSERT_EQ(Scene.mRoot->CreateMesh(&pMesh), D3DRM_OK);
    Scene.mOwned.push_back(pMesh);

    // Unwritten vertices read as zero records; faces other than 0, 1, 2, ... come back as given.
    const unsigned COUNT = 60;
    const std::vector<unsigned> Faces = {0, 2, 1, 3, 4, 5};
    D3DRMGROUPINDEX Group = -1;
    ASSERT_EQ(pMesh->AddGroup(COUNT, 2, 3, Faces.data(), &Group), D3DRM_OK);
    std::vector<unsigned> StoredFaces(Faces.size());
    ASSERT_EQ(pMesh->GetGroup(Group, nullptr, nullptr, nullptr, StoredFaces.data()), D3DRM_OK);
    EXPECT_EQ(StoredFaces, Faces);
    std::vector<D3DRMVERTEX> Expected(COUNT, D3DRMVERTEX{});
    ExpectStored(pMesh, Group, Expected);

    for (int Write = 0; Write < 300; ++Write)
    {
        // Mostly records that keep the compact forms, so each is widened at a different moment;
        // writes start anywhere, so some leave vertices unwritten before them.
        const unsigned Index = Pick(COUNT), Count = 1 + Pick(COUNT - Index);
        const bool Plain = Pick(8) != 0;
        std::vector<D3DRMVERTEX> Records(Count);
        for (unsigned i = 0; i < Count; ++i)
            Records[i] = {{static_cast<float>(Write), static_cast<float>(i), 1},
                          Plain ? NORMALS[(Index + i) / 3 % 2] : NORMALS[Pick(3)],
                          Plain ? Pick(256) / 256.0f : COORDINATES[Pick(6)],
                          Plain ? Pick(256) / 256.0f : COORDINATES[Pick(6)],
                          Plain || Pick(2) ? 0x00FFFFFFu : 0u};
        ASSERT_EQ(pMesh->SetVertices(Group, Index, Count, Records.data()), D3DRM_OK);
        std::copy(Records.begin(), Records.end(), Expected.begin() + Index);
        SCOPED_TRACE(Write);
        ExpectStored(pMesh, Group, Expected);
    }
}

// More vertices than the renderer reads at once, so its reads cross several boundaries.
TEST(RMMeshPictures, OneLargeGroupDrawsLikeItsFacesOneGroupEach)
{
    std::vector<D3DRMVERTEX> Vertices;
    for (int Cell = 0; Cell < 64; ++Cell)
    {
        const int i = Cell % 8, j = Cell / 8;
        for (int Corner : {0, 1, 3, 0, 3, 2})
        {
            const int a = i + Corner % 2, b = j + Corner / 2;
            Vertices.push_back({{-1 + a / 4.0f, 1 - b / 4.0f, 3}, {0.15f * (i - 4), 0.1f * (j - 4), -1},
                                a * 30 / 256.0f, b * 30 / 256.0f, 0x00FFFFFF});
        }
    }
    auto Draw = [&](bool OneGroup) {
        cTestScene Scene(64, 64);
        Scene.AddSun(0.8f);
        IDirect3DRMTexture2* pTexture = Scene.MakeTexture(CoordinateTexel);
        for (std::size_t First = 0; First < Vertices.size(); First += OneGroup ? Vertices.size() : 3)
        {
            const std::size_t Count = OneGroup ? Vertices.size() : 3;
            Scene.AddMesh({Vertices.begin() + First, Vertices.begin() + First + Count}, Consecutive(Count),
                          D3DRMRENDER_GOURAUD, pTexture);
        }
        return Scene.Draw().mPixels;
    };
    const std::vector<std::uint32_t> Whole = Draw(true);
    EXPECT_GT(std::count_if(Whole.begin(), Whole.end(), [](std::uint32_t P) { return P != cTestScene::BACKGROUND; }),
              64 * 64 / 4);
    EXPECT_EQ(Draw(false), Whole);
}
