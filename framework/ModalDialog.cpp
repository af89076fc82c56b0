#include "framework/ModalDialog.h"

#include "framework/Application.h"
#include "framework/DataExchange.h"

#include <cwchar>

namespace {
// The dialog whose window is being created on this thread. The creation hook
// attaches the object before the first message, so WM_CREATE and the first
// WM_SIZE reach the handlers too.
thread_local CModalDialog* t_creating = nullptr;

// Dialogs are made of the system dialog class; any other window the thread
// creates first (an input-method window, a helper of a control) is not ours.
bool IsDialogClass(const wchar_t* cls)
{
    if (IS_INTRESOURCE(cls)) return LOWORD(reinterpret_cast<ULONG_PTR>(cls)) == 0x8002;
    return cls && std::wcscmp(cls, L"#32770") == 0;
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    if (code == HCBT_CREATEWND && t_creating && create && create->lpcs && IsDialogClass(create->lpcs->lpszClass)) {
        CModalDialog* dialog = t_creating;
        t_creating = nullptr;
        dialog->SubclassWindow(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
} // namespace

CModalDialog::CModalDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

HWND CModalDialog::Owner() const
{
    if (m_parent) return GetAncestor(m_parent, GA_ROOT);
    // Like the old framework: a dialog opened without a parent belongs to the main window.
    CApplication* app = CApplication::Current();
    CWindow* main = app ? app->m_pMainWnd : nullptr;
    if (!main || main == this || !IsWindow(main->GetSafeHwnd())) return nullptr;
    return main->GetSafeHwnd();
}

HWND CModalDialog::Create()
{
    t_creating = this;
    HHOOK hook = SetWindowsHookExW(WH_CBT, &CreationHook, nullptr, GetCurrentThreadId());
    HWND hwnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), Owner(),
                                   &CModalDialog::DialogProc, 0);
    if (hook) UnhookWindowsHookEx(hook);
    t_creating = nullptr;
    return hwnd;
}

INT_PTR CModalDialog::DoModal()
{
    // Set before creation: OnInitDialog may already end the dialog.
    m_running = true;
    m_result = IDCANCEL;
    const HWND owner = Owner();
    HWND hwnd = Create();
    if (!hwnd) {
        m_running = false;
        return -1;
    }

    // The owner takes no input while its dialog is open: that is what makes it modal.
    const bool disableOwner = owner && IsWindowEnabled(owner);
    if (disableOwner) EnableWindow(owner, FALSE);
    if (m_running) ShowWindow(hwnd, SW_SHOW);

    MSG msg;
    while (m_running) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // Leave WM_QUIT for the loop outside this one.
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    // Re-enable the owner before the dialog goes, so activation returns to it.
    if (disableOwner) EnableWindow(owner, TRUE);
    if (m_hWnd) DestroyWindow(m_hWnd);
    return m_result;
}

void CModalDialog::EndDialog(INT_PTR result)
{
    m_result = result;
    m_running = false;
    // Wake the loop in case no other message is on its way.
    if (m_hWnd) PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

bool CModalDialog::UpdateData(bool saving)
{
    DataExchange dx(m_hWnd, saving);
    return Exchange(dx);
}

bool CModalDialog::PreTranslateMessage(MSG& msg)
{
    return m_hWnd && IsDialogMessageW(m_hWnd, &msg);
}

BOOL CModalDialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

void CModalDialog::OnOK()
{
    if (UpdateData(true)) EndDialog(IDOK);
}

void CModalDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CModalDialog::Exchange(DataExchange&)
{
    return true;
}

bool CModalDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (message) {
    case WM_INITDIALOG: result = OnInitDialog(); return true;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            result = 0;
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            result = 0;
            return true;
        }
        return false;
    case WM_NCDESTROY:
        // Destroyed from outside (the session ends): the modal run is over.
        m_running = false;
        return false;
    default: return false;
    }
}

INT_PTR CALLBACK CModalDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // All behaviour lives in the subclassed window procedure; this procedure only
    // attaches the object if the creation hook could not.
    if (t_creating && !CWindow::FromHandle(hwnd)) {
        CModalDialog* self = t_creating;
        t_creating = nullptr;
        self->SubclassWindow(hwnd);
        // A template without DS_SETFONT has WM_INITDIALOG as its first message;
        // it is already past the subclassed procedure, so route it here.
        if (message == WM_INITDIALOG) {
            LRESULT result = 0;
            self->OnMessage(message, wParam, lParam, result);
            return static_cast<INT_PTR>(result);
        }
    }
    return FALSE;
}
