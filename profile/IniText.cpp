#include "profile/IniText.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

namespace {

const size_t npos = std::string::npos;

bool IsAcceptable(const char* text, size_t maxLength, const char* forbidden)
{
    if (!text) return false;
    size_t length = 0;
    for (; text[length] != '\0'; ++length) {
        if (length == maxLength || std::strchr(forbidden, text[length])) return false;
    }
    return true;
}

// "=" would cut the key short; a "[" could start a line that ends the section.
bool IsKeyName(const char* key)
{
    return key && *key && IsAcceptable(key, IniText::MaxKeyName, "=[\r\n");
}

// Only a line break could make a value pass for structure: headers are whole
// lines and a value never starts one.
bool IsStorableText(const char* value)
{
    return IsAcceptable(value, npos, "\r\n");
}

// As atoi, but confined to the value so it never reads into the next line,
// and saturating instead of overflowing.
int ParseInt(const std::string& text)
{
    long long value = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// As atof narrowed to float; out-of-range values become infinities rather
// than an undefined conversion.
float ParseFloat(const std::string& text)
{
    double value = std::strtod(text.c_str(), nullptr);
    const float largest = std::numeric_limits<float>::max();
    if (value > largest) return std::numeric_limits<float>::infinity();
    if (value < -largest) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

// Two characters read as strtoul base 16 reads them: blanks skipped, digits
// taken as far as they go, no digit at all gives 0.
unsigned char DecodePair(const char* pair)
{
    const char text[3] = {pair[0], pair[1], '\0'};
    return static_cast<unsigned char>(std::strtoul(text, nullptr, 16));
}

void DecodeHex(const char* hex, size_t byteCount, unsigned char* dest)
{
    for (size_t i = 0; i < byteCount; ++i) dest[i] = DecodePair(hex + 2 * i);
}

} // namespace

bool IniText::IsSectionName(const char* section)
{
    return section && *section && IsAcceptable(section, MaxSectionName, "\r\n");
}

IniText::IniText(std::string_view bytes)
{
    const std::string_view mark = "\xEF\xBB\xBF";
    if (bytes.substr(0, mark.size()) == mark) {
        m_mark = mark;
        bytes.remove_prefix(mark.size());
    }
    m_content = bytes.substr(0, bytes.find('\0'));
    if (!m_content.empty() && m_content.back() != '\n') m_content += m_content.back() == '\r' ? "\n" : "\r\n";
}

bool IniText::IsText(std::string_view bytes)
{
    return bytes.find('\0') == std::string_view::npos;
}

// Returns the offset just past "[section]" CR (the header's LF), or npos.
// Only a whole line is a header: "[ト]" inside the header of "テンプレート"
// (bytes ... 0x81 0x5B 0x83 0x67 "]") is not. The first header wins.
size_t IniText::FindSection(const char* section) const
{
    std::string pattern = "[";
    pattern += section;
    pattern += "]\r\n";
    for (size_t at = m_content.find(pattern); at != npos; at = m_content.find(pattern, at + 1)) {
        if (at == 0 || m_content[at - 1] == '\n') return at + pattern.size() - 1;
    }
    return npos;
}

// A body ends at the next line that begins with "[".
size_t IniText::SectionEnd(size_t body) const
{
    size_t next = m_content.find("\n[", body);
    return next == npos ? m_content.size() : next;
}

bool IniText::FindValue(const char* section, const char* key, ValueSpan& span) const
{
    if (!IsSectionName(section) || !IsKeyName(key)) return false;
    size_t body = FindSection(section);
    return body != npos && FindKey(body, key, span);
}

bool IniText::FindKey(size_t body, const char* key, ValueSpan& span) const
{
    std::string pattern = "\n";
    pattern += key;
    pattern += "=";
    // Searching only the body keeps a same-named key of a later section out of reach.
    std::string_view inBody = std::string_view(m_content).substr(body, SectionEnd(body) - body);
    size_t at = inBody.find(pattern);
    if (at == npos) return false;

    span.begin = body + at + pattern.size();
    span.lineFeed = m_content.find('\n', span.begin);
    span.end = span.lineFeed == npos ? m_content.size() : span.lineFeed;
    if (span.end > span.begin && m_content[span.end - 1] == '\r' && span.lineFeed != npos) --span.end;
    return true;
}

// The value text of a complete line (the constructor completes a last line).
bool IniText::StoredText(const char* section, const char* key, std::string_view& text) const
{
    ValueSpan span;
    if (!FindValue(section, key, span) || span.lineFeed == npos) return false;
    text = std::string_view(m_content).substr(span.begin, span.end - span.begin);
    return true;
}

// Lists the header lines, in file order, whose names can be looked up again.
bool IniText::EnumSections(std::vector<std::string>& names) const
{
    for (size_t line = 0; line < m_content.size();) {
        size_t lineFeed = m_content.find('\n', line);
        if (lineFeed == npos) break;
        if (m_content[line] == '[' && lineFeed >= line + 3 && m_content.compare(lineFeed - 2, 2, "]\r") == 0) {
            std::string name(m_content, line + 1, lineFeed - 2 - (line + 1));
            if (IsSectionName(name.c_str())) names.push_back(std::move(name));
        }
        line = lineFeed + 1;
    }
    return true;
}

bool IniText::DeleteSection(const char* section)
{
    // A name the file cannot hold names no section: nothing to delete.
    if (!IsSectionName(section)) return true;
    size_t body = FindSection(section);
    if (body == npos) return true;

    // Up to the line that ends the body, as the key search sees it (a section
    // that follows directly starts right after the header's LF); the empty
    // line before the next header goes too. A bare LF before it must not let
    // the deletion run on into that section.
    size_t header = body - std::strlen(section) - 3;
    size_t stop = SectionEnd(body);
    if (stop < m_content.size()) ++stop;
    m_content.erase(header, stop - header);
    m_modified = true;
    return true;
}

bool IniText::EnumKeys(const char* section, std::vector<std::string>& names) const
{
    if (!IsSectionName(section)) return false;
    size_t body = FindSection(section);
    if (body == npos) return false;

    // Body lines are those that follow an LF of the body, as in the key search.
    size_t end = SectionEnd(body);
    size_t lineFeed = m_content.find('\n', body);
    while (lineFeed != npos && lineFeed < end) {
        size_t lineStart = lineFeed + 1;
        lineFeed = m_content.find('\n', lineStart);
        size_t lineEnd = lineFeed == npos ? m_content.size() : lineFeed;
        const char* start = m_content.data() + lineStart;
        const void* equals = std::memchr(start, '=', lineEnd - lineStart);
        if (equals) names.emplace_back(start, static_cast<const char*>(equals) - start);
    }
    return true;
}

bool IniText::DeleteKey(const char* section, const char* key)
{
    ValueSpan span;
    if (!FindValue(section, key, span)) return false;
    // Only a line ended by CR LF is removed.
    if (span.lineFeed == npos || span.end + 1 != span.lineFeed) return false;
    size_t lineStart = span.begin - std::strlen(key) - 1;
    m_content.erase(lineStart, span.lineFeed + 1 - lineStart);
    m_modified = true;
    return true;
}

int IniText::ReadInt(const char* section, const char* key, int def) const
{
    ValueSpan span;
    if (!FindValue(section, key, span)) return def;
    return ParseInt(m_content.substr(span.begin, span.end - span.begin));
}

float IniText::ReadFloat(const char* section, const char* key, float def) const
{
    ValueSpan span;
    if (!FindValue(section, key, span)) return def;
    return ParseFloat(m_content.substr(span.begin, span.end - span.begin));
}

std::string IniText::ReadString(const char* section, const char* key, const char* def) const
{
    std::string_view text;
    if (StoredText(section, key, text)) return std::string(text);
    return def ? def : "";
}

int IniText::ReadStringBuf(const char* section, const char* key, const char* def, char* buf, int size) const
{
    if (!buf || size <= 0) return 0;
    std::string_view text;
    if (!StoredText(section, key, text)) text = def ? def : "";
    size_t length = std::min(text.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buf, text.data(), length);
    buf[length] = '\0';
    return static_cast<int>(length);
}

bool IniText::ReadBinary(const char* section, const char* key, void* dest, const void* def, int size) const
{
    if (!dest || size <= 0) return false;
    std::string_view text;
    if (StoredText(section, key, text) && text.size() == 2 * static_cast<size_t>(size)) {
        DecodeHex(text.data(), static_cast<size_t>(size), static_cast<unsigned char*>(dest));
        return true;
    }
    // The template loader passes one buffer as destination and default.
    if (def && def != dest) std::memmove(dest, def, static_cast<size_t>(size));
    return false;
}

int IniText::ReadBinaryAlloc(const char* section, const char* key, unsigned char*& result, const void* def,
                             int defSize) const
{
    std::string_view text;
    if (StoredText(section, key, text) && !text.empty() && text.size() % 2 == 0 &&
        text.size() / 2 <= static_cast<size_t>(INT_MAX)) {
        size_t count = text.size() / 2;
        result = new unsigned char[count];
        DecodeHex(text.data(), count, result);
        return static_cast<int>(count);
    }
    if (!def || defSize <= 0) return 0;
    result = new unsigned char[static_cast<size_t>(defSize)];
    std::memcpy(result, def, static_cast<size_t>(defSize));
    return defSize;
}

bool IniText::WriteInt(const char* section, const char* key, int value)
{
    return WriteValue(section, key, std::to_string(value));
}

bool IniText::WriteFloat(const char* section, const char* key, float value)
{
    // FLT_MAX takes 46 characters in "%f".
    char text[64];
    std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
    return WriteValue(section, key, text);
}

bool IniText::WriteString(const char* section, const char* key, const char* value)
{
    if (!IsStorableText(value)) return false;
    return WriteValue(section, key, value);
}

bool IniText::WriteBinary(const char* section, const char* key, const void* data, int size)
{
    if (size < 0 || (size > 0 && !data)) return false;
    static const char digits[] = "0123456789ABCDEF";
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    std::string hex;
    hex.reserve(2 * static_cast<size_t>(size));
    for (int i = 0; i < size; ++i) {
        hex += digits[bytes[i] >> 4];
        hex += digits[bytes[i] & 0x0F];
    }
    return WriteString(section, key, hex.c_str());
}

bool IniText::WriteValue(const char* section, const char* key, const std::string& value)
{
    if (!IsSectionName(section) || !IsKeyName(key)) return false;

    std::string line = key;
    line += "=";
    line += value;
    line += "\r\n";

    size_t body = FindSection(section);
    ValueSpan span;
    if (body == npos) {
        // Every line of the text ends in LF, so the new header starts a line of its own.
        m_content += (m_content.empty() ? "" : "\r\n") + std::string("[") + section + "]\r\n" + line;
    } else if (FindKey(body, key, span)) {
        m_content.replace(span.begin, span.end - span.begin, value);
    } else {
        // Directly under the header.
        m_content.insert(body + 1, line);
    }
    m_modified = true;
    return true;
}
