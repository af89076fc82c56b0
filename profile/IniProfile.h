#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "profile/IniText.h"
#include "profile/ProfileStore.h"

// The template file: a ProfileStore over one INI-style text file, read whole at
// construction and written back at destruction only if something changed.
// Create one for a single load or save pass and let it go out of scope.
//
// A missing file is an empty store. A file that exists but cannot be read (no
// permission, locked, a read error, larger than MaxFileBytes, a NUL byte) reads
// as empty too, but then every write is refused: saving would replace the templates the
// store never saw. Writes are also refused once the text would outgrow
// MaxFileBytes, so the store never leaves a file it would not read back.
class IniProfile : public virtual ProfileStore {
public:
    // Far beyond any real template file (a few hundred bytes; a template of the
    // most lines a template may hold is about 0.5 MB).
    static constexpr size_t MaxFileBytes = 16u << 20;

    // The file beside the running executable, with the extension "ini".
    IniProfile();
    explicit IniProfile(std::filesystem::path path);
    ~IniProfile() override;

    IniProfile(const IniProfile&) = delete;
    IniProfile& operator=(const IniProfile&) = delete;

    // What the store holds now, for checks that compare it with the file.
    const IniText& Text() const { return m_text; }
    // The file exists but could not be read (or its location is unknown):
    // the store is empty and refuses every write.
    bool ReadFailed() const { return m_readFailed; }
    // Leaves the file as it was, whatever this object has changed: for a
    // caller whose set of writes was refused part-way.
    void Discard() { m_discarded = true; }
    // Writes the changes now, for a caller that tells the user when they could
    // not be kept; false when the file was left as it was (a read-only file, a
    // folder that cannot be written, a file held open). Nothing is saved later.
    bool Commit();

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
    // Whether a write that adds at most `added` bytes may go ahead.
    bool MayWrite(size_t added) const;
    bool Save() const;

    std::filesystem::path m_path;
    bool m_readFailed = false;
    bool m_discarded = false;
    bool m_committed = false;
    IniText m_text;
};
