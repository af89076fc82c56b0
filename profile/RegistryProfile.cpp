#include "profile/RegistryProfile.h"

#include "framework/Application.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The most a text or block of unbounded length is read: far past anything the
// program stores. A longer value reads as missing instead of being copied whole.
constexpr size_t kMaxValueBytes = 1u << 20;
// A number written as text ("%f" of the largest float takes 46 characters).
constexpr size_t kMaxNumberText = 64;

// Closes a registry key at the end of a scope.
class KeyHolder {
public:
    explicit KeyHolder(HKEY key) : m_key(key) {}
    ~KeyHolder()
    {
        if (m_key) RegCloseKey(m_key);
    }
    KeyHolder(const KeyHolder&) = delete;
    KeyHolder& operator=(const KeyHolder&) = delete;
    HKEY get() const { return m_key; }

private:
    HKEY m_key;
};

// Copies at most size - 1 characters and terminates; nothing when size <= 0.
int CopyTerminated(char* buf, int size, const char* text, size_t length)
{
    if (!buf || size <= 0) return 0;
    const size_t n = length < static_cast<size_t>(size - 1) ? length : static_cast<size_t>(size - 1);
    if (n) std::memcpy(buf, text, n);
    buf[n] = '\0';
    return static_cast<int>(n);
}

// REG_SZ data may or may not carry its terminating NUL; the text ends at the first one.
std::string TextOf(const std::string& data)
{
    return std::string(data.c_str());
}

} // namespace

RegistryProfile::RegistryProfile(const char* basePath, HKEY root) : m_root(root)
{
    if (basePath)
        m_basePath = basePath;
    else
        m_basePath = "SOFTWARE\\" + AppRegistry::Company() + "\\" + AppRegistry::AppName();
}

HKEY RegistryProfile::OpenKey(const char* section, bool create) const
{
    std::string path = m_basePath;
    if (section) path += std::string("\\") + section;
    HKEY key = nullptr;
    if (RegOpenKeyExA(m_root, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) return key;
    if (create && RegCreateKeyExA(m_root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr) == ERROR_SUCCESS)
        return key;
    return nullptr;
}

bool RegistryProfile::QueryValue(const char* section, const char* key, DWORD& type, std::string& data,
                                 size_t most) const
{
    KeyHolder k(OpenKey(section, false));
    if (!k.get()) return false;
    // The size is asked first, so a value larger than the caller can use is never
    // copied; it can change between the two calls, so a grown one is asked again.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = 0;
        if (RegQueryValueExA(k.get(), key, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || size > most)
            return false;
        data.assign(size, '\0');
        LONG rc =
            RegQueryValueExA(k.get(), key, nullptr, &type, size ? reinterpret_cast<BYTE*>(&data[0]) : nullptr, &size);
        if (rc == ERROR_SUCCESS) {
            data.resize(size);
            return true;
        }
        if (rc != ERROR_MORE_DATA) return false;
    }
    return false;
}

bool RegistryProfile::SetValue(const char* section, const char* key, DWORD type, const void* data, DWORD size)
{
    KeyHolder k(OpenKey(section, true));
    if (!k.get()) return false;
    return RegSetValueExA(k.get(), key, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool RegistryProfile::EnumSections(std::vector<std::string>& names)
{
    KeyHolder k(OpenKey(nullptr, false));
    if (!k.get()) return false;
    DWORD maxLength = 0;
    RegQueryInfoKeyA(k.get(), nullptr, nullptr, nullptr, nullptr, &maxLength, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr);
    // Sized for the longest name the key holds, so no section is cut off or skipped.
    std::string name(maxLength + 1 > 256 ? maxLength + 1 : 256, '\0');
    bool appended = false;
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        LONG rc = RegEnumKeyExA(k.get(), index, &name[0], &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA) {
            name.assign(name.size() * 2, '\0');
            --index;
            continue;
        }
        if (rc != ERROR_SUCCESS) break;
        names.emplace_back(name.data(), length);
        appended = true;
    }
    return appended;
}

bool RegistryProfile::DeleteSection(const char* section)
{
    KeyHolder k(OpenKey(nullptr, false));
    if (k.get() && section) RegDeleteKeyA(k.get(), section);
    return false;
}

bool RegistryProfile::EnumKeys(const char*, std::vector<std::string>&)
{
    return true;
}

bool RegistryProfile::DeleteKey(const char*, const char*)
{
    return true;
}

int RegistryProfile::ReadInt(const char* section, const char* key, int def)
{
    DWORD type = 0;
    std::string data;
    if (!QueryValue(section, key, type, data, sizeof(DWORD)) || type != REG_DWORD || data.size() != sizeof(DWORD))
        return def;
    DWORD value = 0;
    std::memcpy(&value, data.data(), sizeof(value));
    return static_cast<int>(value);
}

float RegistryProfile::ReadFloat(const char* section, const char* key, float def)
{
    DWORD type = 0;
    std::string data;
    if (!QueryValue(section, key, type, data, kMaxNumberText) || type != REG_SZ) return def;
    const std::string text = TextOf(data);
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return end == text.c_str() ? def : static_cast<float>(value);
}

std::string RegistryProfile::ReadString(const char* section, const char* key, const char* def)
{
    DWORD type = 0;
    std::string data;
    if (!QueryValue(section, key, type, data, kMaxValueBytes) || type != REG_SZ) return def ? def : "";
    return TextOf(data);
}

int RegistryProfile::ReadStringBuf(const char* section, const char* key, const char* def, char* buf, int size)
{
    if (!buf || size <= 0) return 0;
    const char* fallback = def ? def : "";
    int length = CopyTerminated(buf, size, fallback, std::strlen(fallback));
    DWORD type = 0;
    std::string data;
    if (QueryValue(section, key, type, data, kMaxValueBytes) && type == REG_SZ) {
        const std::string text = TextOf(data);
        length = CopyTerminated(buf, size, text.data(), text.size());
    }
    return length;
}

bool RegistryProfile::ReadBinary(const char* section, const char* key, void* dest, const void* def, int size)
{
    if (!dest || size <= 0) return false;
    DWORD type = 0;
    std::string data;
    if (QueryValue(section, key, type, data, static_cast<size_t>(size)) && type == REG_BINARY &&
        data.size() == static_cast<size_t>(size)) {
        std::memcpy(dest, data.data(), data.size());
        return true;
    }
    if (def && def != dest) std::memcpy(dest, def, static_cast<size_t>(size));
    return false;
}

int RegistryProfile::ReadBinaryAlloc(const char* section, const char* key, unsigned char*& result, const void* def,
                                     int defSize)
{
    DWORD type = 0;
    std::string data;
    if (QueryValue(section, key, type, data, kMaxValueBytes) && type == REG_BINARY) {
        unsigned char* block = new unsigned char[data.empty() ? 1 : data.size()];
        if (!data.empty()) std::memcpy(block, data.data(), data.size());
        result = block;
        return static_cast<int>(data.size());
    }
    if (defSize > 0 && def) {
        unsigned char* block = new unsigned char[static_cast<size_t>(defSize)];
        std::memcpy(block, def, static_cast<size_t>(defSize));
        result = block;
        return defSize;
    }
    return 0;
}

bool RegistryProfile::WriteInt(const char* section, const char* key, int value)
{
    const DWORD data = static_cast<DWORD>(value);
    return SetValue(section, key, REG_DWORD, &data, sizeof(data));
}

bool RegistryProfile::WriteFloat(const char* section, const char* key, float value)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%f", static_cast<double>(value));
    return WriteString(section, key, text);
}

bool RegistryProfile::WriteString(const char* section, const char* key, const char* value)
{
    const char* text = value ? value : "";
    return SetValue(section, key, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
}

bool RegistryProfile::WriteBinary(const char* section, const char* key, const void* data, int size)
{
    if (size < 0 || (size > 0 && !data)) return false;
    return SetValue(section, key, REG_BINARY, data, static_cast<DWORD>(size));
}
