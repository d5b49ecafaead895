#pragma once
// The tips service's requests beside the UI thread. One thread of the worker's own runs them,
// one after another; the outcome of each comes back to the window through its message loop, as
// a posted kServiceDoneMessage whose WParam is the request's ticket, in the order they were
// asked for. Cancel ends the request in progress at once (its connection is shut down) and no
// outcome of it ever arrives; whatever the thread still finishes of it is dropped.

#include "rtl/Strings.h"
#include "service/MatchList.h"
#include "service/VersionProbe.h"
#include "ui/Controls.h"

#include <cstdint>
#include <memory>
#include <vector>

class THttpClient;

// The message the window receives when a request it asked for has ended.
constexpr UINT kServiceDoneMessage = WM_APP + 0x124;

// kServiceDoneMessage decoded: the ticket of the request that ended.
struct TWMServiceDone : TMessageRecord {
    explicit TWMServiceDone(TMessage& m)
        : TMessageRecord(m), Ticket(static_cast<std::uint64_t>(m.WParam)) {}
    std::uint64_t Ticket;
};

// What became of one request.
struct TServiceOutcome {
    enum class TKind {
        Answer, // a body arrived: the whole of a 2xx answer, or what came before the connection
                // broke
        Status, // the service answered with a status other than success
        Failure // nothing of an answer arrived
    };
    TKind Kind = TKind::Failure;
    AnsiString Body;
    int StatusCode = 0;
    AnsiString StatusLine;     // as the service sent it, e.g. "HTTP/1.1 500 Internal Server Error"
    AnsiString Location;       // where a redirect pointed
    AnsiString Reason;         // Failure: why, in the network library's words
    TVersionProbeResult Probe; // the version probe's answer (a probe gives only this)
    // A match list read on the worker when the body holds no refusal.
    bool Parsed = false;
    AnsiString Subscription;
    std::vector<MatchEntry> Entries;
};

class TServiceWorker {
public:
    // `client` is the window's HTTP client: while a request runs only the worker's thread uses
    // it. `receiver` is the window the outcomes are posted to.
    TServiceWorker(THttpClient* client, TWinControl* receiver);
    // Cancels what runs and waits a moment for the thread; a thread still stuck after that (a
    // name lookup, a connection being made) is left to end by itself, and takes the client
    // with it.
    ~TServiceWorker();
    TServiceWorker(const TServiceWorker&) = delete;
    TServiceWorker& operator=(const TServiceWorker&) = delete;

    // Each returns the ticket of the request, which the outcome's message carries.
    std::uint64_t StartProbe(const AnsiString& url, int timeoutMs);
    std::uint64_t StartGet(const AnsiString& url);
    // A GET whose answer, when it holds no "Failed", is read as a match list on the worker.
    std::uint64_t StartMatchList(const AnsiString& url);

    // True from a start until its outcome is taken or it is cancelled.
    bool Busy() const;
    // Ends the request in progress now; its outcome never arrives.
    void Cancel();
    // On kServiceDoneMessage: the outcome of the request the window waits for. False for any
    // other ticket (a message from before a cancel), which the window ignores.
    bool TakeOutcome(std::uint64_t ticket, TServiceOutcome& outcome);

    struct TShared;

private:
    std::uint64_t Start(int kind, const AnsiString& url, int timeoutMs);

    std::shared_ptr<TShared> m_shared;
    THttpClient* m_client;
    std::uint64_t m_expected = 0; // the ticket the window waits for; 0: none
};
