// cSettingsFile: the settings one program keeps between runs, in one file of the toolkit's
// configuration format. A file that is missing, unreadable or not wholly readable gives no
// settings; a file this run could not read as settings, or may not write, is never written
// over; and nothing is written until a value changes.
#pragma once

#include <memory>
#include <string>

class wxFileConfig;

class cSettingsFile
{
public:
    // Reads pszPath now; an empty path keeps the settings in memory for this run only.
    explicit cSettingsFile(const std::string& Path);
    ~cSettingsFile();
    cSettingsFile(const cSettingsFile&) = delete;
    cSettingsFile& operator=(const cSettingsFile&) = delete;

    // Keys are "Group/Entry". False when the key holds nothing.
    bool Get(const std::string& Key, std::string& Value) const;
    // Stores Value (null removes the key) and, when that changed anything, writes the whole
    // file at once: into a new file beside it, which then takes the old one's place, so a
    // failed write leaves the old file as it was. The folder is made when missing.
    void Set(const std::string& Key, const char* pszValue);

    // Whether Set writes the file (false: in memory only, for the reasons above).
    bool Writes() const { return mbWrites; }
    // Whether the last write that was tried failed.
    bool LastWriteFailed() const { return mbWriteFailed; }

private:
    void Write();

    std::string mPath;
    std::unique_ptr<wxFileConfig> mConfig;
    bool mbWrites = false;
    bool mbWriteFailed = false;
};
