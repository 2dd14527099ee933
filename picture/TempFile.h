// A file written under a temporary name beside its target and renamed onto it only when
// complete, so a failed or cancelled write never leaves a partial file (nor clobbers an
// earlier one).
#pragma once

#include <cstdio>
#include <string>

class cTempFile
{
public:
    // Creates the temporary in Target's folder. Throws std::runtime_error ("cannot write
    // TARGET: reason") when the folder cannot take it, or when Target exists and is not a
    // regular file (a device or a folder is never replaced).
    explicit cTempFile(const std::string& Target);
    // Removes the temporary unless Commit succeeded.
    ~cTempFile();
    cTempFile(const cTempFile&) = delete;
    cTempFile& operator=(const cTempFile&) = delete;

    std::FILE* File() const { return mpFile; }
    const std::string& Target() const { return mTarget; }
    // Writes Size bytes; throws std::runtime_error when the file system refuses them.
    void Write(const void* pData, std::size_t Size);
    // Flushes, closes and renames onto the target; throws std::runtime_error when any of
    // those fails (the temporary is removed then).
    void Commit();

private:
    [[noreturn]] void Fail(const char* pszReason) const;

    std::string mTarget, mTempPath;
    std::FILE* mpFile = nullptr;
    bool mbCommitted = false;
};
