// The modal loop: filter before dialog keys, results, message tables, data exchange.
#include "framework/DataExchange.h"
#include "framework/MessageTable.h"
#include "framework/ModalDialog.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

const UINT kFinish = WM_APP + 1;

// The About template serves as a plain dialog with an OK button.
class ProbeDialog : public CModalDialog {
public:
    explicit ProbeDialog(bool swallowKeys) : CModalDialog(IDD_ABOUTBOX, nullptr), m_swallowKeys(swallowKeys) {}

    int keysSeen = 0;
    int finishCalls = 0;
    bool initialised = false;

protected:
    BOOL OnInitDialog() override
    {
        CModalDialog::OnInitDialog();
        initialised = true;
        // Queue an Escape press for the dialog, then a request to finish.
        PostMessageW(m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        PostMessageW(m_hWnd, kFinish, 0, 0);
        return TRUE;
    }

    bool PreTranslateMessage(MSG& msg) override
    {
        if (msg.message == WM_KEYDOWN) {
            ++keysSeen;
            if (m_swallowKeys) return true;
        }
        return CModalDialog::PreTranslateMessage(msg);
    }

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnFinish(WPARAM, LPARAM)
    {
        ++finishCalls;
        EndDialog(1234);
        return 0;
    }

    bool m_swallowKeys;
    static const MessageEntry<ProbeDialog> s_messages[];
};

const MessageEntry<ProbeDialog> ProbeDialog::s_messages[] = {
    {kFinish, &ProbeDialog::OnFinish},
};

bool ProbeDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (DispatchMessageTable(this, s_messages, message, wParam, lParam, result)) return true;
    return CModalDialog::OnMessage(message, wParam, lParam, result);
}

} // namespace

TEST(ModalDialog, FilterSeesKeysBeforeDialogKeyProcessing)
{
    ProbeDialog dialog(true);
    EXPECT_EQ(1234, dialog.DoModal()) << "Escape was taken by the filter, so only the table ended the dialog";
    EXPECT_TRUE(dialog.initialised);
    EXPECT_EQ(1, dialog.keysSeen);
    EXPECT_EQ(1, dialog.finishCalls);
    EXPECT_EQ(nullptr, dialog.GetSafeHwnd()) << "the window is gone after the modal run";
}

TEST(ModalDialog, WithoutTheFilterEscapeCancels)
{
    ProbeDialog dialog(false);
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(1, dialog.keysSeen);
    EXPECT_EQ(0, dialog.finishCalls) << "the loop ended at Escape";
}

TEST(ModalDialog, MissingTemplateFailsWithoutRunning)
{
    class Missing : public CModalDialog {
    public:
        Missing() : CModalDialog(9999, nullptr) {}
    } dialog;
    EXPECT_EQ(-1, dialog.DoModal());
}

TEST(DataExchange, MovesValuesBothWaysAndRejectsBadNumbers)
{
    HWND dialog = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND check = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 5, 5, dialog,
                                 reinterpret_cast<HMENU>(10), nullptr, nullptr);
    HWND edit =
        CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 5, 5, dialog, reinterpret_cast<HMENU>(11), nullptr, nullptr);
    HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 5, 50, dialog,
                                 reinterpret_cast<HMENU>(12), nullptr, nullptr);
    ASSERT_TRUE(check && edit && combo);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"a"));
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"b"));

    int checked = 1, number = -150, index = 1;
    DataExchange toControls(dialog, false);
    toControls.Check(10, checked);
    EXPECT_TRUE(toControls.Int(11, number, -200, 200));
    toControls.ListIndex(12, index);

    checked = 0;
    number = 0;
    index = -1;
    DataExchange fromControls(dialog, true);
    fromControls.Check(10, checked);
    EXPECT_TRUE(fromControls.Int(11, number, -200, 200));
    fromControls.ListIndex(12, index);
    EXPECT_EQ(1, checked);
    EXPECT_EQ(-150, number);
    EXPECT_EQ(1, index);

    for (const wchar_t* bad : {L"201", L"12abc", L"", L"abc", L"99999999999"}) {
        SetWindowTextW(edit, bad);
        number = 7;
        EXPECT_FALSE(fromControls.Int(11, number, -200, 200)) << bad;
        EXPECT_EQ(7, number) << "a rejected value leaves the member alone";
    }
    DestroyWindow(dialog);
}

namespace {

// Records, while it runs, who owns it and whether the owner could take input.
class OwnedProbe : public CModalDialog {
public:
    OwnedProbe(HWND parent, bool endAtOnce) : CModalDialog(IDD_ABOUTBOX, parent), m_endAtOnce(endAtOnce) {}
    HWND ownerSeen = nullptr;
    bool ownerEnabledWhileOpen = true;
    bool wasShown = false;

protected:
    BOOL OnInitDialog() override
    {
        CModalDialog::OnInitDialog();
        ownerSeen = GetWindow(m_hWnd, GW_OWNER);
        if (m_endAtOnce)
            EndDialog(77);
        else
            PostMessageW(m_hWnd, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    bool PreTranslateMessage(MSG& msg) override
    {
        if (ownerSeen) ownerEnabledWhileOpen = ownerEnabledWhileOpen && IsWindowEnabled(ownerSeen);
        wasShown = wasShown || IsWindowVisible(m_hWnd);
        return CModalDialog::PreTranslateMessage(msg);
    }

private:
    bool m_endAtOnce;
};

struct Clicks {
    int changed = 0, any = 0, clicked = 0;
    void OnChange() { ++changed; }
    void OnAny() { ++any; }
    void OnClicked() { ++clicked; }
};

} // namespace

TEST(ModalDialog, IsOwnedByTheTopLevelParentWhichItDisablesWhileOpen)
{
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, owner, nullptr, nullptr, nullptr);
    OwnedProbe dialog(child, false);
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(owner, dialog.ownerSeen) << "a child parent gives way to its top-level window";
    EXPECT_FALSE(dialog.ownerEnabledWhileOpen) << "the owner takes no input while its dialog is open";
    EXPECT_TRUE(IsWindowEnabled(owner)) << "and takes it again afterwards";
    DestroyWindow(owner);
}

TEST(ModalDialog, EndDialogDuringStartUpIsKept)
{
    OwnedProbe dialog(nullptr, true);
    EXPECT_EQ(77, dialog.DoModal());
    EXPECT_FALSE(dialog.wasShown) << "ended before it was shown";
}

TEST(MessageTable, CommandsDispatchOnIdAndNotificationCode)
{
    static const CommandEntry<Clicks> table[] = {
        {10, &Clicks::OnChange, EN_CHANGE},
        {10, &Clicks::OnAny},
        {11, &Clicks::OnClicked, BN_CLICKED},
    };
    Clicks c;
    EXPECT_TRUE(DispatchCommandTable(&c, table, MAKEWPARAM(10, EN_CHANGE)));
    EXPECT_TRUE(DispatchCommandTable(&c, table, MAKEWPARAM(10, EN_KILLFOCUS)));
    EXPECT_TRUE(DispatchCommandTable(&c, table, MAKEWPARAM(11, BN_CLICKED)));
    EXPECT_FALSE(DispatchCommandTable(&c, table, MAKEWPARAM(11, BN_DOUBLECLICKED)));
    EXPECT_FALSE(DispatchCommandTable(&c, table, MAKEWPARAM(12, BN_CLICKED)));
    EXPECT_EQ(1, c.changed) << "the specific code goes to its own handler";
    EXPECT_EQ(1, c.any);
    EXPECT_EQ(1, c.clicked);
}
