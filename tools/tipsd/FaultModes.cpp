#include "FaultModes.h"

#include "TipsServer.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

bool ParseNumber(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return end && *end == '\0' && value >= low && value <= high;
}

// Sleeps in short steps so that a stopping server is not held up.
void Pause(Clock::duration length, const std::atomic<bool>& stopping) {
    const auto until = Clock::now() + length;
    while (!stopping && Clock::now() < until)
        std::this_thread::sleep_for(
            std::min<Clock::duration>(std::chrono::milliseconds(20), until - Clock::now()));
}

// Sends through the plan's byte budget and rate: stops after resetAfter bytes, and drips at
// slowBytesPerS in tenths of a second.
class TFaultWriter {
public:
    TFaultWriter(const TFaultPlan& plan, const TFaultSend& send, const std::atomic<bool>& stopping)
        : m_plan(plan), m_send(send), m_stopping(stopping) {}

    // False when the connection is gone or the budget ran out (the caller then closes).
    bool Write(const char* data, std::size_t size) {
        while (size > 0) {
            if (m_stopping) return false;
            std::size_t piece = size;
            if (m_plan.resetAfter >= 0) {
                const long long left = m_plan.resetAfter - m_sent;
                if (left <= 0) return false;
                piece = std::min<std::size_t>(piece, static_cast<std::size_t>(left));
            }
            if (m_plan.slowBytesPerS > 0) {
                const long long tick = std::max<long long>(1, m_plan.slowBytesPerS / 10);
                piece = std::min<std::size_t>(piece, static_cast<std::size_t>(tick));
                // The pieces leave at the rate asked, whatever the sending costs.
                const auto due =
                    m_start + std::chrono::milliseconds(m_sent * 1000 / m_plan.slowBytesPerS);
                Pause(due - Clock::now(), m_stopping);
            }
            if (!m_send(data, piece)) return false;
            m_sent += static_cast<long long>(piece);
            data += piece;
            size -= piece;
        }
        return true;
    }

private:
    const TFaultPlan& m_plan;
    const TFaultSend& m_send;
    const std::atomic<bool>& m_stopping;
    long long m_sent = 0;
    Clock::time_point m_start = Clock::now();
};

std::string SeededBytes(std::uint32_t seed, std::size_t size) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

} // namespace

bool ParseFaultModes(const std::string& text, TFaultPlan& plan, std::string& error) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        const std::string mode = text.substr(start, end - start);
        const std::size_t eq = mode.find('=');
        const std::string name = mode.substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : mode.substr(eq + 1);
        const bool hasValue = eq != std::string::npos;
        long long number = 0;
        auto bad = [&](const char* why) {
            error = "fault mode '" + mode + "': " + why;
            return false;
        };
        if (name == "stall" || name == "truncate" || name == "garbage" || name == "huge") {
            if (hasValue) return bad("takes no value");
            (name == "stall"      ? plan.stall
             : name == "truncate" ? plan.truncate
             : name == "garbage"  ? plan.garbage
                                  : plan.huge) = true;
        } else if (name == "slow") {
            if (!ParseNumber(value, 1, 1ll << 40, number))
                return bad("needs bytes per second, 1 or more");
            plan.slowBytesPerS = number;
        } else if (name == "reset-after") {
            if (!ParseNumber(value, 0, 1ll << 40, number)) return bad("needs a byte count");
            plan.resetAfter = number;
        } else if (name == "latency") {
            if (!ParseNumber(value, 0, 3600000, number))
                return bad("needs milliseconds, 0 to 3600000");
            plan.latencyMs = static_cast<int>(number);
        } else if (name == "status") {
            const std::size_t at = value.find('@');
            TStatusFault status;
            if (!ParseNumber(value.substr(0, at), 100, 599, number))
                return bad("needs an HTTP status code, 100 to 599");
            status.code = static_cast<int>(number);
            if (at != std::string::npos) {
                status.pathPrefix = value.substr(at + 1);
                if (status.pathPrefix.empty() || status.pathPrefix[0] != '/')
                    return bad("the path prefix starts with /");
            }
            plan.statuses.push_back(status);
        } else {
            return bad(mode.empty() ? "empty" : "unknown");
        }
        start = end + 1;
    }
    return true;
}

bool SendWithFaults(const TFaultPlan& plan, const std::string& path, HttpResponse response,
                    const std::function<std::string(const HttpResponse&, long long)>& head,
                    const TFaultSend& send, const TFaultPeerWait& peer,
                    const std::atomic<bool>& stopping) {
    if (plan.stall) {
        // The connection stays open and silent until the client gives up or the server stops.
        while (!stopping && peer(200)) {
        }
        return false;
    }
    for (const TStatusFault& status : plan.statuses) {
        if (path.compare(0, status.pathPrefix.size(), status.pathPrefix) != 0) continue;
        response.code = status.code;
        response.reason = "Fault";
        response.contentType = "text/plain";
        response.body = "fault: status " + std::to_string(status.code) + "\r\n";
        break;
    }
    if (plan.garbage) {
        response.code = 200;
        response.reason = "OK";
        std::mt19937 sizes(plan.seed);
        response.body = SeededBytes(plan.seed + 1, 1 + sizes() % (64 * 1024));
    }
    if (plan.latencyMs > 0) Pause(std::chrono::milliseconds(plan.latencyMs), stopping);

    TFaultWriter writer(plan, send, stopping);
    long long length = static_cast<long long>(response.body.size());
    if (plan.huge) length = TFaultPlan::kHugeBodyBytes;
    // A length the body never reaches: the client must notice the connection ending early.
    const long long announced = plan.truncate ? length + 1 + length / 2 + 1024 : length;
    const std::string first = head(response, announced);
    if (!writer.Write(first.data(), first.size())) return false;
    if (plan.huge) {
        // The same block over and over: the size is what matters, not the content.
        const std::string block = SeededBytes(plan.seed + 2, 64 * 1024);
        for (long long left = length; left > 0;) {
            const std::size_t piece =
                static_cast<std::size_t>(std::min<long long>(left, (long long)block.size()));
            if (!writer.Write(block.data(), piece)) return false;
            left -= static_cast<long long>(piece);
        }
    } else if (!writer.Write(response.body.data(), response.body.size())) {
        return false;
    }
    return !plan.truncate && plan.resetAfter < 0;
}
