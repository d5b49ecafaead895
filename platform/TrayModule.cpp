// The tray module's entries and its thread. Every icon lives on one thread of the module,
// which runs a GLib main loop on a context of its own: the bus's calls and the X tray's
// events are handled there as they come, and the thread sleeps in poll while nothing does.
// It starts with the first icon and ends with the last. The program's loop never sees GLib.
#include <glib.h>

#include <condition_variable>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/StatusNotifierItem.h"
#include "platform/TrayModuleApi.h"
#include "platform/XTrayIcon.h"

namespace {

class TTrayThread {
public:
    TTrayThread() : m_context(g_main_context_new()), m_loop(g_main_loop_new(m_context, FALSE)) {
        m_thread = std::thread([this] {
            g_main_context_push_thread_default(m_context);
            g_main_loop_run(m_loop);
            g_main_context_pop_thread_default(m_context);
        });
    }

    ~TTrayThread() {
        Run([this] { g_main_loop_quit(m_loop); });
        m_thread.join();
        g_main_loop_unref(m_loop);
        g_main_context_unref(m_context);
    }

    // Runs `work` on the thread and waits until it has run.
    void Run(std::function<void()> work) {
        struct TJob {
            std::function<void()> work;
            std::mutex mutex;
            std::condition_variable done;
            bool finished = false;
        } job{std::move(work), {}, {}, false};
        GSource* source = g_idle_source_new();
        g_source_set_callback(
            source,
            [](gpointer data) -> gboolean {
                auto* j = static_cast<TJob*>(data);
                j->work();
                std::lock_guard lock(j->mutex);
                j->finished = true;
                j->done.notify_one();
                return G_SOURCE_REMOVE;
            },
            &job, nullptr);
        g_source_attach(source, m_context);
        g_source_unref(source);
        std::unique_lock lock(job.mutex);
        job.done.wait(lock, [&job] { return job.finished; });
    }

private:
    GMainContext* m_context;
    GMainLoop* m_loop;
    std::thread m_thread;
};

struct TIcon {
    std::unique_ptr<TTrayBackend> backend; // made and destroyed on the thread
    BrelvanTrayEventFn onEvent = nullptr;
    void* context = nullptr;
};

std::mutex g_mutex; // over the two below: icons are shown and removed from any thread
std::unique_ptr<TTrayThread> g_thread;
int g_icons = 0;

TrayIconContent Copy(const BrelvanTrayContent& c) {
    TrayIconContent content;
    content.id = c.id ? c.id : "";
    content.title = c.title ? c.title : "";
    content.toolTip = c.toolTip ? c.toolTip : "";
    for (int i = 0; i < c.pictureCount; ++i) {
        const BrelvanTrayPicture& p = c.pictures[i];
        if (p.width <= 0 || p.height <= 0 || !p.argb) continue;
        content.pictures.push_back(
            {p.width, p.height,
             std::vector<uint32_t>(p.argb, p.argb + size_t(p.width) * p.height)});
    }
    for (int i = 0; i < c.entryCount; ++i)
        content.menu.push_back({c.entries[i].id, c.entries[i].caption ? c.entries[i].caption : "",
                                c.entries[i].enabled != 0});
    return content;
}

void Tell(char* why, size_t size, const std::string& text) {
    if (!why || size == 0) return;
    const size_t n = std::min(size - 1, text.size());
    std::memcpy(why, text.data(), n);
    why[n] = '\0';
}

} // namespace

extern "C" {

void* brelvan_tray_show(const BrelvanTrayContent* content, BrelvanTrayEventFn onEvent,
                        void* context, char* why, size_t whySize) {
    if (!content) {
        Tell(why, whySize, "no content");
        return nullptr;
    }
    const TrayIconContent copy = Copy(*content);
    auto icon = std::make_unique<TIcon>();
    icon->onEvent = onEvent;
    icon->context = context;
    TIcon* raw = icon.get();
    TTrayEmit emit = [raw](const TrayEvent& e) {
        if (raw->onEvent) raw->onEvent(raw->context, int(e.action), e.item, e.x, e.y);
    };
    std::lock_guard lock(g_mutex);
    if (!g_thread) g_thread = std::make_unique<TTrayThread>();
    std::string reason;
    g_thread->Run([&] {
        std::string bus, x;
        // The bus's status area is the one current desktops show; the X tray is the older
        // panels' way.
        icon->backend = MakeStatusNotifierItem(copy, emit, bus);
        if (!icon->backend) icon->backend = MakeXTrayIcon(copy, emit, x);
        if (!icon->backend) reason = bus + "; " + x;
    });
    if (!icon->backend) {
        if (g_icons == 0) g_thread.reset();
        Tell(why, whySize, reason);
        return nullptr;
    }
    ++g_icons;
    return icon.release();
}

void brelvan_tray_remove(void* handle) {
    if (!handle) return;
    std::unique_ptr<TIcon> icon(static_cast<TIcon*>(handle));
    std::lock_guard lock(g_mutex);
    g_thread->Run([&] { icon->backend.reset(); });
    if (--g_icons == 0) g_thread.reset();
}

const char* brelvan_tray_protocol(void* handle) {
    return handle ? static_cast<TIcon*>(handle)->backend->Protocol() : "";
}
}
