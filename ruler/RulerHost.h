#pragma once

#include "ruler/RulerModel.h"
#include "ruler/RulerTool.h"

#include <windows.h>

#include <cstdint>
#include <functional>

class CModalDialog;

// How a mouse mode ends: dropped where its button came up (or its click landed), or
// cancelled with nothing done; CaptureLost cancels too, but the capture is someone
// else's already.
enum class ModeExit { Drop, Cancel, CaptureLost };

// A press-and-drag or a pick that the ruler runs for its owner: the ruler holds the
// capture and ends the mode on every path (the release, wherever it went; Esc; a lost
// capture; the ruler disabled; a menu), each time through OnModeEnd, exactly once.
class MouseMode {
public:
    // The logical button that holds the mode (MK_LBUTTON, MK_RBUTTON), or 0 for a mode
    // that waits for a click and holds no button.
    virtual WPARAM Button() const = 0;
    // The pointer moved while the mode holds the capture (client coordinates).
    virtual void OnModeMove(POINT, bool /*ctrl*/) {}
    // Erases whatever the mode drew and lets go of what it took.
    virtual void OnModeEnd(ModeExit exit, POINT client, bool ctrl) = 0;

protected:
    ~MouseMode() = default;
};

// The ruler as its features see it, and all they see of it.
class RulerHost {
public:
    virtual HWND Window() const = 0;
    // The program's 16 x 16 icon, owned by the ruler.
    virtual HICON Icon() const = 0;
    virtual const RulerModel& Model() const = 0;
    // The one way to change the model: the ruler lays itself out again afterwards.
    virtual void ChangeModel(const std::function<void(RulerModel&)>& change) = 0;
    virtual void Relayout() = 0;
    // The bars' thickness on the ruler's screen, and the inner area in screen coordinates.
    virtual int32_t Thickness() const = 0;
    virtual RECT InnerScreenRect() const = 0;
    // The font of the guide lines' labels at the ruler's scale.
    virtual const LOGFONTW& LabelFont() const = 0;
    // The ruler's coordinate tooltip (null while there is none), and every window of the
    // ruler's and its features' own: never part of what is measured.
    virtual HWND ToolTip() const = 0;
    virtual std::vector<HWND> OwnWindows() const = 0;
    // Takes them off the screen for a picture (the delay before it lets what lay below
    // them be painted), and puts them back.
    virtual void PutAsideForPicture(bool aside) = 0;

    // Runs a dialog owned by the ruler; only one at a time (IDCANCEL when one is open).
    virtual INT_PTR RunDialog(CModalDialog& dialog) = 0;
    virtual bool DialogOpen() const = 0;
    // A feature holds the screen (RulerTool::HoldsScreen).
    virtual bool ScreenHeld() const = 0;
    // Opens the context menu at a screen point; any mouse mode ends first.
    virtual void ShowContextMenu(int x, int y) = 0;

    // Starts a mode (a running one is cancelled first); false when the ruler cannot take the capture.
    virtual bool StartMouseMode(MouseMode& mode, POINT client) = 0;
    virtual void EndMouseMode(ModeExit exit) = 0;
    virtual bool InMouseMode() const = 0;

    // Starts (or restarts) timer `id` of ruler/RulerTimers.h for `owner`, which alone is told
    // when it fires; a timer runs until its owner stops it.
    virtual void StartTimer(RulerTool& owner, UINT_PTR id, UINT ms) = 0;
    virtual void StopTimer(UINT_PTR id) = 0;

    // Asks every feature for its checks and enabled states in a menu about to open, and
    // for its commands' icons.
    virtual void UpdateMenu(HMENU popup) const = 0;
    virtual void AddMenuImages(std::vector<MenuImage>& images) const = 0;

protected:
    ~RulerHost() = default;
};
