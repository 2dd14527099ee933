// Mesh data and animation files: checking a file pair against itself and decoding triangles.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/ZentorMesh.h"

// A mesh file pair as stored: the headers, the triangle records and the block of vertex words.
struct cMeshData
{
    DataHeader Data{};
    AnivHeader Aniv{};
    std::vector<MeshTri> Tris;
    std::vector<std::uint32_t> Verts;
};

// Most bytes a data file can use: the header and 65535 triangle records.
constexpr std::size_t MAX_DATA_FILE_BYTES = sizeof(DataHeader) + sizeof(MeshTri) * 65535;

// Checks a file pair whose data file is in memory and whose animation file is AnivSize bytes
// long, of which pAniv holds at least the header: every count against the real lengths, every
// vertex index against the vertex count, every frame inside the vertex block. Copies the
// headers and triangle records; Verts stays empty for the caller to read. Throws cLoadError
// naming the file at fault (DataPath or AnivPath) and what is wrong with it.
cMeshData CheckMeshPair(const std::uint8_t* pData, std::size_t DataSize, const std::uint8_t* pAniv,
                        std::uint64_t AnivSize, const std::string& DataPath,
                        const std::string& AnivPath);

// Copies a file pair already in memory, after checking that every frame and every vertex
// index stays inside what the files hold. Extra bytes at the ends are ignored. Throws
// cLoadError naming the file at fault (DataPath or AnivPath) and what is wrong with it.
cMeshData ReadMeshPair(const std::uint8_t* pData, std::size_t DataSize, const std::uint8_t* pAniv,
                       std::size_t AnivSize, const std::string& DataPath,
                       const std::string& AnivPath);

// Decodes triangle Tri of frame Frame, whose vertex words pBlock holds at the frame's place in
// the vertex block (the animation file after its header), into Out. False, and Out untouched,
// when either index is outside the mesh.
bool DecodeTriangle(const AnivHeader& Aniv, const std::vector<MeshTri>& Tris,
                    const std::uint8_t* pBlock, int Frame, int Tri, FrameTri& Out);
