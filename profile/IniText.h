#pragma once

#include <string>
#include <string_view>
#include <vector>

// The text of a template file and the operations that search and splice it.
// The layout is fixed by files already on users' disks: "[name]" CR LF headers,
// "key=value" CR LF lines, a new key directly under its header, a new section
// after one empty line. Nothing here touches the file system.
//
// A section header is a whole line, "[" name "]" CR LF, so a name may hold any
// byte but CR and LF: in code page 932 the second byte of many characters is
// "[" or "]" ("ー" is 0x81 0x5B). Section names hold 1 to 28 bytes; key names
// 1 to 29 bytes and no "=", "[", CR or LF; stored text no CR or LF. Anything
// else could split a line or be mistaken for structure, so writes refuse it
// (false, text unchanged) and reads return the default.
class IniText {
public:
    // The longest names files in use have ever held: the patterns "[%s]\r" and
    // "\n%s=" had to fit in 32 bytes.
    static constexpr size_t MaxSectionName = 28;
    static constexpr size_t MaxKeyName = 29;

    // Whether a section of this name can be stored and found again.
    static bool IsSectionName(const char* section);

    IniText() = default;
    // Takes file bytes as stored; the text ends at the first NUL. A UTF-8
    // byte-order mark is set aside and kept for writing. A last line without
    // CR LF reads as though it had one, and the first change writes the CR LF:
    // a value stored on that line must not run on into the end of the file.
    explicit IniText(std::string_view bytes);
    // Whether file bytes can be taken as text at all: a NUL (a file saved as
    // UTF-16, or damaged) would hide everything after it.
    static bool IsText(std::string_view bytes);

    // The text, without the byte-order mark.
    const std::string& Content() const { return m_content; }
    // What the file holds once written: the mark, if the file had one, then the text.
    std::string FileBytes() const { return m_mark + m_content; }
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

    std::string m_mark;
    std::string m_content;
    bool m_modified = false;
};
