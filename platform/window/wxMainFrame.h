// The main window of the wx back end: a frame that owns the menu bar and turns menu, activation
// and close events into messages, and a GL canvas filling its client area that owns the context
// drawing and turns paint, size and key events into messages.
#pragma once

#include <wx/frame.h>
#include <wx/glcanvas.h>

class cWxWindowSystem;

class cWxMainFrame : public wxFrame
{
public:
    cWxMainFrame(cWxWindowSystem& System, const wxString& Title, const wxPoint& Position,
                 const wxSize& Size);

private:
    void OnMenu(wxCommandEvent& Event);
    void OnActivate(wxActivateEvent& Event);
    void OnClose(wxCloseEvent& Event);

    cWxWindowSystem& mSystem;
};

class cWxCanvas : public wxGLCanvas
{
public:
    cWxCanvas(cWxWindowSystem& System, wxWindow* pParent, const wxGLAttributes& Attributes);
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

    cWxWindowSystem& mSystem;
};
