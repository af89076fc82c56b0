#include "copy/ScreenCopy.h"
#include "copy/ScreenGrab.h"
#include "framework/DibSurface.h"
#include "framework/GdiHolders.h"
#include "framework/Handles.h"
#include "measure/LoupeWnd.h"
#include "support/ScreenProbe.h"
#include "support/SurfacePixels.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kCorner = RGB(200, 40, 90);

// A topmost window of a known colour in the bottom-right corner of the 1280 x 1024 test
// display, shown until the screen shows it.
class CornerWindow {
public:
    CornerWindow()
    {
        const HINSTANCE module = GetModuleHandleW(nullptr);
        const WNDCLASSW wc = {0, DefWindowProcW, 0, 0, module, nullptr, nullptr, m_brush.get(), nullptr, L"Corner"};
        RegisterClassW(&wc);
        m_window.reset(CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP, 1240, 990, 40, 34, nullptr,
                                       nullptr, module, nullptr));
        ShowWindow(m_window.get(), SW_SHOWNOACTIVATE);
        m_shown = WaitForScreenPixel(1260, 1010, kCorner);
    }
    bool Shown() const { return m_shown; }

private:
    GdiObject<HBRUSH> m_brush{CreateSolidBrush(kCorner)};
    OwnedWindow m_window;
    bool m_shown = false;
};

} // namespace

TEST(ScreenGrab, GrabsPastTheScreensCornerKeepTheirOnScreenPixels)
{
    const CornerWindow corner;
    ASSERT_TRUE(corner.Shown());
    // 50 x 50 from (1250, 1000): 30 x 24 on the screen, the rest off it.
    DibSurface surface(50, 50, 24);
    surface.Fill(0x55);
    ASSERT_TRUE(GrabScreenInto(surface, 1250, 1000));
    EXPECT_EQ(kCorner, SurfacePixel(surface, 29, 23));
    EXPECT_EQ(RGB(0, 0, 0), SurfacePixel(surface, 30, 5)) << "off the screen: black, whatever was there";
    EXPECT_EQ(RGB(0, 0, 0), SurfacePixel(surface, 5, 24));

    // The copy's picture of it: bottom-up rows of 152 bytes, its top row on the screen.
    const GlobalBlock dib(CaptureDib({1250, 1000, 1300, 1050}, false, 0, 0));
    ASSERT_NE(nullptr, dib.get());
    const auto* rows = static_cast<const unsigned char*>(GlobalLock(dib.get())) + sizeof(BITMAPINFOHEADER);
    EXPECT_EQ(kCorner, RGB(rows[49 * 152 + 2], rows[49 * 152 + 1], rows[49 * 152]));
    EXPECT_EQ(0, rows[0] | rows[1] | rows[2]) << "its bottom row off it";
    GlobalUnlock(dib.get());

    // The loupe at 8x, 5 pixels above the bottom: the block it reads passes the edge.
    CLoupeWnd loupe([] { return CLoupeWnd::InnerArea{}; });
    ASSERT_TRUE(loupe.Show(nullptr, 8));
    loupe.Update({1260, 1019});
    const std::wstring readout = loupe.Readout();
    EXPECT_NE(std::wstring::npos, readout.find(L"#C8285A")) << std::string(readout.begin(), readout.end());
    loupe.Hide();
}
