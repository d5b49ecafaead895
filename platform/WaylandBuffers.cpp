#include "platform/WaylandBuffers.h"

#include "platform/DeviceSurface.h"
#include "platform/ShapeAlpha.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cstring>

namespace {
// Two cover writing one while the compositor reads the other; a third or fourth only while a
// compositor is slow to let go, after which a busy buffer is written over rather than waiting.
constexpr std::size_t MaxBuffers = 4;

void IgnoreGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
                    const char*, int32_t) {}
void IgnoreMode(void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {}
void IgnoreDone(void*, wl_output*) {}
void IgnoreText(void*, wl_output*, const char*) {}
} // namespace

// --- WaylandShm ---

std::unique_ptr<WaylandShm> WaylandShm::Connect(wl_display* display) {
    if (!display) return nullptr;
    std::unique_ptr<WaylandShm> shm(new WaylandShm());
    shm->m_display = display;
    shm->m_queue = wl_display_create_queue(display);
    if (!shm->m_queue) return nullptr;
    shm->m_wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    if (!shm->m_wrapper) return nullptr;
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(shm->m_wrapper), shm->m_queue);
    shm->m_registry = wl_display_get_registry(shm->m_wrapper);
    static const wl_registry_listener listener{Global, GlobalRemoved};
    wl_registry_add_listener(shm->m_registry, &listener, shm.get());
    // The globals, then what the outputs bound among them say about themselves.
    if (wl_display_roundtrip_queue(display, shm->m_queue) < 0) return nullptr;
    if (!shm->m_outputs.empty() && wl_display_roundtrip_queue(display, shm->m_queue) < 0)
        return nullptr;
    if (!shm->m_shm) return nullptr;
    return shm;
}

WaylandShm::~WaylandShm() {
    for (wl_output* output : m_outputs) wl_output_destroy(output);
    if (m_shm) wl_shm_destroy(m_shm);
    if (m_registry) wl_registry_destroy(m_registry);
    if (m_wrapper) wl_proxy_wrapper_destroy(m_wrapper);
    if (m_queue) wl_event_queue_destroy(m_queue);
}

void WaylandShm::Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                        uint32_t version) {
    auto* self = static_cast<WaylandShm*>(data);
    if (std::strcmp(interface, wl_shm_interface.name) == 0 && !self->m_shm) {
        self->m_shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    } else if (std::strcmp(interface, wl_output_interface.name) == 0 && version >= 2) {
        // Version 2 is the first that tells the output's scale.
        auto* output =
            static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, 2));
        static const wl_output_listener listener{IgnoreGeometry,   IgnoreMode, IgnoreDone,
                                                 OutputScaleEvent, IgnoreText, IgnoreText};
        wl_output_add_listener(output, &listener, self);
        self->m_outputs.push_back(output);
    }
}

void WaylandShm::OutputScaleEvent(void* data, wl_output*, int32_t factor) {
    auto* self = static_cast<WaylandShm*>(data);
    self->m_outputScale = std::max(self->m_outputScale, int(factor));
}

bool WaylandShm::ConnectionLost() const {
    return wl_display_get_error(m_display) != 0;
}

void WaylandShm::Dispatch(bool wait) {
    if (wait)
        wl_display_roundtrip_queue(m_display, m_queue);
    else
        wl_display_dispatch_queue_pending(m_display, m_queue);
}

// --- WaylandWindowBuffers ---

WaylandWindowBuffers::Buffer::~Buffer() {
    if (buffer) wl_buffer_destroy(buffer);
    if (pixels) ::munmap(pixels, bytes);
}

WaylandWindowBuffers::~WaylandWindowBuffers() = default;

void WaylandWindowBuffers::Released(void* data, wl_buffer*) {
    static_cast<Buffer*>(data)->busy = false;
}

bool WaylandWindowBuffers::MakeBuffer(int w, int h) {
    auto made = std::make_unique<Buffer>();
    const std::size_t stride = std::size_t(w) * 4;
    made->bytes = stride * std::size_t(h);
    const int fd = ::memfd_create("brelvan-window", MFD_CLOEXEC);
    if (fd < 0) return false;
    if (::ftruncate(fd, off_t(made->bytes)) != 0) {
        ::close(fd);
        return false;
    }
    void* memory = ::mmap(nullptr, made->bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory == MAP_FAILED) {
        ::close(fd);
        return false;
    }
    made->pixels = static_cast<uint32_t*>(memory);
    wl_shm_pool* pool = wl_shm_create_pool(m_shm.Shm(), fd, int32_t(made->bytes));
    made->buffer =
        wl_shm_pool_create_buffer(pool, 0, w, h, int32_t(stride), WL_SHM_FORMAT_ARGB8888);
    // The buffer keeps the memory; neither the pool nor the descriptor is needed any more.
    wl_shm_pool_destroy(pool);
    ::close(fd);
    if (!made->buffer) return false;
    static const wl_buffer_listener listener{Released};
    // Made from the shared memory bound on our queue, the buffer tells its release there too.
    wl_buffer_add_listener(made->buffer, &listener, made.get());
    made->stale = {0, 0, w, h};
    m_buffers.push_back(std::move(made));
    return true;
}

WaylandWindowBuffers::Buffer* WaylandWindowBuffers::FreeBuffer(int w, int h) {
    if (w != m_width || h != m_height) {
        m_buffers.clear();
        m_width = w;
        m_height = h;
    }
    auto free = [&]() -> Buffer* {
        for (auto& b : m_buffers)
            if (!b->busy) return b.get();
        return nullptr;
    };
    m_shm.Dispatch(false);
    if (Buffer* b = free()) return b;
    if (m_buffers.size() >= 2) {
        // The compositor may have let one go already without us having read it yet.
        m_shm.Dispatch(true);
        if (Buffer* b = free()) return b;
    }
    if (m_buffers.size() < MaxBuffers && MakeBuffer(w, h)) return m_buffers.back().get();
    if (m_buffers.empty()) return nullptr;
    // The one given away first is the likeliest to have been read already.
    std::rotate(m_buffers.begin(), m_buffers.begin() + 1, m_buffers.end());
    return m_buffers.back().get();
}

bool WaylandWindowBuffers::Show(const uint32_t* image, int w, int h, const DisplayRect& changed,
                                const ShapeAlpha& alpha, int scale) {
    if (!image || w <= 0 || h <= 0) return false;
    const DisplayRect whole{0, 0, w, h};
    const DisplayRect damage = ClippedRect(changed, whole);
    // Queued buffers must get the change too, when their turn comes.
    for (auto& b : m_buffers) b->stale = UnitedRect(b->stale, damage);
    Buffer* target = FreeBuffer(w, h);
    if (!target) return false;
    const DisplayRect write = ClippedRect(UnitedRect(target->stale, damage), whole);
    alpha.Copy(image, target->pixels, w, write);
    target->stale = {};
    target->busy = true;
    if (wl_proxy_get_version(reinterpret_cast<wl_proxy*>(m_surface)) >= 3)
        wl_surface_set_buffer_scale(m_surface, scale);
    wl_surface_attach(m_surface, target->buffer, 0, 0);
    // Surface coordinates are points; the damage grows to whole points.
    const int left = write.x / scale, top = write.y / scale;
    const int right = (write.x + write.w + scale - 1) / scale;
    const int bottom = (write.y + write.h + scale - 1) / scale;
    wl_surface_damage(m_surface, left, top, right - left, bottom - top);
    wl_surface_commit(m_surface);
    wl_display_flush(m_shm.Connection());
    return true;
}
