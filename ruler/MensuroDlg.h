#pragma once

#include "copy/DibSurface.h"
#include "framework/MessageTable.h"
#include "framework/ModalDialog.h"
#include "ruler/RulerOptions.h"
#include "ruler/WindowRect.h"
#include "scalebar/ScaleBarStyle.h"

#include <cstdint>
#include <vector>

class ProfileStore;

// The ruler window: a borderless, shaped dialog with a scale bar on each edge
// and a see-through inner area. It owns all run-time state of the program.
class CMensuroDlg : public CModalDialog, public RulerOptions {
public:
    explicit CMensuroDlg(HWND parent = nullptr);
    ~CMensuroDlg() override;

    // Every change of the visible state ends here: lay the bars out again,
    // rebuild the shape, compose the image, invalidate.
    void Relayout();
    void ReloadScaleBars(const WindowRect& client);
    void BuildRegion(const WindowRect& client);
    void ComposeImage(HDC dc, const WindowRect& client);
    void DrawGuideLines(HDC dc, const WindowRect& client);
    void DrawGuideLine(HDC dc, const WindowRect& client, int32_t value, bool vertical);
    WindowRect LineRect(const WindowRect& client, int32_t value, bool vertical) const;

    void PersistOptions(ProfileStore& store, bool loading);
    void ShowContextMenu(int x, int y);

protected:
    BOOL OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnHelp(WPARAM, LPARAM);
    LRESULT OnNcHitTest(WPARAM, LPARAM);
    LRESULT OnSetCursor(WPARAM, LPARAM);
    LRESULT OnWindowPosChanging(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnDpiChanged(WPARAM, LPARAM);
    LRESULT OnRButtonDown(WPARAM, LPARAM);
    LRESULT OnRButtonUp(WPARAM, LPARAM);
    LRESULT OnNcRButtonDown(WPARAM, LPARAM);
    LRESULT OnNcRButtonUp(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    void OnCmdAbout();

    void StartTargeting(POINT clientPoint);
    void FinishTargeting(POINT clientPoint, bool ctrl);
    void TrackTarget(POINT clientPoint, bool ctrl);
    void DrawTargetOutline(const RECT& rect);
    WindowRect ClientRect() const;

    static const MessageEntry<CMensuroDlg> s_messages[];
    static const CommandEntry<CMensuroDlg> s_commands[];

public:
    // Members in the order of the window's data model.
    HWND m_toolTip = nullptr;
    HICON m_hIcon = nullptr;
    void* m_pMenu = nullptr;
    LOGFONTW m_labelFont = {};
    std::vector<int32_t> m_linesX;
    std::vector<int32_t> m_linesY;
    DibSurface m_surface;
    std::vector<ScaleBarStyle> m_scaleBars;
    int32_t m_mouseMode = 0;
    POINT m_anchor = {0, 0};
    int32_t m_hotIndex = -1;
    int32_t m_hotKind = 0;
    int32_t m_hotValue = 0;
    RECT m_targetRect = {0, 0, 0, 0};
    HWND m_pTarget = nullptr;
};

// Mouse modes.
enum : int32_t {
    MouseIdle = 0,
    MouseDragLine = 1,
    MouseTargeting = 2,
};
