// The whole program in a Japanese user interface: the menu, every dialog's texts, a template
// with a Japanese name, and what the program leaves behind after "Exit".
#include "e2e/RulerSession.h"
#include "resources/resource.h"
#include "support/RegistryScope.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const char kSection[] = "CMensuroDlg";

std::string TemplateFileBytes()
{
    std::ifstream in(std::filesystem::path(ExeDirectory()) / L"Mensuro.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(Japanese, WholeProgramSpeaksJapaneseAndStoresAJapaneseTemplate)
{
    MensuroRegistry().Clear();
    DeleteFileW((ExeDirectory() + L"\\Mensuro.ini").c_str());
    if (!RulerSession::CanStartInLocale()) GTEST_SKIP() << "a Japanese user interface is started only under Wine";
    RulerSession ruler("ja_JP.UTF-8");
    ASSERT_TRUE(ruler.Started());
    const RECT r = ruler.Rect();

    // The menu opens and its "バージョン情報..." opens the version box.
    HWND menu = OpenContextMenu(ruler, r.left + 150, r.top + 30);
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(ChooseMenuCommand(menu, ID_APP_ABOUT));
    HWND version = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (version = ruler.FindOwnWindow(L"Version")) != nullptr; }));
    EXPECT_TRUE(HasChildText(version, L"Mensuro Version 1.1.0"));
    ASSERT_TRUE(CloseDialog(ruler, version, IDOK));

    HWND settings = OpenDialog(ruler, ID_SETTINGS, L"\u8A2D\u5B9A"); // 設定
    ASSERT_NE(nullptr, settings);
    EXPECT_EQ(L"\u30C4\u30FC\u30EB\u30C1\u30C3\u30D7 (&P) \uFF1A ", TextOf(settings, IDC_TOOLTIP)); // ツールチップ
    EXPECT_EQ(L"\u30AD\u30E3\u30F3\u30BB\u30EB", TextOf(settings, IDCANCEL));                       // キャンセル
    ASSERT_TRUE(CloseDialog(ruler, settings, IDCANCEL));

    HWND copy = OpenDialog(ruler, ID_COPY_SETTING, L"\u30B3\u30D4\u30FC\u8A2D\u5B9A"); // コピー設定
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(L"\u30E1\u30C3\u30BB\u30FC\u30B8\u3092\u8868\u793A(&M) \uFF1A", TextOf(copy, IDC_SHOW_MESSAGE));
    // The delay list is built from the Japanese strings: "0.1 秒" first.
    wchar_t first[32] = {};
    SendTimed(GetDlgItem(copy, IDC_COPY_TIMER), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_EQ(std::wstring(L"0.1 \u79D2"), first);
    ASSERT_TRUE(CloseDialog(ruler, copy, IDCANCEL));

    // A template named ルーラー with X line 100; OK puts the line on the ruler.
    HWND lines = OpenDialog(ruler, ID_LINE_LIST, L"\u30E9\u30A4\u30F3\u4E00\u89A7"); // ライン一覧
    ASSERT_NE(nullptr, lines);
    EXPECT_EQ(L"\u767B\u9332", TextOf(lines, IDC_TEMPLATE_ADD)); // 登録
    const HWND valueEdit = FindWindowExW(GetDlgItem(lines, IDC_VALUE_X), nullptr, L"Edit", nullptr);
    SendTimed(valueEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"100"));
    SendTimed(GetDlgItem(lines, IDC_ADD_X), BM_CLICK, 0, 0);
    SendTimed(GetDlgItem(lines, IDC_TEMPLATE_NAME), WM_SETTEXT, 0,
              reinterpret_cast<LPARAM>(L"\u30EB\u30FC\u30E9\u30FC")); // ルーラー
    SendTimed(GetDlgItem(lines, IDC_TEMPLATE_ADD), BM_CLICK, 0, 0);
    ASSERT_TRUE(CloseDialog(ruler, lines, IDOK));
    EXPECT_TRUE(WaitForPixel(r.left + 40 + 100, r.top + 150, RGB(0, 255, 255)));

    EXPECT_EQ(0u, ruler.Exit());
    EXPECT_EQ(15u, MensuroRegistry().Dword(kSection, "Option").value_or(0));
    EXPECT_EQ(static_cast<uint32_t>(r.right), MensuroRegistry().Dword(kSection, "RIGHT").value_or(0));
    // The name in code page 932; "ー" ends in the byte of "[" and must not break the file.
    EXPECT_EQ("[\x83\x8B\x81\x5B\x83\x89\x81\x5B]\r\nCursorX=64000000\r\nNumY=0\r\nNumX=1\r\n", TemplateFileBytes());
    MensuroRegistry().Clear();
    DeleteFileW((ExeDirectory() + L"\\Mensuro.ini").c_str());
}
