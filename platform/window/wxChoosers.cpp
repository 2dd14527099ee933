// Message boxes, the open-file and save-file choosers and the colour chooser of the wx back end.
#include <filesystem>

#include <wx/colordlg.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/msgdlg.h>
#include <wx/generic/msgdlgg.h>

#include "platform/window/wxChooserText.h"
#include "platform/window/wxText.h"
#include "platform/window/wxWindowSystem.h"

namespace
{
// The longest path the program's path buffer takes.
constexpr std::size_t MAX_PATH_CHARS = 255;
constexpr int NUM_CUSTOM_COLORS = 16;

long MessageBoxStyle(unsigned Style)
{
    long WxStyle = 0;
    switch (Style & 0x0F)
    {
    case MB_OKCANCEL:
        WxStyle = wxOK | wxCANCEL;
        break;
    case MB_YESNO:
        WxStyle = wxYES_NO;
        break;
    default:
        WxStyle = wxOK;
        break;
    }
    switch (Style & 0xF0)
    {
    case MB_ICONERROR:
        return WxStyle | wxICON_ERROR;
    case MB_ICONQUESTION:
        return WxStyle | wxICON_QUESTION;
    case MB_ICONEXCLAMATION:
        return WxStyle | wxICON_EXCLAMATION;
    case MB_ICONINFORMATION:
        return WxStyle | wxICON_INFORMATION;
    default:
        return WxStyle | wxICON_NONE;
    }
}

wxString Wildcard(const char* pszFilterText, const char* pszFilterPattern)
{
    return wxString::FromUTF8(pszFilterText ? pszFilterText : "") + "|" +
           wxString::FromUTF8(
               CaseInsensitivePattern(pszFilterPattern ? pszFilterPattern : "*").c_str());
}

// The folder a chooser starts in: the one named when it exists, else the current directory.
wxString StartFolder(const char* pszFolder)
{
    const wxString Folder = wxString::FromUTF8(pszFolder ? pszFolder : "");
    return !Folder.empty() && wxDirExists(Folder) ? Folder : wxGetCwd();
}

wxColour ToWx(std::uint32_t Colour)
{
    return wxColour(static_cast<unsigned char>(Colour & 0xFF),
                    static_cast<unsigned char>((Colour >> 8) & 0xFF),
                    static_cast<unsigned char>((Colour >> 16) & 0xFF));
}

std::uint32_t FromWx(const wxColour& Colour)
{
    if (!Colour.IsOk())
        return 0;
    return static_cast<std::uint32_t>(Colour.Red()) |
           (static_cast<std::uint32_t>(Colour.Green()) << 8) |
           (static_cast<std::uint32_t>(Colour.Blue()) << 16);
}
}  // namespace

int cWxWindowSystem::MessageBox(HWindow Owner, const char* pszText, const char* pszCaption,
                                unsigned Style)
{
    // The generic box draws its icon itself; GTK 3 message dialogs show none.
    wxGenericMessageDialog Box(OwnerWindow(Owner), ToolkitText(pszText), ToolkitText(pszCaption),
                               MessageBoxStyle(Style));
    EnterModal();
    const int Answer = Box.ShowModal();
    LeaveModal();
    switch (Answer)
    {
    case wxID_CANCEL:
        return IDCANCEL;
    case wxID_YES:
        return IDYES;
    case wxID_NO:
        return IDNO;
    default:
        return IDOK;
    }
}

bool cWxWindowSystem::GetOpenFileName(HWindow Owner, const char* pszFilterText,
                                      const char* pszFilterPattern, const char* pszTitle,
                                      const char* pszFolder, std::string& Path)
{
    wxFileDialog Chooser(OwnerWindow(Owner), wxString::FromUTF8(pszTitle ? pszTitle : ""),
                         StartFolder(pszFolder), wxString(),
                         Wildcard(pszFilterText, pszFilterPattern),
                         wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    EnterModal();
    const int Answer = Chooser.ShowModal();
    LeaveModal();
    if (Answer != wxID_OK)
        return false;
    const wxCharBuffer Native = Chooser.GetPath().fn_str();
    const std::string Chosen = Native.data() != nullptr ? std::string(Native.data()) : "";
    // A path the program could not hold whole is refused rather than cut short.
    if (Chosen.empty() || Chosen.size() > MAX_PATH_CHARS)
        return false;
    Path = Chosen;
    return true;
}

bool cWxWindowSystem::GetSaveFileName(HWindow Owner, const std::vector<tFileType>& Types,
                                      const char* pszTitle, const char* pszFolder,
                                      const char* pszName, std::string& Path, int& TypeIndex)
{
    wxString Filters;
    for (const tFileType& Type : Types)
        Filters += (Filters.empty() ? "" : "|") + Wildcard(Type.pszText, Type.pszPattern);
    wxFileDialog Chooser(OwnerWindow(Owner), wxString::FromUTF8(pszTitle ? pszTitle : ""),
                         StartFolder(pszFolder), wxString::FromUTF8(pszName ? pszName : ""),
                         Filters, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    EnterModal();
    const int Answer = Chooser.ShowModal();
    LeaveModal();
    const int Index = Chooser.GetFilterIndex();
    if (Answer != wxID_OK || Index < 0 || Index >= static_cast<int>(Types.size()))
        return false;
    const wxCharBuffer Native = Chooser.GetPath().fn_str();
    std::string Chosen = Native.data() != nullptr ? std::string(Native.data()) : "";
    std::vector<std::string> Patterns;
    for (const tFileType& Type : Types)
        Patterns.emplace_back(Type.pszPattern);
    const std::string Typed = Chosen;
    const int ChosenType = SaveType(Chosen, Patterns, Index);
    if (Chosen.empty() || Chosen.size() > MAX_PATH_CHARS)
        return false;
    // The chooser asked about the name as typed; a name that got its type's extension here is
    // asked about once more when a file of that name exists, so nothing is replaced unasked.
    std::error_code Failed;
    if (Chosen != Typed && std::filesystem::exists(Chosen, Failed))
    {
        wxMessageDialog Ask(OwnerWindow(Owner),
                            wxString::FromUTF8((Chosen + " already exists. Replace it?").c_str()),
                            wxString::FromUTF8(pszTitle ? pszTitle : ""),
                            wxYES_NO | wxNO_DEFAULT | wxICON_WARNING);
        EnterModal();
        const int Reply = Ask.ShowModal();
        LeaveModal();
        if (Reply != wxID_YES)
            return false;
    }
    Path = Chosen;
    TypeIndex = ChosenType;
    return true;
}

bool cWxWindowSystem::ChooseColor(HWindow Owner, std::uint32_t Initial,
                                  std::uint32_t* CustomColors, std::uint32_t& Chosen)
{
    wxColourData Data;
    Data.SetChooseFull(true);
    Data.SetColour(ToWx(Initial));
    if (CustomColors != nullptr)
        for (int I = 0; I < NUM_CUSTOM_COLORS; ++I)
            Data.SetCustomColour(I, ToWx(CustomColors[I]));
    wxColourDialog Chooser(OwnerWindow(Owner), &Data);
    EnterModal();
    const int Answer = Chooser.ShowModal();
    LeaveModal();
    const wxColourData& Result = Chooser.GetColourData();
    // The custom colours are the caller's to keep, whatever the answer.
    if (CustomColors != nullptr)
        for (int I = 0; I < NUM_CUSTOM_COLORS; ++I)
            if (Result.GetCustomColour(I).IsOk())
                CustomColors[I] = FromWx(Result.GetCustomColour(I));
    if (Answer != wxID_OK)
        return false;
    Chosen = FromWx(Result.GetColour());
    return true;
}
