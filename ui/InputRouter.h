#pragma once
// Input routing: turns the display's mouse and key events into messages for one control,
// keeping focus, capture, hover, the state of keys and buttons, double clicks and the
// non-client tracking (caption drags, scroll bars, caption buttons).
#include <cstdint>
#include <unordered_set>

#include "gfx/Types.h"
#include "platform/Display.h"
#include "ui/Messages.h"
#include "ui/NonClientTracking.h"

class TPaintScheduler;
class TWinControl;
class TWindowRegistry;

class TInputRouter {
public:
    TInputRouter(TWindowRegistry& registry, TPaintScheduler& paint)
        : m_registry(registry), m_paint(paint) {}

    // Keeps the key, button and modifier state as of e; call for every event before Route.
    void NoteInput(const DisplayEvent& e);
    // Sends the messages of a mouse, key or text event; other kinds are left alone.
    void Route(const DisplayEvent& e);

    // --- focus, capture, hover ---
    TWinControl* Focus() const { return m_focus; }
    void SetFocusWindow(TWinControl* w);
    TWinControl* Capture() const { return m_capture; }
    void SetCaptureWindow(TWinControl* w);
    TWinControl* Hover() const { return m_hover; }
    // Mouse position in screen coordinates, as last seen.
    TPoint MousePos() const { return m_mousePos; }
    void UpdateHoverAt(TPoint screen);
    void UpdateHover(TPoint screen, TWinControl* under);
    // The deepest enabled, visible window under a screen point.
    TWinControl* WindowAt(TPoint screen) const;
    // top stops showing: hover and capture inside it end.
    void TopLevelHidden(TWinControl* top);

    // One WM_MOUSEHOVER for w after the pointer has rested over it for ms; 0 cancels.
    void TrackHover(TWinControl* w, unsigned ms);
    TWinControl* HoverTracked() const { return m_hoverTrack; }
    void CheckHover(); // sends the hover message when due

    // --- keys and buttons as of the input being handled now ---
    bool KeyIsDown(int vk) const;
    unsigned Modifiers() const { return m_mods; }

    // --- non-client tracking ---
    TNonClientTracking& Track() { return m_track; }
    void StartTracking(const TNonClientTracking& t) { m_track = t; }
    void ScrollRepeat(); // repeats a held scroll bar arrow or page when due

    // The earliest time a hover or scroll repeat is due (UINT64_MAX: none).
    uint64_t NextDue() const;

    void Forget(const TWinControl* w); // w is being destroyed
    void Reset();

private:
    WPARAM MouseKeys(unsigned mods) const;
    void SendMouse(TWinControl* target, UINT clientMsg, TPoint screen, WPARAM keys);
    void HandleMouseButton(const DisplayEvent& e, bool down);
    void HandleMouseMove(const DisplayEvent& e);
    void HandleWheel(const DisplayEvent& e);
    void HandleKey(const DisplayEvent& e, bool down);
    void HandleText(const DisplayEvent& e);
    void TrackMouse(TPoint screen, bool up);
    void RestartHoverAt(TPoint screen);
    bool Alive(const TWinControl* w) const;

    TWindowRegistry& m_registry;
    TPaintScheduler& m_paint;
    TWinControl* m_focus = nullptr;
    TWinControl* m_capture = nullptr;
    TWinControl* m_hover = nullptr;
    TPoint m_mousePos;

    // Double clicks.
    TWinControl* m_lastClickWnd = nullptr;
    int m_lastClickButton = 0;
    uint64_t m_lastClickTime = 0;
    TPoint m_lastClickPos;
    bool m_lastWasNonClient = false;
    int m_lastHit = 0;

    // Hover request: the pointer must stay within a small square around m_hoverOrigin.
    TWinControl* m_hoverTrack = nullptr;
    unsigned m_hoverTime = 0;
    uint64_t m_hoverDue = UINT64_MAX;
    TPoint m_hoverOrigin;

    TNonClientTracking m_track;
    bool m_suppressText = false; // the key that produced this text was consumed
    bool m_altAlone = false; // Alt went down and nothing else since: its release is the menu key
    unsigned m_mods = 0;     // ModShift | ModCtrl | ModAlt of the current input
    unsigned m_buttons = 0;  // bit 0 left, 1 right, 2 middle
    std::unordered_set<int> m_keysDown;
};
