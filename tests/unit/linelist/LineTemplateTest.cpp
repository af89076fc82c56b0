#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "linelist/LineTemplate.h"
#include "profile/IniProfile.h"
#include "profile/IniText.h"

namespace fs = std::filesystem;
using Lines = std::vector<int32_t>;

namespace {

// テンプレート and ト in code page 932: the first ends in the bytes of "[ト]".
const std::string kTemplateName = "\x83\x65\x83\x93\x83\x76\x83\x8C\x81\x5B\x83\x67";
const std::string kTo = "\x83\x67";

class LineTemplateFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fs::create_directory(m_dir)); }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string FileBytes() const
    {
        std::ifstream in(m_path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool Store(const std::string& name, const Lines& xs, const Lines& ys)
    {
        IniProfile store(m_path);
        LineTemplate lines{xs, ys};
        return lines.Persist(store, name.c_str(), false);
    }
    LineTemplate Load(const std::string& name) const
    {
        IniProfile store(m_path);
        LineTemplate lines{{-1}, {-1}};
        lines.Persist(store, name.c_str(), true);
        return lines;
    }
    LineTemplate LoadText(const std::string& text, const char* name = "T") const
    {
        std::ofstream(m_path, std::ios::binary) << text;
        return Load(name);
    }

    fs::path m_dir =
        fs::temp_directory_path() /
        ("mensuro-template-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::path m_path = m_dir / "Mensuro.ini";
};

} // namespace

TEST_F(LineTemplateFile, StoresTheExampleFileAndLoadsItBack)
{
    EXPECT_TRUE(Store("Web", {100, 200}, {}));
    EXPECT_TRUE(Store("Grid", {32}, {24}));
    EXPECT_EQ(FileBytes(), "[Web]\r\nCursorX=64000000C8000000\r\nNumY=0\r\nNumX=2\r\n"
                           "\r\n[Grid]\r\nCursorY=18000000\r\nCursorX=20000000\r\nNumY=1\r\nNumX=1\r\n");
    const LineTemplate web = Load("Web");
    EXPECT_EQ(web.linesX, (Lines{100, 200}));
    EXPECT_EQ(web.linesY, Lines{});
    EXPECT_EQ(Load("Grid").linesY, Lines{24});
    EXPECT_EQ(Load("web").linesX, Lines{}) << "names are case-sensitive";

    // Emptied lists keep the old block in the file, but a count of 0 reads nothing.
    EXPECT_TRUE(Store("Web", {}, {7}));
    EXPECT_NE(FileBytes().find("CursorX=64000000C8000000"), std::string::npos);
    EXPECT_EQ(Load("Web").linesX, Lines{});
    EXPECT_EQ(Load("Web").linesY, Lines{7});
}

TEST_F(LineTemplateFile, CoordinatesTravelAsLittleEndianThirtyTwoBits)
{
    EXPECT_TRUE(Store("Edge", {-1, INT32_MIN, INT32_MAX}, {20000}));
    EXPECT_NE(FileBytes().find("CursorX=FFFFFFFF00000080FFFFFF7F\r\n"), std::string::npos);
    const LineTemplate edge = Load("Edge");
    EXPECT_EQ(edge.linesX, (Lines{-1, INT32_MIN, INT32_MAX}));
    EXPECT_EQ(edge.linesY, Lines{20000});
}

TEST_F(LineTemplateFile, BlocksThatDoNotMatchTheirCountLoadAsZeros)
{
    const LineTemplate shortBlock = LoadText("[T]\r\nNumX=3\r\nCursorX=64000000C8000000\r\nNumY=-2\r\n");
    EXPECT_EQ(shortBlock.linesX, (Lines{0, 0, 0}));
    EXPECT_EQ(shortBlock.linesY, Lines{});
    EXPECT_EQ(LoadText("[T]\r\nNumY=1\r\n").linesY, Lines{0}) << "no block at all";
    EXPECT_EQ(LoadText("[T]\r\nNumX=2\r\nCursorX=0A000000").linesX, (Lines{0, 0})) << "cut short at the end";
    EXPECT_EQ(LoadText("[T]\r\nNumX=1\r\nCursorX=0A000000").linesX, Lines{10}) << "whole, only the CR LF missing";
}

TEST_F(LineTemplateFile, CountsBeyondTheBoundLoadThatAxisEmpty)
{
    const LineTemplate huge = LoadText("[T]\r\nNumX=2147483647\r\nNumY=1\r\nCursorY=05000000\r\n");
    EXPECT_EQ(huge.linesX, Lines{});
    EXPECT_EQ(huge.linesY, Lines{5});

    const Lines most(LineTemplate::MaxLines, 3);
    EXPECT_TRUE(Store("Most", most, {}));
    EXPECT_EQ(Load("Most").linesX, most);

    const std::string before = FileBytes();
    EXPECT_FALSE(Store("More", Lines(LineTemplate::MaxLines + 1, 3), {1}));
    EXPECT_EQ(FileBytes(), before) << "a list too long to load again is not stored at all";
}

TEST(LineTemplate, NamesTheFileCanKeep)
{
    EXPECT_TRUE(IsStorableTemplateName(kTemplateName));
    EXPECT_TRUE(IsStorableTemplateName(kTo));
    EXPECT_TRUE(IsStorableTemplateName("a[b]"));
    EXPECT_TRUE(IsStorableTemplateName(std::string(IniText::MaxSectionName, 'n')));
    EXPECT_TRUE(IsStorableTemplateName(kTemplateName + kTemplateName + "\x83\x67\x83\x67")) << "14 of 2 bytes";
    EXPECT_FALSE(IsStorableTemplateName(std::string(IniText::MaxSectionName + 1, 'n')));
    EXPECT_FALSE(IsStorableTemplateName(""));
    EXPECT_FALSE(IsStorableTemplateName("a\rb"));
    EXPECT_FALSE(IsStorableTemplateName("a\nb"));
    EXPECT_FALSE(IsStorableTemplateName(std::string("a\0b", 3)));
}
