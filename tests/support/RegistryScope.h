#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// Reads, seeds and clears a registry key below HKEY_CURRENT_USER for a test.
class RegistryScope {
public:
    explicit RegistryScope(std::string path) : m_path(std::move(path)) {}

    // Removes the key with everything below it.
    void Clear() const;
    bool Exists(const char* section = nullptr) const;
    void SetDword(const char* section, const char* name, uint32_t value) const;
    void SetString(const char* section, const char* name, const char* value) const;
    void SetBinary(const char* section, const char* name, const void* data, DWORD size) const;
    // The value's type and data, or nothing when it is missing.
    std::optional<uint32_t> Dword(const char* section, const char* name) const;
    DWORD Type(const char* section, const char* name) const;
    int ValueCount(const char* section) const;
    const std::string& Path() const { return m_path; }

private:
    std::string SectionPath(const char* section) const;
    std::string m_path;
};

// HKCU\SOFTWARE\Veltrin's Applications\Mensuro, where the ruler keeps its options.
inline RegistryScope MensuroRegistry()
{
    return RegistryScope("SOFTWARE\\Veltrin's Applications\\Mensuro");
}
