#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "profile/IniProfile.h"

namespace fs = std::filesystem;

TEST(IniProfileWin, DefaultFileSitsBesideTheExecutable)
{
    wchar_t module[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, module, MAX_PATH), 0u);
    const fs::path executable = module;
    const fs::path expected = executable.parent_path() / (executable.stem().wstring() + L".ini");
    ASSERT_FALSE(fs::exists(expected));

    IniProfile().WriteInt("Win", "k", 1);
    const std::string text = IniProfile(expected).Text().Content();
    fs::remove(expected);
    EXPECT_EQ(text, "[Win]\r\nk=1\r\n");
}

// Another program holding the file open without delete sharing makes the
// replacement fail; the old templates must survive it untouched.
TEST(IniProfileWin, SaveOverAFileHeldOpenKeepsIt)
{
    wchar_t name[MAX_PATH];
    ASSERT_NE(GetTempFileNameW(fs::temp_directory_path().c_str(), L"ini", 0, name), 0u);
    const fs::path path = name;
    fs::path temp = path;
    temp += ".tmp";
    IniProfile(path).WriteInt("A", "k", 1);

    HANDLE held =
        CreateFileW(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    bool committed = true;
    {
        IniProfile store(path);
        store.WriteInt("A", "k", 2);
        committed = store.Commit();
    }
    CloseHandle(held);
    EXPECT_FALSE(committed);

    const std::string text = IniProfile(path).Text().Content();
    const bool tempLeft = fs::exists(temp);
    fs::remove(path);
    fs::remove(temp);
    EXPECT_EQ(text, "[A]\r\nk=1\r\n");
    EXPECT_FALSE(tempLeft);
}

// A file another program holds without read sharing cannot be loaded: the store
// stays empty and must not replace the templates it never saw.
TEST(IniProfileWin, FileLockedAgainstReadingIsNeverReplaced)
{
    wchar_t name[MAX_PATH];
    ASSERT_NE(GetTempFileNameW(fs::temp_directory_path().c_str(), L"ini", 0, name), 0u);
    const fs::path path = name;
    IniProfile(path).WriteInt("A", "k", 1);

    HANDLE held = CreateFileW(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    bool readFailed = false, written = true;
    {
        IniProfile store(path);
        readFailed = store.ReadFailed();
        written = store.WriteInt("B", "k", 2);
    }
    CloseHandle(held);

    const std::string text = IniProfile(path).Text().Content();
    fs::remove(path);
    EXPECT_TRUE(readFailed);
    EXPECT_FALSE(written);
    EXPECT_EQ(text, "[A]\r\nk=1\r\n");
}
