// The settings file on the toolkit's configuration classes: read once at start, decided then
// whether it may be written, and written whole through a new file that takes its place.
#include "platform/settings/SettingsFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>

#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/sstream.h>
#include <wx/wfstream.h>

namespace
{
// Notes whether the toolkit complained (an error or a warning) while it is the log target, and
// keeps the complaint off the screen: a bad settings file is answered with the defaults, not
// with a message.
class cLogWatch : public wxLog
{
public:
    cLogWatch() : mpPrevious(wxLog::SetActiveTarget(this)) {}
    ~cLogWatch() override { wxLog::SetActiveTarget(mpPrevious); }
    cLogWatch(const cLogWatch&) = delete;
    cLogWatch& operator=(const cLogWatch&) = delete;

    bool mbComplained = false;

protected:
    void DoLogRecord(wxLogLevel Level, const wxString&, const wxLogRecordInfo&) override
    {
        if (Level <= wxLOG_Warning)
            mbComplained = true;
    }

private:
    wxLog* mpPrevious;
};

std::unique_ptr<wxFileConfig> ConfigFromText(const wxString& Text)
{
    wxStringInputStream Stream(Text);
    auto Config = std::make_unique<wxFileConfig>(Stream, wxConvUTF8);
    // Values are kept as written: a path holding '$' is not an environment variable.
    Config->SetExpandEnvVars(false);
    Config->DisableAutoSave();
    return Config;
}
}  // namespace

cSettingsFile::cSettingsFile(const std::string& Path) : mPath(Path)
{
    mConfig = ConfigFromText(wxString());
    if (mPath.empty())
        return;
    struct stat Info;
    if (stat(mPath.c_str(), &Info) != 0)
    {
        // No file yet (or no folder): the defaults, and the first change makes the file.
        mbWrites = errno == ENOENT;
        return;
    }
    if (!S_ISREG(Info.st_mode))
        return;
    std::ifstream In(mPath, std::ios::binary);
    const std::string Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    if (!In.good() && !In.eof())
        return;
    const wxString Text = wxString::FromUTF8(Bytes.data(), Bytes.size());
    // Text that is not UTF-8 decodes to nothing: not a settings file of ours.
    if (Text.empty() && !Bytes.empty())
        return;
    cLogWatch Watch;
    std::unique_ptr<wxFileConfig> Read = ConfigFromText(Text);
    if (Watch.mbComplained)
        return;
    mConfig = std::move(Read);
    // A file the user made read-only keeps its content, even for a user the system would let
    // write it anyway.
    mbWrites = (Info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
               access(mPath.c_str(), W_OK) == 0;
}

cSettingsFile::~cSettingsFile() = default;

bool cSettingsFile::Get(const std::string& Key, std::string& Value) const
{
    wxString Read;
    if (!mConfig->Read(wxString::FromUTF8(Key.c_str()), &Read))
        return false;
    Value = Read.utf8_string();
    return true;
}

void cSettingsFile::Set(const std::string& Key, const char* pszValue)
{
    const wxString WxKey = wxString::FromUTF8(Key.c_str());
    wxString Old;
    const bool bHad = mConfig->Read(WxKey, &Old);
    if (pszValue == nullptr)
    {
        if (!bHad)
            return;
        mConfig->DeleteEntry(WxKey, true);
    }
    else
    {
        const wxString Value = wxString::FromUTF8(pszValue);
        if (bHad && Old == Value)
            return;
        mConfig->Write(WxKey, Value);
    }
    Write();
}

void cSettingsFile::Write()
{
    if (!mbWrites)
        return;
    cLogWatch Watch;
    const wxFileName Name(wxString::FromUTF8(mPath.c_str()));
    bool bOk = Name.DirExists() || wxFileName::Mkdir(Name.GetPath(), 0700, wxPATH_MKDIR_FULL);
    if (bOk)
    {
        wxTempFileOutputStream Out(Name.GetFullPath());
        bOk = Out.IsOk() && mConfig->Save(Out, wxConvUTF8) && Out.Commit();
    }
    mbWriteFailed = !bOk || Watch.mbComplained;
}
