#pragma once

// Guide lines that find the edges on the screen. The edge tool owns "Lines at Edges" (at
// the pointer for key E and for ID_LINES_AT_POINTER, which the global key posts; or at a
// point picked after the menu command: a mouse mode of the ruler's that waits for one
// click anywhere, timer TimerEdgePick), "Snap to Edges" for lines that are dropped or
// added, and the screen grabs both read. It reads the ruler's inner area, lines, options
// and tooltip, and changes the guide lines and the snap option bit.

#include "copy/ScreenCoverage.h"
#include "framework/DibSurface.h"
#include "framework/Handles.h"
#include "measure/EdgeFinder.h"
#include "ruler/RulerHost.h"
#include "ruler/RulerTool.h"

#include <cstdint>
#include <vector>

class CEdgeTool : public RulerTool, private MouseMode {
public:
    explicit CEdgeTool(RulerHost& host);
    ~CEdgeTool();
    CEdgeTool(const CEdgeTool&) = delete;
    CEdgeTool& operator=(const CEdgeTool&) = delete;

    bool OnCommand(UINT id) override;
    bool OnKey(WPARAM key, bool ctrl) override;
    void OnTimer(UINT_PTR id) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void UpdateMenu(HMENU popup) const override;
    void AddMenuImages(std::vector<MenuImage>& images) const override;
    void OnLineDrag(bool vertical, bool starting) override;
    int32_t SnapLine(bool vertical, int32_t value, bool dragging) override;

    // Lines on the edges of the area around a screen point of the inner area, as the
    // edge finder sees them; false when there was nothing to add.
    bool AddLinesAt(POINT screen);
    void AddLinesAtPointer();
    bool Picking() const { return m_pick != PickOff; }

private:
    enum PickState { PickOff, PickWaiting, PickReleasing };

    // The pick, a mode of the ruler's: a low-level mouse hook sees the click wherever it
    // lands (over the inner area it belongs to another program's window) and keeps it from
    // that window; the work is done on the ruler's own thread, never inside the hook.
    void StartPick();
    WPARAM Button() const override { return 0; }
    void OnModeEnd(ModeExit exit, POINT client, bool ctrl) override;
    static LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam);
    bool OnHookedMouse(UINT message, POINT screen);

    bool SnapsNow() const;
    // The screen under the inner area into m_grab; false when it could not be read.
    bool GrabInner(const RECT& inner);
    // What of the inner area is the ruler's own: its lines and its windows, for a snap
    // along `snapAxis` or for the scan through the screen point `through`.
    EdgeMask OwnMask(const RECT& inner, int snapAxis, POINT through) const;
    std::vector<int32_t> Strengths(const EdgeMask& mask, bool vertical, int32_t from, int32_t to) const;

    RulerHost& m_host;
    DibSurface m_grab;
    DibSurface m_row, m_column; // the lines through a point that "Lines at Edges" reads
    PixelBlock m_block;
    ScreenCoverage m_coverage; // which pixels of m_grab lie on a monitor
    std::vector<int32_t> m_dragStrengths;
    bool m_dragVertical = true;
    bool m_dragReady = false;
    PickState m_pick = PickOff;
    UINT m_releaseMessage = 0;
    OwnedHook m_hook;
    // The hook procedure has no context of its own; one pick at a time.
    static CEdgeTool* s_picking;
};
