#include "app/ServiceWorker.h"

#include "service/HttpClient.h"
#include "service/HttpErrors.h"
#include "ui/ThreadMessages.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

namespace {

enum TJobKind { jkProbe, jkGet, jkMatchList };

struct TJob {
    std::uint64_t ticket;
    TJobKind kind;
    AnsiString url;
    int timeoutMs;
};

// Tickets are never reused in the process, so a message of a window that is gone can never
// be taken for one of a window made later at the same place.
std::atomic<std::uint64_t> g_nextTicket{1};

// How long the window's end waits for a cancelled request's thread: a cancel ends a request
// that waits for the network at once; only a name lookup or a connection being made can
// take longer, and the program does not wait for those.
constexpr auto kEndWait = std::chrono::milliseconds(100);
constexpr auto kInterruptAgain = std::chrono::milliseconds(10);

TServiceOutcome Perform(const TJob& job, THttpClient& client, TVersionProbeCancel& probeCancel) {
    TServiceOutcome out;
    if (job.kind == jkProbe) {
        out.Kind = TServiceOutcome::TKind::Answer;
        out.Probe = ProbeVersion(job.url, job.timeoutMs, &probeCancel);
        return out;
    }
    try {
        client.HttpGetText(job.url, out.Body);
        out.Kind = TServiceOutcome::TKind::Answer;
    } catch (const EHttpProtocolError& e) {
        out.Kind = TServiceOutcome::TKind::Status;
        out.StatusCode = e.StatusCode();
        out.StatusLine = e.StatusLine();
        if (const auto* redirect = dynamic_cast<const EHttpRedirect*>(&e))
            out.Location = redirect->Location();
    } catch (const std::exception& e) {
        // What arrived of a body before the connection broke is the answer; nothing is not.
        out.Kind =
            out.Body.empty() ? TServiceOutcome::TKind::Failure : TServiceOutcome::TKind::Answer;
        out.Reason = e.what();
    }
    if (job.kind == jkMatchList && out.Kind == TServiceOutcome::TKind::Answer &&
        out.Body.find("Failed") == AnsiString::npos) {
        // Read here rather than on the UI thread, which then only fills the grid.
        out.Subscription = ParseMatchList(
            out.Body, [&out](const MatchEntry& entry) { out.Entries.push_back(entry); });
        out.Parsed = true;
        out.Body = AnsiString();
    }
    return out;
}

} // namespace

struct TServiceWorker::TShared {
    std::mutex mutex;
    std::condition_variable work;  // a job came, or the end
    std::condition_variable ended; // the thread has ended
    std::deque<TJob> queue;
    bool stop = false;
    bool threadEnded = false;
    std::uint64_t running = 0; // the ticket of the job in progress; 0: none
    bool runningCancelled = false;
    std::shared_ptr<TVersionProbeCancel> probeCancel; // of the job in progress
    bool runningProbe = false;
    THttpClient* client = nullptr;
    std::unique_ptr<THttpClient> orphan; // the client, when the window ended before the thread
    TWinControl* receiver = nullptr;
    std::map<std::uint64_t, TServiceOutcome> done;
    std::thread thread;

    // With the mutex held: ends the job in progress as soon as it can be ended.
    void Interrupt() {
        if (!running) return;
        if (runningProbe)
            probeCancel->Cancel();
        else
            client->Cancel();
    }

    static void Run(std::shared_ptr<TShared> self) {
        TShared& s = *self;
        std::unique_lock lock(s.mutex);
        for (;;) {
            s.work.wait(lock, [&s] { return s.stop || !s.queue.empty(); });
            if (s.stop) break;
            TJob job = std::move(s.queue.front());
            s.queue.pop_front();
            s.running = job.ticket;
            s.runningCancelled = false;
            s.runningProbe = job.kind == jkProbe;
            s.probeCancel = std::make_shared<TVersionProbeCancel>();
            std::shared_ptr<TVersionProbeCancel> probeCancel = s.probeCancel;
            THttpClient* client = s.client;
            lock.unlock();
            TServiceOutcome outcome = Perform(job, *client, *probeCancel);
            lock.lock();
            const bool cancelled = s.runningCancelled || s.stop;
            s.running = 0;
            s.probeCancel.reset();
            if (cancelled) continue;
            s.done[job.ticket] = std::move(outcome);
            PostMessageFromThread(s.receiver, kServiceDoneMessage, WPARAM(job.ticket), 0);
        }
        s.threadEnded = true;
        s.ended.notify_all();
    }
};

TServiceWorker::TServiceWorker(THttpClient* client, TWinControl* receiver)
    : m_shared(std::make_shared<TShared>()), m_client(client) {
    m_shared->client = client;
    m_shared->receiver = receiver;
}

TServiceWorker::~TServiceWorker() {
    TShared& s = *m_shared;
    std::unique_lock lock(s.mutex);
    s.stop = true;
    s.queue.clear();
    s.runningCancelled = true;
    s.Interrupt();
    s.work.notify_all();
    if (!s.thread.joinable()) return;
    const auto deadline = std::chrono::steady_clock::now() + kEndWait;
    while (!s.threadEnded && std::chrono::steady_clock::now() < deadline) {
        s.ended.wait_for(lock, kInterruptAgain);
        // A cancel that came between the request's start and its connection found nothing
        // to shut down; asking again reaches it.
        if (!s.threadEnded) s.Interrupt();
    }
    if (s.threadEnded) {
        lock.unlock();
        s.thread.join();
        return;
    }
    // Stuck where nothing can reach it: it ends by itself, with the client it is using.
    if (TComponent* owner = m_client->Owner()) owner->RemoveComponent(m_client);
    s.orphan.reset(m_client);
    s.thread.detach();
}

std::uint64_t TServiceWorker::Start(int kind, const AnsiString& url, int timeoutMs) {
    TShared& s = *m_shared;
    const std::uint64_t ticket = g_nextTicket++;
    std::lock_guard lock(s.mutex);
    if (!s.thread.joinable()) s.thread = std::thread(&TShared::Run, m_shared);
    // A cancelled request still running holds the thread: make sure it heard the cancel.
    if (s.running && s.runningCancelled) s.Interrupt();
    s.queue.push_back({ticket, TJobKind(kind), url, timeoutMs});
    s.work.notify_one();
    m_expected = ticket;
    return ticket;
}

std::uint64_t TServiceWorker::StartProbe(const AnsiString& url, int timeoutMs) {
    return Start(jkProbe, url, timeoutMs);
}

std::uint64_t TServiceWorker::StartGet(const AnsiString& url) {
    return Start(jkGet, url, 0);
}

std::uint64_t TServiceWorker::StartMatchList(const AnsiString& url) {
    return Start(jkMatchList, url, 0);
}

bool TServiceWorker::Busy() const {
    return m_expected != 0;
}

void TServiceWorker::Cancel() {
    TShared& s = *m_shared;
    std::lock_guard lock(s.mutex);
    s.queue.clear();
    s.done.clear();
    if (s.running) {
        s.runningCancelled = true;
        s.Interrupt();
    }
    m_expected = 0;
}

bool TServiceWorker::TakeOutcome(std::uint64_t ticket, TServiceOutcome& outcome) {
    if (ticket == 0 || ticket != m_expected) return false;
    TShared& s = *m_shared;
    std::lock_guard lock(s.mutex);
    auto it = s.done.find(ticket);
    if (it == s.done.end()) return false;
    outcome = std::move(it->second);
    s.done.erase(it);
    m_expected = 0;
    return true;
}
