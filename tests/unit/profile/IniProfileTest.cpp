#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

#include "profile/IniProfile.h"
#include "profile/IniText.h"

namespace fs = std::filesystem;
using namespace std::string_literals;
using Names = std::vector<std::string>;

namespace {

fs::path UniqueTempPath()
{
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    return fs::temp_directory_path() / ("mensuro-ini-" + std::to_string(stamp));
}

class IniProfileFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fs::create_directory(m_dir)); }
    void TearDown() override { fs::remove_all(m_dir); }

    void PutFile(const std::string& bytes) const { std::ofstream(m_path, std::ios::binary) << bytes; }
    std::string FileBytes() const
    {
        std::ifstream in(m_path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    fs::path m_dir = UniqueTempPath();
    fs::path m_path = m_dir / "Mensuro.ini";
    fs::path m_temp = m_dir / "Mensuro.ini.tmp";
};

const char* const kTwoSections = "[A]\r\nk=9\r\n\r\n[B]\r\nk=7\r\n";

} // namespace

TEST_F(IniProfileFile, ExampleTemplateFileReadsAndWritesByteExact)
{
    const std::string example = "[Web]\r\nCursorX=64000000C8000000\r\nNumY=0\r\nNumX=2\r\n"
                                "\r\n[Grid]\r\nCursorY=18000000\r\nCursorX=20000000\r\nNumY=1\r\nNumX=1\r\n";
    PutFile(example);
    {
        IniProfile store(m_path);
        EXPECT_EQ(2, store.ReadInt("Web", "NumX", -1));
        const int32_t none[2] = {-1, -1};
        int32_t web[2] = {};
        EXPECT_TRUE(store.ReadBinary("Web", "CursorX", web, none, 8));
        EXPECT_EQ(100, web[0]);
        EXPECT_EQ(200, web[1]);
        int32_t grid = 0;
        EXPECT_TRUE(store.ReadBinary("Grid", "CursorY", &grid, none, 4));
        EXPECT_EQ(24, grid);
    }
    EXPECT_EQ(FileBytes(), example) << "reading writes nothing";

    // A changed value stays in its place; a new key comes first in its section, a new
    // section last after an empty line.
    {
        IniProfile store(m_path);
        const int32_t moved = 0x12345678;
        EXPECT_TRUE(store.WriteBinary("Grid", "CursorX", &moved, 4));
        EXPECT_TRUE(store.WriteInt("Web", "Extra", -3));
        EXPECT_TRUE(store.WriteInt("New", "NumX", 0));
    }
    EXPECT_EQ(FileBytes(), "[Web]\r\nExtra=-3\r\nCursorX=64000000C8000000\r\nNumY=0\r\nNumX=2\r\n"
                           "\r\n[Grid]\r\nCursorY=18000000\r\nCursorX=78563412\r\nNumY=1\r\nNumX=1\r\n"
                           "\r\n[New]\r\nNumX=0\r\n");
}

TEST(IniText, WritesAppendSectionsAndReplaceOnlyTheirOwnValue)
{
    IniText text;
    text.WriteInt("A", "k", 5);
    EXPECT_EQ(text.Content(), "[A]\r\nk=5\r\n");
    text.WriteInt("B", "k", 7);
    EXPECT_EQ(text.Content(), "[A]\r\nk=5\r\n\r\n[B]\r\nk=7\r\n");
    text.WriteInt("A", "k", 9);
    EXPECT_EQ(text.Content(), kTwoSections);

    text.WriteInt("B", "x", 1);
    EXPECT_EQ(text.ReadInt("A", "x", -1), -1); // B's key of that name is not seen
    text.WriteInt("A", "x", 3);
    EXPECT_EQ(text.Content(), "[A]\r\nx=3\r\nk=9\r\n\r\n[B]\r\nx=1\r\nk=7\r\n");
}

TEST(IniText, DeletingSectionsTakesTheFollowingEmptyLine)
{
    IniText text(kTwoSections);
    EXPECT_TRUE(text.DeleteSection("missing"));
    EXPECT_FALSE(text.IsModified());
    EXPECT_TRUE(text.DeleteSection("B"));
    EXPECT_EQ(text.Content(), "[A]\r\nk=9\r\n\r\n");
    text.WriteInt("C", "n", 1);
    EXPECT_EQ(text.Content(), "[A]\r\nk=9\r\n\r\n\r\n[C]\r\nn=1\r\n");
    EXPECT_TRUE(text.DeleteSection("A"));
    EXPECT_EQ(text.Content(), "[C]\r\nn=1\r\n");

    IniText adjacent("[A]\r\n[B]\r\nk=1\r\n");
    adjacent.DeleteSection("A");
    EXPECT_EQ(adjacent.Content(), "[B]\r\nk=1\r\n");
    IniText bareLineFeed("[A]\r\nx=1\n[B]\r\nk=1\r\n");
    bareLineFeed.DeleteSection("A");
    EXPECT_EQ(bareLineFeed.Content(), "[B]\r\nk=1\r\n") << "the next section is left whole";
}

// A file saved by hand often lacks the last CR LF: that line reads like any
// other, and a change writes the CR LF, so a value stored there stays a line.
TEST(IniText, LastLineWithoutCrLfReadsAsIfEndedAndChangesCompleteIt)
{
    IniText cut("[T]\r\nCursorX=00");
    EXPECT_EQ(cut.ReadString("T", "CursorX", "def"), "00");
    EXPECT_FALSE(cut.IsModified());
    EXPECT_TRUE(cut.WriteString("T", "CursorX", "0A00"));
    EXPECT_TRUE(cut.WriteInt("U", "k", 1));
    EXPECT_EQ(cut.Content(), "[T]\r\nCursorX=0A00\r\n\r\n[U]\r\nk=1\r\n");
    EXPECT_EQ(cut.ReadString("T", "CursorX", "def"), "0A00");

    // A header cut off at the end, even after its CR, is found, not shadowed by a second one.
    for (const char* bytes : {"x=1\r\n[A]", "x=1\r\n[A]\r"}) {
        IniText cutHeader(bytes);
        EXPECT_TRUE(cutHeader.WriteInt("A", "k", 1));
        EXPECT_EQ(cutHeader.Content(), "x=1\r\n[A]\r\nk=1\r\n");
    }
    IniText bareLineFeed("[A]\r\nx=1\ny=2\r\n");
    EXPECT_FALSE(bareLineFeed.DeleteKey("A", "x"));
}

TEST(IniText, ByteOrderMarkIsReadPastAndKept)
{
    IniText text("\xEF\xBB\xBF[A]\r\nk=1\r\n");
    Names names;
    text.EnumSections(names);
    EXPECT_EQ(names, Names{"A"});
    EXPECT_TRUE(text.WriteInt("A", "k", 2));
    EXPECT_EQ(text.FileBytes(), "\xEF\xBB\xBF[A]\r\nk=2\r\n") << "no second [A]";
}

TEST(IniText, NumbersReadLikeAtoiWithinTheirLine)
{
    IniText text("[A]\r\na=12abc\r\nb=abc\r\nc=\r\n12=x\r\nd=99999999999\r\nf=1.5\r\ng=1e39\r\n");
    EXPECT_EQ(text.ReadInt("A", "a", -1), 12);
    EXPECT_EQ(text.ReadInt("A", "b", -1), 0);
    EXPECT_EQ(text.ReadInt("A", "c", -1), 0);
    EXPECT_EQ(text.ReadInt("A", "d", -1), INT_MAX);
    EXPECT_EQ(text.ReadFloat("A", "f", 0.0f), 1.5f);
    EXPECT_TRUE(std::isinf(text.ReadFloat("A", "g", 0.0f)));
    text.WriteFloat("A", "f", -2.25f);
    EXPECT_EQ(text.ReadString("A", "f", ""), "-2.250000");
}

TEST(IniText, BinaryReadsNeedExactlyTwoDigitsPerByte)
{
    IniText text("[A]\r\nb=0A0B\r\nodd=0A0\r\n");
    unsigned char bytes[3] = {};
    EXPECT_TRUE(text.ReadBinary("A", "b", bytes, bytes, 2));
    EXPECT_EQ(bytes[0] * 256 + bytes[1], 0x0A0B);
    const unsigned char def[3] = {1, 2, 3};
    EXPECT_FALSE(text.ReadBinary("A", "b", bytes, def, 3));
    EXPECT_EQ(bytes[2], 3);
    // One buffer as destination and default, as the template loader passes it,
    // or two that overlap: the default arrives as it was.
    EXPECT_FALSE(text.ReadBinary("A", "missing", bytes, bytes, 3));
    EXPECT_EQ(bytes[0] + bytes[1] + bytes[2], 6);
    unsigned char shifted[5] = {1, 2, 3, 4, 5};
    EXPECT_FALSE(text.ReadBinary("A", "missing", shifted + 1, shifted, 4));
    EXPECT_EQ(std::string(shifted, shifted + 5), "\1\1\2\3\4"s);

    unsigned char* block = nullptr;
    EXPECT_EQ(text.ReadBinaryAlloc("A", "odd", block, nullptr, 0), 0);
    EXPECT_EQ(block, nullptr);
    ASSERT_EQ(text.ReadBinaryAlloc("A", "b", block, nullptr, 0), 2);
    EXPECT_EQ(block[1], 0x0B);
    delete[] block;
}

TEST(IniText, ReadBuffersAreNeverOverrun)
{
    IniText text("[A]\r\ns=abcdef\r\n");
    char buf[8] = "#######";
    EXPECT_EQ(text.ReadStringBuf("A", "s", "", buf, 4), 3);
    EXPECT_EQ(std::string(buf, 5), "abc\0#"s);
    EXPECT_EQ(text.ReadStringBuf("A", "s", "", buf, 0), 0);
    EXPECT_EQ(text.ReadStringBuf("A", "s", "", buf, -5), 0);
    EXPECT_FALSE(text.ReadBinary("A", "s", buf, "d", 0));
    EXPECT_FALSE(text.ReadBinary("A", "s", buf, "d", -1));
    EXPECT_EQ(buf[0], 'a');
}

TEST(IniText, OverlongNamesAreRejectedAndNeverMatchAPrefix)
{
    const std::string section(28, 's'), key(29, 'k');
    IniText text;
    EXPECT_TRUE(text.WriteInt(section.c_str(), key.c_str(), 1));
    const std::string before = text.Content();
    EXPECT_FALSE(text.WriteInt((section + "s").c_str(), "k", 2));
    EXPECT_FALSE(text.WriteInt(section.c_str(), (key + "k").c_str(), 2));
    EXPECT_EQ(text.Content(), before);
    EXPECT_EQ(text.ReadInt((section + "s").c_str(), key.c_str(), -1), -1);
    EXPECT_EQ(text.ReadInt(section.c_str(), (key + "k").c_str(), -1), -1);
}

TEST(IniText, NamesAndTextThatCouldPassForStructureAreRejected)
{
    IniText text(kTwoSections);
    for (const char* section : {"", "a\rb", "a\nb", static_cast<const char*>(nullptr)}) {
        EXPECT_FALSE(text.WriteInt(section, "k", 1));
        EXPECT_TRUE(text.DeleteSection(section)) << "nothing to delete is still success";
    }
    for (const char* key : {"", "a=b", "[x", "a\rb", "a\nb", static_cast<const char*>(nullptr)})
        EXPECT_FALSE(text.WriteInt("A", key, 1));
    for (const char* value : {"a\r\n[B]", "x\ny", static_cast<const char*>(nullptr)})
        EXPECT_FALSE(text.WriteString("A", "k", value));
    EXPECT_FALSE(text.WriteBinary("A", "k", nullptr, 4));
    EXPECT_FALSE(text.IsModified());
    EXPECT_EQ(text.Content(), kTwoSections);
    EXPECT_EQ(text.ReadString("A", nullptr, nullptr), "");
}

// Code page 932 puts "[" or "]" in the second byte of many characters; a header
// is only ever a whole line, so such names neither break nor overlap.
TEST(IniText, SectionHeadersAreWholeLines)
{
    const std::string templateName = "\x83\x65\x83\x93\x83\x76\x83\x8C\x81\x5B\x83\x67"; // テンプレート
    const std::string to = "\x83\x67";                                                   // ト
    const std::string ruler = "\x83\x8B\x81\x5B\x83\x89\x81\x5B";                        // ルーラー
    IniText text;
    for (const std::string& name : {templateName, to, ruler, std::string("a[b"), std::string("]")})
        EXPECT_TRUE(text.WriteInt(name.c_str(), "k", static_cast<int>(name.size())));
    Names names;
    text.EnumSections(names);
    EXPECT_EQ(names, (Names{templateName, to, ruler, "a[b", "]"}));
    EXPECT_EQ(text.ReadInt(to.c_str(), "k", -1), 2);
    EXPECT_TRUE(text.DeleteSection(to.c_str()));
    EXPECT_EQ(text.ReadInt(templateName.c_str(), "k", -1), 12);
    EXPECT_EQ(text.ReadInt(to.c_str(), "k", -1), -1);
    EXPECT_TRUE(text.WriteString(ruler.c_str(), "s", "[B]"));
    EXPECT_EQ(text.ReadString(ruler.c_str(), "s", ""), "[B]");

    // "[A]" inside a line is no header, and neither is one ended by a bare LF.
    IniText inLine("[AB]\r\nv=[A]\r\nk=2\r\n[C]\n");
    names.clear();
    inLine.EnumSections(names);
    EXPECT_EQ(names, Names{"AB"});
    EXPECT_EQ(inLine.ReadInt("A", "k", -1), -1);
    EXPECT_FALSE(inLine.EnumKeys("C", names));
    EXPECT_TRUE(inLine.DeleteSection("A"));
    EXPECT_FALSE(inLine.IsModified());
}

TEST(IniText, EnumerationAppendsInFileOrder)
{
    IniText text("[A]\r\nx=1\r\n\r\nnoequals\r\ny=a=b\r\n\r\n[B]\r\n");
    Names names{"kept"};
    EXPECT_TRUE(text.EnumSections(names));
    EXPECT_EQ(names, (Names{"kept", "A", "B"}));
    names.clear();
    EXPECT_TRUE(text.EnumKeys("A", names));
    EXPECT_EQ(names, (Names{"x", "y"}));
    EXPECT_FALSE(text.EnumKeys("C", names));
}

TEST(IniText, BareLineFeedsHideSectionsAndNulEndsTheText)
{
    Names names;
    EXPECT_TRUE(IniText("[A]\nk=1\n").EnumSections(names));
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(IniText("[A]\r\nk=1\r\n\0[B]\r\n"s).Content(), "[A]\r\nk=1\r\n");
}

TEST_F(IniProfileFile, UnchangedStoreNeverWritesTheFile)
{
    {
        IniProfile store(m_path);
    }
    EXPECT_FALSE(fs::exists(m_path));

    const std::string odd = "[A]\nk=1\r\n\0tail"s;
    PutFile(odd);
    {
        IniProfile store(m_path);
        store.ReadInt("A", "k", -1);
        store.WriteInt("A", "bad=key", 1);
    }
    EXPECT_EQ(FileBytes(), odd);
}

// A NUL cuts the text short (a file saved as UTF-16 is full of them): the rest
// would be lost by the next save, so the file is left alone.
TEST_F(IniProfileFile, FileWithANulIsUnreadableAndKept)
{
    const std::string utf16 = "\xFF\xFE[\0A\0]\0\r\0\n\0"s;
    PutFile(utf16);
    {
        IniProfile store(m_path);
        EXPECT_TRUE(store.ReadFailed());
        EXPECT_FALSE(store.WriteInt("A", "k", 1));
        EXPECT_TRUE(store.DeleteSection("A"));
        EXPECT_TRUE(store.Commit());
    }
    EXPECT_EQ(FileBytes(), utf16);
}

TEST_F(IniProfileFile, EmptiedStoreDeletesTheFileAndStaleTempIsReplaced)
{
    PutFile("[A]\r\nk=1\r\n");
    std::ofstream(m_temp, std::ios::binary) << "left by an interrupted save";
    IniProfile(m_path).WriteInt("A", "k", 2);
    EXPECT_EQ(FileBytes(), "[A]\r\nk=2\r\n");
    EXPECT_FALSE(fs::exists(m_temp));

    IniProfile(m_path).DeleteSection("A");
    EXPECT_FALSE(fs::exists(m_path));
}

TEST_F(IniProfileFile, FailedSaveKeepsTheOldFile)
{
    const std::string old = "[A]\r\nk=1\r\n";
    PutFile(old);
    fs::create_directory(m_temp); // the temporary file cannot be created
    {
        IniProfile store(m_path);
        store.WriteInt("A", "k", 2);
        EXPECT_FALSE(store.Commit()) << "the caller is told";
    }
    EXPECT_EQ(FileBytes(), old);
    fs::remove(m_temp);

    // The target cannot be replaced.
    fs::create_directory(m_path.replace_filename("Taken.ini"));
    IniProfile(m_path).WriteInt("A", "k", 2);
    EXPECT_TRUE(fs::is_directory(m_path));
    EXPECT_FALSE(fs::exists(m_dir / "Taken.ini.tmp"));
}

// Saving over a file the store could not read would lose every template in it.
TEST_F(IniProfileFile, UnreadableFileRefusesEveryWrite)
{
    PutFile("[A]\r\nk=1\r\n");
    fs::resize_file(m_path, IniProfile::MaxFileBytes + 1);
    {
        IniProfile store(m_path);
        EXPECT_TRUE(store.ReadFailed()) << "larger than any template file";
        EXPECT_EQ(store.ReadInt("A", "k", -1), -1);
        EXPECT_FALSE(store.WriteInt("A", "k", 2));
        EXPECT_FALSE(store.WriteBinary("B", "b", "x", 1));
        EXPECT_TRUE(store.DeleteSection("A"));
    }
    EXPECT_EQ(fs::file_size(m_path), IniProfile::MaxFileBytes + 1);

    const fs::path folder = m_dir / "Folder.ini";
    fs::create_directory(folder);
    EXPECT_TRUE(IniProfile(folder).ReadFailed());
    EXPECT_FALSE(IniProfile(folder).WriteInt("A", "k", 1));
    EXPECT_TRUE(fs::is_directory(folder));

    EXPECT_TRUE(IniProfile(fs::path()).ReadFailed()) << "no place to keep anything";
    EXPECT_FALSE(IniProfile(fs::path()).WriteInt("A", "k", 1));
    EXPECT_FALSE(IniProfile(m_dir / "Missing.ini").ReadFailed());
}

TEST_F(IniProfileFile, WritesStopBeforeTheFileOutgrowsTheBoundAndDiscardKeepsIt)
{
    const std::string head = "[A]\r\nk=";
    const std::string full = head + std::string(IniProfile::MaxFileBytes - head.size() - 14, 'x') + "\r\n";
    PutFile(full);
    {
        IniProfile store(m_path);
        EXPECT_FALSE(store.ReadFailed());
        EXPECT_FALSE(store.WriteInt("A", "n", 1));
        EXPECT_FALSE(store.WriteString("B", "s", "x"));
        EXPECT_FALSE(store.Text().IsModified());
        EXPECT_TRUE(store.DeleteKey("A", "k"));
    }
    EXPECT_EQ(FileBytes(), "[A]\r\n");

    {
        IniProfile store(m_path);
        EXPECT_TRUE(store.WriteInt("A", "n", 1));
        store.Discard();
    }
    EXPECT_EQ(FileBytes(), "[A]\r\n");
}

#ifndef _WIN32
// A disk filling up mid-write is what cost every template when saving truncated in place.
TEST_F(IniProfileFile, WriteFailingHalfWayKeepsTheOldFile)
{
    const std::string old = "[A]\r\nk=1\r\n";
    PutFile(old);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    IniProfile(m_path).WriteString("A", "big", std::string(5000, 'x').c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);

    EXPECT_EQ(FileBytes(), old);
    EXPECT_FALSE(fs::exists(m_temp));
}
#endif
