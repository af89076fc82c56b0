// "Copy" and "CopySetting...": what the clipboard, the screen and the registry show.
#include "e2e/ClipboardProbe.h"
#include "e2e/RulerSession.h"
#include "resources/resource.h"
#include "support/RegistryScope.h"
#include "support/ScreenProbe.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const char kSection[] = "CMensuroDlg";
constexpr int kS = 40; // default ScaleSize
constexpr COLORREF kBackdrop = RGB(32, 144, 96), kCyan = RGB(0, 255, 255), kRed = RGB(255, 0, 0);

// What a copy of `area` must hold: the CF_DIB of what the screen shows there, with
// `cursor` drawn at `at` (picture coordinates) if given.
std::vector<unsigned char> ExpectedDib(const RECT& area, HCURSOR cursor = nullptr, POINT at = {})
{
    const int w = area.right - area.left, h = area.bottom - area.top;
    const BITMAPINFOHEADER header = {
        sizeof(header), w, h, 1, 24, BI_RGB, static_cast<DWORD>(h * ((w * 3 + 3) / 4 * 4)), 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap =
        CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
    if (cursor) DrawIcon(memory, at.x, at.y, cursor);
    GdiFlush();
    std::vector<unsigned char> dib(sizeof(header) + header.biSizeImage);
    std::memcpy(dib.data(), &header, sizeof(header));
    std::memcpy(dib.data() + sizeof(header), bits, header.biSizeImage);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return dib;
}

// Colour of picture pixel (x, y), counted from the top row, of a 24-bit CF_DIB.
COLORREF PixelAt(const std::vector<unsigned char>& dib, int x, int y)
{
    const BITMAPINFOHEADER h = HeaderOf(dib);
    const size_t row = static_cast<size_t>(h.biHeight - 1 - y) * ((h.biWidth * 3 + 3) / 4 * 4);
    const unsigned char* p = dib.data() + sizeof(h) + row + 3 * x;
    return RGB(p[2], p[1], p[0]);
}

// Runs "Copy" (`commands` times, 50 ms apart) and returns how far the clipboard's sequence
// number moved. "Save Picture..." is asked for after it and waits for the same delay: once its
// dialog is open (it is closed again), every capture the commands started has been made.
DWORD CopyAndWait(const RulerSession& ruler, int commands = 1)
{
    const DWORD before = GetClipboardSequenceNumber();
    for (int i = 0; i < commands; ++i) {
        if (i > 0) Sleep(50);
        PostMessageW(ruler.Window(), WM_COMMAND, ID_COPY, 0);
    }
    PostMessageW(ruler.Window(), WM_COMMAND, ID_SAVE_PICTURE, 0);
    HWND save = nullptr;
    PumpUntil([&] { return (save = ruler.FindOwnWindow(L"Save Picture")) != nullptr; }, 5000);
    if (save) CloseDialog(ruler, save, IDCANCEL);
    return GetClipboardSequenceNumber() - before;
}

HWND WaitForMessageBox(const RulerSession& ruler)
{
    HWND box = nullptr;
    PumpUntil([&] { return (box = ruler.FindMessageBox()) != nullptr; });
    return box;
}

// The message text of a message box (its static control).
std::wstring MessageText(HWND box)
{
    return TextOf(GetDlgItem(box, 0xFFFF));
}

// Types into a control of the program (SetWindowText does not reach another process's controls).
void SetText(HWND control, const wchar_t* text)
{
    SendTimed(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void Close(HWND window)
{
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    PumpUntil([&] { return !IsWindow(window); });
}

void ClickCentreOf(HWND control, int dx = 0)
{
    RECT r = {};
    GetWindowRect(control, &r);
    UserInput::Click((r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2);
}

HWND OpenCopySetting(const RulerSession& ruler)
{
    return OpenDialog(ruler, ID_COPY_SETTING, L"Copy Setting");
}

bool Checked(HWND dialog, int id)
{
    return SendItemTimed(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::wstring SelectedTimer(HWND dialog)
{
    const HWND list = GetDlgItem(dialog, IDC_COPY_TIMER);
    const LRESULT index = SendTimed(list, CB_GETCURSEL, 0, 0);
    wchar_t text[64] = {};
    if (index >= 0) SendTimed(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

int EnabledOffsetControls(HWND dialog)
{
    int n = 0;
    for (int id = IDC_OFFSET_X; id <= IDC_OFFSET_LABEL; ++id) n += IsWindowEnabled(GetDlgItem(dialog, id)) ? 1 : 0;
    return n;
}

void SetRulerRect(const RECT& r)
{
    auto reg = MensuroRegistry();
    reg.SetDword(kSection, "LEFT", r.left);
    reg.SetDword(kSection, "TOP", r.top);
    reg.SetDword(kSection, "RIGHT", r.right);
    reg.SetDword(kSection, "BOTTOM", r.bottom);
}

class Copy : public testing::Test {
protected:
    void SetUp() override { MensuroRegistry().Clear(); }
    void TearDown() override { MensuroRegistry().Clear(); }
};

} // namespace

TEST_F(Copy, DefaultCopyIsTheInnerAreaAsShownAndARepeatedCommandCapturesOnce)
{
    // A 101 x 50 inner area: rows of 303 bytes padded to 304.
    const RECT rulerRect = {100, 100, 100 + 101 + 2 * kS, 100 + 50 + 2 * kS};
    const RECT inner = {rulerRect.left + kS, rulerRect.top + kS, rulerRect.right - kS, rulerRect.bottom - kS};
    SetRulerRect(rulerRect);
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    // A guide line at 30 by double-clicking the top bar.
    UserInput::DoubleClick(inner.left + 30, rulerRect.top + 30);
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(inner.left + 30, inner.top + 25) == kCyan; }));
    UserInput::MoveTo(700, 700); // no pointer over the picture
    ASSERT_TRUE(PutClipboardText(backdrop.Handle(), L"old"));

    const DWORD oneCapture = CopyAndWait(ruler);
    ASSERT_GT(oneCapture, 0u);
    EXPECT_EQ(nullptr, ruler.FindMessageBox()) << "a copy is silent by default";
    EXPECT_EQ(L"", ClipboardText()) << "the picture replaces everything on the clipboard";

    const std::vector<unsigned char> dib = ClipboardData(CF_DIB);
    ASSERT_EQ(40u + 50u * 304u, dib.size());
    const BITMAPINFOHEADER h = HeaderOf(dib);
    EXPECT_EQ(40u, h.biSize);
    EXPECT_EQ(50, h.biHeight) << "bottom-up rows";
    EXPECT_EQ(50u * 304u, h.biSizeImage);
    // Header (width, planes, depth, compression...) and pixels as the screen shows them.
    EXPECT_TRUE(ExpectedDib(inner) == dib);
    EXPECT_EQ(kCyan, PixelAt(dib, 30, 25)) << "the guide line is in the picture";
    EXPECT_EQ(kBackdrop, PixelAt(dib, 60, 25));

    // Two commands 50 ms apart within the 100 ms delay: the second restarts it.
    EXPECT_EQ(oneCapture, CopyAndWait(ruler, 2));
}

TEST_F(Copy, IncludeScaleAndCursorGiveTheWholeRulerWithThePointerImage)
{
    const RECT rulerRect = {100, 100, 500, 400};
    SetRulerRect(rulerRect);
    // No coordinate tooltip (0x002): it would come and go under the pointer.
    MensuroRegistry().SetDword(kSection, "Option", 0x00D | 0x100 | 0x200);
    MensuroRegistry().SetDword(kSection, "CopyOffsetX", static_cast<DWORD>(-5));
    MensuroRegistry().SetDword(kSection, "CopyOffsetY", static_cast<DWORD>(-5));
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(rulerRect.left + 140, rulerRect.top + 30) == kRed; }));
    // On the top bar, with the ruler in front: the ruler's cursor is the one shown.
    SetForegroundWindow(ruler.Window());
    const POINT pointer = {rulerRect.left + 200, rulerRect.top + 30};
    UserInput::MoveTo(pointer.x, pointer.y);
    // The capture waits for the copy's delay, a timer: the ruler has handled the move by then.

    ASSERT_GT(CopyAndWait(ruler), 0u);
    const std::vector<unsigned char> dib = ClipboardData(CF_DIB);
    ASSERT_EQ(400, HeaderOf(dib).biWidth);
    ASSERT_EQ(300, HeaderOf(dib).biHeight);
    EXPECT_EQ(kRed, PixelAt(dib, 140, 30)) << "the top bar's big tick at 100";
    // The bar shows the standard arrow, drawn with its top-left corner at the pointer plus the offsets.
    const POINT at = {pointer.x - 5 - rulerRect.left, pointer.y - 5 - rulerRect.top};
    EXPECT_TRUE(ExpectedDib(rulerRect, LoadCursorW(nullptr, IDC_ARROW), at) == dib);
    EXPECT_FALSE(ExpectedDib(rulerRect) == dib) << "the cursor image is drawn";
}

TEST_F(Copy, ResultMessagesAndAClipboardHeldByAnotherProgram)
{
    MensuroRegistry().SetDword(kSection, "Option", 0x00F | 0x400);
    SolidWindow holder({700, 700, 720, 720}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());

    PostMessageW(ruler.Window(), WM_COMMAND, ID_COPY, 0);
    HWND box = WaitForMessageBox(ruler);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(L"It copied. ", MessageText(box));
    EXPECT_EQ(L"Mensuro", TextOf(box));
    EXPECT_EQ(ruler.Window(), GetWindow(box, GW_OWNER));
    Close(box);
    EXPECT_FALSE(ClipboardData(CF_DIB).empty());

    // Another program holds the clipboard open: failure, reported, and nothing changes.
    HeldClipboard held(holder.Handle(), L"keep");
    ASSERT_TRUE(held.Held());
    const DWORD sequence = GetClipboardSequenceNumber();
    PostMessageW(ruler.Window(), WM_COMMAND, ID_COPY, 0);
    box = WaitForMessageBox(ruler);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(L"It failed in the copy. ", MessageText(box));
    Close(box);

    // Without Show Message the same failure is silent.
    HWND dialog = OpenCopySetting(ruler);
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(Checked(dialog, IDC_SHOW_MESSAGE));
    SendItemTimed(dialog, IDC_SHOW_MESSAGE, BM_CLICK, 0, 0);
    Close(dialog);
    EXPECT_EQ(0u, CopyAndWait(ruler));
    EXPECT_EQ(nullptr, ruler.FindMessageBox());
    EXPECT_EQ(sequence, GetClipboardSequenceNumber());
    held.Release();
    EXPECT_EQ(L"keep", ClipboardText());
}

TEST_F(Copy, CopySettingEditsTheOptionsOnOkOnly)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    HWND dialog = OpenCopySetting(ruler);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(ruler.Window(), GetWindow(dialog, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(ruler.Window())) << "modal: the ruler waits";
    EXPECT_EQ(15, SendItemTimed(dialog, IDC_COPY_TIMER, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(L"0.1 sec", SelectedTimer(dialog));
    EXPECT_FALSE(Checked(dialog, IDC_INCLUDE_CURSOR) || Checked(dialog, IDC_INCLUDE_SCALE) ||
                 Checked(dialog, IDC_SHOW_MESSAGE));
    EXPECT_EQ(L"0", TextOf(GetDlgItem(dialog, IDC_OFFSET_X)));
    EXPECT_EQ(L"0", TextOf(GetDlgItem(dialog, IDC_OFFSET_Y)));
    EXPECT_EQ(0, EnabledOffsetControls(dialog));

    ClickCentreOf(GetDlgItem(dialog, IDC_INCLUDE_CURSOR));
    ASSERT_TRUE(PumpUntil([&] { return EnabledOffsetControls(dialog) == 7; }));

    // The arrows step by one and stop at the range's ends: at an end, the step back after the
    // one that did nothing shows where it left the number.
    const HWND x = GetDlgItem(dialog, IDC_OFFSET_X), spin = GetDlgItem(dialog, IDC_OFFSET_X_SPIN);
    RECT arrows = {};
    GetWindowRect(spin, &arrows);
    const int quarter = (arrows.right - arrows.left) / 4;
    struct Step {
        const wchar_t* from;
        std::vector<int> clicks; // right arrow > 0
        const wchar_t* to;
    } const steps[] = {
        {L"5", {quarter}, L"6"}, {L"200", {quarter, -quarter}, L"199"}, {L"-200", {-quarter, quarter}, L"-199"}};
    for (const Step& s : steps) {
        SetText(x, s.from);
        for (int dx : s.clicks) ClickCentreOf(spin, dx);
        EXPECT_SOON_EQ(std::wstring(s.to), TextOf(x)) << "from " << std::wstring(s.from);
    }

    // Out of range at OK: the input message, and the dialog stays.
    SetText(x, L"250");
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    HWND box = WaitForMessageBox(ruler);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(L"An error is in input value. ", MessageText(box));
    Close(box);
    EXPECT_TRUE(IsWindowVisible(dialog));

    // Cancel keeps the options: the dialog opens again as before.
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }));
    dialog = OpenCopySetting(ruler);
    ASSERT_NE(nullptr, dialog);
    EXPECT_FALSE(Checked(dialog, IDC_INCLUDE_CURSOR));
    EXPECT_EQ(L"0", TextOf(GetDlgItem(dialog, IDC_OFFSET_X)));

    SendItemTimed(dialog, IDC_COPY_TIMER, CB_SETCURSEL, 14, 0);
    EXPECT_EQ(L"30 sec", SelectedTimer(dialog));
    SendItemTimed(dialog, IDC_INCLUDE_SCALE, BM_CLICK, 0, 0);
    SetText(GetDlgItem(dialog, IDC_OFFSET_X), L"-7");
    Close(dialog);
    EXPECT_TRUE(IsWindowEnabled(ruler.Window()));
    EXPECT_EQ(0u, ruler.Exit());

    auto reg = MensuroRegistry();
    EXPECT_EQ(30000u, reg.Dword(kSection, "CopyTimer").value_or(0));
    EXPECT_EQ(0x00Fu | 0x200u, reg.Dword(kSection, "Option").value_or(0));
    EXPECT_EQ(static_cast<uint32_t>(-7), reg.Dword(kSection, "CopyOffsetX").value_or(0));
    EXPECT_EQ(0u, reg.Dword(kSection, "CopyOffsetY").value_or(1));
}

TEST_F(Copy, AStoredDelayTheListLacksShowsAndSavesAsTheShortest)
{
    MensuroRegistry().SetDword(kSection, "CopyTimer", 2500);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    HWND dialog = OpenCopySetting(ruler);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(L"0.1 sec", SelectedTimer(dialog));
    Close(dialog);
    EXPECT_EQ(0u, ruler.Exit());
    EXPECT_EQ(100u, MensuroRegistry().Dword(kSection, "CopyTimer").value_or(0));
}
