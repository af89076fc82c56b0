#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// A menu command's 16 x 16 icon resource, for the menu drawn with icons.
struct MenuImage {
    UINT command;
    UINT icon;
};

// What a feature offers the ruler. The ruler hands a command, key, timer or message to
// its own table first, then to each feature in a fixed order; the first that takes it
// wins. Every function may decline.
class RulerTool {
public:
    // The ruler's options are loaded and it is laid out; it has not been shown yet.
    virtual void OnStart() {}
    // The ruler has been told to end (Exit, Alt+F4): it goes once any dialog of its own has
    // closed, and OnEnd follows. The session's end comes with OnEnd alone.
    virtual void OnEnding() {}
    // The ruler is going (or the session ends): the options are saved right after.
    virtual void OnEnd() {}
    virtual bool OnCommand(UINT /*id*/) { return false; }
    // A key pressed while the ruler is active.
    virtual bool OnKey(WPARAM /*key*/, bool /*ctrl*/) { return false; }
    // A key pressed with Alt (WM_SYSKEYDOWN) while the ruler is active; what no feature
    // takes keeps the system's meaning (Alt+F4).
    virtual bool OnSysKey(WPARAM /*key*/, bool /*shift*/) { return false; }
    // A timer this feature started through the ruler.
    virtual void OnTimer(UINT_PTR /*id*/) {}
    // A window message the ruler's own table does not handle.
    virtual bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    // Opens the context menu; only the menu takes it.
    virtual bool ShowMenu(int /*x*/, int /*y*/) { return false; }
    // Its checks and enabled states in a menu about to open, and its commands' icons.
    virtual void UpdateMenu(HMENU /*popup*/) const {}
    virtual void AddMenuImages(std::vector<MenuImage>& /*images*/) const {}
    // Its windows on the screen, which no grab of the screen may see: masked in scans, put
    // aside (and back) around a picture.
    virtual void AddOwnWindows(std::vector<HWND>& /*windows*/) const {}
    virtual void PutAsideForPicture(bool /*aside*/) {}
    // A mode of its own covers the screen with a frozen frame (or is taking it): the
    // ruler's other global actions would act on the ruler hidden below it.
    virtual bool HoldsScreen() const { return false; }

    // Guide lines: a drag starts or ends (what the feature took for it goes at the end),
    // and where a dragged (`dragging`) or an added line lands.
    virtual void OnLineDrag(bool /*vertical*/, bool /*starting*/) {}
    virtual int32_t SnapLine(bool /*vertical*/, int32_t value, bool /*dragging*/) { return value; }

protected:
    ~RulerTool() = default;
};

// The features in the order the ruler asks them.
using RulerTools = std::vector<RulerTool*>;
