#pragma once

#include "framework/Window.h"

class DataExchange;

// A dialog created from a template and run by its own modal loop. Every message
// the loop is about to dispatch first goes through PreTranslateMessage, so a
// dialog can take key presses before dialog-key processing sees them.
class CModalDialog : public CWindow {
public:
    // The dialog is owned by `parent`'s top-level window, or without a parent by the
    // application's main window, and that window is disabled while it runs.
    CModalDialog(UINT templateId, HWND parent);

    // Creates the window, runs the modal loop until EndDialog, destroys the window
    // and returns the EndDialog result (-1 if the window cannot be created).
    INT_PTR DoModal();
    // Creates the window without running it, for code that drives it directly
    // (the benchmark); the caller destroys it.
    HWND Create();
    void EndDialog(INT_PTR result);

    // Moves the members to the controls (saving = false) or back (saving = true).
    // Returns false when Exchange reports a value it could not take.
    bool UpdateData(bool saving);
    // The window that owns the dialog and is disabled while it runs (may be null).
    HWND Owner() const;

protected:
    // Default: dialog-key processing (Tab, Enter, Esc) for this dialog.
    virtual bool PreTranslateMessage(MSG& msg);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual bool Exchange(DataExchange& dx);

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    UINT m_templateId;
    HWND m_parent;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    bool m_running = false;
    INT_PTR m_result = -1;
};
