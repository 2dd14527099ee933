// Content paths: base path derivation and the open-with-fallback used by every model reader.
#include "model/ContentPath.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <limits>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

#include "model/TextScan.h"

namespace fs = std::filesystem;

namespace
{

// Only regular files (or links to them): a directory cannot be read, and a device or a pipe
// named by a script could feed the reader endless bytes or never answer.
cFileHandle OpenRegularFile(const std::string& Path)
{
    std::error_code Error;
    if (Path.empty() || !fs::is_regular_file(Path, Error))
        return nullptr;
    return cFileHandle(std::fopen(Path.c_str(), "rb"));
}

// Walks Path component by component; a component that does not exist as written is replaced
// by the first directory entry (in name order) that equals it ignoring case.
std::string ResolveIgnoringCase(const std::string& Path)
{
    std::string Resolved = Path[0] == '/' ? "/" : "";
    std::size_t Start = Path[0] == '/' ? 1 : 0;
    while (Start <= Path.size())
    {
        std::size_t End = Path.find('/', Start);
        if (End == std::string::npos)
            End = Path.size();
        std::string Part = Path.substr(Start, End - Start);
        const bool bLast = End == Path.size();
        if (!Part.empty())
        {
            std::error_code Error;
            const std::string Candidate = Resolved + Part;
            if (Part != "." && Part != ".." && !fs::exists(Candidate, Error))
            {
                const fs::path Dir = Resolved.empty() ? fs::path(".") : fs::path(Resolved);
                std::string Best;
                for (fs::directory_iterator It(Dir, Error), EndIt; !Error && It != EndIt;
                     It.increment(Error))
                {
                    const std::string Entry = It->path().filename().string();
                    if (EqualIgnoringCase(Entry, Part) && (Best.empty() || Entry < Best))
                        Best = Entry;
                }
                if (Best.empty())
                    return std::string();
                Part = Best;
            }
            Resolved += Part;
            if (!bLast)
                Resolved += '/';
        }
        Start = End + 1;
    }
    return Resolved;
}

} // namespace

std::string MakeBasePath(const char* pszScript)
{
    const std::string Script(pszScript);
    const std::size_t Last = Script.find_last_of("/\\");
    std::string Base = Last == std::string::npos ? std::string() : Script.substr(0, Last + 1);
    return Base + "..\\";
}

cFileHandle OpenContentFile(const std::string& Path)
{
    if (cFileHandle File = OpenRegularFile(Path))
        return File;
    std::string Slashed = Path;
    for (char& c : Slashed)
        if (c == '\\')
            c = '/';
    if (Slashed != Path)
        if (cFileHandle File = OpenRegularFile(Slashed))
            return File;
    if (Slashed.empty())
        return nullptr;
    return OpenRegularFile(ResolveIgnoringCase(Slashed));
}

std::uint64_t FileLength(std::FILE* pFile)
{
    struct stat Info;
    if (fstat(fileno(pFile), &Info) != 0 || Info.st_size < 0)
        return 0;
    return static_cast<std::uint64_t>(Info.st_size);
}

bool ReadAt(std::FILE* pFile, std::uint64_t Offset, std::uint8_t* pOut, std::size_t Bytes)
{
    const int Fd = fileno(pFile);
    while (Bytes > 0)
    {
        if (Offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()))
            return false;
        const ssize_t Got = pread(Fd, pOut, Bytes, static_cast<off_t>(Offset));
        if (Got < 0 && errno == EINTR)
            continue;
        if (Got <= 0)
            return false;
        pOut += Got;
        Bytes -= static_cast<std::size_t>(Got);
        Offset += static_cast<std::uint64_t>(Got);
    }
    return true;
}

std::vector<std::uint8_t> ReadRest(std::FILE* pFile, std::size_t MaxBytes)
{
    std::vector<std::uint8_t> Bytes;
    // Reserve what the file really holds, when it can be told, to avoid regrowing the buffer.
    const long Here = std::ftell(pFile);
    if (Here >= 0 && std::fseek(pFile, 0, SEEK_END) == 0)
    {
        const long End = std::ftell(pFile);
        if (std::fseek(pFile, Here, SEEK_SET) != 0)
            return Bytes;
        if (End > Here)
            Bytes.reserve(std::min(static_cast<std::size_t>(End - Here), MaxBytes));
    }
    std::uint8_t Chunk[65536];
    while (Bytes.size() < MaxBytes)
    {
        const std::size_t Want = std::min(sizeof Chunk, MaxBytes - Bytes.size());
        const std::size_t Got = std::fread(Chunk, 1, Want, pFile);
        Bytes.insert(Bytes.end(), Chunk, Chunk + Got);
        if (Got < Want)
            break;
    }
    return Bytes;
}
