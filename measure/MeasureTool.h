#pragma once

// The Measure mode's side of the ruler: it owns the command "Measure" and the key M, the
// frozen frame of every monitor, one overlay per monitor, the tool in use, the live
// measurement and the pins, and the timer TimerMeasureGrab (the delay that lets the ruler's
// own windows step aside before the frame is taken). It reads the ruler's options and puts
// its windows aside and back as a picture does; it changes only the unit and the edge
// tolerance, through the ruler. It gives the keyboard back to the window that was active
// before it on every end.

#include "copy/ScreenPicture.h"
#include "framework/DibSurface.h"
#include "measure/MeasureOverlay.h"
#include "measure/MeasurePaint.h"
#include "measure/MeasurePins.h"
#include "measure/MeasureTable.h"
#include "measure/PointerMeasure.h"
#include "ruler/RulerHost.h"
#include "ruler/RulerTool.h"

#include <memory>
#include <vector>

class CMeasureTool : public RulerTool, public MeasureOverlayClient {
public:
    explicit CMeasureTool(RulerHost& host);
    ~CMeasureTool();

    void OnEnding() override { End(); }
    void OnEnd() override { End(); }
    bool OnCommand(UINT id) override;
    bool OnKey(WPARAM key, bool ctrl) override;
    void OnTimer(UINT_PTR id) override;
    void AddOwnWindows(std::vector<HWND>& windows) const override;
    void AddMenuImages(std::vector<MenuImage>& images) const override;
    bool HoldsScreen() const override { return Active(); }

    // Starting (the ruler's windows aside) or running.
    bool Active() const { return m_waiting || m_running; }
    bool Running() const { return m_running; }
    MeasureKind Kind() const { return m_kind; }
    const CMeasurePins& Pins() const { return m_pins; }
    // The live measurement, null while there is none.
    const Measurement* Live() const { return m_hasLive ? &m_live : nullptr; }
    std::vector<HWND> OverlayWindows() const;
    // What an overlay hands on: for tests, a click or key as the user gives it.
    void OnOverlayInput(UINT message, WPARAM wParam, POINT screen) override;

private:
    enum class Drag { None, Box, Line, FirstArm, SecondArm };

    void Start();
    void TakeFrame();
    void End();
    void Fail();

    void OnOverlayStale() override;
    void DrawBase(HDC dc, const WindowRect& monitor, int32_t dpi) const override;
    void DrawLive(HDC dc, const WindowRect& monitor, int32_t dpi, bool decorations) const override;

    void OnKeyDown(WPARAM key);
    void Press(MeasurePoint p);
    void Release(MeasurePoint p);
    // The pointer at p: the live measurement, hint and magnifier follow, each strip repainted.
    void Follow(MeasurePoint p);
    Measurement LiveAt(MeasurePoint p) const;
    void Pin(const Measurement& m);
    void SetKind(MeasureKind kind);
    void StepTolerance(int direction);
    void NextUnit();
    void MovePointer(int32_t dx, int32_t dy);
    void CopyTable();
    void CopyPicture();
    void SavePicture();

    int32_t Tolerance() const;
    MeasureAxes AxesOf(const Measurement& m) const;
    CMeasureOverlay* OverlayAt(MeasurePoint p) const;
    HWND MessageOwner() const;
    std::wstring HintText() const;
    // The screen rectangles the decorations and the live measurement cover now.
    std::vector<WindowRect> LiveStrips() const;
    void Repaint(const std::vector<WindowRect>& strips);
    void RebuildBases();

    RulerHost& m_host;
    bool m_waiting = false; // the ruler's windows are aside, the frame not yet taken
    bool m_running = false;
    HWND m_previous = nullptr; // active before the mode
    DibSurface m_frameSurface;
    FrozenFrame m_frame;
    std::vector<ScreenBasis> m_bases; // each monitor's, as the ruler reads its unit
    std::vector<std::unique_ptr<CMeasureOverlay>> m_overlays;
    // Overlays closed from inside their own messages, kept until the next start.
    std::vector<std::unique_ptr<CMeasureOverlay>> m_closed;
    MeasureTableLabels m_labels;
    MeasureKind m_kind = MeasureKind::Spacing;
    Drag m_drag = Drag::None;
    MeasurePoint m_anchor; // where a drag began
    MeasurePoint m_armEnd; // an angle's first arm's end
    MeasurePoint m_pointer;
    Measurement m_live;
    bool m_hasLive = false;
    bool m_magnifier = false;
    WindowRect m_hint; // screen rectangle of the hint, empty until placed
    CMeasurePins m_pins;
    CScreenPicture m_picture; // the folder of the last save
};
