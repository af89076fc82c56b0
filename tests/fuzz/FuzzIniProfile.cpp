// Feeds arbitrary template-file contents and operation sequences to the store.
//
// Input layout: a 16-bit little-endian length n, n bytes of file content, then
// operations, each an opcode byte followed by the operands it needs. A name or
// text operand byte 0xFF means a null pointer, one with the top bit set is
// followed by (byte & 0x3F) raw bytes, anything else picks a stock entry.
//
// The operations run twice: on an IniProfile loaded from the fuzzed file, which
// must survive anything and write back exactly what it holds, and on a store
// that starts empty, where the stronger read-after-write rules must hold.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
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

// Reads the key back and checks it against what was just written. Only valid
// on a store whose text was built by its own writes.
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

    std::string expected;
    bool modified = false;
    {
        IniProfile loaded(path);
        FreshStore fresh;
        while (!in.Empty()) {
            const Operation op = Decode(in);

            const std::string before = loaded.Text().Content();
            bool loadedResult = Apply(loaded, op);
            CheckUntouched(loaded, before, op, loadedResult);

            const std::string freshBefore = fresh.text.Content();
            bool freshResult = Apply(fresh.text, op);
            CheckUntouched(fresh, freshBefore, op, freshResult);
            CheckOwnText(fresh.text, op, freshResult);

            // Whether a write is accepted depends on its arguments alone.
            if (IsWrite(op.code)) CHECK(loadedResult == freshResult);
        }
        expected = loaded.Text().Content();
        modified = loaded.Text().IsModified();
    }

    // Written back exactly when changed, deleted when empty, and read back the same.
    if (!modified) {
        CHECK(FileBytes(path) == fileBytes);
        expected = fileBytes.substr(0, fileBytes.find('\0'));
    } else if (expected.empty()) {
        CHECK(!fs::exists(path));
    } else {
        CHECK(FileBytes(path) == expected);
    }
    CHECK(IniProfile(path).Text().Content() == expected);
    return 0;
}
