// The main frame and its GL canvas: toolkit events in, reports to cWxFrameEvents out.
#include "platform/window/wxMainFrame.h"

#include <dlfcn.h>

#include <wx/dcclient.h>

cWxMainFrame::cWxMainFrame(cWxFrameEvents& Events, const wxString& Title,
                           const wxPoint& Position, const wxSize& Size)
    : wxFrame(nullptr, wxID_ANY, Title, Position, Size,
              wxDEFAULT_FRAME_STYLE | wxCLIP_CHILDREN),
      mEvents(Events)
{
    Bind(wxEVT_MENU, &cWxMainFrame::OnMenu, this);
    Bind(wxEVT_ACTIVATE, &cWxMainFrame::OnActivate, this);
    Bind(wxEVT_CLOSE_WINDOW, &cWxMainFrame::OnClose, this);
}

void cWxMainFrame::OnMenu(wxCommandEvent& Event)
{
    mEvents.OnMenuCommand(Event.GetId());
}

void cWxMainFrame::OnActivate(wxActivateEvent& Event)
{
    mEvents.OnActivate(Event.GetActive());
    Event.Skip();
}

void cWxMainFrame::OnClose(wxCloseEvent& Event)
{
    // The window procedure decides: its default handling of WM_CLOSE destroys the window.
    if (Event.CanVeto())
        Event.Veto();
    mEvents.OnCloseRequest();
}

cWxCanvas::cWxCanvas(cWxFrameEvents& Events, wxWindow* pParent,
                     const wxGLAttributes& Attributes)
    // wxWANTS_CHARS: arrows, Tab and Page Up/Down reach the canvas instead of moving the focus.
    : wxGLCanvas(pParent, Attributes, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE),
      mEvents(Events)
{
    // Every pixel is drawn by the renderer; no background erase.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &cWxCanvas::OnPaint, this);
    Bind(wxEVT_SIZE, &cWxCanvas::OnSize, this);
    Bind(wxEVT_KEY_DOWN, &cWxCanvas::OnKeyDown, this);
    Bind(wxEVT_CHAR, &cWxCanvas::OnChar, this);
}

void cWxCanvas::RealizeNow()
{
    // GTK's development headers are not part of the build; the toolkit library itself is
    // already loaded by wx, so its realize call is looked up there.
    using tRealize = void (*)(void*);
    static const auto Realize =
        reinterpret_cast<tRealize>(dlsym(RTLD_DEFAULT, "gtk_widget_realize"));
    if (Realize != nullptr)
        Realize(GetHandle());
}

wxSize cWxCanvas::ToPixels(const wxSize& Logical) const
{
    // The toolkit measures in logical units; at a desktop scale of 2 the drawable has twice as
    // many pixels each way, and every picture is sized by the drawable.
    return Logical * GetContentScaleFactor();
}

void cWxCanvas::OnPaint(wxPaintEvent&)
{
    // The paint DC must exist for the toolkit to consider the area painted; the drawing itself
    // happens when the window procedure handles WM_PAINT.
    wxPaintDC Dc(this);
    mEvents.OnCanvasPaint();
}

void cWxCanvas::OnSize(wxSizeEvent& Event)
{
    const wxSize Pixels = ToPixels(Event.GetSize());
    mEvents.OnCanvasSize(Pixels.GetWidth(), Pixels.GetHeight());
    Event.Skip();
}

void cWxCanvas::OnKeyDown(wxKeyEvent& Event)
{
    mEvents.OnKeyDown(Event.GetKeyCode());
    // Let the toolkit go on to make the character event of this key.
    Event.Skip();
}

void cWxCanvas::OnChar(wxKeyEvent& Event)
{
    const wxChar Char = Event.GetUnicodeKey();
    if (Char != WXK_NONE)
        mEvents.OnChar(static_cast<std::uint32_t>(Char), Event.AltDown());
    // Function keys go on to the frame, where F10 opens the menu bar. Every other key stays
    // here, so the toolkit's focus navigation never takes arrows, Tab or Page Up/Down.
    const int Code = Event.GetKeyCode();
    if (Code >= WXK_F1 && Code <= WXK_F24)
        Event.Skip();
}
