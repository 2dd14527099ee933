// cTempFolder: a fresh folder under the system's temporary folder for one test's files,
// removed with everything in it when the object goes. Every test program uses this one.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

class cTempFolder
{
public:
    // Makes <temp>/<Prefix>-XXXXXX; throws when the folder cannot be made, so a test never
    // writes into a shared place by mistake.
    explicit cTempFolder(const std::string& Prefix = "tessaly-test")
    {
        std::string Pattern =
            (std::filesystem::temp_directory_path() / (Prefix + "-XXXXXX")).string();
        if (mkdtemp(Pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder for " + Prefix);
        mPath = Pattern;
    }
    ~cTempFolder()
    {
        std::error_code Ignored;
        std::filesystem::remove_all(mPath, Ignored);
    }
    cTempFolder(const cTempFolder&) = delete;
    cTempFolder& operator=(const cTempFolder&) = delete;

    // The folder's path, without a trailing slash.
    const std::string& Path() const { return mPath; }

private:
    std::string mPath;
};
