#include "app/RulerInstance.h"

#include <sddl.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// What the block holds: the window and its process, so that a handle the system has
// given to another window since is not taken for the ruler.
struct WindowSlot {
    uint64_t window;
    uint32_t processId;
    uint32_t reserved;
};

// The block of the ruler this process claimed, for the window to announce itself in.
HANDLE s_claimedBlock = nullptr;

std::wstring UserSid()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return std::wstring();
    const KernelHandle owned(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) return std::wstring();
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) return std::wstring();
    const std::wstring sid(text);
    LocalFree(text);
    return sid;
}

const std::wstring& MutexName()
{
    static const std::wstring name = L"Local\\Mensuro-" + UserSid();
    return name;
}

std::wstring BlockName()
{
    return MutexName() + L"-Window";
}

// Maps the block for the length of a scope.
class SlotView {
public:
    SlotView(HANDLE block, DWORD access)
        : m_slot(block ? static_cast<WindowSlot*>(MapViewOfFile(block, access, 0, 0, sizeof(WindowSlot))) : nullptr)
    {
    }
    ~SlotView()
    {
        if (m_slot) UnmapViewOfFile(m_slot);
    }
    SlotView(const SlotView&) = delete;
    SlotView& operator=(const SlotView&) = delete;

    WindowSlot* get() const { return m_slot; }

private:
    WindowSlot* m_slot;
};

// The process id stays while the window goes: a later /exit waits for that process.
void WriteSlot(HANDLE block, HWND window)
{
    const SlotView view(block, FILE_MAP_WRITE);
    if (!view.get()) return;
    view.get()->window = reinterpret_cast<uintptr_t>(window);
    view.get()->processId = GetCurrentProcessId();
}

} // namespace

CRulerInstance::~CRulerInstance()
{
    if (s_claimedBlock == m_block.get()) s_claimedBlock = nullptr;
    if (m_owner) ReleaseMutex(m_mutex.get());
}

bool CRulerInstance::Claim()
{
    m_mutex.reset(CreateMutexW(nullptr, FALSE, MutexName().c_str()));
    // Without the mutex nothing can be shared: running alone beats not running at all.
    if (!m_mutex) return true;
    return WaitForClaim(0);
}

bool CRulerInstance::WaitForClaim(DWORD ms)
{
    if (!m_mutex) return true;
    const DWORD wait = WaitForSingleObject(m_mutex.get(), ms);
    m_owner = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    if (m_owner) TakeOwnership();
    return m_owner;
}

void CRulerInstance::TakeOwnership()
{
    m_block.reset(
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(WindowSlot), BlockName().c_str()));
    // A ruler that ended without letting go may have left its window there.
    WriteSlot(m_block.get(), nullptr);
    s_claimedBlock = m_block.get();
}

CRulerInstance::Running CRulerInstance::FindRunningRuler()
{
    Running running;
    const KernelHandle block(OpenFileMappingW(FILE_MAP_READ, FALSE, BlockName().c_str()));
    const SlotView view(block.get(), FILE_MAP_READ);
    if (!view.get()) return running;
    running.processId = view.get()->processId;
    const auto window = reinterpret_cast<HWND>(static_cast<uintptr_t>(view.get()->window));
    DWORD processId = 0;
    if (window && GetWindowThreadProcessId(window, &processId) && processId == running.processId)
        running.window = window;
    return running;
}

void AnnounceRulerWindow(HWND ruler)
{
    if (s_claimedBlock) WriteSlot(s_claimedBlock, ruler);
}
