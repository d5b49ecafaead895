#pragma once
// The display on a real screen through SDL2: top-level windows without a system frame (the
// program draws its own), shapes where the system allows them, the work area, cursors, the
// clipboard, text input, the wheel and minimising. A lost connection to the X server or the
// Wayland compositor ends the process at once with status 1 and one line on stderr: nothing
// can be shown or closed any more, and no exit handler may wait on the dead connection.
//
// A Wayland compositor is preferred where one is named (WAYLAND_DISPLAY), X11 otherwise;
// SDL_VIDEODRIVER names another on purpose. On Wayland windows are translucent pictures whose
// pixels outside the shape are transparent, and a caption is dragged by the compositor. The
// device scale is BRELVAN_SCALE (1, 2 or 3) where set, else the outputs' scale on Wayland and,
// on X11, GDK_SCALE or the screen's Xft.dpi. On X11 a window of scale s is s times larger in
// the server's pixels, and everything the program says in points is multiplied by s there.
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/Display.h"

struct SDL_Window;
struct SDL_Cursor;
class ShapeAlpha;
class WaylandShm;
class WaylandWindowBuffers;

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
    int DeviceScale() override { return m_scale; }
    void SetWindowDragTest(int id, std::function<bool(int x, int y)> test) override;
    // Opacity on X11 (a compositing manager shows it); a Wayland compositor is not asked.
    bool SupportsWindowOpacity() override { return !m_wayland; }
    bool SetWindowOpacity(int id, int alpha) override;
    // Read from the X server's screen; Wayland does not let a program read the screen.
    bool CopyScreenArea(const DisplayRect& area, std::vector<uint32_t>& pixels) override;
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
    friend struct SdlHitTest;
    SdlDisplay() = default;
    // Chooses the scale and, on Wayland, binds the compositor's shared memory.
    void PrepareScale();
    bool Translate(const void* sdlEvent, DisplayEvent& out);
    // A Restored event for a window asked to minimise that shows up again (Wayland).
    bool BackFromMinimized(const void* sdlEvent, DisplayEvent& out);
    int IdOf(uint32_t sdlWindowId) const;
    // SDL's window units (X11 pixels) to points and back.
    int ToPoints(int units) const;
    int ToUnits(int points) const { return points * m_unit; }
    struct Win;
    void PresentToSurface(Win& win, const uint32_t* pixels, int w, int h, const DisplayRect& d);
    void PresentToBuffers(Win& win, const uint32_t* pixels, int w, int h, const DisplayRect& d);
    // Hands the whole picture of a window drawn into its own buffers to the compositor again.
    void ShowWholePicture(Win& win);
    // A window that cannot be resized has one size from the least to the most; a tiling
    // compositor therefore lets it float at that size.
    void KeepSize(Win& win);
    void ApplyDragTest(Win& win);
    bool DraggableAt(SDL_Window* window, int x, int y);
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
        bool minimizeAsked = false;     // asked to minimise, and not seen back since (Wayland)
        std::vector<DisplayRect> shape; // window coordinates; empty: rectangular
        int iconWidth = 0, iconHeight = 0;
        std::vector<uint32_t> icon;    // kept: a shaped window made later needs it again
        void* surfacePixels = nullptr; // the window surface's memory last presented into
        std::function<bool(int, int)> dragTest;
        // Hidden after it showed (X11): where it was then, in SDL's units, to go back to.
        bool hiddenAtKnown = false;
        int hiddenAtX = 0, hiddenAtY = 0;
        // Windows drawn into buffers of their own (Wayland): the picture in device pixels,
        // 0x00RRGGBB, the shape's alpha and the buffers.
        std::vector<uint32_t> picture;
        int pictureWidth = 0, pictureHeight = 0;
        std::unique_ptr<ShapeAlpha> alpha;
        std::unique_ptr<WaylandWindowBuffers> buffers;
        Win();
        ~Win();
        Win(Win&&) noexcept;
    };
    std::map<int, Win> m_windows;
    int m_nextId = 1;
    std::map<int, SDL_Cursor*> m_systemCursors;
    std::map<int, SDL_Cursor*> m_imageCursors;
    int m_nextCursor = 1;
    std::map<int, bool> m_keys;
    bool m_globalMouse = false; // the system tells where the pointer is on the screen
    bool m_wayland = false;
    int m_scale = 1; // device pixels a point
    int m_unit = 1;  // SDL's window units a point: the scale on X11, 1 where SDL scales itself
    int m_pointerX = 0, m_pointerY = 0;  // where the pointer was last seen (points)
    std::unique_ptr<WaylandShm> m_shm;   // the compositor's shared memory (Wayland only)
    SDL_Window* m_probe = nullptr;       // a window never shown, kept for the connection's sake
    uint32_t m_wakeEvent = uint32_t(-1); // the event type Wake posts; -1: none was free
};
