#pragma once
// The display on a real screen through SDL2: top-level windows without a system frame (the
// program draws its own), shapes where the system allows them, the work area, cursors, the
// clipboard, text input, the wheel and minimising. A lost connection to the X server ends the
// process at once with status 1 and one line on stderr: nothing can be shown or closed any
// more, and no exit handler may wait on the dead connection.
#include <map>
#include <memory>

#include "platform/Display.h"

struct SDL_Window;
struct SDL_Cursor;

class SdlDisplay : public Display {
public:
    // Opens the display; when no display can be opened, prints why to stderr and exits with
    // status 1.
    static std::unique_ptr<Display> Open();
    // Opens the display; when none can be opened, returns nothing and says why in `error`.
    static std::unique_ptr<Display> TryOpen(std::string& error);
    // Settings in the process's environment for the libraries under the display, made first
    // thing in main, before any thread starts. The programs it starts do not see them.
    static void PrepareEnvironment();
    ~SdlDisplay() override;

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
    bool PollEvent(DisplayEvent& event) override;
    bool WaitEvent(DisplayEvent& event, int timeoutMs) override;
    uint64_t Now() override;
    DisplayRect ScreenRect() override;
    DisplayRect WorkArea() override;
    void CursorPos(int& x, int& y) override;
    bool KeyDown(int vk) override;
    void SetCursor(CursorShape shape) override;
    int CreateCursorImage(const uint32_t* argb, int w, int h, int hotX, int hotY) override;
    void SetCursorImage(int cursorId) override;
    void SetClipboardText(const std::string& utf8) override;
    std::string ClipboardText() override;
    void StartTextInput() override;
    void StopTextInput() override;
    void Wake() override;

private:
    SdlDisplay() = default;
    bool Translate(const void* sdlEvent, DisplayEvent& out);
    int IdOf(uint32_t sdlWindowId) const;
    struct Win;
    // Replaces a plain window by a shaped one of the same place, size, title and visibility;
    // false (and the window left as it was) where the system cannot shape windows.
    bool MakeShaped(Win& win);
    void ApplyShape(Win& win);
    void ApplyIcon(Win& win);

    struct Win {
        SDL_Window* window = nullptr;
        DisplayRect bounds;
        bool popup = false;
        bool visible = false;
        bool shapeFailed = false;       // the system refused a shaped window once: stop asking
        std::vector<DisplayRect> shape; // window coordinates; empty: rectangular
        int iconWidth = 0, iconHeight = 0;
        std::vector<uint32_t> icon;    // kept: a shaped window made later needs it again
        void* surfacePixels = nullptr; // the window surface's memory last presented into
    };
    std::map<int, Win> m_windows;
    int m_nextId = 1;
    std::map<int, SDL_Cursor*> m_systemCursors;
    std::map<int, SDL_Cursor*> m_imageCursors;
    int m_nextCursor = 1;
    std::map<int, bool> m_keys;
    bool m_globalMouse = false;          // the system tells where the pointer is on the screen
    uint32_t m_wakeEvent = uint32_t(-1); // the event type Wake posts; -1: none was free
};
