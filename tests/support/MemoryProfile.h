#pragma once

#include "profile/ProfileStore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

// A ProfileStore in memory for tests of load and save routines. Every value is
// kept as text (ints and floats in decimal) and each read and write is logged in
// order. Names match exactly, as in the template file, so a routine that spells
// a name two ways fails here; NameCase::Ignore matches them as the registry does.
class MemoryProfile : public ProfileStore {
public:
    enum class NameCase { Exact, Ignore };

    struct Access {
        char op; // 'R' or 'W'
        std::string section, key;
    };

    explicit MemoryProfile(NameCase names = NameCase::Exact) : m_names(names) {}

    // section -> key -> value (names lower-cased under NameCase::Ignore)
    std::map<std::string, std::map<std::string, std::string>> values;
    std::vector<Access> log;

    // Keys of the logged reads ('R') or writes ('W'), in order.
    std::vector<std::string> LoggedKeys(char op) const
    {
        std::vector<std::string> keys;
        for (const Access& a : log)
            if (a.op == op) keys.push_back(a.key);
        return keys;
    }

    bool EnumSections(std::vector<std::string>& names) override
    {
        for (const auto& s : values) names.push_back(s.first);
        return !values.empty();
    }
    bool DeleteSection(const char* section) override { return values.erase(Canonical(section)) > 0; }
    bool EnumKeys(const char* section, std::vector<std::string>& names) override
    {
        const auto s = values.find(Canonical(section));
        if (s == values.end()) return false;
        for (const auto& k : s->second) names.push_back(k.first);
        return true;
    }
    bool DeleteKey(const char* section, const char* key) override
    {
        const auto s = values.find(Canonical(section));
        return s != values.end() && s->second.erase(Canonical(key)) > 0;
    }

    int ReadInt(const char* section, const char* key, int def) override
    {
        const std::string* v = Read(section, key);
        return v ? static_cast<int>(std::strtol(v->c_str(), nullptr, 10)) : def;
    }
    float ReadFloat(const char* section, const char* key, float def) override
    {
        const std::string* v = Read(section, key);
        return v ? std::strtof(v->c_str(), nullptr) : def;
    }
    std::string ReadString(const char* section, const char* key, const char* def) override
    {
        const std::string* v = Read(section, key);
        return v ? *v : std::string(def ? def : "");
    }
    int ReadStringBuf(const char* section, const char* key, const char* def, char* buf, int size) override
    {
        const std::string text = ReadString(section, key, def);
        if (size <= 0) return 0;
        const size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
        std::memcpy(buf, text.data(), n);
        buf[n] = '\0';
        return static_cast<int>(n);
    }
    bool ReadBinary(const char* section, const char* key, void* dest, const void* def, int size) override
    {
        const std::string* v = Read(section, key);
        if (size <= 0) return false;
        if (v && v->size() == static_cast<size_t>(size)) {
            std::memcpy(dest, v->data(), v->size());
            return true;
        }
        if (def && def != dest) std::memmove(dest, def, static_cast<size_t>(size));
        return false;
    }
    int ReadBinaryAlloc(const char* section, const char* key, unsigned char*& result, const void* def,
                        int defSize) override
    {
        const std::string* v = Read(section, key);
        const std::string data =
            v ? *v
              : (def && defSize > 0 ? std::string(static_cast<const char*>(def), static_cast<size_t>(defSize))
                                    : std::string());
        if (data.empty()) return 0;
        result = new unsigned char[data.size()];
        std::memcpy(result, data.data(), data.size());
        return static_cast<int>(data.size());
    }

    bool WriteInt(const char* section, const char* key, int value) override
    {
        return Write(section, key, std::to_string(value));
    }
    bool WriteFloat(const char* section, const char* key, float value) override
    {
        return Write(section, key, std::to_string(value));
    }
    bool WriteString(const char* section, const char* key, const char* value) override
    {
        return Write(section, key, value ? value : "");
    }
    bool WriteBinary(const char* section, const char* key, const void* data, int size) override
    {
        return Write(section, key, std::string(static_cast<const char*>(data), size > 0 ? size : 0));
    }

private:
    std::string Canonical(const char* name) const
    {
        std::string s = name ? name : "";
        if (m_names == NameCase::Exact) return s;
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return s;
    }
    const std::string* Find(const char* section, const char* key) const
    {
        const auto s = values.find(Canonical(section));
        if (s == values.end()) return nullptr;
        const auto k = s->second.find(Canonical(key));
        return k == s->second.end() ? nullptr : &k->second;
    }
    const std::string* Read(const char* section, const char* key)
    {
        log.push_back({'R', section ? section : "", key ? key : ""});
        return Find(section, key);
    }
    bool Write(const char* section, const char* key, const std::string& value)
    {
        log.push_back({'W', section ? section : "", key ? key : ""});
        values[Canonical(section)][Canonical(key)] = value;
        return true;
    }

    NameCase m_names;
};
