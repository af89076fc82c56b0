#pragma once

#include "profile/ProfileStore.h"

#include <windows.h>

#include <string>

// ProfileStore over the registry: a section is a subkey of the base key, a key
// is a named value in it. Every operation opens its key, does one thing and
// closes it again, so the store holds nothing open between calls.
class RegistryProfile : public virtual ProfileStore {
public:
    // A null basePath means "SOFTWARE\<company>\<application name>".
    RegistryProfile(const char* basePath, HKEY root);

    const std::string& BasePath() const { return m_basePath; }

    bool EnumSections(std::vector<std::string>& names) override;
    bool DeleteSection(const char* section) override;
    bool EnumKeys(const char* section, std::vector<std::string>& names) override;
    bool DeleteKey(const char* section, const char* key) override;

    int ReadInt(const char* section, const char* key, int def) override;
    float ReadFloat(const char* section, const char* key, float def) override;
    std::string ReadString(const char* section, const char* key, const char* def) override;
    int ReadStringBuf(const char* section, const char* key, const char* def, char* buf, int size) override;
    bool ReadBinary(const char* section, const char* key, void* dest, const void* def, int size) override;
    int ReadBinaryAlloc(const char* section, const char* key, unsigned char*& result, const void* def,
                        int defSize) override;

    bool WriteInt(const char* section, const char* key, int value) override;
    bool WriteFloat(const char* section, const char* key, float value) override;
    bool WriteString(const char* section, const char* key, const char* value) override;
    bool WriteBinary(const char* section, const char* key, const void* data, int size) override;

private:
    HKEY OpenKey(const char* section, bool create) const;
    // The whole value; false if it is missing, unreadable or longer than `most` bytes.
    bool QueryValue(const char* section, const char* key, DWORD& type, std::string& data, size_t most) const;
    bool SetValue(const char* section, const char* key, DWORD type, const void* data, DWORD size);

    std::string m_basePath;
    HKEY m_root;
};
