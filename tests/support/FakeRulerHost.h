#pragma once

// A ruler as a feature sees it, without the ruler: a plain top-level window of the given
// size, a model the test sets, and a record of what the feature asked of it.

#include "ruler/RulerHost.h"

#include <map>

class FakeRulerHost : public RulerHost {
public:
    FakeRulerHost(int width, int height, int32_t thickness = 40) : m_thickness(thickness)
    {
        m_window = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", nullptr, WS_POPUP, 100, 100, width, height, nullptr,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~FakeRulerHost()
    {
        if (m_window) DestroyWindow(m_window);
    }
    FakeRulerHost(const FakeRulerHost&) = delete;
    FakeRulerHost& operator=(const FakeRulerHost&) = delete;

    RulerModel model;
    int relayouts = 0;
    std::map<UINT_PTR, UINT> timers; // running timers and their periods
    MouseMode* mode = nullptr;

    HWND Window() const override { return m_window; }
    HICON Icon() const override { return nullptr; }
    const RulerModel& Model() const override { return model; }
    void ChangeModel(const std::function<void(RulerModel&)>& change) override
    {
        change(model);
        Relayout();
    }
    void Relayout() override { ++relayouts; }
    int32_t Thickness() const override { return m_thickness; }
    RECT InnerScreenRect() const override
    {
        RECT r = {};
        GetWindowRect(m_window, &r);
        InflateRect(&r, -m_thickness, -m_thickness);
        return r;
    }
    const LOGFONTW& LabelFont() const override { return m_font; }
    HWND ToolTip() const override { return nullptr; }
    std::vector<HWND> OwnWindows() const override { return ownWindows; }
    std::vector<HWND> ownWindows;
    void PutAsideForPicture(bool aside) override { picturesAside += aside ? 1 : -1; }
    int picturesAside = 0; // the pictures that have put the ruler aside and not yet back
    INT_PTR RunDialog(CModalDialog&) override { return IDCANCEL; }
    bool DialogOpen() const override { return dialogOpen; }
    bool dialogOpen = false;
    bool ScreenHeld() const override { return screenHeld; }
    bool screenHeld = false;
    void ShowContextMenu(int, int) override {}
    bool StartMouseMode(MouseMode& started, POINT) override
    {
        mode = &started;
        return true;
    }
    void EndMouseMode(ModeExit exit) override
    {
        MouseMode* ending = mode;
        mode = nullptr;
        if (ending) ending->OnModeEnd(exit, {0, 0}, false);
    }
    bool InMouseMode() const override { return mode != nullptr; }
    void StartTimer(RulerTool&, UINT_PTR id, UINT ms) override { timers[id] = ms; }
    void StopTimer(UINT_PTR id) override { timers.erase(id); }
    void UpdateMenu(HMENU) const override {}
    void AddMenuImages(std::vector<MenuImage>&) const override {}

private:
    HWND m_window = nullptr;
    int32_t m_thickness;
    LOGFONTW m_font = {};
};
