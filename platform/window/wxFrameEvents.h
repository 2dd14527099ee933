// What the wx back end's main frame and its GL canvas report to the window system that owns
// them: paint, size, keys, characters, activation, close requests and menu commands. The frame
// and canvas know only this interface; the window system implements it and turns each report
// into a window message.
#pragma once

#include <cstdint>

class cWxFrameEvents
{
public:
    // The canvas needs painting.
    virtual void OnCanvasPaint() = 0;
    // The canvas's new size in drawable pixels.
    virtual void OnCanvasSize(int Width, int Height) = 0;
    // A key went down on the canvas (the toolkit's key code).
    virtual void OnKeyDown(int WxKeyCode) = 0;
    // A typed character; with Alt held it is a menu mnemonic and is not handed on.
    virtual void OnChar(std::uint32_t Char, bool bAltDown) = 0;
    // The frame became active or inactive.
    virtual void OnActivate(bool bActive) = 0;
    // The user asked to close the frame; the frame itself stays open.
    virtual void OnCloseRequest() = 0;
    // A menu item was chosen (the toolkit's item id).
    virtual void OnMenuCommand(int ToolkitId) = 0;

protected:
    ~cWxFrameEvents() = default;
};
