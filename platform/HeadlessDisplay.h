#pragma once
// In-memory display for tests and tools: windows are surfaces, the clock is fake and only
// moves when told to (or when the loop waits), input is injected by the caller. Everything
// is deterministic: the same calls give the same pixels.
//
// It may stand for a screen of 1, 2 or 3 device pixels to a point (DeviceScale): windows keep
// their bounds in points and store what was presented in device pixels.
#include <deque>
#include <map>

#include "platform/Display.h"

class HeadlessDisplay : public Display {
public:
    // A scale outside 1..3 is taken as the nearest of them.
    explicit HeadlessDisplay(int screenWidth = 1280, int screenHeight = 1024, int scale = 1);

    int DeviceScale() override { return m_scale; }

    int CreateWindow(const DisplayRect& bounds, bool popup) override;
    void DestroyWindow(int id) override;
    void SetWindowBounds(int id, const DisplayRect& bounds) override;
    void ShowWindow(int id, bool show, bool activate) override;
    void SetWindowTitle(int id, const std::string& utf8) override;
    void SetWindowIcon(int id, const uint32_t* argb, int w, int h) override;
    void SetWindowShape(int id, const std::vector<DisplayRect>& rects) override;
    void MinimizeWindow(int id) override;
    void RestoreWindow(int id) override;
    void RaiseWindow(int id) override;
    void Present(int id, const uint32_t* pixels, int w, int h, const DisplayRect& dirty) override;
    bool SupportsWindowOpacity() override { return true; }
    bool SetWindowOpacity(int id, int alpha) override;
    // The shown windows, lowest first, over the desktop colour; a partly transparent window
    // blended over what lies under it.
    bool CopyScreenArea(const DisplayRect& area, std::vector<uint32_t>& pixels) override;
    bool PollEvent(DisplayEvent& event) override;
    bool WaitEvent(DisplayEvent& event, int timeoutMs) override;
    uint64_t Now() override { return m_now; }
    DisplayRect ScreenRect() override { return {0, 0, m_screenW, m_screenH}; }
    DisplayRect WorkArea() override { return {0, 0, m_screenW, m_screenH - 40}; }
    void CursorPos(int& x, int& y) override;
    bool KeyDown(int vk) override;
    void SetCursor(CursorShape shape) override;
    int CreateCursorImage(const uint32_t* argb, int w, int h, int hotX, int hotY) override;
    void SetCursorImage(int cursorId) override;
    void SetClipboardText(const std::string& utf8) override { m_clipboard = utf8; }
    std::string ClipboardText() override { return m_clipboard; }
    void StartTextInput() override { m_textInput = true; }
    void StopTextInput() override { m_textInput = false; }
    void Beep() override { ++m_beeps; }

    // --- driving it ---
    void Advance(uint64_t ms) { m_now += ms; }
    // Input in screen coordinates; each call queues events for the loop to take.
    void MouseMove(int x, int y);
    void MouseDown(int button = 1);
    void MouseUp(int button = 1);
    void Click(int x, int y, int button = 1); // move, down, up
    void Wheel(int notches);
    void KeyPress(int vk, unsigned mods = 0); // down and up, with Text for printable keys
    void KeyDownOnly(int vk, unsigned mods = 0);
    void KeyUpOnly(int vk, unsigned mods = 0);
    void Type(const std::string& utf8); // Text events only
    void RequestClose(int id);

    // --- looking at it ---
    struct Window {
        DisplayRect bounds;
        bool visible = false;
        bool minimized = false;
        bool popup = false;
        std::string title;
        int iconWidth = 0, iconHeight = 0;
        std::vector<uint32_t> icon; // 0xAARRGGBB
        std::vector<DisplayRect> shape;
        // What was presented (alpha ignored): bounds.w x bounds.h points of scale x scale
        // device pixels each, rows of bounds.w * scale pixels.
        std::vector<uint32_t> pixels;
        int scale = 1;
        int DeviceWidth() const { return bounds.w * scale; }
        int DeviceHeight() const { return bounds.h * scale; }
        int presents = 0;
        DisplayRect lastDirty;
        int opacity = 255;
    };
    // The colour of the screen where no window is.
    static constexpr uint32_t DesktopColor = 0x3A6EA5;
    const Window* FindWindow(int id) const;
    std::vector<int> Windows() const; // bottom to top
    int ActiveWindow() const { return m_active; }
    CursorShape Cursor() const { return m_cursor; }
    int CursorImage() const { return m_cursorImage; }
    bool TextInputOn() const { return m_textInput; }
    // How many times the default sound was asked for.
    int Beeps() const { return m_beeps; }
    // Window coordinates in points (the top-left pixel of the point's block); 0 outside.
    uint32_t PixelAt(int id, int x, int y) const;
    // Window coordinates in device pixels; 0 outside.
    uint32_t DevicePixelAt(int id, int x, int y) const;

private:
    int WindowAt(int x, int y) const;
    void Push(DisplayEvent e);

    int m_screenW;
    int m_screenH;
    int m_scale;
    uint64_t m_now = 0;
    int m_nextId = 1;
    std::map<int, Window> m_windows;
    std::vector<int> m_zorder;
    int m_active = 0;
    std::deque<DisplayEvent> m_queue;
    int m_mouseX = 0;
    int m_mouseY = 0;
    unsigned m_buttons = 0;
    int m_grab = 0; // window that got the last press while a button is held
    std::map<int, bool> m_keys;
    CursorShape m_cursor = CursorShape::Arrow;
    int m_cursorImage = 0;
    int m_nextCursor = 1;
    std::string m_clipboard;
    bool m_textInput = false;
    int m_beeps = 0;
};
