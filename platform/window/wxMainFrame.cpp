// The main frame and its GL canvas: toolkit events in, reports to cWxFrameEvents out.
#include "platform/window/wxMainFrame.h"

#include <dlfcn.h>

#include <algorithm>

#include <wx/dcclient.h>
#include <wx/dnd.h>

#include "platform/window/Window.h"

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

namespace
{
// Hands the paths of files dropped on the canvas to the frame's events.
class cFileDrop : public wxFileDropTarget
{
public:
    explicit cFileDrop(cWxFrameEvents& Events) : mEvents(Events) {}
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& Names) override
    {
        std::vector<std::string> Paths;
        for (const wxString& Name : Names)
        {
            const wxCharBuffer Native = Name.fn_str();
            if (Native.data() != nullptr && Native.data()[0] != '\0')
                Paths.emplace_back(Native.data());
        }
        mEvents.OnDropFiles(std::move(Paths));
        return true;
    }

private:
    cWxFrameEvents& mEvents;
};

std::uintptr_t PointerKeys(const wxMouseState& State)
{
    std::uintptr_t Keys = 0;
    if (State.LeftIsDown())
        Keys |= MK_LBUTTON;
    if (State.MiddleIsDown())
        Keys |= MK_MBUTTON;
    if (State.ShiftDown())
        Keys |= MK_SHIFT;
    if (State.ControlDown())
        Keys |= MK_CONTROL;
    return Keys;
}
}  // namespace

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
    for (const wxEventTypeTag<wxMouseEvent>& Type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_MIDDLE_DOWN,
                                   wxEVT_MIDDLE_UP, wxEVT_MOTION, wxEVT_LEFT_DCLICK,
                                   wxEVT_MIDDLE_DCLICK})
        Bind(Type, &cWxCanvas::OnMouse, this);
    Bind(wxEVT_MOUSEWHEEL, &cWxCanvas::OnWheel, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &cWxCanvas::OnCaptureLost, this);
    SetDropTarget(new cFileDrop(Events));
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
    unsigned Modifiers = 0;
    if (Event.ControlDown())
        Modifiers |= ACCEL_CONTROL;
    if (Event.ShiftDown())
        Modifiers |= ACCEL_SHIFT;
    // A menu accelerator stops here; any other key goes on to make its character event.
    if (!mEvents.OnKeyDown(Event.GetKeyCode(), Modifiers))
        Event.Skip();
}

void cWxCanvas::OnMouse(wxMouseEvent& Event)
{
    const wxSize Where = ToPixels(wxSize(Event.GetX(), Event.GetY()));
    std::uint32_t Msg = WM_MOUSEMOVE;
    if (Event.LeftDown() || Event.LeftDClick())
        Msg = WM_LBUTTONDOWN;
    else if (Event.LeftUp())
        Msg = WM_LBUTTONUP;
    else if (Event.MiddleDown() || Event.MiddleDClick())
        Msg = WM_MBUTTONDOWN;
    else if (Event.MiddleUp())
        Msg = WM_MBUTTONUP;
    // A drag keeps the pointer until its buttons are released, wherever it goes.
    if (Msg == WM_LBUTTONDOWN || Msg == WM_MBUTTONDOWN)
    {
        SetFocus();
        if (!HasCapture())
            CaptureMouse();
    }
    else if ((Msg == WM_LBUTTONUP || Msg == WM_MBUTTONUP) && HasCapture() &&
             !Event.LeftIsDown() && !Event.MiddleIsDown())
    {
        ReleaseMouse();
    }
    mEvents.OnPointer(Msg, Where.GetWidth(), Where.GetHeight(), PointerKeys(Event));
    Event.Skip();
}

void cWxCanvas::OnWheel(wxMouseEvent& Event)
{
    if (Event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL || Event.GetWheelDelta() <= 0)
        return;
    const wxSize Where = ToPixels(wxSize(Event.GetX(), Event.GetY()));
    // In the message's signed 16 bits, however far one event turns.
    const int Rotation =
        std::clamp(Event.GetWheelRotation() * WHEEL_DELTA / Event.GetWheelDelta(), -32768, 32767);
    mEvents.OnWheel(Rotation, Where.GetWidth(), Where.GetHeight(), PointerKeys(Event));
}

void cWxCanvas::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    // Another window took the pointer in mid-drag: the drag ends as if released here.
    const wxPoint Where = ScreenToClient(wxGetMousePosition());
    const wxSize Pixels = ToPixels(wxSize(Where.x, Where.y));
    mEvents.OnPointer(WM_LBUTTONUP, Pixels.GetWidth(), Pixels.GetHeight(), 0);
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
