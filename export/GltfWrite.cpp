// Writing an export: every file is written under a temporary name in the output's folder
// first and renamed into place, and nothing of a failed write is left behind.
#include "export/GltfWrite.h"

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

// A new empty folder beside Path for the files of one write; its name ends in a slash.
std::string MakeStagingFolder(const std::string& Path)
{
    std::vector<char> Name(Path.begin(), Path.end());
    const std::string Tail = ".tmpXXXXXX";
    Name.insert(Name.end(), Tail.begin(), Tail.end());
    Name.push_back('\0');
    if (!mkdtemp(Name.data()))
        throw std::runtime_error("Can't write file " + Path);
    return std::string(Name.data()) + "/";
}

// Removes what it holds unless released, newest first (so a folder goes after its files):
// temporaries and files already moved into place.
class cCleanup
{
public:
    ~cCleanup()
    {
        for (auto Path = mPaths.rbegin(); Path != mPaths.rend(); ++Path)
            std::remove(Path->c_str());
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
    if (IsGlb(Path))
    {
        const std::string Temporary = MakeTemporary(Path);
        Cleanup.Add(Temporary);
        std::ostringstream Stream;
        if (!Writer.WriteGltfSceneToStream(&Doc.Doc, Stream, false, true))
            throw std::runtime_error("Can't write file " + Path);
        const std::string Bytes = Stream.str();
        WriteBytes(Temporary, Bytes.data(), Bytes.size());
        RenameInto(Temporary, Path);
        Cleanup.Release();
        return;
    }
    // tinygltf writes the buffer file beside the JSON, so the whole set is written into a new
    // folder beside the output and each file is moved into place once all are complete.
    const std::string Folder = FolderOf(Path);
    const std::string Stage = MakeStagingFolder(Path);
    Cleanup.Add(Stage);
    std::vector<std::string> Names;
    for (const auto& File : Doc.ImageFiles)
    {
        Names.push_back(File.first);
        Cleanup.Add(Stage + File.first);
        WriteBytes(Stage + File.first, File.second.data(), File.second.size());
    }
    if (!Doc.Doc.buffers.empty())
    {
        Doc.Doc.buffers[0].uri = StemOf(Path) + ".bin";
        Names.push_back(Doc.Doc.buffers[0].uri);
        Cleanup.Add(Stage + Doc.Doc.buffers[0].uri);
    }
    Names.push_back(Path.substr(Folder.size()));
    Cleanup.Add(Stage + Names.back());
    if (!Writer.WriteGltfSceneToFile(&Doc.Doc, Stage + Names.back(), false, false, true, false))
        throw std::runtime_error("Can't write file " + Path);
    for (const std::string& Name : Names)
    {
        RenameInto(Stage + Name, Folder + Name);
        Cleanup.Add(Folder + Name);
    }
    std::remove(Stage.c_str());
    Cleanup.Release();
}
