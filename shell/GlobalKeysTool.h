#pragma once

// The global keys' side of the ruler: it owns the five global keys (read with the options
// at the start, registered on the ruler's window, written with the options and released
// at the end), their WM_HOTKEY, "Keys..." and the Alt+arrow keys. It moves and activates
// the ruler's window, reads its inner area, and hands the other actions to their features
// as the ruler's commands (ID_LOUPE, ID_LINES_AT_POINTER, ID_COPY, ID_MEASURE); it
// changes nothing of the model.
//
// A global key acts without activating the ruler, except "Ruler to Pointer": the Measure
// mode remembers the program in use as the one to give the keyboard back to. While a
// dialog or message box of the ruler's is open, "Ruler to Pointer" brings that window
// forward and the other keys do nothing: they would change or grab what the dialog shows.
// The Measure mode is no dialog: it leaves the ruler enabled, so its key, pressed again
// while the mode's overlays have the keyboard, reaches the mode and ends it; while it runs
// (or starts) the other keys do nothing, as the ruler lies below its frozen frame.

#include "ruler/RulerHost.h"
#include "ruler/RulerTool.h"
#include "shell/GlobalKeys.h"

class CGlobalKeysTool : public RulerTool {
public:
    explicit CGlobalKeysTool(RulerHost& host) : m_host(host) {}

    void OnStart() override;
    void OnEnd() override;
    bool OnCommand(UINT id) override;
    bool OnSysKey(WPARAM key, bool shift) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void AddMenuImages(std::vector<MenuImage>& images) const override;

    const CGlobalKeys& Keys() const { return m_keys; }

private:
    void OnHotKey(HotKeyAction action);
    void EditKeys();
    bool HeldByDialog() const;

    RulerHost& m_host;
    CGlobalKeys m_keys;
};
