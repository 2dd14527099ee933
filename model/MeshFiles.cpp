// Mesh data and animation files: loading, checking and per-triangle decoding of the packed
// vertex words.
#include "model/MeshFiles.h"

#include <cstring>

#include "model/ContentPath.h"
#include "model/ImportOutput.h"
#include "model/LoadError.h"

namespace
{

std::string TooShort(const std::string& Path, const std::string& What, std::uint64_t Needed,
                     std::size_t Size)
{
    return "Mesh file " + Path + " is too short for " + What + " (" + std::to_string(Needed) +
           " bytes, the file has " + std::to_string(Size) + ")";
}

// Sign-extends the low Bits bits of Field.
float SignedField(std::uint32_t Field, int Bits)
{
    const std::int32_t Half = std::int32_t(1) << (Bits - 1);
    const std::int32_t Value = static_cast<std::int32_t>(Field & ((std::uint32_t(1) << Bits) - 1));
    return static_cast<float>(Value >= Half ? Value - 2 * Half : Value);
}

} // namespace

cMeshData CheckMeshPair(const std::uint8_t* pData, std::size_t DataSize, const std::uint8_t* pAniv,
                        std::uint64_t AnivSize, const std::string& DataPath,
                        const std::string& AnivPath)
{
    // Every count is checked against the real file lengths before anything is allocated.
    cMeshData Mesh;
    if (DataSize < sizeof(DataHeader))
        throw cLoadError(TooShort(DataPath, "the header", sizeof(DataHeader), DataSize));
    if (AnivSize < sizeof(AnivHeader))
        throw cLoadError(TooShort(AnivPath, "the header", sizeof(AnivHeader), AnivSize));
    std::memcpy(&Mesh.Data, pData, sizeof Mesh.Data);
    std::memcpy(&Mesh.Aniv, pAniv, sizeof Mesh.Aniv);

    const unsigned NumPolys = Mesh.Data.NumPolys;
    const unsigned NumVertices = Mesh.Data.NumVertices;
    const unsigned NumFrames = Mesh.Aniv.NumFrames;
    const unsigned FrameSize = Mesh.Aniv.FrameSize;
    const std::uint64_t TriBytes = std::uint64_t(sizeof(MeshTri)) * NumPolys;
    if (DataSize - sizeof(DataHeader) < TriBytes)
        throw cLoadError(TooShort(DataPath, std::to_string(NumPolys) + " triangles",
                                  sizeof(DataHeader) + TriBytes, DataSize));
    const std::uint64_t BlockBytes = std::uint64_t(4) * NumVertices * NumFrames;
    if (AnivSize - sizeof(AnivHeader) < BlockBytes)
        throw cLoadError(TooShort(AnivPath,
                                  std::to_string(NumFrames) + " frames of " +
                                      std::to_string(NumVertices) + " vertices",
                                  sizeof(AnivHeader) + BlockBytes, AnivSize));
    if (NumFrames > 0 && std::uint64_t(NumFrames - 1) * FrameSize + 4 * NumVertices > BlockBytes)
        throw cLoadError("Mesh file " + AnivPath + ": frame size " + std::to_string(FrameSize) +
                         " places frame " + std::to_string(NumFrames - 1) +
                         " outside the vertex block of " + std::to_string(NumFrames) +
                         " frames of " + std::to_string(NumVertices) + " vertices");

    Mesh.Tris.resize(NumPolys);
    if (NumPolys > 0)
        std::memcpy(Mesh.Tris.data(), pData + sizeof(DataHeader), TriBytes);
    for (unsigned t = 0; t < NumPolys; ++t)
        for (unsigned k = 0; k < 3; ++k)
            if (Mesh.Tris[t].iVertex[k] >= NumVertices)
                throw cLoadError("Mesh file " + DataPath + ": triangle " + std::to_string(t) +
                                 " uses vertex " + std::to_string(Mesh.Tris[t].iVertex[k]) +
                                 " but a frame has " + std::to_string(NumVertices) +
                                 " vertices");
    return Mesh;
}

cMeshData ReadMeshPair(const std::uint8_t* pData, std::size_t DataSize, const std::uint8_t* pAniv,
                       std::size_t AnivSize, const std::string& DataPath,
                       const std::string& AnivPath)
{
    cMeshData Mesh = CheckMeshPair(pData, DataSize, pAniv, AnivSize, DataPath, AnivPath);
    Mesh.Verts.resize(std::size_t(Mesh.Data.NumVertices) * Mesh.Aniv.NumFrames);
    if (!Mesh.Verts.empty())
        std::memcpy(Mesh.Verts.data(), pAniv + sizeof(AnivHeader),
                    Mesh.Verts.size() * sizeof(std::uint32_t));
    return Mesh;
}

bool DecodeTriangle(const AnivHeader& Aniv, const std::vector<MeshTri>& Tris,
                    const std::uint8_t* pBlock, int Frame, int Tri, FrameTri& Out)
{
    if (Frame < 0 || Frame >= Aniv.NumFrames || Tri < 0 || std::size_t(Tri) >= Tris.size())
        return false;
    // FrameSize is a byte stride and need not be a multiple of 4, so words are copied bytewise.
    const std::uint8_t* pFrame = pBlock + std::size_t(Frame) * Aniv.FrameSize;
    const MeshTri& Record = Tris[Tri];
    Out.Type = Record.Type;
    Out.TextureNum = Record.TextureNum;
    for (int k = 0; k < 3; ++k)
    {
        std::uint32_t Word;
        std::memcpy(&Word, pFrame + 4 * std::size_t(Record.iVertex[k]), sizeof Word);
        Out.X[k] = SignedField(Word, 11);
        Out.Y[k] = SignedField(Word >> 11, 11);
        Out.Z[k] = SignedField(Word >> 22, 10);
        Out.UV[k][0] = Record.UV[k][0];
        Out.UV[k][1] = Record.UV[k][1];
    }
    return true;
}

void cZentorMesh::LoadMeshFiles(const char* pszDfile, const char* pszAfile)
{
    const std::string DataPath = mBasePath + pszDfile;
    const std::string AnivPath = mBasePath + pszAfile;
    cFileHandle DataFile = OpenContentFile(DataPath);
    if (!DataFile)
        throw cLoadError("Can't open file " + DataPath);
    cFileHandle AnivFile = OpenContentFile(AnivPath);
    if (!AnivFile)
        throw cLoadError("Can't open file " + AnivPath);

    const std::vector<std::uint8_t> Data = ReadRest(DataFile.get(), MAX_DATA_FILE_BYTES);
    const std::vector<std::uint8_t> Header = ReadRest(AnivFile.get(), sizeof(AnivHeader));
    // The pair is checked against the animation file's length; its vertex block is read a
    // frame at a time, when the frame is first decoded (ReadFrame).
    const std::uint64_t AnivSize =
        Header.size() < sizeof(AnivHeader) ? Header.size() : FileLength(AnivFile.get());
    cMeshData Mesh = CheckMeshPair(Data.data(), Data.size(), Header.data(), AnivSize, DataPath,
                                   AnivPath);
    const std::size_t BlockBytes =
        sizeof(std::uint32_t) * std::size_t(Mesh.Data.NumVertices) * Mesh.Aniv.NumFrames;
    // Left unfilled: only the bytes of frames read are ever looked at.
    std::unique_ptr<std::uint8_t[]> Block(new std::uint8_t[BlockBytes > 0 ? BlockBytes : 1]);
    mFrameRead.assign(Mesh.Aniv.NumFrames, FRAME_UNREAD);
    mBlock = std::move(Block);
    mAnivFile = std::move(AnivFile);
    mAnivPath = AnivPath;
    mDataHeader = Mesh.Data;
    mAnivHeader = Mesh.Aniv;
    mTris = std::move(Mesh.Tris);
}

bool cZentorMesh::ReadFrame(int Frame)
{
    if (Frame < 0 || static_cast<std::size_t>(Frame) >= mFrameRead.size())
        return false;
    std::uint8_t& State = mFrameRead[static_cast<std::size_t>(Frame)];
    if (State == FRAME_UNREAD)
    {
        // The load checked that every frame lies inside the block and the file; a file cut
        // short since then leaves the frame unreadable, never half read.
        const std::uint64_t Offset = std::uint64_t(Frame) * mAnivHeader.FrameSize;
        const std::size_t Bytes = sizeof(std::uint32_t) * std::size_t(mDataHeader.NumVertices);
        const bool bRead = ReadAt(mAnivFile.get(), sizeof(AnivHeader) + Offset,
                                  mBlock.get() + Offset, Bytes);
        State = bRead ? FRAME_READ : FRAME_UNREADABLE;
        if (!bRead)
            ImportPrint("Frame %d of %s can no longer be read\n", Frame, mAnivPath.c_str());
    }
    return State == FRAME_READ;
}
