// The ruler at hand from anywhere: global keys while another program works, one ruler that
// later starts hand their command line to, and the ruler moved by Alt+arrows.
#include "e2e/RulerSession.h"
#include "support/RegistryScope.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <utility>

namespace {

constexpr RECT kRuler = {100, 100, 500, 400}; // inner area (140, 140) - (460, 360), 320 x 220
constexpr RECT kPanel = {200, 180, 330, 290};
constexpr COLORREF kBackdrop = RGB(32, 144, 96), kPanelColour = RGB(200, 60, 40), kCyan = RGB(0, 255, 255);

// Keys sent through the X server as a keyboard sends them ("super+alt+l"): only those
// reach the system's global keys. Wine starts the Unix program given by its DOS path.
void PressThroughX(const std::wstring& keys)
{
    auto dosName = reinterpret_cast<WCHAR*(CDECL*)(LPCSTR)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    WCHAR* xdotool = dosName ? dosName("/usr/bin/xdotool") : nullptr;
    ASSERT_NE(nullptr, xdotool) << "xdotool under Wine";
    std::wstring command = L"\"" + std::wstring(xdotool) + L"\" key " + keys;
    HeapFree(GetProcessHeap(), 0, xdotool);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
    WaitForSingleObject(started.hProcess, 5000);
    CloseHandle(started.hProcess);
    CloseHandle(started.hThread);
}

// Starts Mensuro.exe with `arguments` and returns its exit code (STILL_ACTIVE if it hangs).
DWORD StartMensuro(const std::wstring& arguments)
{
    std::wstring command = L"\"" + MensuroExePath() + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, ExeDirectory().c_str(), &startup,
                        &started))
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(started.hProcess, 15000) == WAIT_OBJECT_0) GetExitCodeProcess(started.hProcess, &code);
    CloseHandle(started.hProcess);
    CloseHandle(started.hThread);
    return code;
}

// Ruler windows on the screen, of any process: tool windows titled "Mensuro".
int RulerWindows()
{
    int count = 0;
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            wchar_t title[16] = {};
            GetWindowTextW(hwnd, title, 16);
            const bool tool = (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
            if (IsWindowVisible(hwnd) && tool && std::wstring(title) == L"Mensuro") ++*reinterpret_cast<int*>(param);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// The picture size in a PNG file's header; 0 x 0 for no PNG file.
std::pair<long, long> PngSize(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    unsigned char h[24] = {};
    if (!file.read(reinterpret_cast<char*>(h), sizeof(h)) || std::memcmp(h + 1, "PNG", 3) != 0) return {0, 0};
    auto at = [&](int i) { return static_cast<long>(h[i] << 24 | h[i + 1] << 16 | h[i + 2] << 8 | h[i + 3]); };
    return {at(16), at(20)};
}

std::wstring TempPath(const wchar_t* name)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return temp + std::wstring(name);
}

class AlwaysAtHand : public testing::Test {
protected:
    void SetUp() override
    {
        if (!RulerSession::CanStartInLocale()) GTEST_SKIP() << "keys through the X server need Wine";
        StartAfreshAt(kRuler);
        DeleteFileW(m_picture.c_str());
    }
    void TearDown() override
    {
        MensuroRegistry().Clear();
        DeleteFileW(m_picture.c_str());
    }

    const std::wstring m_picture = TempPath(L"mensuro-command-line.png");
    const std::wstring m_unwritable = TempPath(L"no such folder\\mensuro.png");
};

} // namespace

TEST_F(AlwaysAtHand, GlobalKeysActWhileAnotherProgramStaysActive)
{
    // Shown before the ruler, which then stays above them (see platform notes).
    SolidWindow backdrop({50, 50, 700, 600}, kBackdrop);
    SolidWindow panel(kPanel, kPanelColour, true);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    // The panel, seen through the inner area, is the program in use.
    UserInput::Click(kPanel.left + 10, kPanel.top + 10);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == panel.Handle(); }));

    UserInput::MoveTo(260, 230);
    PressThroughX(L"super+alt+e");
    // The lines just past the panel's last column and row: the active panel is drawn over
    // the ruler under Wine.
    EXPECT_TRUE(WaitForPixel(kPanel.right, 230, kCyan)) << "Lines at Edges at the pointer";
    EXPECT_TRUE(WaitForPixel(260, kPanel.bottom, kCyan));
    PressThroughX(L"super+alt+l");
    // The loupe's coming proves the key was handled before the check that nothing took the focus.
    EXPECT_TRUE(PumpUntil([&] { return WindowOfProcess(ruler.ProcessId(), L"MensuroLoupe") != nullptr; }));
    EXPECT_EQ(panel.Handle(), GetForegroundWindow()) << "the program in use stays active";

    UserInput::MoveTo(600, 450);
    PressThroughX(L"super+alt+m");
    EXPECT_TRUE(PumpUntil([&] { return ruler.Rect().left == 600 - 40 && ruler.Rect().top == 450 - 40; }));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == ruler.Window(); })) << "Ruler to Pointer activates it";
}

TEST_F(AlwaysAtHand, LaterStartsHandTheirCommandToTheOneRuler)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    EXPECT_EQ(0u, StartMensuro(L""));
    EXPECT_EQ(0u, StartMensuro(L"/show"));
    EXPECT_EQ(1, RulerWindows());

    UserInput::Click(kRuler.left + 200, kRuler.top + 20); // the ruler takes the keys
    PressThroughX(L"alt+Right");
    EXPECT_TRUE(PumpUntil([&] { return ruler.Rect().left == kRuler.left + 1; })) << ruler.Rect().left;
    PressThroughX(L"alt+shift+Up");
    EXPECT_TRUE(PumpUntil([&] { return ruler.Rect().top == kRuler.top - 10; })) << ruler.Rect().top;

    EXPECT_EQ(0u, StartMensuro(L"/save \"" + m_picture + L"\""));
    EXPECT_EQ(std::make_pair(320L, 220L), PngSize(m_picture)) << "the inner area";
    // The second start has its answer before the ruler tells its user.
    EXPECT_EQ(1u, StartMensuro(L"/save \"" + m_unwritable + L"\""));
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (box = ruler.FindMessageBox()) != nullptr; }));
    EXPECT_TRUE(Answer(box, IDOK));

    EXPECT_EQ(0u, StartMensuro(L"/exit"));
    EXPECT_TRUE(PumpUntil([&] { return !ruler.Running(); }, 10000));
    EXPECT_EQ(0u, ruler.Exit()) << "its exit code";
    EXPECT_EQ(static_cast<uint32_t>(kRuler.top - 10), MensuroRegistry().Dword("CMensuroDlg", "TOP").value_or(0))
        << "saved as Exit saves";
}

TEST_F(AlwaysAtHand, AStartForSaveWritesThePictureAndEndsWithWhetherItCould)
{
    EXPECT_EQ(0u, StartMensuro(L"/save \"" + m_picture + L"\""));
    EXPECT_EQ(std::make_pair(320L, 220L), PngSize(m_picture)) << "the inner area";
    EXPECT_EQ(1u, StartMensuro(L"/save \"" + m_unwritable + L"\""));
    EXPECT_EQ(0, RulerWindows()) << "and no ruler stays";
}

TEST_F(AlwaysAtHand, ExitReturnsOnceTheRulerHasGoneAndAStartRightAfterRunsItsOwnCommand)
{
    const std::wstring jpeg = TempPath(L"mensuro-after-exit.jpg");
    DeleteFileW(jpeg.c_str());
    {
        RulerSession ruler;
        ASSERT_TRUE(ruler.Started());
        EXPECT_EQ(0u, StartMensuro(L"/exit"));
        EXPECT_FALSE(ruler.Running()) << "gone when /exit returns";
    }
    // At once: this start is the ruler, writes its picture in the type named, and ends.
    EXPECT_EQ(0u, StartMensuro(L"/save \"" + jpeg + L"\""));
    std::ifstream file(jpeg.c_str(), std::ios::binary);
    char magic[3] = {};
    file.read(magic, 3);
    EXPECT_EQ(std::string("\xFF\xD8\xFF"), std::string(magic, 3)) << "JPEG";
    file.close();
    DeleteFileW(jpeg.c_str());
}
