#pragma once
// Windows on a Wayland compositor drawn from shared memory: SDL 2.26 draws a window there
// only through an opaque GL surface, which cannot leave the corners a skin cuts away
// transparent, and its renderer makes a GL context and compiles shaders before the first
// frame. The program's pictures go instead into buffers of its own, 0xAARRGGBB, attached to
// the window's surface that SDL made.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Display.h"

struct wl_buffer;
struct wl_display;
struct wl_event_queue;
struct wl_registry;
struct wl_shm;
struct wl_surface;
class ShapeAlpha;

// The compositor's shared memory and its outputs, bound on SDL's connection through an event
// queue of our own, so that SDL's dispatch never calls into this code.
class WaylandShm {
public:
    // Nothing when the compositor offers no shared memory.
    static std::unique_ptr<WaylandShm> Connect(wl_display* display);
    ~WaylandShm();
    WaylandShm(const WaylandShm&) = delete;
    WaylandShm& operator=(const WaylandShm&) = delete;

    // The largest scale of the outputs (1 when none said).
    int OutputScale() const { return m_outputScale; }
    // Handles what the compositor sent for us (buffers it let go) without waiting; with
    // `wait`, first waits for one round trip, so that everything it sent has arrived.
    void Dispatch(bool wait);

    // The connection to the compositor broke (it ended, or refused what it was sent).
    bool ConnectionLost() const;

    wl_display* Connection() const { return m_display; }
    wl_shm* Shm() const { return m_shm; }

private:
    WaylandShm() = default;
    static void Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                       uint32_t version);
    static void GlobalRemoved(void*, wl_registry*, uint32_t) {}
    static void OutputScaleEvent(void* data, struct wl_output*, int32_t factor);

    wl_display* m_display = nullptr;
    wl_display* m_wrapper = nullptr; // the connection as seen through our queue
    wl_event_queue* m_queue = nullptr;
    wl_registry* m_registry = nullptr;
    wl_shm* m_shm = nullptr;
    std::vector<struct wl_output*> m_outputs;
    int m_outputScale = 1;
};

// One window's buffers, handed to the compositor in turn: one is written while the
// compositor may still read another.
class WaylandWindowBuffers {
public:
    WaylandWindowBuffers(WaylandShm& shm, wl_surface* surface) : m_shm(shm), m_surface(surface) {}
    ~WaylandWindowBuffers();
    WaylandWindowBuffers(const WaylandWindowBuffers&) = delete;
    WaylandWindowBuffers& operator=(const WaylandWindowBuffers&) = delete;

    // Shows `image` (0x00RRGGBB, w x h device pixels, w a row) with the alpha of `alpha`;
    // `changed` (device pixels) is what differs from the image last shown, `scale` the device
    // pixels a point. False when no buffer could be made.
    bool Show(const uint32_t* image, int w, int h, const DisplayRect& changed,
              const ShapeAlpha& alpha, int scale);

private:
    struct Buffer {
        wl_buffer* buffer = nullptr;
        uint32_t* pixels = nullptr;
        std::size_t bytes = 0;
        bool busy = false; // the compositor may be reading it
        DisplayRect stale; // what changed since it was last written
        ~Buffer();
    };
    static void Released(void* data, wl_buffer*);
    Buffer* FreeBuffer(int w, int h);
    bool MakeBuffer(int w, int h);

    WaylandShm& m_shm;
    wl_surface* m_surface;
    int m_width = 0, m_height = 0;
    std::vector<std::unique_ptr<Buffer>> m_buffers;
};
