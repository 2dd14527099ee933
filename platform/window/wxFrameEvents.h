// What the wx back end's main frame and its GL canvas report to the window system that owns
// them: paint, size, keys, characters, activation, close requests and menu commands. The frame
// and canvas know only this interface; the window system implements it and turns each report
// into a window message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class cWxFrameEvents
{
public:
    // The canvas needs painting.
    virtual void OnCanvasPaint() = 0;
    // The canvas's new size in drawable pixels.
    virtual void OnCanvasSize(int Width, int Height) = 0;
    // A key went down on the canvas (the toolkit's key code) with these ACCEL_* modifiers held.
    // True when it chose a menu item: the key then goes no further (no character, no second
    // command from the toolkit's own accelerator).
    virtual bool OnKeyDown(int WxKeyCode, unsigned Modifiers) = 0;
    // Pointer input on the canvas: a WM_MOUSEMOVE or button message with its MK_* state and
    // the position in drawable pixels; a wheel turn in WHEEL_DELTA units, forward positive.
    virtual void OnPointer(std::uint32_t Msg, int X, int Y, std::uintptr_t Keys) = 0;
    virtual void OnWheel(int Rotation, int X, int Y, std::uintptr_t Keys) = 0;
    // Files dropped on the canvas, in the order the file manager gave them.
    virtual void OnDropFiles(std::vector<std::string> Paths) = 0;
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
