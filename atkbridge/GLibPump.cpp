// The default main context on the UI thread, woken by a helper that watches its descriptors.
#include "atkbridge/GLibPump.h"

#include <glib.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/Display.h"
#include "ui/Application.h"

namespace {

// The descriptors the UI thread last asked to be watched, shared with the helper.
struct TWatchList {
    std::mutex mutex;
    std::vector<GPollFD> fds;
    unsigned generation = 0;
};

class TPump {
public:
    TPump() : m_helperContext(g_main_context_new()) {}
    ~TPump() { g_main_context_unref(m_helperContext); }

    void Start() {
        m_helper = std::thread([this] { Watch(); });
    }

    void Stop() {
        m_stopping = true;
        g_main_context_wakeup(m_helperContext);
        if (m_helper.joinable()) m_helper.join();
    }

    // On the UI thread, each loop turn: dispatches what is ready, then publishes what to
    // wait for. Answers the context's own time limit (its timers), -1 for none.
    int Turn() {
        GMainContext* context = g_main_context_default();
        if (!g_main_context_acquire(context)) return -1;
        gint priority = 0;
        g_main_context_prepare(context, &priority);
        gint timeout = -1;
        gint n =
            g_main_context_query(context, priority, &timeout, m_fds.data(), gint(m_fds.size()));
        if (size_t(n) > m_fds.size()) {
            m_fds.resize(size_t(n));
            n = g_main_context_query(context, priority, &timeout, m_fds.data(), gint(m_fds.size()));
        }
        std::vector<GPollFD> fds(m_fds.begin(), m_fds.begin() + n);
        g_poll(fds.data(), guint(fds.size()), 0); // never waits: the display's wait does
        if (g_main_context_check(context, priority, fds.data(), gint(fds.size())))
            g_main_context_dispatch(context);
        g_main_context_release(context);
        Publish(fds);
        return timeout;
    }

private:
    void Publish(std::vector<GPollFD> fds) {
        for (GPollFD& fd : fds) fd.revents = 0;
        {
            std::lock_guard lock(m_list.mutex);
            if (fds.size() == m_list.fds.size() && !m_fired) {
                bool same = true;
                for (size_t i = 0; i < fds.size() && same; ++i)
                    same = fds[i].fd == m_list.fds[i].fd && fds[i].events == m_list.fds[i].events;
                if (same) return; // the helper watches these already
            }
            m_list.fds = std::move(fds);
            ++m_list.generation;
            m_fired = false;
        }
        g_main_context_wakeup(m_helperContext);
    }

    // The helper: one source per published descriptor in a context of its own; when one is
    // ready the loop is woken and the helper waits for the next publication (the UI thread
    // reads the data meanwhile, so a descriptor that stays ready does not spin it).
    void Watch() {
        unsigned seen = ~0u;
        std::vector<GSource*> sources;
        auto clear = [&sources] {
            for (GSource* s : sources) {
                g_source_destroy(s);
                g_source_unref(s);
            }
            sources.clear();
        };
        while (!m_stopping) {
            std::vector<GPollFD> fds;
            bool renew = false;
            {
                std::lock_guard lock(m_list.mutex);
                if (m_list.generation != seen) {
                    seen = m_list.generation;
                    fds = m_list.fds;
                    renew = true;
                }
            }
            if (renew) {
                clear();
                for (const GPollFD& fd : fds) {
                    GSource* s = NewWatchSource(fd);
                    sources.push_back(s);
                }
            }
            g_main_context_iteration(m_helperContext, TRUE);
            if (m_ready.exchange(false)) {
                clear();
                {
                    std::lock_guard lock(m_list.mutex);
                    m_fired = true;
                }
                if (HasDisplay()) CurrentDisplay().Wake();
            }
        }
        clear();
    }

    GSource* NewWatchSource(const GPollFD& fd) {
        GSource* s = g_source_new(&s_funcs, sizeof(TFdSource));
        auto* own = reinterpret_cast<TFdSource*>(s);
        own->pump = this;
        own->tag = g_source_add_unix_fd(s, fd.fd, GIOCondition(fd.events));
        g_source_attach(s, m_helperContext);
        return s;
    }

    struct TFdSource {
        GSource source;
        TPump* pump;
        gpointer tag;
    };

    static gboolean Check(GSource* s) {
        auto* own = reinterpret_cast<TFdSource*>(s);
        return g_source_query_unix_fd(s, own->tag) != 0;
    }

    static gboolean Dispatch(GSource* s, GSourceFunc, gpointer) {
        reinterpret_cast<TFdSource*>(s)->pump->m_ready = true;
        return G_SOURCE_CONTINUE;
    }

    static GSourceFuncs s_funcs;

    GMainContext* m_helperContext;
    std::thread m_helper;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_ready{false};
    bool m_fired = false; // under m_list.mutex
    TWatchList m_list;
    std::vector<GPollFD> m_fds = std::vector<GPollFD>(8);
};

GSourceFuncs TPump::s_funcs = {nullptr, TPump::Check, TPump::Dispatch, nullptr, nullptr, nullptr};

TPump* g_pump = nullptr;

} // namespace

void StartGLibPump() {
    if (g_pump) return;
    g_pump = new TPump;
    g_pump->Start();
    Application->OnLoopTurn = [] { return g_pump ? g_pump->Turn() : -1; };
}

void StopGLibPump() {
    if (!g_pump) return;
    Application->OnLoopTurn = nullptr;
    g_pump->Stop();
    delete g_pump;
    g_pump = nullptr;
}

void WakeGLibPump() {
    if (HasDisplay()) CurrentDisplay().Wake();
}
