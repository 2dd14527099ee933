// The main window of the wx back end: a frame that owns the menu bar and reports menu,
// activation and close events, and a GL canvas filling its client area that owns the context
// drawing and reports paint, size, key, pointer and file-drop events, both through
// cWxFrameEvents.
#pragma once

#include <wx/frame.h>
#include <wx/glcanvas.h>

#include "platform/window/wxFrameEvents.h"

class cWxMainFrame : public wxFrame
{
public:
    cWxMainFrame(cWxFrameEvents& Events, const wxString& Title, const wxPoint& Position,
                 const wxSize& Size);

private:
    void OnMenu(wxCommandEvent& Event);
    void OnActivate(wxActivateEvent& Event);
    void OnClose(wxCloseEvent& Event);

    cWxFrameEvents& mEvents;
};

class cWxCanvas : public wxGLCanvas
{
public:
    cWxCanvas(cWxFrameEvents& Events, wxWindow* pParent, const wxGLAttributes& Attributes);
    // Gives the canvas its X window now, before the frame is first shown, so a context can be
    // made current on it while the window is being created.
    void RealizeNow();
    // A size in the toolkit's logical units as pixels of the canvas's drawable.
    wxSize ToPixels(const wxSize& Logical) const;

private:
    void OnPaint(wxPaintEvent& Event);
    void OnSize(wxSizeEvent& Event);
    void OnKeyDown(wxKeyEvent& Event);
    void OnChar(wxKeyEvent& Event);
    void OnMouse(wxMouseEvent& Event);
    void OnWheel(wxMouseEvent& Event);
    void OnCaptureLost(wxMouseCaptureLostEvent& Event);

    cWxFrameEvents& mEvents;
};
