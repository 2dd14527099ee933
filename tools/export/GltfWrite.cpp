// Writing an export: every file goes to a temporary in its own folder first and is renamed
// into place, and the files of a failed .gltf write are removed again.
#include "tools/export/GltfWrite.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace
{
bool IsGlb(const std::string& Path)
{
    return Path.size() >= 4 && Path.compare(Path.size() - 4, 4, ".glb") == 0;
}

std::string FolderOf(const std::string& Path)
{
    const std::size_t Slash = Path.rfind('/');
    return Slash == std::string::npos ? std::string() : Path.substr(0, Slash + 1);
}

std::string StemOf(const std::string& Path)
{
    const std::string Name = Path.substr(FolderOf(Path).size());
    const std::size_t Dot = Name.rfind('.');
    return Dot == std::string::npos ? Name : Name.substr(0, Dot);
}

// A new empty file beside Path, with the permissions a plain create would give.
std::string MakeTemporary(const std::string& Path)
{
    std::vector<char> Name(Path.begin(), Path.end());
    const std::string Tail = ".tmpXXXXXX";
    Name.insert(Name.end(), Tail.begin(), Tail.end());
    Name.push_back('\0');
    const int Fd = mkstemp(Name.data());
    if (Fd < 0)
        throw std::runtime_error("Can't write file " + Path);
    const mode_t Mask = umask(0);
    umask(Mask);
    const bool bModeSet = fchmod(Fd, 0666 & ~Mask) == 0;
    close(Fd);
    if (!bModeSet)
    {
        std::remove(Name.data());
        throw std::runtime_error("Can't write file " + Path);
    }
    return Name.data();
}

// Removes what it holds unless released: temporaries and files already renamed into place.
class cCleanup
{
public:
    ~cCleanup()
    {
        for (const std::string& Path : mPaths)
            std::remove(Path.c_str());
    }
    void Add(const std::string& Path) { mPaths.push_back(Path); }
    void Release() { mPaths.clear(); }

private:
    std::vector<std::string> mPaths;
};

void WriteBytes(const std::string& Path, const void* pData, std::size_t Bytes)
{
    std::FILE* pFile = std::fopen(Path.c_str(), "wb");
    bool bOk = pFile && std::fwrite(pData, 1, Bytes, pFile) == Bytes;
    if (pFile)
        bOk = std::fclose(pFile) == 0 && bOk;
    if (!bOk)
        throw std::runtime_error("Can't write file " + Path);
}

void RenameInto(const std::string& From, const std::string& To)
{
    if (std::rename(From.c_str(), To.c_str()) != 0)
        throw std::runtime_error("Can't write file " + To);
}
}

std::string ImageStemFor(const std::string& Path)
{
    return IsGlb(Path) ? std::string() : StemOf(Path);
}

void WriteGltfOutput(cGltfDocument& Doc, const std::string& Path)
{
    if (!Doc.Doc.buffers.empty() && Doc.Doc.buffers[0].data.empty())
        Doc.Doc.buffers.clear();
    tinygltf::TinyGLTF Writer;
    cCleanup Cleanup;
    const std::string Json = MakeTemporary(Path);
    Cleanup.Add(Json);
    if (IsGlb(Path))
    {
        std::ostringstream Stream;
        if (!Writer.WriteGltfSceneToStream(&Doc.Doc, Stream, false, true))
            throw std::runtime_error("Can't write file " + Path);
        const std::string Bytes = Stream.str();
        WriteBytes(Json, Bytes.data(), Bytes.size());
    }
    else
    {
        const std::string Folder = FolderOf(Path);
        for (const auto& File : Doc.ImageFiles)
        {
            const std::string Temporary = MakeTemporary(Folder + File.first);
            Cleanup.Add(Temporary);
            WriteBytes(Temporary, File.second.data(), File.second.size());
            RenameInto(Temporary, Folder + File.first);
            Cleanup.Add(Folder + File.first);
        }
        // The buffer is written under its own name beside the JSON.
        if (!Doc.Doc.buffers.empty())
        {
            Doc.Doc.buffers[0].uri = StemOf(Path) + ".bin";
            Cleanup.Add(Folder + Doc.Doc.buffers[0].uri);
        }
        if (!Writer.WriteGltfSceneToFile(&Doc.Doc, Json, false, false, true, false))
            throw std::runtime_error("Can't write file " + Path);
    }
    RenameInto(Json, Path);
    Cleanup.Release();
}
