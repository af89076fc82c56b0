#pragma once

#include "framework/MessageTable.h"
#include "framework/Window.h"

class CColorPopupMenu;

// Asks a colour button to open the colour dialog. The "..." cell posts it, so the
// dialog opens after the popup has closed; its parameters are ignored.
constexpr UINT WM_OPEN_COLOR_DIALOG = WM_USER + 0x13A;
// A parent hands a colour button its own notifications back as this + the message.
constexpr UINT WM_REFLECT_BASE = WM_USER + 0x1C00;

// An owner-drawn push button that shows a colour swatch and a drop-down arrow.
// A click opens a popup of colour cells below it; a choice there or in the
// colour dialog changes the colour and notifies the owner.
class CColorButton : public CWindow {
public:
    COLORREF GetColor() const { return m_color; }
    // Stores the colour and repaints the button if it exists; notifies nobody.
    void SetColor(COLORREF colour);

    // For the parent's window procedure: passes the click (BN_CLICKED) and the
    // owner-draw request of a colour button child back to that button. True when
    // the message was one of those.
    static bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Sent, synchronously, after every change the user makes; no window, no message.
    HWND m_notifyWnd = nullptr;
    UINT m_notifyMsg = 0;
    WPARAM m_notifyWParam = 0;
    LPARAM m_notifyLParam = 0;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnReflectedCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnReflectedDrawItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnMeasureItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnOpenColorDialog(WPARAM wParam, LPARAM lParam);

    void OpenPopup();
    void ChooseCell(int index);
    void Notify();
    void DrawButton(const DRAWITEMSTRUCT& item) const;

    COLORREF m_color = 0;
    // The popup while it is open: it measures and draws the cells sent here.
    CColorPopupMenu* m_popup = nullptr;

    static const MessageEntry<CColorButton> s_messages[];
};
