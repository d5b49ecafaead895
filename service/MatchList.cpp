#include "service/MatchList.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

const char* const MatchEntry::kTagNames[MatchEntry::kFieldCount] = {
    "id", "date", "time", "home", "away", "liga", "kf1", "kf2",  "kf3",
    "p1", "x",    "p2",   "t05",  "t15",  "t25",  "oz",  "count"};

AnsiString& MatchEntry::Field(int index) {
    return const_cast<AnsiString&>(static_cast<const MatchEntry*>(this)->Field(index));
}

const AnsiString& MatchEntry::Field(int index) const {
    const AnsiString* fields[kFieldCount] = {&id,  &date, &time, &home, &away, &liga,
                                             &kf1, &kf2,  &kf3,  &p1,   &x,    &p2,
                                             &t05, &t15,  &t25,  &oz,   &count};
    return *fields[index];
}

std::string_view TrimView(std::string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
    return text.substr(begin, end - begin);
}

void GetTagValue(std::string_view data, std::string_view name, AnsiString& dest) {
    std::string open;
    open.reserve(name.size() + 2);
    open.append("<").append(name).append(">");
    std::size_t p = data.find(open);
    if (p == std::string_view::npos) {
        dest.clear();
        return;
    }
    std::string_view rest = data.substr(p + open.size());
    std::string close;
    close.reserve(name.size() + 3);
    close.append("</").append(name).append(">");
    std::size_t q = rest.find(close);
    if (q != std::string_view::npos) dest.assign(rest.substr(0, q));
}

AnsiString ReplaceAllText(AnsiString text, std::string_view oldPart, std::string_view newPart) {
    if (oldPart.empty()) return text;
    if (newPart.find(oldPart) != std::string_view::npos) {
        // Replacing from the start again would never end; replace each original one once.
        AnsiString out;
        std::size_t from = 0;
        for (std::size_t p; (p = text.find(oldPart, from)) != AnsiString::npos;) {
            out.append(text, from, p - from).append(newPart);
            from = p + oldPart.size();
        }
        out.append(text, from, AnsiString::npos);
        return out;
    }
    // Everything before the last replacement, up to the bytes that could join the new part
    // into a fresh occurrence, is known to hold none: searching on from there gives the same
    // result as searching from the beginning each time.
    std::size_t from = 0;
    for (std::size_t p; (p = text.find(oldPart, from)) != AnsiString::npos;) {
        text.replace(p, oldPart.size(), newPart);
        from = p >= oldPart.size() - 1 ? p - (oldPart.size() - 1) : 0;
    }
    return text;
}

namespace {

constexpr int kFields = MatchEntry::kFieldCount;
constexpr std::size_t npos = std::string_view::npos;

// Positions of one kind of tag in the text, walked with a cursor that only moves forward.
struct Occurrences {
    std::vector<std::size_t> positions;
    std::size_t cursor = 0;

    std::size_t FirstAtOrAfter(std::size_t from) {
        while (cursor < positions.size() && positions[cursor] < from) ++cursor;
        return cursor < positions.size() ? positions[cursor] : npos;
    }
};

// Index of a child tag name, or -1.
int FieldOfName(const char* name, std::size_t length) {
    auto is = [&](const char* candidate) { return std::memcmp(name, candidate, length) == 0; };
    switch (length) {
    case 1:
        return name[0] == 'x' ? 10 : -1;
    case 2:
        return is("id") ? 0 : is("p1") ? 9 : is("p2") ? 11 : is("oz") ? 15 : -1;
    case 3:
        if (name[0] == 'k' && name[1] == 'f' && name[2] >= '1' && name[2] <= '3')
            return 6 + (name[2] - '1');
        return is("t05") ? 12 : is("t15") ? 13 : is("t25") ? 14 : -1;
    case 4:
        return is("date")   ? 1
               : is("time") ? 2
               : is("home") ? 3
               : is("away") ? 4
               : is("liga") ? 5
                            : -1;
    case 5:
        return is("count") ? 16 : -1;
    default:
        return -1;
    }
}

// Every tag the walk looks for, found in one pass over the text.
struct TagIndex {
    std::vector<std::size_t> matchStarts; // "<match", also as the start of a longer tag name
    Occurrences matchEnds;                // "</match>"
    std::array<Occurrences, kFields> opens;
    std::array<Occurrences, kFields> closes;

    explicit TagIndex(std::string_view text) {
        const char* base = text.data();
        const std::size_t size = text.size();
        std::size_t i = 0;
        while (i < size) {
            const void* hit = std::memchr(base + i, '<', size - i);
            if (!hit) break;
            i = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
            Classify(base, size, i);
            ++i;
        }
    }

    void Classify(const char* base, std::size_t size, std::size_t at) {
        std::size_t nameStart = at + 1;
        bool closing = nameStart < size && base[nameStart] == '/';
        if (closing) ++nameStart;
        if (!closing && size - nameStart >= 5 && std::memcmp(base + nameStart, "match", 5) == 0)
            matchStarts.push_back(at);
        // The longest name is five bytes; look for its '>' no further.
        std::size_t limit = std::min(size, nameStart + 6);
        std::size_t end = nameStart;
        while (end < limit && base[end] != '>') ++end;
        if (end >= limit || end == nameStart) return;
        std::size_t length = end - nameStart;
        if (closing && length == 5 && std::memcmp(base + nameStart, "match", 5) == 0) {
            matchEnds.positions.push_back(at);
            return;
        }
        int field = FieldOfName(base + nameStart, length);
        if (field < 0) return;
        (closing ? closes : opens)[field].positions.push_back(at);
    }
};

std::size_t TagLength(int field, bool closing) {
    return std::strlen(MatchEntry::kTagNames[field]) + (closing ? 3 : 2);
}

} // namespace

namespace {

// The text after the subscription cut: after the first "<PODPISKA>", or without one the
// answer less its first eight bytes.
std::string_view AfterSubscriptionCut(std::string_view answer) {
    static constexpr std::string_view kSubscriptionTag = "<PODPISKA>";
    std::size_t cut = answer.find(kSubscriptionTag);
    return cut != npos ? answer.substr(cut + kSubscriptionTag.size())
                       : answer.substr(std::min<std::size_t>(8, answer.size()));
}

// The text before the first "<" after the cut; empty when there is none.
AnsiString SubscriptionOf(std::string_view rest) {
    std::size_t firstTag = rest.find('<');
    return AnsiString(firstTag == npos ? std::string_view() : rest.substr(0, firstTag));
}

} // namespace

AnsiString ParseSubscription(std::string_view answer) {
    return SubscriptionOf(AfterSubscriptionCut(answer));
}

AnsiString ParseMatchList(std::string_view answer, const MatchEntryConsumer& consumer,
                          int* entryCount) {
    if (entryCount) *entryCount = 0;
    std::string_view rest = AfterSubscriptionCut(answer);
    AnsiString subscription = SubscriptionOf(rest);

    TagIndex index(rest);
    std::array<std::string_view, kFields> holders{}; // raw values, kept from block to block
    std::array<std::size_t, kFields> openLength{}, closeLength{};
    for (int f = 0; f < kFields; ++f) {
        openLength[f] = TagLength(f, false);
        closeLength[f] = TagLength(f, true);
    }
    MatchEntry entry;
    int count = 0;
    for (std::size_t start : index.matchStarts) {
        // The block starts inside its "<match" and runs to the next "</match>", so a longer
        // tag beginning with "<match" (a wrapper) makes a block of its own.
        std::size_t blockStart = start + 4;
        std::size_t blockEnd = index.matchEnds.FirstAtOrAfter(blockStart);
        if (blockEnd == npos) blockEnd = blockStart;
        for (int f = 0; f < kFields; ++f) {
            std::size_t open = index.opens[f].FirstAtOrAfter(blockStart);
            if (open == npos || open + openLength[f] > blockEnd) {
                holders[f] = {};
                continue;
            }
            std::size_t valueStart = open + openLength[f];
            std::size_t close = index.closes[f].FirstAtOrAfter(valueStart);
            if (close != npos && close + closeLength[f] <= blockEnd)
                holders[f] = rest.substr(valueStart, close - valueStart);
            // No close tag inside the block: the holder keeps the previous block's value.
        }
        for (int f = 0; f < kFields; ++f) {
            std::string_view value = f <= 2 ? holders[f] : TrimView(holders[f]);
            AnsiString& field = entry.Field(f);
            field.assign(value);
            if (f >= 6 && f <= 8) std::replace(field.begin(), field.end(), '.', ',');
        }
        ++count;
        if (entryCount) *entryCount = count;
        consumer(entry);
    }
    return subscription;
}
