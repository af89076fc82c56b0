// The Line list dialog of the real program: its controls, the ruler's lines and the template file.
#include "e2e/RulerSession.h"
#include "support/RegistryScope.h"
#include "support/ScreenProbe.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Texts = std::vector<std::wstring>;

namespace {

// Ids of the dialog's controls, as the program's resources give them.
enum : int {
    kListX = 1020,
    kListY = 1021,
    kAddX = 1022,
    kUpdateX = 1023,
    kDeleteX = 1024,
    kValueX = 1025,
    kName = 1026,
    kStore = 1027,
    kSpinX = 1028,
    kAddY = 1029,
    kUpdateY = 1030,
    kDeleteY = 1031,
    kValueY = 1032,
    kSpinY = 1033,
    kDeleteTemplate = 1034,
    kLineListCommand = 32774,
};

const char kSection[] = "CMensuroDlg";
constexpr int kS = 40;                        // default ScaleSize
constexpr RECT kRuler = {100, 100, 500, 400}; // a 400 x 300 client area
constexpr COLORREF kBackdrop = RGB(32, 144, 96), kLineColour = RGB(0, 255, 255);

const char kExampleFile[] = "[Web]\r\nCursorX=64000000C8000000\r\nNumY=0\r\nNumX=2\r\n"
                            "\r\n[Grid]\r\nCursorY=18000000\r\nCursorX=20000000\r\nNumY=1\r\nNumX=1\r\n";

fs::path TemplateFile()
{
    return fs::path(ExeDirectory()) / L"Mensuro.ini";
}

std::string FileBytes()
{
    std::ifstream in(TemplateFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutFile(const std::string& bytes)
{
    std::ofstream(TemplateFile(), std::ios::binary) << bytes;
}

POINT Centre(const RECT& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The window that has the mouse captured on the thread of `window`.
HWND CaptureOf(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndCapture : nullptr;
}

// The Line list dialog opened from the ruler, driven with real clicks and typed characters.
class LineListDialog {
public:
    LineListDialog(const RulerSession& ruler, const wchar_t* title)
        : m_ruler(ruler), m_dialog(OpenDialog(ruler, kLineListCommand, title))
    {
    }

    bool Opened() const { return m_dialog != nullptr; }
    HWND Handle() const { return m_dialog; }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(m_dialog, id)) != FALSE; }
    std::wstring Text(int id) const { return TextOf(m_dialog, id); }
    int Selection(int listId) const
    {
        return static_cast<int>(SendTimed(GetDlgItem(m_dialog, listId), LB_GETCURSEL, 0, 0));
    }
    // The entries of a list box, or of a combo box's list.
    Texts Entries(int id) const
    {
        const HWND control = GetDlgItem(m_dialog, id);
        const bool combo = id == kName || id == kValueX || id == kValueY;
        const LRESULT count = SendTimed(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
        Texts entries;
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[256] = {};
            SendTimed(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            entries.push_back(text);
        }
        return entries;
    }

    // Replaces a combo box's text as typing does, one character at a time.
    void Type(int comboId, const std::wstring& text) const
    {
        const HWND edit = FindWindowExW(GetDlgItem(m_dialog, comboId), nullptr, L"Edit", nullptr);
        SendTimed(edit, EM_SETSEL, 0, -1);
        SendTimed(edit, WM_CHAR, VK_BACK, 0);
        for (wchar_t c : text) SendTimed(edit, WM_CHAR, c, 0);
    }
    // Sets a field's text at once. Typing stops at the field's width, which depends on the
    // fonts Wine has; the name field reacts to nothing typed, so this stands for typing there.
    void Put(int id, const std::wstring& text) const
    {
        SendTimed(GetDlgItem(m_dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void Click(int id) const { ClickAt(Centre(WindowRectOf(GetDlgItem(m_dialog, id)))); }
    // The left or right arrow of an up-down control.
    void Spin(int spinId, bool right) const
    {
        const RECT r = WindowRectOf(GetDlgItem(m_dialog, spinId));
        const int quarter = (r.right - r.left) / 4;
        ClickAt({right ? r.right - quarter : r.left + quarter, (r.top + r.bottom) / 2});
    }
    void Choose(int listId, int index) const { ClickItem(GetDlgItem(m_dialog, listId), index); }
    // Opens a combo box's list with its arrow and clicks an entry.
    void Pick(int comboId, int index) const
    {
        const RECT r = WindowRectOf(GetDlgItem(m_dialog, comboId));
        ClickAt({r.right - 6, (r.top + r.bottom) / 2});
        // The list shows on the press. The release, handled later on a busy machine, puts the
        // list back in step with the field, scrolling it to the top, and only then hands it the
        // pointer: a place read before that scroll is one the next click does not meet.
        HWND dropped = nullptr;
        PumpUntil([&] {
            dropped = WindowOfProcess(m_ruler.ProcessId(), L"ComboLBox");
            return dropped && CaptureOf(dropped) == dropped;
        });
        ASSERT_NE(nullptr, dropped);
        ASSERT_EQ(dropped, CaptureOf(dropped)) << "the arrow's click was not seen to end";
        SendTimed(dropped, LB_SETTOPINDEX, index, 0);
        ClickItem(dropped, index);
    }
    // Ends the dialog with OK or Cancel; true once it is gone.
    bool Close(int buttonId) const
    {
        Click(buttonId);
        return PumpUntil([&] { return !IsWindow(m_dialog); });
    }
    // Answers the message box the last action raised; false if there was none.
    bool AnswerMessage() const
    {
        HWND box = nullptr;
        PumpUntil([&] { return (box = m_ruler.FindMessageBox()) != nullptr; });
        return box && Answer(box, IDOK);
    }

private:
    // A click is input: the dialog takes it after any message sent to it. Before the next
    // message (a typed text), the test waits for what the click does.
    void ClickAt(POINT p) const { UserInput::Click(p.x, p.y); }
    void ClickItem(HWND list, int index) const
    {
        const int height = static_cast<int>(SendTimed(list, LB_GETITEMHEIGHT, 0, 0));
        const int top = static_cast<int>(SendTimed(list, LB_GETTOPINDEX, 0, 0));
        POINT p = {4, (index - top) * height + height / 2};
        ClientToScreen(list, &p);
        ClickAt(p);
    }

    const RulerSession& m_ruler;
    HWND m_dialog = nullptr;
};

class LineList : public testing::Test {
protected:
    void SetUp() override
    {
        StartAfreshAt(kRuler);
        fs::remove(TemplateFile());
    }
    void TearDown() override
    {
        MensuroRegistry().Clear();
        fs::remove(TemplateFile());
    }

    // Whether the ruler shows the vertical line at X coordinate x, in its inner area.
    static bool ShowsLineAt(int x) { return ScreenPixel(kRuler.left + kS + x, kRuler.top + 150) == kLineColour; }
};

} // namespace

TEST_F(LineList, CoordinateListsFollowTheirRulesAndCancelDiscardsThem)
{
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    {
        LineListDialog dialog(ruler, L"Line list");
        ASSERT_TRUE(dialog.Opened());
        EXPECT_EQ(ruler.Window(), GetWindow(dialog.Handle(), GW_OWNER));
        EXPECT_FALSE(IsWindowEnabled(ruler.Window())) << "the ruler waits while the dialog is open";
        const Texts presets = dialog.Entries(kValueX);
        ASSERT_EQ(35u, presets.size());
        EXPECT_EQ((Texts{L"32", L"24", L"64"}), Texts(presets.begin(), presets.begin() + 3));
        EXPECT_EQ(L"1500", presets.back());
        EXPECT_EQ(presets, dialog.Entries(kValueY));
        for (int id : {kAddX, kUpdateX, kDeleteX, kAddY, kUpdateY, kDeleteY}) EXPECT_FALSE(dialog.Enabled(id)) << id;
        EXPECT_TRUE(dialog.Entries(kListX).empty());
        EXPECT_TRUE(dialog.Entries(kName).empty()) << "no template file";

        dialog.Type(kValueX, L"250");
        EXPECT_TRUE(dialog.Enabled(kAddX)) << "typing enables Add";
        dialog.Click(kAddX);
        EXPECT_SOON_EQ(Texts{L"250"}, dialog.Entries(kListX));
        EXPECT_EQ(L"", dialog.Text(kValueX));
        EXPECT_FALSE(dialog.Enabled(kAddX));
        for (const wchar_t* refused : {L"250", L"10000"}) {
            dialog.Type(kValueX, refused);
            dialog.Click(kAddX);
            // Picking the entry puts its value in the field and enables Update: the Add before it
            // has been handled. The first time the field holds "250" already, so only Update
            // tells; until then the next typing could overtake the clicks still on their way.
            dialog.Choose(kListX, 0);
            EXPECT_TRUE(PumpUntil([&] { return dialog.Text(kValueX) == L"250" && dialog.Enabled(kUpdateX); }))
                << refused;
            EXPECT_EQ(Texts{L"250"}, dialog.Entries(kListX)) << refused;
        }
        dialog.Type(kValueX, L"abc");
        dialog.Click(kAddX);
        EXPECT_SOON_EQ((Texts{L"250", L"0"}), dialog.Entries(kListX)) << "abc reads as 0";
        dialog.Type(kValueX, L"300");
        dialog.Click(kAddX);
        EXPECT_SOON_EQ((Texts{L"250", L"0", L"300"}), dialog.Entries(kListX));

        dialog.Choose(kListX, 2);
        EXPECT_SOON_EQ(std::wstring(L"300"), dialog.Text(kValueX));
        EXPECT_TRUE(dialog.Enabled(kUpdateX) && dialog.Enabled(kDeleteX));
        EXPECT_FALSE(dialog.Enabled(kAddX)) << "a picked entry is not typing";
        dialog.Type(kValueX, L"20000");
        dialog.Click(kUpdateX);
        EXPECT_SOON_EQ((Texts{L"250", L"0", L"20000"}), dialog.Entries(kListX)) << "Update takes any number";
        EXPECT_EQ(2, dialog.Selection(kListX));
        dialog.Click(kDeleteX);
        EXPECT_SOON_EQ((Texts{L"250", L"0"}), dialog.Entries(kListX));
        EXPECT_EQ(1, dialog.Selection(kListX)) << "the new last entry";
        EXPECT_EQ(L"20000", dialog.Text(kValueX)) << "Delete leaves the field alone";

        dialog.Pick(kValueX, 16);
        EXPECT_SOON_EQ(std::wstring(L"640"), dialog.Text(kValueX));
        EXPECT_TRUE(dialog.Enabled(kAddX));
        dialog.Click(kAddX);
        EXPECT_SOON_EQ((Texts{L"250", L"0", L"640"}), dialog.Entries(kListX));

        // The spin counts from the field and stays within 0 to 9999; each step is seen before
        // the next, a step that changes nothing by the one after it.
        dialog.Type(kValueY, L"abc");
        dialog.Spin(kSpinY, true);
        EXPECT_SOON_EQ(std::wstring(L"1"), dialog.Text(kValueY));
        dialog.Spin(kSpinY, false);
        EXPECT_SOON_EQ(std::wstring(L"0"), dialog.Text(kValueY));
        dialog.Spin(kSpinY, false);
        dialog.Spin(kSpinY, true);
        EXPECT_SOON_EQ(std::wstring(L"1"), dialog.Text(kValueY)) << "no step below 0";
        dialog.Type(kValueY, L"9999");
        dialog.Click(kAddY);
        EXPECT_SOON_EQ(Texts{L"9999"}, dialog.Entries(kListY));
        EXPECT_FALSE(dialog.Enabled(kAddY));
        dialog.Spin(kSpinY, false);
        EXPECT_SOON_EQ(std::wstring(L"0"), dialog.Text(kValueY)) << "the emptied field reads as 0";
        EXPECT_TRUE(dialog.Enabled(kAddY)) << "any click of the spin enables Add";
        dialog.Type(kValueY, L"9999");
        dialog.Spin(kSpinY, true);
        dialog.Spin(kSpinY, false);
        EXPECT_SOON_EQ(std::wstring(L"9998"), dialog.Text(kValueY)) << "no step above 9999";
        dialog.Choose(kListY, 0);
        EXPECT_SOON_EQ(std::wstring(L"9999"), dialog.Text(kValueY));
        dialog.Click(kDeleteY);
        EXPECT_SOON_EQ(Texts{}, dialog.Entries(kListY));
        EXPECT_FALSE(dialog.Enabled(kUpdateY) || dialog.Enabled(kDeleteY)) << "nothing left to update";

        ASSERT_TRUE(dialog.Close(IDCANCEL));
    }
    EXPECT_FALSE(ShowsLineAt(250));
    LineListDialog again(ruler, L"Line list");
    ASSERT_TRUE(again.Opened());
    EXPECT_TRUE(again.Entries(kListX).empty()) << "Cancel handed nothing to the ruler";
    EXPECT_TRUE(again.Close(IDCANCEL));
}

TEST_F(LineList, TemplatesGoToTheFileBesideTheProgramAndComeBackInALaterRun)
{
    {
        RulerSession ruler;
        ASSERT_TRUE(ruler.Started());
        LineListDialog dialog(ruler, L"Line list");
        ASSERT_TRUE(dialog.Opened());
        dialog.Type(kValueX, L"100");
        dialog.Click(kAddX);
        EXPECT_SOON_EQ(Texts{L"100"}, dialog.Entries(kListX));
        dialog.Type(kValueX, L"200");
        dialog.Click(kAddX);
        EXPECT_SOON_EQ((Texts{L"100", L"200"}), dialog.Entries(kListX));
        dialog.Type(kName, L"Web");
        dialog.Click(kStore);
        EXPECT_SOON_EQ(Texts{L"Web"}, dialog.Entries(kName));
        EXPECT_EQ(L"", dialog.Text(kName)) << "the rebuilt list empties the field";

        dialog.Choose(kListX, 0);
        EXPECT_SOON_EQ(0, dialog.Selection(kListX));
        dialog.Click(kDeleteX);
        EXPECT_SOON_EQ(Texts{L"200"}, dialog.Entries(kListX));
        dialog.Click(kDeleteX);
        EXPECT_SOON_EQ(Texts{}, dialog.Entries(kListX));
        dialog.Type(kValueX, L"32");
        dialog.Click(kAddX);
        EXPECT_SOON_EQ(Texts{L"32"}, dialog.Entries(kListX));
        dialog.Type(kValueY, L"24");
        dialog.Click(kAddY);
        EXPECT_SOON_EQ(Texts{L"24"}, dialog.Entries(kListY));
        dialog.Type(kName, L"Grid");
        dialog.Click(kStore);
        EXPECT_SOON_EQ((Texts{L"Grid", L"Web"}), dialog.Entries(kName)) << "sorted";
        EXPECT_EQ(kExampleFile, FileBytes());

        dialog.Click(kStore); // with an empty name
        // Picking an entry puts its value in the field: the Store before it has been handled.
        dialog.Choose(kListX, 0);
        EXPECT_SOON_EQ(std::wstring(L"32"), dialog.Text(kValueX));
        dialog.Type(kName, L"Nope");
        dialog.Click(kDeleteTemplate);
        ASSERT_TRUE(dialog.Close(IDCANCEL));
        EXPECT_EQ(kExampleFile, FileBytes()) << "no empty name, no unknown template, and Cancel keeps what "
                                                "the template buttons wrote";
    }

    // A template whose block is shorter than its count loads as zeros.
    PutFile(std::string(kExampleFile) + "\r\n[Short]\r\nNumX=3\r\nCursorX=64000000C8000000\r\n");
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    {
        LineListDialog dialog(ruler, L"Line list");
        ASSERT_TRUE(dialog.Opened());
        ASSERT_EQ((Texts{L"Grid", L"Short", L"Web"}), dialog.Entries(kName));
        dialog.Pick(kName, 1);
        EXPECT_SOON_EQ((Texts{L"0", L"0", L"0"}), dialog.Entries(kListX));
        dialog.Pick(kName, 2);
        EXPECT_SOON_EQ((Texts{L"100", L"200"}), dialog.Entries(kListX));
        EXPECT_EQ(L"Web", dialog.Text(kName));
        EXPECT_TRUE(dialog.Entries(kListY).empty());
        ASSERT_TRUE(dialog.Close(IDOK));
    }
    EXPECT_TRUE(WaitForPixel(kRuler.left + kS + 100, kRuler.top + 150, kLineColour));
    EXPECT_TRUE(ShowsLineAt(200));
    EXPECT_FALSE(ShowsLineAt(150));

    LineListDialog dialog(ruler, L"Line list");
    ASSERT_TRUE(dialog.Opened());
    EXPECT_EQ((Texts{L"100", L"200"}), dialog.Entries(kListX)) << "the ruler's lines";
    dialog.Type(kName, L"Short");
    dialog.Click(kDeleteTemplate);
    EXPECT_SOON_EQ((Texts{L"Grid", L"Web"}), dialog.Entries(kName));
    EXPECT_EQ(std::string(kExampleFile) + "\r\n", FileBytes()) << "the empty line before it stays";
    EXPECT_TRUE(dialog.Close(IDCANCEL));
}

TEST_F(LineList, NothingReachesAFileThatCannotBeReadOrANameItCannotHold)
{
    PutFile(kExampleFile);
    // Another program holds the file without sharing it.
    HANDLE held = CreateFileW(TemplateFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    LineListDialog dialog(ruler, L"Line list");
    ASSERT_TRUE(dialog.Opened());
    EXPECT_TRUE(dialog.Entries(kName).empty()) << "an unreadable file lists no templates";
    dialog.Type(kValueX, L"5");
    dialog.Click(kAddX);
    EXPECT_SOON_EQ(Texts{L"5"}, dialog.Entries(kListX));
    dialog.Type(kName, L"Web");
    dialog.Click(kStore);
    EXPECT_TRUE(dialog.AnswerMessage()) << "the user sees that nothing was stored";
    dialog.Type(kName, L"Grid");
    dialog.Click(kDeleteTemplate);
    EXPECT_TRUE(dialog.AnswerMessage());
    CloseHandle(held);
    EXPECT_EQ(kExampleFile, FileBytes());

    // Not in the ANSI code page of an English system: refused before the file is opened.
    dialog.Type(kName, L"\u03A9");
    dialog.Click(kStore);
    EXPECT_TRUE(dialog.AnswerMessage());
    EXPECT_EQ(kExampleFile, FileBytes());
    EXPECT_TRUE(dialog.Close(IDCANCEL));
}

// A read-only file is kept and the user told so; a file saved with a byte-order mark lists its
// first template and keeps the mark.
TEST_F(LineList, AReadOnlyFileIsToldAndKeptAndAByteOrderMarkStays)
{
    const std::string marked = "\xEF\xBB\xBF" + std::string(kExampleFile);
    PutFile(marked);
    ASSERT_TRUE(SetFileAttributesW(TemplateFile().c_str(), FILE_ATTRIBUTE_READONLY));
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    LineListDialog dialog(ruler, L"Line list");
    ASSERT_TRUE(dialog.Opened());
    EXPECT_EQ((Texts{L"Grid", L"Web"}), dialog.Entries(kName)) << "the list is sorted";
    dialog.Type(kValueX, L"5");
    dialog.Click(kAddX);
    EXPECT_SOON_EQ(Texts{L"5"}, dialog.Entries(kListX));
    dialog.Put(kName, L"Web");
    dialog.Click(kStore);
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (box = ruler.FindMessageBox()) != nullptr; }));
    EXPECT_TRUE(HasChildText(box, L"left unchanged"));
    EXPECT_TRUE(Answer(box, IDOK));
    EXPECT_EQ(marked, FileBytes());

    SetFileAttributesW(TemplateFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    dialog.Click(kStore);
    // A store that worked rebuilds the name list, which empties the field. The file is read only
    // then: under Wine a file held open, even for reading, cannot be replaced, and the store fails.
    EXPECT_TRUE(PumpUntil([&] { return dialog.Text(kName).empty() || ruler.FindMessageBox(); }));
    EXPECT_EQ(std::string("\xEF\xBB\xBF[Web]\r\nCursorX=05000000\r\nNumY=0\r\nNumX=1\r\n"), FileBytes().substr(0, 44));
    ruler.Sync();
    EXPECT_EQ(nullptr, ruler.FindMessageBox()) << "a store that worked says nothing";
    EXPECT_EQ((Texts{L"Grid", L"Web"}), dialog.Entries(kName)) << "stored over the first, not beside it";
    EXPECT_TRUE(dialog.Close(IDCANCEL));
}

// Under a Japanese user interface names are kept in code page 932, where テンプレート ends in
// the bytes of "[ト]".
TEST_F(LineList, JapaneseNamesAreStoredListedLoadedAndDeletedIndependently)
{
    if (!RulerSession::CanStartInLocale()) GTEST_SKIP() << "a Japanese user interface is started only under Wine";
    RulerSession ruler("ja_JP.UTF-8");
    ASSERT_TRUE(ruler.Started());
    LineListDialog dialog(ruler, L"\u30E9\u30A4\u30F3\u4E00\u89A7"); // ライン一覧
    ASSERT_TRUE(dialog.Opened());
    const std::wstring templateName = L"\u30C6\u30F3\u30D7\u30EC\u30FC\u30C8", to = L"\u30C8";
    dialog.Type(kValueX, L"10");
    dialog.Click(kAddX);
    EXPECT_SOON_EQ(Texts{L"10"}, dialog.Entries(kListX));
    dialog.Put(kName, templateName);
    dialog.Click(kStore);
    EXPECT_SOON_EQ(Texts{templateName}, dialog.Entries(kName));
    dialog.Choose(kListX, 0);
    EXPECT_SOON_EQ(std::wstring(L"10"), dialog.Text(kValueX));
    dialog.Type(kValueX, L"20");
    dialog.Click(kUpdateX);
    EXPECT_SOON_EQ(Texts{L"20"}, dialog.Entries(kListX));
    dialog.Put(kName, to);
    dialog.Click(kStore);
    EXPECT_SOON_EQ((Texts{templateName, to}), dialog.Entries(kName));
    const std::string first =
        "[\x83\x65\x83\x93\x83\x76\x83\x8C\x81\x5B\x83\x67]\r\nCursorX=0A000000\r\nNumY=0\r\nNumX=1\r\n";
    EXPECT_EQ(first + "\r\n[\x83\x67]\r\nCursorX=14000000\r\nNumY=0\r\nNumX=1\r\n", FileBytes());

    dialog.Put(kName, to);
    dialog.Click(kDeleteTemplate);
    EXPECT_SOON_EQ(Texts{templateName}, dialog.Entries(kName));
    EXPECT_EQ(first + "\r\n", FileBytes());
    dialog.Pick(kName, 0);
    EXPECT_SOON_EQ(Texts{L"10"}, dialog.Entries(kListX));
    EXPECT_TRUE(dialog.Close(IDOK));
}
