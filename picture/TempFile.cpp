// Writes beside the target under a temporary name, renamed onto the target when complete.
#include "picture/TempFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

cTempFile::cTempFile(const std::string& Target) : mTarget(Target)
{
    struct stat Info;
    if (::stat(Target.c_str(), &Info) == 0 && !S_ISREG(Info.st_mode))
        Fail("it exists and is not a regular file");
    // Hidden, in the target's own folder, so the rename stays on one file system.
    const std::size_t Slash = Target.rfind('/');
    const std::string Folder = Slash == std::string::npos ? "" : Target.substr(0, Slash + 1);
    const std::string Name = Slash == std::string::npos ? Target : Target.substr(Slash + 1);
    std::string Pattern = Folder + "." + Name + ".tmp-XXXXXX";
    std::vector<char> Path(Pattern.begin(), Pattern.end());
    Path.push_back('\0');
    const int Fd = ::mkstemp(Path.data());
    if (Fd < 0)
        Fail(std::strerror(errno));
    mTempPath = Path.data();
    // mkstemp makes the file 0600; a finished picture is an ordinary file like any other.
    const mode_t Mask = ::umask(0);
    ::umask(Mask);
    ::fchmod(Fd, 0666 & ~Mask);
    mpFile = ::fdopen(Fd, "wb");
    if (!mpFile)
    {
        ::close(Fd);
        ::unlink(mTempPath.c_str());
        Fail(std::strerror(errno));
    }
}

cTempFile::~cTempFile()
{
    if (mpFile)
        std::fclose(mpFile);
    if (!mbCommitted)
        ::unlink(mTempPath.c_str());
}

void cTempFile::Fail(const char* pszReason) const
{
    throw std::runtime_error("cannot write " + mTarget + ": " + pszReason);
}

void cTempFile::Write(const void* pData, std::size_t Size)
{
    if (Size && std::fwrite(pData, 1, Size, mpFile) != Size)
        Fail(std::strerror(errno));
}

void cTempFile::Commit()
{
    // The stream's buffer may still hold the whole file: only the close says it was stored.
    const bool bFlushed = std::fflush(mpFile) == 0;
    const int FlushErrno = errno;
    std::FILE* const pFile = mpFile;
    mpFile = nullptr;
    if (std::fclose(pFile) != 0 || !bFlushed)
        Fail(std::strerror(bFlushed ? errno : FlushErrno));
    if (::rename(mTempPath.c_str(), mTarget.c_str()) != 0)
        Fail(std::strerror(errno));
    mbCommitted = true;
}
