#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "profile/IniText.h"
#include "profile/ProfileStore.h"

// The template file: a ProfileStore over one INI-style text file, read whole at
// construction and written back at destruction only if something changed.
// Create one for a single load or save pass and let it go out of scope.
class IniProfile : public virtual ProfileStore {
public:
    // The file beside the running executable, with the extension "ini".
    IniProfile();
    explicit IniProfile(std::filesystem::path path);
    ~IniProfile() override;

    IniProfile(const IniProfile&) = delete;
    IniProfile& operator=(const IniProfile&) = delete;

    // What the store holds now, for checks that compare it with the file.
    const IniText& Text() const { return m_text; }

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
    void Save() const;

    std::filesystem::path m_path;
    IniText m_text;
};
