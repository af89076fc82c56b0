#pragma once

// The loupe's side of the ruler: it owns the loupe window, the command "Loupe", the keys
// L, + and -, Space and (while the loupe shows) Ctrl+C, and the option bit that follows
// what the user sees. It reads the ruler's inner area and unit and changes only the
// loupe's option bit and zoom.

#include "ruler/RulerHost.h"
#include "ruler/RulerTool.h"

#include <memory>

class CLoupeWnd;

class CLoupeTool : public RulerTool {
public:
    explicit CLoupeTool(RulerHost& host);
    ~CLoupeTool();

    void OnStart() override;
    bool OnCommand(UINT id) override;
    bool OnKey(WPARAM key, bool ctrl) override;
    void UpdateMenu(HMENU popup) const override;
    void AddMenuImages(std::vector<MenuImage>& images) const override;
    void AddOwnWindows(std::vector<HWND>& windows) const override;
    void PutAsideForPicture(bool aside) override;

    // The loupe window while there is one (for tests and the benchmark).
    CLoupeWnd* Window() const { return m_loupe.get(); }
    void SetLoupe(bool on);

private:
    bool Shown() const;

    RulerHost& m_host;
    std::unique_ptr<CLoupeWnd> m_loupe;
};
