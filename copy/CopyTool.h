#pragma once

// The copy owns "Copy", "Save Picture..." and "CopySetting...", their delays (timers
// TimerCopy and TimerSavePicture), Ctrl+C when no other feature takes it, and the picture
// state kept between saves. It reads the ruler's window rectangle, thickness, options,
// guide lines, unit and label font, and changes only the copy's options. It answers the
// clipboard for the PNGs of every picture the ruler puts there (ClipboardPicture.h).

#include "copy/ClipboardPicture.h"
#include "copy/ScreenPicture.h"
#include "ruler/RulerHost.h"
#include "ruler/RulerTool.h"

// The picture "Copy" and "Save Picture..." take of the ruler as it stands (also the
// command line's save).
PictureContent RulerPicture(const RulerHost& host);

class CCopyTool : public RulerTool {
public:
    explicit CCopyTool(RulerHost& host) : m_host(host) {}

    void OnStart() override { m_clipboard.Attach(m_host.Window()); }
    bool OnCommand(UINT id) override;
    bool OnKey(WPARAM key, bool ctrl) override;
    void OnTimer(UINT_PTR id) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        return m_clipboard.OnMessage(message, wParam, lParam, result);
    }
    void AddMenuImages(std::vector<MenuImage>& images) const override;

private:
    // Starts the delay before the picture, or starts it again: two commands within one
    // delay give one picture, a full delay after the second.
    void StartDelay(UINT_PTR timer);
    void EditSettings();
    static unsigned DelayBit(UINT_PTR timer) { return 1u << timer; }

    RulerHost& m_host;
    CScreenPicture m_picture;
    CClipboardPicture m_clipboard;
    unsigned m_delays = 0; // the timers whose delay has put the ruler aside
};
