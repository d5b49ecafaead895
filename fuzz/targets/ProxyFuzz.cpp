// A proxy's answer to CONNECT, as a proxy might send it. The first byte sets the size of the
// pieces the bytes arrive in; the rest is the answer. Read in those pieces and read whole, it
// must come out the same (but for bytes sent past the answer, which only a whole read can have
// received yet); a tunnel opens only on a 2xx status with nothing behind the answer, and a
// refusal always says the proxy refused and with which status.
#include "fuzz/FuzzTargets.h"
#include "service/HttpErrors.h"
#include "service/HttpProxy.h"

namespace {

const AnsiString kAuthority = "tips.example:443";
const char* const kOwnBytes = "The proxy sent bytes of its own into the tunnel";

struct TOutcome {
    bool open = false;
    int refusedWith = 0; // the status of a refusal
    AnsiString error;
};

TOutcome Read(std::string_view bytes, std::size_t pieceSize) {
    THttpMemorySource source(bytes, pieceSize);
    THttpInput input(source, 1000);
    TOutcome outcome;
    try {
        ReadConnectAnswer(input, kAuthority);
        outcome.open = true;
        FuzzCheck(input.Buffered() == 0, "a tunnel opened with bytes of the proxy in it");
    } catch (const EHttpProxyRefused& e) {
        outcome.refusedWith = e.StatusCode();
        outcome.error = e.Message();
        FuzzCheck(e.StatusCode() < 200 || e.StatusCode() > 299, "a 2xx status refused");
        FuzzCheck(
            e.Message().rfind("The proxy refused the connection to " + kAuthority + ": ", 0) == 0,
            "a refusal that does not say who refused what");
    } catch (const EHttpError& e) {
        outcome.error = e.Message();
        FuzzCheck(!e.Message().empty(), "a failure without words");
    }
    return outcome;
}

} // namespace

int FuzzProxyAnswer(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t pieceSize = data[0] % 16 + 1;
    const std::string_view answer(reinterpret_cast<const char*>(data) + 1, size - 1);
    const TOutcome pieces = Read(answer, pieceSize);
    const TOutcome whole = Read(answer, answer.size() + 1);
    if (whole.error == kOwnBytes) return 0; // pieces may not have met those bytes yet
    FuzzCheck(pieces.open == whole.open, "the pieces decided the tunnel");
    FuzzCheck(pieces.refusedWith == whole.refusedWith, "the pieces decided the refusal");
    FuzzCheck(pieces.error == whole.error, "the pieces changed the failure");
    return 0;
}
