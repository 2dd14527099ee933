// cExportMesh: shared vertices, triangle groups and per-frame positions of a loaded model.
#include "export/ExportMesh.h"

#include <map>
#include <unordered_map>

#include "model/ZentorMesh.h"
#include "render/FrameGeometry.h"

namespace
{
constexpr float TEXEL = 1.0f / 256.0f;
}

int PolygonKind(std::uint8_t Type)
{
    const int Low = Type & 0x0F;
    return Low == POLY_TRANSLUCENT || Low == POLY_MASKED || Low == POLY_TWO_SIDED ||
                   Low == POLY_PLACEHOLDER
               ? Low
               : KIND_NORMAL;
}

const char* KindName(int Kind)
{
    switch (Kind)
    {
    case POLY_TRANSLUCENT: return "translucent";
    case POLY_MASKED: return "masked";
    case POLY_TWO_SIDED: return "two-sided";
    case POLY_PLACEHOLDER: return "placeholder";
    default: return "normal";
    }
}

bool KindIsDoubleSided(int Kind)
{
    return Kind == POLY_TRANSLUCENT || Kind == POLY_MASKED || Kind == POLY_TWO_SIDED;
}

cExportMesh::cExportMesh(cZentorMesh& Model) : mModel(Model)
{
    std::unordered_map<std::uint32_t, std::uint32_t> Shared;
    std::map<int, cExportGroup> Groups;
    for (int Tri = 0; Tri < Model.GetNumTris(); ++Tri)
    {
        const MeshTri* pRecord = Model.GetMeshTri(Tri);
        if (pRecord->TextureNum >= MAX_TEXTURES)
            continue;
        const int Kind = PolygonKind(pRecord->Type);
        const int Key = pRecord->TextureNum * 16 + Kind;
        cExportGroup& Group = Groups.try_emplace(Key, cExportGroup{pRecord->TextureNum, Kind, {}})
                                  .first->second;
        mTris.push_back(Tri);
        for (int k = 0; k < 3; ++k)
        {
            const std::uint32_t CornerKey = std::uint32_t(pRecord->iVertex[k]) << 16 |
                                            std::uint32_t(pRecord->UV[k][0]) << 8 |
                                            pRecord->UV[k][1];
            const auto Found = Shared.try_emplace(CornerKey, std::uint32_t(NumVertices()));
            if (Found.second)
            {
                // The OpenGL renderer's t is (1 - V) / 256 on rows held bottom-up; the image is
                // stored top row first, so the same texel sits at 1 - t.
                mTexCoords.push_back(static_cast<float>(pRecord->UV[k][0]) * TEXEL);
                mTexCoords.push_back(1.0f - static_cast<float>(1 - pRecord->UV[k][1]) * TEXEL);
            }
            mCornerVertex.push_back(Found.first->second);
            Group.Indices.push_back(Found.first->second);
        }
    }
    for (auto& Entry : Groups)
        mGroups.push_back(std::move(Entry.second));
}

std::vector<float> cExportMesh::FramePositions(int Frame) const
{
    std::vector<float> Positions(NumVertices() * 3, 0.0f);
    const float* pScale = mModel.GetScale();
    for (std::size_t i = 0; i < mTris.size(); ++i)
    {
        const FrameTri* pTri = mModel.GetTriangle(Frame, mTris[i]);
        if (!pTri)
            continue;
        for (int k = 0; k < 3; ++k)
        {
            float* pDst = &Positions[3 * std::size_t(mCornerVertex[3 * i + k])];
            pDst[0] = pScale[0] * pTri->X[k];
            pDst[1] = pScale[1] * pTri->Y[k];
            pDst[2] = pScale[2] * pTri->Z[k];
        }
    }
    return Positions;
}
