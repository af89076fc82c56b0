#pragma once

#include <string>
#include <string_view>
#include <vector>

// The text of a template file and the operations that search and splice it.
// The layout is fixed by files already on users' disks: "[name]" CR LF headers,
// "key=value" CR LF lines, a new key directly under its header, a new section
// after one empty line. Nothing here touches the file system.
//
// Section names hold 1 to 28 characters and no "[", "]", CR or LF; key names
// 1 to 29 characters and no "=", "[", CR or LF; stored text no "[", CR or LF.
// Anything else could be mistaken for structure when the text is searched, so
// writes refuse it (false, text unchanged) and reads return the default.
class IniText {
public:
    IniText() = default;
    // Takes file bytes as stored; the text ends at the first NUL.
    explicit IniText(std::string_view bytes);

    const std::string& Content() const { return m_content; }
    // Set by every change; a store that was only read is never written back.
    bool IsModified() const { return m_modified; }

    bool EnumSections(std::vector<std::string>& names) const;
    bool DeleteSection(const char* section);
    bool EnumKeys(const char* section, std::vector<std::string>& names) const;
    bool DeleteKey(const char* section, const char* key);

    int ReadInt(const char* section, const char* key, int def) const;
    float ReadFloat(const char* section, const char* key, float def) const;
    std::string ReadString(const char* section, const char* key, const char* def) const;
    int ReadStringBuf(const char* section, const char* key, const char* def, char* buf, int size) const;
    bool ReadBinary(const char* section, const char* key, void* dest, const void* def, int size) const;
    int ReadBinaryAlloc(const char* section, const char* key, unsigned char*& result, const void* def,
                        int defSize) const;

    bool WriteInt(const char* section, const char* key, int value);
    bool WriteFloat(const char* section, const char* key, float value);
    bool WriteString(const char* section, const char* key, const char* value);
    bool WriteBinary(const char* section, const char* key, const void* data, int size);

private:
    // Where a key's value sits: [begin, end) leaves out the CR that ends the
    // line; lineFeed is npos when the value runs to the end of the text.
    struct ValueSpan {
        size_t begin;
        size_t end;
        size_t lineFeed;
    };

    size_t FindSection(const char* section) const;
    size_t SectionEnd(size_t body) const;
    bool FindKey(size_t body, const char* key, ValueSpan& span) const;
    bool FindValue(const char* section, const char* key, ValueSpan& span) const;
    bool StoredText(const char* section, const char* key, std::string_view& text) const;
    bool WriteValue(const char* section, const char* key, const std::string& value);

    std::string m_content;
    bool m_modified = false;
};
