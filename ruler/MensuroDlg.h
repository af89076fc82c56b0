#pragma once

#include "copy/DibSurface.h"
#include "copy/ScreenPicture.h"
#include "framework/Handles.h"
#include "framework/MessageTable.h"
#include "framework/RegistryWatch.h"
#include "framework/ModalDialog.h"
#include "measure/EdgeTool.h"
#include "ruler/Geometry.h"
#include "ruler/RulerOptions.h"
#include "ruler/WindowRect.h"
#include "scalebar/ScaleBarStyle.h"

#include <cstdint>
#include <memory>
#include <vector>

class CIconMenu;
class CLoupeWnd;
class ProfileStore;

// What a press on the ruler started and is waiting to end (m_mouseMode). Every mode
// ends through CMensuroDlg::EndMouseMode, whatever ends it.
enum : int32_t {
    MouseIdle = 0,
    MouseDragLine = 1,
    MouseTargeting = 2,
};

// How a mouse mode ends: dropped where its button came up, or cancelled with nothing
// done; CaptureLost cancels too, but the capture is someone else's already.
enum class ModeExit { Drop, Cancel, CaptureLost };

// The ruler's timer that watches a mode's button (copy/ScreenCopy.h has kCopyTimerId 1).
constexpr UINT_PTR kMouseModeTimerId = 2;

// The ruler window: a borderless, shaped dialog with a scale bar on each edge
// and a see-through inner area. It owns all run-time state of the program.
//
// Its members are defined by concern: start-up, shut-down and the message
// tables here; painting, frame geometry, targeting and guide lines in ruler/;
// menus, window commands, tray icon and keyboard in shell/; the screen copy in
// copy/; the dialogs' commands in settings/, linelist/ and copy/.
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

    // The bars' thickness on the ruler's screen: ScaleSize is kept at 96 DPI.
    int32_t Thickness() const { return FramePixels(ScaleSize, m_dpi); }
    // A frame length given at 96 DPI, on the ruler's screen.
    int32_t FramePx(int32_t at96) const { return FramePixels(at96, m_dpi); }
    void ShowContextMenu(int x, int y);

    // Guide lines; AddLine and DeleteLine act at m_anchor.
    bool HitTestLines(POINT p);
    bool DragLine(int dx, int dy);
    void AddLine();
    void DeleteLine();
    void DeleteAllLines();

    // Runs a dialog owned by the ruler. Only one at a time: the tray menu still
    // works while a dialog is open, and a second dialog would stack on the first.
    INT_PTR RunDialog(CModalDialog& dialog);

protected:
    BOOL OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // ruler/MensuroDlg.cpp
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnQueryEndSession(WPARAM, LPARAM);
    LRESULT OnEndSession(WPARAM, LPARAM);
    void SaveAtEnd();
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnHelp(WPARAM, LPARAM);
    void OnCmdAbout();

    // ruler/RulerPaint.cpp
    LRESULT OnPaint(WPARAM, LPARAM);
    WindowRect ClientRect() const;

    // ruler/RulerFrame.cpp
    LRESULT OnNcHitTest(WPARAM, LPARAM);
    LRESULT OnSetCursor(WPARAM, LPARAM);
    LRESULT OnWindowPosChanging(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnDpiChanged(WPARAM, LPARAM);

    // ruler/MouseMode.cpp
    void StartMouseMode(int32_t mode, POINT clientPoint);
    void EndMouseMode(ModeExit exit, POINT clientPoint = {0, 0}, bool ctrl = false);
    WPARAM ModeButton() const;
    void CheckModeButton();
    static void CALLBACK OnModeTimer(HWND hwnd, UINT, UINT_PTR, DWORD);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);
    LRESULT OnCancelMode(WPARAM, LPARAM);
    LRESULT OnEnable(WPARAM, LPARAM);

    // ruler/Targeting.cpp
    LRESULT OnRButtonDown(WPARAM, LPARAM);
    LRESULT OnRButtonUp(WPARAM, LPARAM);
    LRESULT OnNcRButtonDown(WPARAM, LPARAM);
    LRESULT OnNcRButtonUp(WPARAM, LPARAM);
    void StartTargeting(POINT clientPoint);
    void EndTargeting(ModeExit exit, POINT clientPoint, bool ctrl);
    void TrackTarget(POINT clientPoint, bool ctrl);
    void DrawTargetOutline(const RECT& rect);
    POINT ScreenToClientPoint(LPARAM lParam) const;

    // ruler/GuideLines.cpp
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnLButtonDblClk(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    void OnCmdAddLine();
    void OnCmdDeleteLine();
    void OnCmdDeleteAllLines();
    void CreateToolTip();
    void SetToolTipText(const wchar_t* text);
    void ShowPointerCoordinate(POINT p);
    void InvertLine(HDC screen, const WindowRect& client, int32_t value, bool vertical);
    void EndLineDrag(ModeExit exit, POINT clientPoint);

    // shell/ContextMenu.cpp
    LRESULT OnMeasureItem(WPARAM, LPARAM);
    LRESULT OnDrawItem(WPARAM, LPARAM);

    // shell/WindowCommands.cpp
    void OnCmdTopmost();
    void OnCmdTaskTray();
    void OnCmdMenuIcon();
    void OnCmdSize320();
    void OnCmdSize640();
    void OnCmdSize800();
    void OnCmdSize1024();
    void OnCmdSize1280();
    void OnCmdSize1600();
    void ApplyPresetSize(UINT command);

    // shell/TrayIcon.cpp
    LRESULT OnTrayNotify(WPARAM, LPARAM);
    LRESULT OnTaskbarCreated(WPARAM, LPARAM);
    HWND OpenModalWindow() const;
    void ShowTrayIcon(bool show);

    // shell/Keyboard.cpp
    LRESULT OnKeyDown(WPARAM, LPARAM);

    // copy/ScreenCopy.cpp
    void OnCmdCopy();
    LRESULT OnTimer(WPARAM, LPARAM);
    // copy/SavePicture.cpp
    void OnCmdSavePicture();
    // copy/CopySettingCommand.cpp
    void OnCmdCopySetting();
    // settings/SettingsCommand.cpp
    void OnCmdSettings();
    // linelist/LineListCommand.cpp
    void OnCmdLineList();
    // measure/LoupeCommand.cpp
    void OnCmdLoupe();
    void SetLoupe(bool on);
    bool OnLoupeKey(WPARAM key);
    // measure/EdgeCommands.cpp
    void OnCmdLinesAtEdges();
    void OnCmdSnapToEdges();

    static const MessageEntry<CMensuroDlg> s_messages[];
    static const CommandEntry<CMensuroDlg> s_commands[];

public:
    // Members in the order of the window's data model.
    OwnedWindow m_toolTip;
    HICON m_hIcon = nullptr;
    CIconMenu* m_pMenu = nullptr;
    LOGFONTW m_labelFont = {};
    std::vector<int32_t> m_linesX;
    std::vector<int32_t> m_linesY;
    DibSurface m_surface;
    std::vector<ScaleBarStyle> m_scaleBars;
    int32_t m_mouseMode = MouseIdle;
    POINT m_anchor = {0, 0};
    int32_t m_hotIndex = -1;
    int32_t m_hotKind = HotNone;
    int32_t m_hotValue = 0;
    RECT m_targetRect = {0, 0, 0, 0};
    HWND m_pTarget = nullptr;
    // The screen's DPI where the ruler is; the frame is drawn at its scale.
    int32_t m_dpi = kBaseDpi;
    // Lines at the edges on the screen, snapping, the gaps between lines.
    CEdgeTool m_edges{*this};

private:
    void LoadFrameImages();
    // The move box's icon at the frame's scale (m_hIcon stays 16 x 16 for the shell).
    HICON m_boxIcon = nullptr;
    CModalDialog* m_openDialog = nullptr;
    // Options and rectangle are saved once: at the end of the session or when the window goes.
    bool m_savedAtEnd = false;
    std::unique_ptr<RegistryWatch> m_barsWatch;
    std::unique_ptr<CLoupeWnd> m_loupe;
    // The screen pictures, and the folder they were last saved to.
    CScreenPicture m_picture;
};
