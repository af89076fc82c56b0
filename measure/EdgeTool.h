#pragma once

#include "copy/DibSurface.h"
#include "measure/EdgeFinder.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CMensuroDlg;

// Guide lines that find the edges on the screen: "Lines at Edges" (key E at the
// pointer, or a point picked after the menu command), "Snap to Edges" for lines
// that are dropped or added, and the gaps in a line's tooltip. Every operation
// reads the screen under the inner area once, before it draws anything: the row
// and the column through the point, or for a snap the whole inner area.
class CEdgeTool {
public:
    explicit CEdgeTool(CMensuroDlg& ruler);
    ~CEdgeTool();
    CEdgeTool(const CEdgeTool&) = delete;
    CEdgeTool& operator=(const CEdgeTool&) = delete;

    // "Lines at Edges": a crosshair until the next left click anywhere, which picks the
    // point; Esc, a right click, a lost capture or the ruler disabled end it unpicked.
    void StartPick();
    bool Picking() const { return m_pick != PickOff; }
    void CancelPick();
    // Key E adds lines at the pointer; Esc ends a pick. True when the key was this tool's.
    bool OnKeyDown(WPARAM key);
    void OnCaptureChanged(HWND newCapture);
    // "Snap to Edges".
    void ToggleSnap();

    // Lines on the edges of the area of one colour around a screen point of the inner
    // area, then the relayout; false when there was nothing to add.
    bool AddLinesAt(POINT screen);

    // For the guide lines: a drag's grab and edge strengths, taken at its start; where
    // a dragged (Shift: exactly where it is) or an added line goes.
    void BeginDrag(bool vertical);
    int32_t SnapDragged(int32_t value, bool vertical) const;
    int32_t SnapAdded(int32_t value, bool vertical);
    // A guide line's tooltip: its value and the gaps to its neighbours.
    std::wstring LineTip(bool vertical, int32_t index) const;

private:
    enum PickState { PickOff, PickWaiting, PickReleasing };

    static LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam);
    bool OnHookedMouse(UINT message, POINT screen);
    void EndPick(bool releaseCapture);
    bool SnapsNow() const;
    RECT InnerScreenRect() const;
    // The screen under the inner area into m_grab; false when it could not be read.
    bool GrabInner(const RECT& inner);
    // The ruler's own lines, and for a snap the rows (columns) its tooltip covers.
    EdgeMask OwnMask(const RECT& inner, int snapAxis) const;
    std::vector<int32_t> Strengths(const EdgeMask& mask, bool vertical, int32_t from, int32_t to) const;

    CMensuroDlg& m_ruler;
    DibSurface m_grab;
    DibSurface m_row, m_column; // the lines through a point that "Lines at Edges" reads
    PixelBlock m_block;
    std::vector<int32_t> m_dragStrengths;
    bool m_dragVertical = true;
    bool m_dragReady = false;
    PickState m_pick = PickOff;
    UINT m_releaseMessage = 0;
    HHOOK m_hook = nullptr;
    // The hook procedure has no context of its own; one pick at a time.
    static CEdgeTool* s_picking;
};
