#include "profile/IniProfile.h"

#include <algorithm>
#include <cstring>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

enum class ReadResult { Missing, Read, Failed };

#ifdef _WIN32

ReadResult ReadWholeFile(const fs::path& path, std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::Missing
                                                                              : ReadResult::Failed;
    }
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
              static_cast<unsigned long long>(size.QuadPart) <= IniProfile::MaxFileBytes;
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        size_t done = 0;
        while (ok && done < bytes.size()) {
            DWORD got = 0;
            ok = ReadFile(file, &bytes[done], static_cast<DWORD>(bytes.size() - done), &got, nullptr) != 0;
            if (got == 0) break; // the file shrank since its size was taken
            done += got;
        }
        bytes.resize(done);
    }
    CloseHandle(file);
    return ok ? ReadResult::Read : ReadResult::Failed;
}

// Creates path, which must not exist yet, holding exactly bytes; on any
// failure nothing is left behind.
bool WriteNewFile(const fs::path& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        ok = WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written > 0;
        done += written;
    }
    ok = ok && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (!ok) DeleteFileW(path.c_str());
    return ok;
}

bool ReplaceWith(const fs::path& from, const fs::path& to)
{
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFile(const fs::path& path)
{
    return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

// A read-only file is one its owner wants kept as it is; replacing it would not ask.
bool IsReadOnly(const fs::path& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

#else

ReadResult ReadWholeFile(const fs::path& path, std::string& bytes)
{
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? ReadResult::Missing : ReadResult::Failed;
    bool ok = true;
    char chunk[65536];
    for (;;) {
        ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        bytes.append(chunk, static_cast<size_t>(got));
        if (bytes.size() > IniProfile::MaxFileBytes) {
            ok = false;
            break;
        }
    }
    close(fd);
    return ok ? ReadResult::Read : ReadResult::Failed;
}

// Creates path, which must not exist yet, holding exactly bytes; on any
// failure nothing is left behind.
bool WriteNewFile(const fs::path& path, const std::string& bytes)
{
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
        ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        ok = written > 0;
        if (ok) done += static_cast<size_t>(written);
    }
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (!ok) unlink(path.c_str());
    return ok;
}

bool ReplaceWith(const fs::path& from, const fs::path& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const fs::path& path)
{
    return unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool IsReadOnly(const fs::path& path)
{
    return access(path.c_str(), F_OK) == 0 && access(path.c_str(), W_OK) != 0;
}

#endif

// The file's bytes; false when it exists but cannot be read whole. An unknown
// location counts as unreadable: nothing written there could be kept.
bool LoadText(const fs::path& path, std::string& bytes)
{
    if (path.empty()) return false;
    ReadResult result = ReadResult::Failed;
    try {
        result = ReadWholeFile(path, bytes);
    } catch (...) { // out of memory: as unreadable, never through a window procedure
    }
    if (result != ReadResult::Read) bytes.clear();
    return result != ReadResult::Failed;
}

size_t Length(const char* text)
{
    return text ? std::strlen(text) : 0;
}

// The running executable's path with the extension "ini"; empty if unknown.
fs::path DefaultPath()
{
    fs::path path;
#ifdef _WIN32
    std::wstring module(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
        if (length == 0) return fs::path();
        if (length < module.size()) {
            module.resize(length);
            break;
        }
        // Truncated: the longest path Windows allows is 32767 characters.
        if (module.size() > 32768) return fs::path();
        module.resize(module.size() * 2);
    }
    path = module;
#else
    std::error_code error;
    path = fs::read_symlink("/proc/self/exe", error);
    if (error) return fs::path();
#endif
    path.replace_extension("ini");
    return path;
}

} // namespace

IniProfile::IniProfile() : IniProfile(DefaultPath()) {}

IniProfile::IniProfile(fs::path path) : m_path(std::move(path))
{
    std::string bytes;
    m_readFailed = !LoadText(m_path, bytes) || !IniText::IsText(bytes);
    if (!m_readFailed) m_text = IniText(bytes);
}

IniProfile::~IniProfile()
{
    // A destructor must not throw; like any failed save, the changes are lost.
    try {
        Commit();
    } catch (...) {
    }
}

bool IniProfile::Commit()
{
    if (m_committed || !m_text.IsModified() || m_readFailed || m_discarded) return true;
    m_committed = true;
    return Save();
}

// The new text goes to a file beside the old one, which is replaced in one
// step: a save that fails at any point leaves the previous file as it was.
bool IniProfile::Save() const
{
    if (IsReadOnly(m_path)) return false;
    if (m_text.Content().empty()) return RemoveFile(m_path);
    fs::path temp = m_path;
    temp += ".tmp";
    RemoveFile(temp); // left over from an interrupted save
    if (!WriteNewFile(temp, m_text.FileBytes())) return false;
    if (ReplaceWith(temp, m_path)) return true;
    RemoveFile(temp);
    return false;
}

// `added` bounds what a write adds: its line, and a new header before it.
bool IniProfile::MayWrite(size_t added) const
{
    const size_t structure = sizeof "\r\n[]\r\n=\r\n";
    return !m_readFailed && m_text.Content().size() + added + structure <= MaxFileBytes;
}

bool IniProfile::EnumSections(std::vector<std::string>& names)
{
    return m_text.EnumSections(names);
}

bool IniProfile::DeleteSection(const char* section)
{
    return m_text.DeleteSection(section);
}

bool IniProfile::EnumKeys(const char* section, std::vector<std::string>& names)
{
    return m_text.EnumKeys(section, names);
}

bool IniProfile::DeleteKey(const char* section, const char* key)
{
    return m_text.DeleteKey(section, key);
}

int IniProfile::ReadInt(const char* section, const char* key, int def)
{
    return m_text.ReadInt(section, key, def);
}

float IniProfile::ReadFloat(const char* section, const char* key, float def)
{
    return m_text.ReadFloat(section, key, def);
}

std::string IniProfile::ReadString(const char* section, const char* key, const char* def)
{
    return m_text.ReadString(section, key, def);
}

int IniProfile::ReadStringBuf(const char* section, const char* key, const char* def, char* buf, int size)
{
    return m_text.ReadStringBuf(section, key, def, buf, size);
}

bool IniProfile::ReadBinary(const char* section, const char* key, void* dest, const void* def, int size)
{
    return m_text.ReadBinary(section, key, dest, def, size);
}

int IniProfile::ReadBinaryAlloc(const char* section, const char* key, unsigned char*& result, const void* def,
                                int defSize)
{
    return m_text.ReadBinaryAlloc(section, key, result, def, defSize);
}

bool IniProfile::WriteInt(const char* section, const char* key, int value)
{
    const size_t longestInt = sizeof "-2147483648";
    return MayWrite(Length(section) + Length(key) + longestInt) && m_text.WriteInt(section, key, value);
}

bool IniProfile::WriteFloat(const char* section, const char* key, float value)
{
    const size_t longestFloat = 64; // FLT_MAX takes 46 characters in "%f"
    return MayWrite(Length(section) + Length(key) + longestFloat) && m_text.WriteFloat(section, key, value);
}

bool IniProfile::WriteString(const char* section, const char* key, const char* value)
{
    return MayWrite(Length(section) + Length(key) + Length(value)) && m_text.WriteString(section, key, value);
}

bool IniProfile::WriteBinary(const char* section, const char* key, const void* data, int size)
{
    const size_t hexLength = size > 0 ? 2 * static_cast<size_t>(size) : 0;
    return MayWrite(Length(section) + Length(key) + hexLength) && m_text.WriteBinary(section, key, data, size);
}
