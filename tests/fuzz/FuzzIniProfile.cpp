// Feeds arbitrary template-file contents and operation sequences to the store.
//
// Input layout: a 16-bit little-endian length n, n bytes of file content, then
// operations, each an opcode byte followed by the operands it needs. A name or
// text operand byte 0xFF means a null pointer, one with the top bit set is
// followed by (byte & 0x3F) raw bytes, anything else picks a stock entry.
//
// The operations run twice: on an IniProfile loaded from the fuzzed file and on
// a store that starts empty. Both must read back what a write accepted (a last
// line without CR LF included), list only sections they can find, and leave
// every other section alone; the loaded one must write back exactly what it
// holds, a byte-order mark first if the file had one, and the empty one keeps
// the stronger rules of a text built by its own writes. A file with a NUL byte
// is unreadable: every write is refused and the file stays as it was.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "profile/IniProfile.h"
#include "profile/IniText.h"

namespace fs = std::filesystem;

namespace {

#define CHECK(condition)                                                                                               \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);                         \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

const char* const kNames[] = {
    "Web",
    "Grid",
    "A",
    "B",
    "NumX",
    "NumY",
    "CursorX",
    "CursorY",
    "k",
    "",
    "[A]",
    "a=b",
    "a]",
    "x\r",
    "ssssssssssssssssssssssssssss",
    "sssssssssssssssssssssssssssss",
    "kkkkkkkkkkkkkkkkkkkkkkkkkkkkk",
    "kkkkkkkkkkkkkkkkkkkkkkkkkkkkkk",
    // Code page 932: テンプレート ends in the bytes of "[ト]"; ルーラー holds "[" twice.
    "\x83\x65\x83\x93\x83\x76\x83\x8C\x81\x5B\x83\x67",
    "\x83\x67",
    "\x83\x8B\x81\x5B\x83\x89\x81\x5B",
    "a[b",
    "]",
};
const char* const kTexts[] = {
    "", "0", "12abc", "abc", "-2147483649", "0A0B", "64000000C8000000", "zz", "1e39", "[B]", "x\r\ny", "a=b",
};

class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_pos >= m_size; }
    uint8_t Byte() { return Empty() ? 0 : m_data[m_pos++]; }
    std::string Bytes(size_t count)
    {
        count = std::min(count, m_size - std::min(m_pos, m_size));
        std::string bytes(reinterpret_cast<const char*>(m_data + m_pos), count);
        m_pos += count;
        return bytes;
    }
    int32_t Int()
    {
        uint32_t bits = 0;
        for (int i = 0; i < 4; ++i) bits = (bits << 8) | Byte();
        return static_cast<int32_t>(bits);
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

template <size_t N>
std::optional<std::string> Operand(Input& in, const char* const (&stock)[N])
{
    uint8_t choice = in.Byte();
    if (choice == 0xFF) return std::nullopt;
    if (choice & 0x80) {
        // A C string ends at its first NUL, as it would for any caller.
        std::string raw = in.Bytes(choice & 0x3F);
        return raw.substr(0, raw.find('\0'));
    }
    return std::string(stock[choice % N]);
}

const char* Ptr(const std::optional<std::string>& text)
{
    return text ? text->c_str() : nullptr;
}

struct Operation {
    uint8_t code = 0;
    std::optional<std::string> section;
    std::optional<std::string> key;
    std::optional<std::string> text;
    int32_t number = 0;
    int size = 0;
    std::string block;
};

Operation Decode(Input& in)
{
    Operation op;
    op.code = in.Byte() % 14;
    op.section = Operand(in, kNames);
    op.key = Operand(in, kNames);
    switch (op.code) {
    case 6:
    case 12: op.text = Operand(in, kTexts); break;
    case 7:
        op.text = Operand(in, kTexts);
        op.size = static_cast<int8_t>(in.Byte());
        break;
    case 10:
    case 11: op.number = in.Int(); break;
    case 8:
    case 9: op.size = static_cast<int8_t>(in.Byte()); break;
    case 13:
        op.size = static_cast<int8_t>(in.Byte());
        op.block = in.Bytes(op.size > 0 ? static_cast<size_t>(op.size) : 0);
        op.block.resize(op.size > 0 ? static_cast<size_t>(op.size) : 0, '\0');
        break;
    default: break;
    }
    return op;
}

float AsFloat(int32_t bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Reads the key back and checks it against what was just written.
template <class Store>
void CheckWrittenValue(Store& store, const Operation& op)
{
    const char* section = Ptr(op.section);
    const char* key = Ptr(op.key);
    switch (op.code) {
    case 10: CHECK(store.ReadInt(section, key, ~op.number) == op.number); break;
    case 11: {
        float written = AsFloat(op.number);
        float read = store.ReadFloat(section, key, 0.0f);
        if (std::isnan(written))
            CHECK(std::isnan(read));
        else if (std::isinf(written))
            CHECK(read == written);
        else // "%f" keeps six decimals
            CHECK(std::fabs(read - written) <= 1e-6f * std::max(1.0f, std::fabs(written)));
        break;
    }
    case 12: CHECK(store.ReadString(section, key, "\x01") == *op.text); break;
    case 13: {
        unsigned char* block = nullptr;
        int count = store.ReadBinaryAlloc(section, key, block, nullptr, 0);
        CHECK(count == op.size);
        if (count > 0) CHECK(std::string(reinterpret_cast<char*>(block), static_cast<size_t>(count)) == op.block);
        delete[] block;
        break;
    }
    default: break;
    }
}

// Runs one operation; returns its boolean result where it has one.
template <class Store>
bool Apply(Store& store, const Operation& op)
{
    const char* section = Ptr(op.section);
    const char* key = Ptr(op.key);
    const char* text = Ptr(op.text);
    std::vector<std::string> names;
    switch (op.code) {
    case 0: return store.EnumSections(names);
    case 1: return store.DeleteSection(section);
    case 2: return store.EnumKeys(section, names);
    case 3: return store.DeleteKey(section, key);
    case 4: store.ReadInt(section, key, 0); return true;
    case 5: store.ReadFloat(section, key, 0.0f); return true;
    case 6: store.ReadString(section, key, text); return true;
    case 7: {
        // An exact-size heap buffer lets AddressSanitizer see any overrun.
        std::vector<char> buf(static_cast<size_t>(std::max(op.size, 1)), '#');
        int length = store.ReadStringBuf(section, key, text, buf.data(), op.size);
        if (op.size <= 0) {
            CHECK(length == 0 && buf[0] == '#');
        } else {
            CHECK(length >= 0 && length < op.size && buf[length] == '\0');
            CHECK(std::strlen(buf.data()) == static_cast<size_t>(length));
        }
        return true;
    }
    case 8: {
        size_t capacity = static_cast<size_t>(std::max(op.size, 1));
        std::vector<unsigned char> dest(capacity, 0xEE);
        std::vector<unsigned char> def(capacity, 0x11);
        bool decoded = store.ReadBinary(section, key, dest.data(), def.data(), op.size);
        if (op.size <= 0)
            CHECK(!decoded && dest[0] == 0xEE);
        else if (!decoded)
            CHECK(dest == def);
        return decoded;
    }
    case 9: {
        unsigned char sentinel = 0;
        unsigned char* block = &sentinel;
        std::vector<unsigned char> def(static_cast<size_t>(std::max(op.size, 1)), 0x22);
        int count = store.ReadBinaryAlloc(section, key, block, def.data(), op.size);
        CHECK(count >= 0);
        if (count == 0)
            CHECK(block == &sentinel);
        else
            delete[] block;
        return count > 0;
    }
    case 10: return store.WriteInt(section, key, op.number);
    case 11: return store.WriteFloat(section, key, AsFloat(op.number));
    case 12: return store.WriteString(section, key, text);
    case 13: return store.WriteBinary(section, key, op.block.data(), op.size);
    default: return false;
    }
}

bool IsWrite(uint8_t code)
{
    return code >= 10;
}

// Checks that hold for any text: failed changes and reads leave it alone.
template <class Store>
void CheckUntouched(const Store& store, const std::string& before, const Operation& op, bool result)
{
    const std::string& after = store.Text().Content();
    bool mayChange = IsWrite(op.code) || op.code == 1 || op.code == 3;
    if (!mayChange || !result) CHECK(after == before);
    if (after != before) CHECK(store.Text().IsModified());
}

// The stronger rules for a store built only by its own operations.
void CheckOwnText(IniText& fresh, const Operation& op, bool result)
{
    const char* section = Ptr(op.section);
    const char* key = Ptr(op.key);
    if (IsWrite(op.code) && result) CheckWrittenValue(fresh, op);
    if (op.code == 3 && result) CHECK(fresh.ReadString(section, key, "\x01") == "\x01");
    if (op.code == 1 && result) {
        std::vector<std::string> keys;
        CHECK(!fresh.EnumKeys(section, keys));
    }
    if (IsWrite(op.code) || op.code == 1) {
        std::vector<std::string> names;
        fresh.EnumSections(names);
        std::sort(names.begin(), names.end());
        CHECK(std::adjacent_find(names.begin(), names.end()) == names.end());
    }
}

struct FreshStore {
    IniText text;
    const IniText& Text() const { return text; }
};

// Every section the store lists, with its keys and values as text.
template <class Store>
std::map<std::string, std::vector<std::string>> Sections(Store& store)
{
    std::map<std::string, std::vector<std::string>> sections;
    std::vector<std::string> names;
    store.EnumSections(names);
    for (const std::string& name : names) {
        std::vector<std::string> keys;
        // A listed section can always be found again.
        CHECK(store.EnumKeys(name.c_str(), keys));
        // Of two sections of one name, only the first is ever seen.
        if (sections.count(name) != 0) continue;
        std::vector<std::string>& entry = sections[name];
        for (const std::string& key : keys) {
            entry.push_back(key);
            entry.push_back(store.ReadString(name.c_str(), key.c_str(), "\x01"));
        }
    }
    return sections;
}

// An operation on one section leaves every other section as it was, and no
// other section turns up.
void CheckOthersUntouched(const std::map<std::string, std::vector<std::string>>& before,
                          const std::map<std::string, std::vector<std::string>>& after, const Operation& op)
{
    for (const auto& [name, entry] : before) {
        if (op.section && name == *op.section) continue;
        const auto now = after.find(name);
        CHECK(now != after.end() && now->second == entry);
    }
    for (const auto& [name, entry] : after)
        CHECK((op.section && name == *op.section) || before.count(name) != 0);
}

std::string FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string g_workDir;

void RemoveWorkDir()
{
    std::error_code ignored;
    fs::remove_all(g_workDir, ignored);
}

// One scratch file per process, in a directory removed again at exit.
const fs::path& WorkFile()
{
    static const fs::path file = [] {
        g_workDir = (fs::temp_directory_path() / "fuzz-ini-XXXXXX").string();
        if (!mkdtemp(g_workDir.data())) std::abort();
        std::atexit(RemoveWorkDir);
        return fs::path(g_workDir) / "fuzz.ini";
    }();
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in(data, size);
    size_t contentSize = in.Byte();
    contentSize |= static_cast<size_t>(in.Byte()) << 8;
    const std::string fileBytes = in.Bytes(contentSize);

    const fs::path& path = WorkFile();
    std::error_code ignored;
    fs::remove(path, ignored);
    std::ofstream(path, std::ios::binary) << fileBytes;

    const bool readable = IniText::IsText(fileBytes);
    const std::string mark = "\xEF\xBB\xBF";
    std::string expected;
    std::string written;
    bool modified = false;
    {
        IniProfile loaded(path);
        CHECK(loaded.ReadFailed() == !readable);
        FreshStore fresh;
        while (!in.Empty()) {
            const Operation op = Decode(in);

            const std::string before = loaded.Text().Content();
            const auto loadedSections = Sections(loaded);
            bool loadedResult = Apply(loaded, op);
            CheckUntouched(loaded, before, op, loadedResult);
            CheckOthersUntouched(loadedSections, Sections(loaded), op);
            if (IsWrite(op.code) && loadedResult) CheckWrittenValue(loaded, op);

            const std::string freshBefore = fresh.text.Content();
            const auto freshSections = Sections(fresh.text);
            bool freshResult = Apply(fresh.text, op);
            CheckUntouched(fresh, freshBefore, op, freshResult);
            CheckOwnText(fresh.text, op, freshResult);
            CheckOthersUntouched(freshSections, Sections(fresh.text), op);

            // Whether a write is accepted depends on its arguments alone, and
            // on nothing for an unreadable file.
            if (IsWrite(op.code)) CHECK(loadedResult == (readable && freshResult));
        }
        expected = loaded.Text().Content();
        written = loaded.Text().FileBytes();
        modified = loaded.Text().IsModified();
    }

    // Written back exactly when changed, deleted when empty, and read back the same.
    if (!modified) {
        CHECK(FileBytes(path) == fileBytes);
        if (!readable) return 0;
        expected = IniText(fileBytes).Content();
    } else if (expected.empty()) {
        CHECK(!fs::exists(path));
    } else {
        CHECK(FileBytes(path) == written);
        CHECK((fileBytes.compare(0, mark.size(), mark) == 0) == (written.compare(0, mark.size(), mark) == 0));
    }
    CHECK(IniProfile(path).Text().Content() == expected);
    return 0;
}
