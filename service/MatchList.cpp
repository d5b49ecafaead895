#include "service/MatchList.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

const char* const MatchEntry::kTagNames[MatchEntry::kFieldCount] = {
    "id", "date", "time", "home", "away", "liga", "kf1", "kf2",  "kf3",
    "p1", "x",    "p2",   "t05",  "t15",  "t25",  "oz",  "count"};

namespace {

AnsiString MatchEntry::*const kFieldMembers[MatchEntry::kFieldCount] = {
    &MatchEntry::id,   &MatchEntry::date, &MatchEntry::time, &MatchEntry::home, &MatchEntry::away,
    &MatchEntry::liga, &MatchEntry::kf1,  &MatchEntry::kf2,  &MatchEntry::kf3,  &MatchEntry::p1,
    &MatchEntry::x,    &MatchEntry::p2,   &MatchEntry::t05,  &MatchEntry::t15,  &MatchEntry::t25,
    &MatchEntry::oz,   &MatchEntry::count};

} // namespace

AnsiString& MatchEntry::Field(int index) {
    return this->*kFieldMembers[index];
}

const AnsiString& MatchEntry::Field(int index) const {
    return this->*kFieldMembers[index];
}

bool MatchEntry::operator==(const MatchEntry& other) const {
    for (int f = 0; f < kFieldCount; ++f)
        if (Field(f) != other.Field(f)) return false;
    return true;
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

// What stands at a '<': a field's open or close tag, the start of a match block ("<match",
// also as the start of a longer tag name), the block's end "</match>", or nothing we read.
enum TagKind : int { kNoTag = -1, kCloseBase = 32, kMatchStart = 64, kMatchEnd = 65 };

// Up to eight bytes as one little-endian number; missing bytes are zero, which no tag holds.
std::uint64_t LoadUpTo8(const char* p, std::size_t available) {
    std::uint64_t word = 0;
    if (available >= 8) {
        std::memcpy(&word, p, 8);
    } else {
        unsigned char bytes[8] = {};
        std::memcpy(bytes, p, available);
        std::memcpy(&word, bytes, 8);
    }
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
    return word;
}

// A tag name's first bytes (up to eight) in the same form, with the mask that picks them out,
// worked out while compiling: built at run time, these were a fifth of the tag reading.
struct TTagWord {
    std::uint64_t Word = 0;
    std::uint64_t Mask = 0;
    template <std::size_t N> consteval TTagWord(const char (&text)[N]) {
        const std::size_t n = std::min<std::size_t>(N - 1, 8);
        for (std::size_t i = n; i-- > 0;) Word = (Word << 8) | std::uint8_t(text[i]);
        Mask = n >= 8 ? ~0ull : (1ull << (8 * n)) - 1;
    }
};

bool Starts(std::uint64_t word, TTagWord tag) {
    return (word & tag.Mask) == tag.Word;
}

// The kind of the tag at `at` (which holds '<'): a field index for an open tag, kCloseBase plus
// the field index for a close tag, or another TagKind. Tag names are compared as numbers.
int ClassifyTag(const char* base, std::size_t size, std::size_t at) {
    std::uint64_t word = LoadUpTo8(base + at + 1, size - at - 1);
    const bool closing = (word & 0xFF) == '/';
    if (closing) word >>= 8;
    int field = kNoTag;
    switch (static_cast<char>(word & 0xFF)) {
    case 'm':
        if (closing) return Starts(word, "match>") ? kMatchEnd : kNoTag;
        return Starts(word, "match") ? kMatchStart : kNoTag;
    case 'i':
        field = Starts(word, "id>") ? 0 : kNoTag;
        break;
    case 'd':
        field = Starts(word, "date>") ? 1 : kNoTag;
        break;
    case 't':
        field = Starts(word, "time>")  ? 2
                : Starts(word, "t05>") ? 12
                : Starts(word, "t15>") ? 13
                : Starts(word, "t25>") ? 14
                                       : kNoTag;
        break;
    case 'h':
        field = Starts(word, "home>") ? 3 : kNoTag;
        break;
    case 'a':
        field = Starts(word, "away>") ? 4 : kNoTag;
        break;
    case 'l':
        field = Starts(word, "liga>") ? 5 : kNoTag;
        break;
    case 'k':
        field = Starts(word, "kf1>")   ? 6
                : Starts(word, "kf2>") ? 7
                : Starts(word, "kf3>") ? 8
                                       : kNoTag;
        break;
    case 'p':
        field = Starts(word, "p1>") ? 9 : Starts(word, "p2>") ? 11 : kNoTag;
        break;
    case 'x':
        field = Starts(word, "x>") ? 10 : kNoTag;
        break;
    case 'o':
        field = Starts(word, "oz>") ? 15 : kNoTag;
        break;
    case 'c':
        field = Starts(word, "count>") ? 16 : kNoTag;
        break;
    default:
        return kNoTag;
    }
    return field == kNoTag || !closing ? field : kCloseBase + field;
}

// The first '<' at or after `from`, or npos. Tags stand a few bytes apart, so the search is
// done in place, sixteen bytes at a time, rather than by a library call per tag.
std::size_t FindTagStart(const char* base, std::size_t size, std::size_t from) {
#if defined(__SSE2__)
    const __m128i lt = _mm_set1_epi8('<');
    while (from + 16 <= size) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + from));
        unsigned hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lt)));
        if (hits) return from + static_cast<std::size_t>(__builtin_ctz(hits));
        from += 16;
    }
    for (; from < size; ++from)
        if (base[from] == '<') return from;
    return npos;
#else
    if (from >= size) return npos;
    const void* hit = std::memchr(base + from, '<', size - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - base) : npos;
#endif
}

// The next '<' at or after `from` that is a tag we read, or npos; `kind` receives its kind.
std::size_t NextTag(const char* base, std::size_t size, std::size_t from, int& kind) {
    for (std::size_t at; (at = FindTagStart(base, size, from)) != npos; from = at + 1) {
        kind = ClassifyTag(base, size, at);
        if (kind != kNoTag) return at;
    }
    return npos;
}

// Every tag the walk looks for, found in one pass over the text: the general way to walk
// blocks that overlap (a wrapper whose tag begins with "<match", or "<match" without its
// "</match>").
struct TagIndex {
    std::vector<std::size_t> matchStarts;
    Occurrences matchEnds;
    std::array<Occurrences, kFields> opens;
    std::array<Occurrences, kFields> closes;

    TagIndex(std::string_view text, std::size_t from) {
        int kind = kNoTag;
        for (std::size_t at = NextTag(text.data(), text.size(), from, kind); at != npos;
             at = NextTag(text.data(), text.size(), at + 1, kind)) {
            if (kind == kMatchStart)
                matchStarts.push_back(at);
            else if (kind == kMatchEnd)
                matchEnds.positions.push_back(at);
            else if (kind >= kCloseBase)
                closes[kind - kCloseBase].positions.push_back(at);
            else
                opens[kind].positions.push_back(at);
        }
    }
};

std::size_t TagLength(int field, bool closing) {
    return std::strlen(MatchEntry::kTagNames[field]) + (closing ? 3 : 2);
}

// The field holders of one parse and the entry handed over. A holder is a view of the
// answer; the entry's text is made again only when its holder changed.
class TEntryBuilder {
public:
    explicit TEntryBuilder(const MatchEntryConsumer& consumer) : m_consumer(consumer) {
        for (int f = 0; f < kFields; ++f) m_openLength[f] = TagLength(f, false);
    }

    std::size_t OpenLength(int field) const { return m_openLength[field]; }
    // The field's open tag is missing from the block.
    void Clear(int field) { m_holders[field] = {}; }
    void Set(int field, std::string_view value) { m_holders[field] = value; }

    void Emit() {
        std::uint32_t same = 0;
        for (int f = 0; f < kFields; ++f) {
            std::string_view holder = m_holders[f];
            std::string_view& last = m_emitted[f];
            if (m_count > 0 && ((holder.data() == last.data() && holder.size() == last.size()) ||
                                (holder.empty() && last.empty()))) {
                same |= 1u << f;
                continue;
            }
            last = holder;
            AnsiString& field = m_entry.Field(f);
            field.assign(f <= 2 ? holder : TrimView(holder));
            if (f >= 6 && f <= 8) std::replace(field.begin(), field.end(), '.', ',');
        }
        m_entry.SetSameAsPrevious(same);
        ++m_count;
        m_consumer(m_entry);
    }
    int Count() const { return m_count; }

private:
    const MatchEntryConsumer& m_consumer;
    std::array<std::string_view, kFields> m_holders{};
    std::array<std::string_view, kFields> m_emitted{};
    std::array<std::size_t, kFields> m_openLength{};
    MatchEntry m_entry;
    int m_count = 0;
};

// Walks the blocks from the one at `start` on with the tag index.
void WalkIndexed(std::string_view rest, std::size_t start, TEntryBuilder& builder,
                 int* entryCount) {
    TagIndex index(rest, start);
    for (std::size_t matchStart : index.matchStarts) {
        // The block starts inside its "<match" and runs to the next "</match>", so a longer
        // tag beginning with "<match" (a wrapper) makes a block of its own.
        std::size_t blockStart = matchStart + 4;
        std::size_t blockEnd = index.matchEnds.FirstAtOrAfter(blockStart);
        if (blockEnd == npos) blockEnd = blockStart;
        for (int f = 0; f < kFields; ++f) {
            std::size_t open = index.opens[f].FirstAtOrAfter(blockStart);
            if (open == npos || open >= blockEnd) {
                builder.Clear(f);
                continue;
            }
            std::size_t valueStart = open + builder.OpenLength(f);
            std::size_t close = index.closes[f].FirstAtOrAfter(valueStart);
            if (close != npos && close < blockEnd)
                builder.Set(f, rest.substr(valueStart, close - valueStart));
            // No close tag inside the block: the holder keeps the previous block's value.
        }
        builder.Emit();
        if (entryCount) *entryCount = builder.Count();
    }
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

// Blocks that follow one another, as the service writes them, are read in one pass: each tag
// is looked at once, while its block is read. A tag never spans the '<' of the "</match>"
// that ends its block, so a tag that starts inside the block also ends inside it. At the
// first block that holds another "<match" the walk goes on with the tag index, which serves
// overlapping blocks without reading any text twice per block.
AnsiString ParseMatchList(std::string_view answer, const MatchEntryConsumer& consumer,
                          int* entryCount) {
    if (entryCount) *entryCount = 0;
    std::string_view rest = AfterSubscriptionCut(answer);
    AnsiString subscription = SubscriptionOf(rest);

    const char* base = rest.data();
    const std::size_t size = rest.size();
    TEntryBuilder builder(consumer);
    std::array<std::size_t, kFields> open{}, close{};
    int kind = kNoTag;
    std::size_t matchStart = NextTag(base, size, 0, kind);
    while (matchStart != npos && kind != kMatchStart)
        matchStart = NextTag(base, size, matchStart + 1, kind);
    while (matchStart != npos) {
        open.fill(npos);
        close.fill(npos);
        std::size_t blockEnd = npos, nextStart = npos;
        for (std::size_t at = NextTag(base, size, matchStart + 1, kind); at != npos;
             at = NextTag(base, size, at + 1, kind)) {
            if (kind == kMatchEnd) {
                blockEnd = at;
                break;
            }
            if (kind == kMatchStart) {
                nextStart = at;
                break;
            }
            if (kind < kCloseBase) {
                if (open[kind] == npos) open[kind] = at;
            } else {
                const int f = kind - kCloseBase;
                if (open[f] != npos && close[f] == npos) close[f] = at;
            }
        }
        if (nextStart != npos) {
            WalkIndexed(rest, matchStart, builder, entryCount);
            break;
        }
        // Without its "</match>" the block is empty, and no other block follows.
        for (int f = 0; f < kFields; ++f) {
            if (blockEnd == npos || open[f] == npos)
                builder.Clear(f);
            else if (close[f] != npos)
                builder.Set(f, rest.substr(open[f] + builder.OpenLength(f),
                                           close[f] - open[f] - builder.OpenLength(f)));
        }
        builder.Emit();
        if (entryCount) *entryCount = builder.Count();
        if (blockEnd == npos) break;
        matchStart = NextTag(base, size, blockEnd + 1, kind);
        while (matchStart != npos && kind != kMatchStart)
            matchStart = NextTag(base, size, matchStart + 1, kind);
    }
    return subscription;
}
