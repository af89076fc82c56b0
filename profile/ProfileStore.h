#pragma once

#include <string>
#include <vector>

// A typed, sectioned settings store. Load and save routines take a ProfileStore&
// and a load flag, so one routine serves the registry and the template file alike.
//
// Reads never fail: a missing section, key or unreadable value yields the default.
// Every boolean result is true for success.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;

    virtual bool EnumSections(std::vector<std::string>& names) = 0;
    virtual bool DeleteSection(const char* section) = 0;
    virtual bool EnumKeys(const char* section, std::vector<std::string>& names) = 0;
    virtual bool DeleteKey(const char* section, const char* key) = 0;

    virtual int ReadInt(const char* section, const char* key, int def) = 0;
    virtual float ReadFloat(const char* section, const char* key, float def) = 0;
    virtual std::string ReadString(const char* section, const char* key, const char* def) = 0;
    // Copies at most size - 1 characters into buf, always terminated when size > 0;
    // returns the length of the text left in buf.
    virtual int ReadStringBuf(const char* section, const char* key, const char* def, char* buf, int size) = 0;
    // True when a stored block of exactly size bytes was copied to dest;
    // otherwise size bytes of def are copied and the result is false.
    virtual bool ReadBinary(const char* section, const char* key, void* dest, const void* def, int size) = 0;
    // Returns the byte count of a block allocated with new[] and stored in result
    // (the caller delete[]s it), or 0 with result untouched.
    virtual int ReadBinaryAlloc(const char* section, const char* key, unsigned char*& result, const void* def,
                                int defSize) = 0;

    virtual bool WriteInt(const char* section, const char* key, int value) = 0;
    virtual bool WriteFloat(const char* section, const char* key, float value) = 0;
    virtual bool WriteString(const char* section, const char* key, const char* value) = 0;
    virtual bool WriteBinary(const char* section, const char* key, const void* data, int size) = 0;
};
