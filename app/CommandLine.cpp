#include "app/CommandLine.h"

#include "copy/PictureFormat.h"

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

// Switch names compare without case; only ASCII letters matter to them.
std::wstring LowerAscii(std::wstring text)
{
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
}

// The program's name: no escapes in it, so a path may end in a backslash.
size_t SplitProgramName(const std::wstring& whole, std::wstring& name)
{
    size_t i = 0;
    if (!whole.empty() && whole[0] == L'"') {
        const size_t close = whole.find(L'"', 1);
        name = whole.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1);
        i = close == std::wstring::npos ? whole.size() : close + 1;
    } else {
        while (i < whole.size() && !IsBlank(whole[i])) ++i;
        name = whole.substr(0, i);
    }
    return i;
}

// One quote (index i) and the quotes right after it, with `backslashes` just before it
// already in `arg`. `quotes` counts the open group's quote: 0 outside a group, 1 inside.
size_t TakeQuotes(const std::wstring& whole, size_t i, size_t backslashes, std::wstring& arg, int& quotes)
{
    if (backslashes % 2 == 0) {
        arg.erase(arg.size() - backslashes / 2);
        ++quotes;
    } else {
        arg.erase(arg.size() - backslashes / 2 - 1);
        arg += L'"';
    }
    for (++i; i < whole.size() && whole[i] == L'"'; ++i) {
        // Within a group, "" is a literal quote that also ends the group.
        if (++quotes == 3) {
            arg += L'"';
            quotes = 0;
        }
    }
    if (quotes == 2) quotes = 0;
    return i;
}

uint32_t ReadUint32(const unsigned char* p)
{
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

} // namespace

std::vector<std::wstring> SplitCommandLine(const std::wstring& whole)
{
    std::vector<std::wstring> args(1);
    size_t i = SplitProgramName(whole, args[0]);
    while (i < whole.size() && IsBlank(whole[i])) ++i;

    std::wstring arg;
    bool started = false;
    int quotes = 0;
    size_t backslashes = 0;
    while (i < whole.size()) {
        const wchar_t c = whole[i];
        if (IsBlank(c) && quotes == 0) {
            if (started) args.push_back(arg);
            arg.clear();
            started = false;
            backslashes = 0;
            ++i;
            continue;
        }
        started = true;
        if (c == L'"') {
            i = TakeQuotes(whole, i, backslashes, arg, quotes);
            backslashes = 0;
            continue;
        }
        backslashes = c == L'\\' ? backslashes + 1 : 0;
        arg += c;
        ++i;
    }
    if (started) args.push_back(arg);
    return args;
}

CommandLine ParseCommandLine(const std::wstring& whole)
{
    const std::vector<std::wstring> args = SplitCommandLine(whole);
    if (args.size() == 1) return {};
    const std::wstring& given = args[1];
    const CommandLine unknown = {StartCommand::Invalid, {}, given};
    if (given.size() < 2 || (given[0] != L'/' && given[0] != L'-')) return unknown;
    const std::wstring name = LowerAscii(given.substr(1));
    if (name == L"save") {
        if (args.size() == 2 || (args.size() == 3 && args[2].empty())) return {StartCommand::Invalid, {}, {}};
        if (args.size() == 3) return {StartCommand::Save, args[2], {}};
        return {StartCommand::Invalid, {}, args[3]};
    }
    StartCommand command = StartCommand::Invalid;
    if (name == L"show") command = StartCommand::Show;
    if (name == L"copy") command = StartCommand::Copy;
    if (name == L"exit") command = StartCommand::Exit;
    if (name == L"?") command = StartCommand::Help;
    if (command == StartCommand::Invalid) return unknown;
    if (args.size() != 2) return {StartCommand::Invalid, {}, args[2]};
    return {command, {}, {}};
}

std::vector<unsigned char> EncodeHandOver(const CommandLine& command)
{
    const auto number = static_cast<uint32_t>(command.command);
    std::vector<unsigned char> data = {static_cast<unsigned char>(number), static_cast<unsigned char>(number >> 8),
                                       static_cast<unsigned char>(number >> 16),
                                       static_cast<unsigned char>(number >> 24)};
    // Windows holds text as UTF-16 already; each wchar_t is one code unit there.
    for (wchar_t c : command.file) {
        const auto unit = static_cast<uint16_t>(c);
        data.push_back(static_cast<unsigned char>(unit));
        data.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return data;
}

bool IsFullPath(const std::wstring& path)
{
    auto separator = [&](size_t i) { return i < path.size() && (path[i] == L'\\' || path[i] == L'/'); };
    const bool letter = !path.empty() && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
    if (letter && path.size() > 1 && path[1] == L':') return separator(2);
    return separator(0) && separator(1) && path.size() > 2 && !separator(2);
}

std::optional<CommandLine> DecodeHandOver(const void* data, size_t size)
{
    if (!data || size < 4 || size % 2 != 0 || size > kMaxHandOverBytes) return std::nullopt;
    const auto* bytes = static_cast<const unsigned char*>(data);
    const uint32_t number = ReadUint32(bytes);
    if (number > static_cast<uint32_t>(StartCommand::Exit)) return std::nullopt;
    CommandLine command;
    command.command = static_cast<StartCommand>(number);
    for (size_t i = 4; i < size; i += 2) command.file += static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
    const bool needsFile = command.command == StartCommand::Save;
    if (needsFile == command.file.empty()) return std::nullopt;
    // A NUL would cut the path short, and a relative one would be taken from the ruler's
    // folder: either way another file than the one sent.
    if (needsFile && (command.file.find(L'\0') != std::wstring::npos || !IsFullPath(command.file) ||
                      !PictureFormatOf(command.file)))
        return std::nullopt;
    return command;
}

HandOverOutcome AfterAnswer(StartCommand command, bool delivered, intptr_t reply)
{
    if (!delivered || reply == 0) return {AfterHandOver::WaitForClaim, kExitNotDone};
    if (reply == kHandOverSaving && command == StartCommand::Save) return {AfterHandOver::AwaitSave, kExitNotDone};
    if (reply == kHandOverDone && command == StartCommand::Exit) return {AfterHandOver::AwaitRuler, kExitNotDone};
    if (reply == kHandOverDone) return {AfterHandOver::End, kExitDone};
    return {AfterHandOver::End, kExitNotDone};
}

int SaveResultExitCode(uintptr_t result)
{
    return result == static_cast<uintptr_t>(kHandOverDone) ? kExitDone : kExitNotDone;
}
