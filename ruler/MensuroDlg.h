#pragma once

#include "framework/GdiHolders.h"
#include "framework/MessageTable.h"
#include "framework/ModalDialog.h"
#include "ruler/CoordinateTip.h"
#include "ruler/LabelStamps.h"
#include "ruler/LineDrag.h"
#include "ruler/RulerHost.h"
#include "ruler/Targeting.h"

#include <map>
#include <memory>

class DibSurface;
class RegistryWatch;

// The ruler window: a borderless, shaped dialog with a scale bar on each edge and a
// see-through inner area. It keeps the model, lays itself out after every change of it,
// runs the mouse modes, and hands commands, keys, timers and messages it does not take
// itself to its features (ruler/RulerTool.h), which see it only as a RulerHost.
class CMensuroDlg : public CModalDialog, public RulerHost {
public:
    // The composed image's depth. 32 bits, the window's own, would make painting a plain copy,
    // but under Wine every grab of the screen while the ruler shows then took some 13 times as
    // long (Copy, the loupe, the edge finder all grab; their own surfaces unchanged), and the
    // guide lines' drawing about twice as long.
    static constexpr int kSurfaceBits = 24;
    explicit CMensuroDlg(HWND parent = nullptr);
    ~CMensuroDlg() override;
    void SetTools(RulerTools tools) { m_tools = std::move(tools); } // asked in this order
    // Every change of the visible state ends here: lay the bars out again, rebuild the
    // shape, compose the image, invalidate.
    void Relayout() override;
    void ReloadScaleBars(const WindowRect& client);
    void BuildRegion(const WindowRect& client);
    void ComposeImage(HDC dc, const WindowRect& client) const;
    const DibSurface& Surface() const { return *m_surface; }

    HWND Window() const override { return m_hWnd; }
    HICON Icon() const override { return m_hIcon; }
    const RulerModel& Model() const override { return m_model; }
    void ChangeModel(const std::function<void(RulerModel&)>& change) override;
    int32_t Thickness() const override;
    RECT InnerScreenRect() const override;
    const LOGFONTW& LabelFont() const override { return m_labelFont; }
    HWND ToolTip() const override { return m_tip.Window(); }
    std::vector<HWND> OwnWindows() const override;
    void PutAsideForPicture(bool aside) override;
    INT_PTR RunDialog(CModalDialog& dialog) override;
    bool DialogOpen() const override { return m_openDialog != nullptr; }
    bool ScreenHeld() const override;
    void ShowContextMenu(int x, int y) override;
    bool StartMouseMode(MouseMode& mode, POINT client) override;
    void EndMouseMode(ModeExit exit) override;
    bool InMouseMode() const override { return m_mode != nullptr; }
    void StartTimer(RulerTool& owner, UINT_PTR id, UINT ms) override;
    void StopTimer(UINT_PTR id) override;
    void UpdateMenu(HMENU popup) const override;
    void AddMenuImages(std::vector<MenuImage>& images) const override;
protected:
    BOOL OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnOK() override;
    void OnCancel() override;

private:
    LRESULT OnEndSession(WPARAM, LPARAM); // and WM_QUERYENDSESSION, WM_DESTROY
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnKeyDown(WPARAM, LPARAM); // and WM_SYSKEYDOWN
    void PlaceAtStart();
    void SaveAtEnd();
    LRESULT OnPaint(WPARAM, LPARAM);
    void PaintShown(HDC dc, HRGN update) const;
    LRESULT OnNcHitTest(WPARAM, LPARAM);
    LRESULT OnSetCursor(WPARAM, LPARAM);
    LRESULT OnWindowPosChanging(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnDpiChanged(WPARAM, LPARAM);
    void SetDpi(int32_t dpi);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnButtonUp(WPARAM, LPARAM);    // left and right, client and non-client
    LRESULT OnRButtonDown(WPARAM, LPARAM); // client and non-client
    LRESULT OnLButtonDblClk(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);  // client and non-client
    LRESULT OnCancelMode(WPARAM, LPARAM); // and WM_ENABLE, WM_CAPTURECHANGED
    void EndMode(ModeExit exit, POINT client, bool ctrl);
    bool HoverLine(POINT client);
    void AddLineAt(POINT client);
    void DeleteLineAt(POINT client);
    static const MessageEntry<CMensuroDlg> s_messages[];
    RulerModel m_model;
    RulerTools m_tools;
    std::unique_ptr<DibSurface> m_surface;
    GdiObject<HRGN> m_shape; // a copy of the region the window was last given
    std::vector<WindowRect> m_shapeRects; // the rectangles m_shape was made of
    std::unique_ptr<RegistryWatch> m_barsWatch;
    CCoordinateTip m_tip;
    CLineDrag m_lineDrag{*this, m_tools, m_tip};
    CTargeting m_targeting{*this};
    MouseMode* m_mode = nullptr;
    POINT m_anchor = {0, 0}; // the last press: the menu's line commands act there
    int m_modeKey = 0;       // the physical button that holds the mode
    std::map<UINT_PTR, RulerTool*> m_timerOwners;
    HICON m_hIcon = nullptr; // shared, 16 x 16
    OwnedIcon m_boxIcon;     // the move box's icon at the frame's scale
    LOGFONTW m_labelFont = {};
    // The guide lines' labels as last drawn; composing reuses them, so it changes them.
    mutable CLabelStamps m_labelStamps;
    int32_t m_dpi = 96;  // the ruler's screen; the frame is drawn at its scale
    CModalDialog* m_openDialog = nullptr;
    bool m_savedAtEnd = false;
    int m_picturesAside = 0; // pictures waiting for their delay (PutAsideForPicture)
};
