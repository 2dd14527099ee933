// The program's texts as toolkit strings.
#pragma once

#include <wx/string.h>

// Texts are UTF-8. One that is not (a name or path from content written in a one-byte code
// page) is read as Latin-1, so it is shown rather than turned into nothing.
inline wxString ToolkitText(const char* pszText)
{
    if (pszText == nullptr)
        return wxString();
    const wxString Text = wxString::FromUTF8(pszText);
    return Text.empty() && *pszText != '\0' ? wxString(pszText, wxConvISO8859_1) : Text;
}
