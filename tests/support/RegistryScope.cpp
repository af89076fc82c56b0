#include "support/RegistryScope.h"

std::string RegistryScope::SectionPath(const char* section) const
{
    return section ? m_path + "\\" + section : m_path;
}

void RegistryScope::Clear() const
{
    RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, m_path.c_str());
}

bool RegistryScope::Exists(const char* section) const
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void RegistryScope::SetDword(const char* section, const char* name, uint32_t value) const
{
    RegSetKeyValueA(HKEY_CURRENT_USER, SectionPath(section).c_str(), name, REG_DWORD, &value, sizeof(value));
}

void RegistryScope::SetString(const char* section, const char* name, const char* value) const
{
    RegSetKeyValueA(HKEY_CURRENT_USER, SectionPath(section).c_str(), name, REG_SZ, value,
                    static_cast<DWORD>(strlen(value) + 1));
}

void RegistryScope::SetBinary(const char* section, const char* name, const void* data, DWORD size) const
{
    RegSetKeyValueA(HKEY_CURRENT_USER, SectionPath(section).c_str(), name, REG_BINARY, data, size);
}

std::optional<uint32_t> RegistryScope::Dword(const char* section, const char* name) const
{
    DWORD value = 0, size = sizeof(value), type = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, SectionPath(section).c_str(), name, RRF_RT_ANY, &type, &value, &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return value;
}

DWORD RegistryScope::Type(const char* section, const char* name) const
{
    DWORD type = REG_NONE;
    if (RegGetValueA(HKEY_CURRENT_USER, SectionPath(section).c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                     nullptr) != ERROR_SUCCESS)
        return REG_NONE;
    return type;
}

int RegistryScope::ValueCount(const char* section) const
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    DWORD count = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return static_cast<int>(count);
}
