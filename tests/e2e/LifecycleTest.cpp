// Start, options in the registry, exit: what a user and the registry see.
#include "e2e/RulerSession.h"
#include "support/RegistryScope.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

const char kSection[] = "CMensuroDlg";

// Size of the ruler window's template as the dialog manager lays it out.
SIZE TemplateSize()
{
    HMODULE exe = LoadLibraryExW(MensuroExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HWND probe = CreateDialogParamW(
        exe, MAKEINTRESOURCEW(102), nullptr, [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    RECT rect = {};
    GetWindowRect(probe, &rect);
    DestroyWindow(probe);
    FreeLibrary(exe);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

std::map<std::string, uint32_t> StoredOptions()
{
    static const char* names[] = {
        "LEFT",          "RIGHT",     "TOP",           "BOTTOM",      "Option",      "Flags",       "ScaleSize",
        "LineSize",      "LineColor", "LineTextColor", "CopyTimer",   "CopyOffsetX", "CopyOffsetY", "LoupeZoom",
        "EdgeTolerance", "Unit",      "HotKeyRuler",   "HotKeyLoupe", "HotKeyEdges", "HotKeyCopy",  "HotKeyMeasure"};
    std::map<std::string, uint32_t> values;
    for (const char* name : names)
        if (auto v = MensuroRegistry().Dword(kSection, name)) values[name] = *v;
    return values;
}

class Lifecycle : public testing::Test {
protected:
    void SetUp() override { MensuroRegistry().Clear(); }
    void TearDown() override { MensuroRegistry().Clear(); }
};

} // namespace

TEST_F(Lifecycle, FirstStartShowsTemplateWindowAndExitSavesDefaults)
{
    const SIZE size = TemplateSize();
    ASSERT_GT(size.cx, 0);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());

    const RECT rect = ruler.Rect();
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(size.cx, rect.right - rect.left);
    EXPECT_EQ(size.cy, rect.bottom - rect.top);

    const LONG_PTR style = GetWindowLongPtrW(ruler.Window(), GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(ruler.Window(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW) << "a tool window has no taskbar button";
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);

    EXPECT_FALSE(MensuroRegistry().Exists(kSection)) << "nothing is written before Exit";
    EXPECT_EQ(0u, ruler.Exit());

    const auto stored = StoredOptions();
    EXPECT_EQ(21u, stored.size());
    EXPECT_EQ(21, MensuroRegistry().ValueCount(kSection));
    const std::map<std::string, uint32_t> expected = {{"LEFT", 0},
                                                      {"TOP", 0},
                                                      {"RIGHT", static_cast<uint32_t>(size.cx)},
                                                      {"BOTTOM", static_cast<uint32_t>(size.cy)},
                                                      {"Option", 15},
                                                      {"Flags", 0x1F1},
                                                      {"ScaleSize", 40},
                                                      {"LineSize", 1},
                                                      {"LineColor", 0xFFFF00},
                                                      {"LineTextColor", 0xFF},
                                                      {"CopyTimer", 100},
                                                      {"CopyOffsetX", 0},
                                                      {"CopyOffsetY", 0},
                                                      {"LoupeZoom", 8},
                                                      {"EdgeTolerance", 8},
                                                      {"Unit", 0},
                                                      // Win+Alt+M, L, E, C and X
                                                      {"HotKeyRuler", 0x1400 | 'M'},
                                                      {"HotKeyLoupe", 0x1400 | 'L'},
                                                      {"HotKeyEdges", 0x1400 | 'E'},
                                                      {"HotKeyCopy", 0x1400 | 'C'},
                                                      {"HotKeyMeasure", 0x1400 | 'X'}};
    EXPECT_EQ(expected, stored);
    // Scale bars are saved by the Settings dialog only, never at exit.
    EXPECT_FALSE(MensuroRegistry().Exists("ScaleBar1"));
}

TEST_F(Lifecycle, SecondStartRestoresRectangleAndOptions)
{
    auto reg = MensuroRegistry();
    reg.SetDword(kSection, "LEFT", 100);
    reg.SetDword(kSection, "TOP", 120);
    reg.SetDword(kSection, "RIGHT", 600);
    reg.SetDword(kSection, "BOTTOM", 520);
    reg.SetDword(kSection, "Option", 0);
    reg.SetDword(kSection, "LineColor", 0x123456);
    {
        RulerSession ruler;
        ASSERT_TRUE(ruler.Started());
        const RECT rect = ruler.Rect();
        EXPECT_EQ(100, rect.left);
        EXPECT_EQ(120, rect.top);
        EXPECT_EQ(600, rect.right);
        EXPECT_EQ(520, rect.bottom);
        EXPECT_FALSE(GetWindowLongPtrW(ruler.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST)
            << "a stored Option of 0 makes the ruler non-topmost";
        EXPECT_EQ(0u, ruler.Exit());
    }
    auto stored = StoredOptions();
    EXPECT_EQ(0u, stored["Option"]);
    EXPECT_EQ(0x123456u, stored["LineColor"]);
    EXPECT_EQ(100u, stored["LEFT"]);
    EXPECT_EQ(520u, stored["BOTTOM"]);
    EXPECT_EQ(40u, stored["ScaleSize"]) << "missing values keep their defaults";
}

TEST_F(Lifecycle, NonsenseStoredValuesAreBroughtIntoRange)
{
    auto reg = MensuroRegistry();
    reg.SetDword(kSection, "LEFT", 300);
    reg.SetDword(kSection, "RIGHT", 200); // inverted
    reg.SetDword(kSection, "TOP", 50);
    reg.SetDword(kSection, "BOTTOM", 400);
    reg.SetDword(kSection, "ScaleSize", static_cast<uint32_t>(-7));
    reg.SetDword(kSection, "LineSize", 0);
    reg.SetString(kSection, "CopyTimer", "500"); // wrong type: keeps the default
    {
        RulerSession ruler;
        ASSERT_TRUE(ruler.Started());
        const RECT rect = ruler.Rect();
        EXPECT_GT(rect.right - rect.left, 80) << "an inverted rectangle is not used";
        EXPECT_GT(rect.bottom - rect.top, 80);
        EXPECT_EQ(0u, ruler.Exit());
    }
    auto stored = StoredOptions();
    EXPECT_EQ(40u, stored["ScaleSize"]);
    EXPECT_EQ(1u, stored["LineSize"]);
    EXPECT_EQ(100u, stored["CopyTimer"]);
    EXPECT_EQ(REG_DWORD, reg.Type(kSection, "CopyTimer"));
    EXPECT_LT(stored["LEFT"], stored["RIGHT"]);
}

TEST_F(Lifecycle, SensibleValuesOutsideTheDialogListsAreKept)
{
    auto reg = MensuroRegistry();
    reg.SetDword(kSection, "LEFT", 200);
    reg.SetDword(kSection, "TOP", 200);
    reg.SetDword(kSection, "RIGHT", 220); // narrower than 2 x ScaleSize
    reg.SetDword(kSection, "BOTTOM", 700);
    reg.SetDword(kSection, "ScaleSize", 120);
    {
        RulerSession ruler;
        ASSERT_TRUE(ruler.Started());
        const RECT rect = ruler.Rect();
        EXPECT_EQ(240, rect.right - rect.left) << "the minimum size is 2 x ScaleSize";
        EXPECT_EQ(500, rect.bottom - rect.top);
        EXPECT_EQ(0u, ruler.Exit());
    }
    EXPECT_EQ(120u, StoredOptions()["ScaleSize"]);
}

TEST_F(Lifecycle, RectangleOffEveryMonitorComesBackOnScreen)
{
    auto reg = MensuroRegistry();
    reg.SetDword(kSection, "LEFT", 5000);
    reg.SetDword(kSection, "TOP", 4000);
    reg.SetDword(kSection, "RIGHT", 5400);
    reg.SetDword(kSection, "BOTTOM", 4300);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    const RECT rect = ruler.Rect();
    EXPECT_EQ(400, rect.right - rect.left);
    EXPECT_EQ(300, rect.bottom - rect.top);
    EXPECT_LE(rect.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_LE(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GE(rect.left, 0);
    EXPECT_GE(rect.top, 0);
}

TEST_F(Lifecycle, EnterAndEscapeDoNotEndTheRuler)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    const RECT r = ruler.Rect();
    const POINT onTop = {r.left + 150, r.top + 30};
    UserInput::Click(onTop.x, onTop.y);
    UserInput::Key(VK_RETURN);
    UserInput::Key(VK_ESCAPE);
    // The ruler takes its keys in order: once the arrow key has moved the pointer, Enter and
    // Esc have been handled too.
    UserInput::Key(VK_RIGHT);
    POINT p = {};
    EXPECT_TRUE(PumpUntil([&] { return GetCursorPos(&p) && p.x == onTop.x + 1; }, 10000)) << "the keys arrived";
    EXPECT_TRUE(ruler.Running());
    EXPECT_TRUE(IsWindowVisible(ruler.Window()));
}

TEST_F(Lifecycle, VersionCommandOpensTheAboutBox)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    PostMessageW(ruler.Window(), WM_COMMAND, 57664, 0);
    HWND about = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (about = ruler.FindOwnWindow(L"Version")) != nullptr; }, 5000));
    wchar_t text[64] = {};
    bool sawVersion = false;
    for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        GetWindowTextW(child, text, 64);
        if (wcscmp(text, L"Mensuro Version 1.1.0") == 0) sawVersion = true;
    }
    EXPECT_TRUE(sawVersion);
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(about); }, 5000));
    EXPECT_TRUE(ruler.Running()) << "closing the About box leaves the ruler running";
    EXPECT_EQ(0u, ruler.Exit());
}
