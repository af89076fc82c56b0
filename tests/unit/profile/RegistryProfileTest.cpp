// RegistryProfile against the real (Wine) registry.
#include "profile/RegistryProfile.h"
#include "framework/Application.h"
#include "support/RegistryScope.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

// The largest block this test program has asked for since the last reset: the
// registry store must not allocate a stored value it cannot use.
namespace {
size_t g_largestNew = 0;
}

void* operator new(size_t size)
{
    if (size > g_largestNew) g_largestNew = size;
    if (void* block = HeapAlloc(GetProcessHeap(), 0, size ? size : 1)) return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    if (block) HeapFree(GetProcessHeap(), 0, block);
}

void operator delete(void* block, size_t) noexcept
{
    operator delete(block);
}

namespace {

const char kBase[] = "SOFTWARE\\Veltrin's Applications\\MensuroRegistryTest";

class RegistryProfileTest : public testing::Test {
protected:
    void SetUp() override { m_scope.Clear(); }
    void TearDown() override { m_scope.Clear(); }

    RegistryScope m_scope{kBase};
    RegistryProfile m_store{kBase, HKEY_CURRENT_USER};
};

} // namespace

TEST(RegistryProfilePath, NullBaseIsCompanyAndExecutableName)
{
    RegistryProfile store(nullptr, HKEY_CURRENT_USER);
    EXPECT_EQ("SOFTWARE\\Veltrin's Applications\\" + AppRegistry::AppName(), store.BasePath());
    EXPECT_EQ("mensuro_unit_tests", AppRegistry::AppName());
}

TEST(RegistryProfilePath, NameIsSplitFromTheWidePath)
{
    // 表示: 0x95 0x5C 0x8E 0xA6 in code page 932; the 0x5C is not a folder separator.
    EXPECT_EQ("\x95\x5C\x8E\xA6", AppRegistry::AppNameFromPath(L"C:\\Tools\\\u8868\u793A.exe", 932));
    EXPECT_EQ("ruler", AppRegistry::AppNameFromPath(L"C:/v1.2/ruler", 1252)) << "a dot in a folder is no extension";
    EXPECT_EQ(L"\u8868\u793A", AppRegistry::BaseNameOf(L"C:\\Tools\\\u8868\u793A.exe"));
}

TEST_F(RegistryProfileTest, FirstWriteCreatesTheWholePathAsDword)
{
    EXPECT_EQ(7, m_store.ReadInt("CMensuroDlg", "Option", 7));
    EXPECT_FALSE(m_scope.Exists());
    EXPECT_TRUE(m_store.WriteInt("CMensuroDlg", "Option", -2));
    EXPECT_EQ(REG_DWORD, m_scope.Type("CMensuroDlg", "Option"));
    EXPECT_EQ(0xFFFFFFFEu, m_scope.Dword("CMensuroDlg", "Option").value());
    EXPECT_EQ(-2, m_store.ReadInt("CMensuroDlg", "Option", 7));
}

TEST_F(RegistryProfileTest, ValuesOfTheWrongTypeReadAsDefault)
{
    m_scope.SetString("S", "Text5", "5");
    m_scope.SetDword("S", "Int", 9);
    const unsigned char eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    m_scope.SetBinary("S", "Bin", eight, 8);
    EXPECT_EQ(3, m_store.ReadInt("S", "Text5", 3));
    EXPECT_EQ(3, m_store.ReadInt("S", "Bin", 3)) << "eight bytes are not a DWORD";
    EXPECT_EQ("def", m_store.ReadString("S", "Int", "def"));
    EXPECT_FLOAT_EQ(2.5f, m_store.ReadFloat("S", "Int", 2.5f));
    int dest = 0, def = 42;
    EXPECT_FALSE(m_store.ReadBinary("S", "Int", &dest, &def, sizeof(dest)));
    EXPECT_EQ(42, dest);
    EXPECT_EQ(4, m_store.ReadInt("Missing", "Int", 4));
}

TEST_F(RegistryProfileTest, FloatsRoundTripAsSixDecimalText)
{
    EXPECT_TRUE(m_store.WriteFloat("S", "F", 1.5f));
    EXPECT_EQ("1.500000", m_store.ReadString("S", "F", ""));
    EXPECT_FLOAT_EQ(1.5f, m_store.ReadFloat("S", "F", 0.0f));
    // Long texts read back too: nothing the store writes is lost.
    EXPECT_TRUE(m_store.WriteFloat("S", "Big", 123456789.0f));
    EXPECT_FLOAT_EQ(123456789.0f, m_store.ReadFloat("S", "Big", -1.0f));
    EXPECT_TRUE(m_store.WriteFloat("S", "Negative", -98765432.0f));
    EXPECT_FLOAT_EQ(-98765432.0f, m_store.ReadFloat("S", "Negative", 0.0f));
}

TEST_F(RegistryProfileTest, TextsOfAnyLengthRoundTrip)
{
    const std::string longText(5000, 'x');
    EXPECT_TRUE(m_store.WriteString("S", "Long", longText.c_str()));
    EXPECT_EQ(longText, m_store.ReadString("S", "Long", "def"));
    EXPECT_TRUE(m_store.WriteString("S", "Short", "abcdef"));
    EXPECT_EQ("abcdef", m_store.ReadString("S", "Short", "def"));
}

TEST_F(RegistryProfileTest, ReadStringBufTruncatesAndNeverOverruns)
{
    m_store.WriteString("S", "K", "abcdef");
    char buf[8];
    std::memset(buf, '#', sizeof(buf));
    EXPECT_EQ(3, m_store.ReadStringBuf("S", "K", "zz", buf, 4));
    EXPECT_STREQ("abc", buf);
    EXPECT_EQ('#', buf[4]);

    EXPECT_EQ(2, m_store.ReadStringBuf("S", "Missing", "zz", buf, 8));
    EXPECT_STREQ("zz", buf);

    std::memset(buf, '#', sizeof(buf));
    EXPECT_EQ(0, m_store.ReadStringBuf("S", "K", "zz", buf, 0));
    EXPECT_EQ(0, m_store.ReadStringBuf("S", "K", "zz", buf, -5));
    EXPECT_EQ('#', buf[0]) << "a size of zero or less writes nothing";

    const std::string longText(1000, 'y');
    m_store.WriteString("S", "Long", longText.c_str());
    EXPECT_EQ(7, m_store.ReadStringBuf("S", "Long", "d", buf, 8));
    EXPECT_STREQ("yyyyyyy", buf);
}

TEST_F(RegistryProfileTest, BinaryBlocksRoundTripOnlyAtTheirExactSize)
{
    const unsigned char twelve[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_TRUE(m_store.WriteBinary("S", "B", twelve, 12));
    EXPECT_EQ(REG_BINARY, m_scope.Type("S", "B"));

    unsigned char dest[12] = {};
    const unsigned char def[12] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_FALSE(m_store.ReadBinary("S", "B", dest, def, 8));
    EXPECT_EQ(0xEE, dest[0]);
    EXPECT_EQ(0, dest[8]) << "only size bytes of the default are copied";
    EXPECT_TRUE(m_store.ReadBinary("S", "B", dest, def, 12));
    EXPECT_EQ(0, std::memcmp(dest, twelve, 12));
    EXPECT_FALSE(m_store.ReadBinary("S", "B", dest, def, 0));

    unsigned char* block = nullptr;
    EXPECT_EQ(12, m_store.ReadBinaryAlloc("S", "B", block, nullptr, 0));
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(0, std::memcmp(block, twelve, 12));
    delete[] block;

    block = nullptr;
    EXPECT_EQ(0, m_store.ReadBinaryAlloc("S", "Missing", block, nullptr, 0));
    EXPECT_EQ(nullptr, block);
    EXPECT_EQ(3, m_store.ReadBinaryAlloc("S", "Missing", block, def, 3));
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(0xEE, block[2]);
    delete[] block;

    std::string big(70000, '\x5A');
    EXPECT_TRUE(m_store.WriteBinary("S", "Big", big.data(), static_cast<int>(big.size())));
    block = nullptr;
    ASSERT_EQ(70000, m_store.ReadBinaryAlloc("S", "Big", block, def, 4));
    EXPECT_EQ(0x5A, block[69999]);
    delete[] block;
}

TEST_F(RegistryProfileTest, AValueLargerThanTheCallerCanUseIsNeverCopied)
{
    const std::vector<unsigned char> huge(16u << 20, 0x5A);
    m_scope.SetBinary("CMensuroDlg", "Option", huge.data(), static_cast<DWORD>(huge.size()));
    m_scope.SetString("CMensuroDlg", "Float", std::string(4u << 20, '1').c_str());
    g_largestNew = 0;
    EXPECT_EQ(7, m_store.ReadInt("CMensuroDlg", "Option", 7));
    int dest = 0, def = 3;
    EXPECT_FALSE(m_store.ReadBinary("CMensuroDlg", "Option", &dest, &def, sizeof dest));
    EXPECT_EQ(3, dest);
    EXPECT_FLOAT_EQ(2.5f, m_store.ReadFloat("CMensuroDlg", "Float", 2.5f));
    unsigned char* block = nullptr;
    EXPECT_EQ(0, m_store.ReadBinaryAlloc("CMensuroDlg", "Option", block, nullptr, 0));
    EXPECT_EQ(nullptr, block);
    EXPECT_LT(g_largestNew, 4096u) << "no read allocates the stored value";
}

TEST_F(RegistryProfileTest, EnumSectionsListsEveryNameWhateverItsLength)
{
    std::vector<std::string> names = {"kept"};
    EXPECT_FALSE(m_store.EnumSections(names)) << "no base key yet";
    EXPECT_EQ(1u, names.size());

    const std::string longName(200, 'L');
    m_store.WriteInt("ScaleBar1", "X", 1);
    m_store.WriteInt(longName.c_str(), "X", 1);
    m_store.WriteInt("ScaleBar2", "X", 1);
    EXPECT_TRUE(m_store.EnumSections(names));
    ASSERT_EQ(4u, names.size());
    EXPECT_EQ("kept", names[0]);
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), longName));
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), "ScaleBar2"));
}

TEST_F(RegistryProfileTest, DeleteSectionRemovesTheSubkeyButReportsFalse)
{
    m_store.WriteInt("Gone", "X", 1);
    EXPECT_FALSE(m_store.DeleteSection("Gone"));
    EXPECT_FALSE(m_scope.Exists("Gone"));
    EXPECT_EQ(5, m_store.ReadInt("Gone", "X", 5));
}

TEST_F(RegistryProfileTest, KeyOperationsChangeNothing)
{
    m_store.WriteInt("S", "X", 1);
    std::vector<std::string> names;
    EXPECT_TRUE(m_store.EnumKeys("S", names));
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(m_store.DeleteKey("S", "X"));
    EXPECT_EQ(1, m_store.ReadInt("S", "X", 0));
}
