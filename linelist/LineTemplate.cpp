#include "linelist/LineTemplate.h"

#include "profile/IniText.h"
#include "profile/ProfileStore.h"

namespace {

struct AxisKeys {
    const char* count;
    const char* data;
};
const AxisKeys kKeysX = {"NumX", "CursorX"};
const AxisKeys kKeysY = {"NumY", "CursorY"};

const int kBytesPerLine = 4;

std::vector<unsigned char> Encode(const std::vector<int32_t>& lines)
{
    std::vector<unsigned char> bytes;
    bytes.reserve(lines.size() * kBytesPerLine);
    for (int32_t line : lines) {
        const uint32_t bits = static_cast<uint32_t>(line);
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<unsigned char>(bits >> shift));
    }
    return bytes;
}

int32_t Decode(const unsigned char* bytes)
{
    uint32_t bits = 0;
    for (int i = kBytesPerLine - 1; i >= 0; --i) bits = (bits << 8) | bytes[i];
    return static_cast<int32_t>(bits);
}

void LoadAxis(ProfileStore& store, const char* name, const AxisKeys& keys, std::vector<int32_t>& lines)
{
    lines.clear();
    const int count = store.ReadInt(name, keys.count, 0);
    if (count <= 0 || count > LineTemplate::MaxLines) return;
    // One zero-filled buffer is both destination and default: a block whose
    // length does not match the count loads as that many zeros.
    std::vector<unsigned char> bytes(static_cast<size_t>(count) * kBytesPerLine, 0);
    store.ReadBinary(name, keys.data, bytes.data(), bytes.data(), static_cast<int>(bytes.size()));
    lines.reserve(static_cast<size_t>(count));
    for (size_t at = 0; at < bytes.size(); at += kBytesPerLine) lines.push_back(Decode(&bytes[at]));
}

// The counts are written first, the coordinates after them, as files in use have them.
bool SaveCount(ProfileStore& store, const char* name, const AxisKeys& keys, const std::vector<int32_t>& lines)
{
    return store.WriteInt(name, keys.count, static_cast<int>(lines.size()));
}

bool SaveData(ProfileStore& store, const char* name, const AxisKeys& keys, const std::vector<int32_t>& lines)
{
    if (lines.empty()) return true;
    const std::vector<unsigned char> bytes = Encode(lines);
    return store.WriteBinary(name, keys.data, bytes.data(), static_cast<int>(bytes.size()));
}

} // namespace

bool LineTemplate::Persist(ProfileStore& store, const char* name, bool loading)
{
    if (loading) {
        LoadAxis(store, name, kKeysX, linesX);
        LoadAxis(store, name, kKeysY, linesY);
        return true;
    }
    const size_t most = static_cast<size_t>(MaxLines);
    if (linesX.size() > most || linesY.size() > most) return false;
    return SaveCount(store, name, kKeysX, linesX) && SaveCount(store, name, kKeysY, linesY) &&
           SaveData(store, name, kKeysX, linesX) && SaveData(store, name, kKeysY, linesY);
}

bool IsStorableTemplateName(const std::string& name)
{
    return name.find('\0') == std::string::npos && IniText::IsSectionName(name.c_str());
}
