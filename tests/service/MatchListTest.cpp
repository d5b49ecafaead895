// Reading the service's answers: tag extraction, the block walk and its long-standing quirks.

#include "service/MatchList.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

struct Parsed {
    AnsiString subscription;
    std::vector<MatchEntry> entries;
};

Parsed Parse(std::string_view answer) {
    Parsed parsed;
    parsed.subscription =
        ParseMatchList(answer, [&](const MatchEntry& e) { parsed.entries.push_back(e); });
    return parsed;
}

std::string Match(const std::string& inner) {
    return "<match>" + inner + "</match>";
}

std::string Element(const std::string& name, const std::string& value) {
    return "<" + name + ">" + value + "</" + name + ">";
}

std::string FullMatch(int n) {
    std::string inner;
    for (int f = 0; f < MatchEntry::kFieldCount; ++f)
        inner += Element(MatchEntry::kTagNames[f],
                         std::string(MatchEntry::kTagNames[f]) + "-" + std::to_string(n));
    return Match(inner);
}

// The walk exactly as the answer format defines it, over copies, for comparison.
Parsed ReferenceParse(const std::string& answer) {
    Parsed parsed;
    std::string r;
    std::size_t cut = answer.find("<PODPISKA>");
    if (cut != std::string::npos)
        r = answer.substr(cut + 10);
    else
        r = answer.size() > 8 ? answer.substr(8) : "";
    std::size_t lt = r.find('<');
    parsed.subscription = lt == std::string::npos ? "" : r.substr(0, lt);
    MatchEntry holders;
    while (r.find("<match") != std::string::npos) {
        r = r.substr(r.find("<match") + 4);
        std::size_t end = r.find("</match>");
        std::string block = end == std::string::npos ? "" : r.substr(0, end);
        MatchEntry entry;
        for (int f = 0; f < MatchEntry::kFieldCount; ++f) {
            GetTagValue(block, MatchEntry::kTagNames[f], holders.Field(f));
            entry.Field(f) = f <= 2 ? holders.Field(f) : AnsiString(TrimView(holders.Field(f)));
            if (f >= 6 && f <= 8) entry.Field(f) = ReplaceAllText(entry.Field(f), ".", ",");
        }
        parsed.entries.push_back(entry);
    }
    return parsed;
}

TEST(GetTagValue, FirstOccurrenceAndMissingTags) {
    AnsiString dest = "kept";
    GetTagValue("<a>1</a><a>2</a>", "a", dest);
    EXPECT_EQ(dest, "1");
    GetTagValue("<a></a>", "a", dest);
    EXPECT_EQ(dest, "");
    dest = "kept";
    GetTagValue("<a>open only", "a", dest);
    EXPECT_EQ(dest, "kept");
    GetTagValue("<b>x</b>", "a", dest);
    EXPECT_EQ(dest, "");
    dest = "kept";
    GetTagValue("<A>upper</A>", "a", dest);
    EXPECT_EQ(dest, "");
    // The close tag is looked for after the open tag only.
    GetTagValue("</x><x>v</x>", "x", dest);
    EXPECT_EQ(dest, "v");
    // The open tag needs its ">": "<x>" never matches inside "<kf1>" or "<oz>".
    GetTagValue("<kf1>1</kf1><oz>2</oz>", "x", dest);
    EXPECT_EQ(dest, "");
}

TEST(ReplaceAllText, ReplacesEveryOccurrenceAndAlwaysEnds) {
    EXPECT_EQ(ReplaceAllText("1.85.0", ".", ","), "1,85,0");
    EXPECT_EQ(ReplaceAllText("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAllText("aaa", "a", ""), "");
    // Replacing from the start each time lets a replacement join into a new occurrence.
    EXPECT_EQ(ReplaceAllText("aabb", "ab", ""), "");
    // A new part that holds the old one would loop for ever: each original is replaced once.
    EXPECT_EQ(ReplaceAllText("a.b.", ".", ".."), "a..b..");
}

TEST(ParseMatchList, SubscriptionAndEntriesInOrder) {
    std::string answer = "<PODPISKA>VIP 30</PODPISKA>\r\n" + FullMatch(1) + "\r\n" + FullMatch(2);
    Parsed parsed = Parse(answer);
    EXPECT_EQ(parsed.subscription, "VIP 30");
    ASSERT_EQ(parsed.entries.size(), 2u);
    EXPECT_EQ(parsed.entries[0].home, "home-1");
    EXPECT_EQ(parsed.entries[1].count, "count-2");
    EXPECT_EQ(parsed.entries[1].kf3, "kf3-2");
    EXPECT_EQ(parsed.entries[0].date, "date-1");
}

TEST(ParseMatchList, SubscriptionCutRules) {
    // Without the tag the text runs from the ninth byte to the first "<".
    Parsed noTag = Parse("12345678Gold<x>" + FullMatch(1));
    EXPECT_EQ(noTag.subscription, "Gold");
    EXPECT_EQ(noTag.entries.size(), 1u);
    EXPECT_EQ(Parse("short").subscription, "");
    EXPECT_EQ(Parse("12345678no tag at all").subscription, "");
    // A match before the subscription is never seen.
    Parsed before = Parse(FullMatch(1) + "<PODPISKA>S</PODPISKA>" + FullMatch(2));
    ASSERT_EQ(before.entries.size(), 1u);
    EXPECT_EQ(before.entries[0].id, "id-2");
    int count = -1;
    ParseMatchList(
        "<PODPISKA>only</PODPISKA>", [](const MatchEntry&) {}, &count);
    EXPECT_EQ(count, 0);
}

TEST(ParseMatchList, TrimsAndTurnsOddsPointsIntoCommas) {
    Parsed parsed = Parse("<PODPISKA></PODPISKA>" +
                          Match(Element("id", " 7 ") + Element("time", " 18:00") +
                                Element("home", "\t Home FC \r\n") + Element("kf1", "  1.85 ") +
                                Element("kf2", "3.4.1") + Element("p1", " 61")));
    ASSERT_EQ(parsed.entries.size(), 1u);
    const MatchEntry& e = parsed.entries[0];
    EXPECT_EQ(e.id, " 7 "); // id, date and time are not trimmed
    EXPECT_EQ(e.time, " 18:00");
    EXPECT_EQ(e.home, "Home FC");
    EXPECT_EQ(e.kf1, "1,85");
    EXPECT_EQ(e.kf2, "3,4,1");
    EXPECT_EQ(e.p1, "61");
    EXPECT_EQ(e.away, "");
}

TEST(ParseMatchList, MissingCloseTagRepeatsAndMissingOpenTagEmpties) {
    Parsed parsed =
        Parse("<PODPISKA>s</PODPISKA>" + Match(Element("home", "First") + Element("away", "A1")) +
              Match("<home>Second" + Element("x", "5")) + Match("<away>open"));
    ASSERT_EQ(parsed.entries.size(), 3u);
    EXPECT_EQ(parsed.entries[1].home, "First");
    EXPECT_EQ(parsed.entries[1].away, ""); // no open tag: empty even after A1
    EXPECT_EQ(parsed.entries[1].x, "5");
    EXPECT_EQ(parsed.entries[2].away, ""); // repeats the previous block's empty value
    EXPECT_EQ(parsed.entries[2].home, "");
}

TEST(ParseMatchList, UnterminatedAndWrappedMatches) {
    Parsed open = Parse("<PODPISKA>s</PODPISKA><match><home>H</home>");
    ASSERT_EQ(open.entries.size(), 1u);
    EXPECT_EQ(open.entries[0], MatchEntry());

    // A wrapper whose tag begins with "<match" yields an extra first entry that repeats the
    // first real match.
    Parsed wrapped =
        Parse("<PODPISKA>s</PODPISKA><matches>" + FullMatch(1) + FullMatch(2) + "</matches>");
    ASSERT_EQ(wrapped.entries.size(), 3u);
    EXPECT_EQ(wrapped.entries[0], wrapped.entries[1]);
    EXPECT_EQ(wrapped.entries[2].id, "id-2");
    // Upper-case tags are other tags.
    Parsed upper = Parse("<PODPISKA>s</PODPISKA><MATCH><HOME>x</HOME></MATCH>");
    EXPECT_TRUE(upper.entries.empty());
}

TEST(ParseMatchList, ConsumerExceptionEndsTheWalk) {
    int seen = 0;
    std::string answer = "<PODPISKA>s</PODPISKA>" + FullMatch(1) + FullMatch(2) + FullMatch(3);
    EXPECT_THROW(ParseMatchList(answer,
                                [&](const MatchEntry&) {
                                    if (++seen == 2) throw std::runtime_error("bad number");
                                }),
                 std::runtime_error);
    EXPECT_EQ(seen, 2);
}

// Random mixes of the pieces the walk reacts to must read exactly as the literal algorithm
// reads them, however odd the mix.
TEST(ParseMatchList, AgreesWithTheLiteralWalkOnArbitraryAnswers) {
    const std::vector<std::string> pieces = {
        "<match>", "</match>", "<matchX>", "<match",  "<PODPISKA>", "</PODPISKA>", "<",
        ">",       "/",        "<home>",   "</home>", "<x>",        "</x>",        "<kf1>",
        "</kf1>",  "<oz>",     "</oz>",    "<count>", "</count>",   "<id>",        "</id>",
        " 1.5 ",   "ab",       "\r\n",     "<home",   "</ho",       "<<",          "\t"};
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string answer;
        int length = std::uniform_int_distribution<int>(0, 60)(random);
        for (int i = 0; i < length; ++i)
            answer +=
                pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        Parsed fast = Parse(answer);
        Parsed slow = ReferenceParse(answer);
        ASSERT_EQ(fast.subscription, slow.subscription) << answer;
        ASSERT_EQ(fast.entries.size(), slow.entries.size()) << answer;
        for (std::size_t e = 0; e < fast.entries.size(); ++e)
            ASSERT_EQ(fast.entries[e], slow.entries[e]) << "entry " << e << " of " << answer;
    }
}

TEST(ParseMatchList, TakesAnyBytes) {
    std::string bytes;
    std::mt19937 random(11);
    for (int i = 0; i < 100000; ++i) bytes += static_cast<char>(random() & 0xFF);
    using namespace std::string_literals;
    bytes += "<PODPISKA>\x00\xFF<match><home>\x01\xC0\x00</home></match>"s;
    bytes.push_back('\0');
    Parsed parsed = Parse(bytes);
    ASSERT_FALSE(parsed.entries.empty());
    EXPECT_EQ(parsed.entries.back().home, std::string("\xC0", 1));
}

} // namespace

namespace {

TEST(ParseMatchList, AKeptValueIsSharedNotCopiedAgain) {
    // One big value, then blocks whose open tag has no close tag: every entry repeats it.
    const std::string big(1 << 20, 'h');
    std::string answer = "<PODPISKA>s</PODPISKA>" + Match(Element("home", big) + "<away>a</away>");
    for (int i = 0; i < 20000; ++i) answer += "<match><home><away>b</away></match>";
    int entries = 0;
    bool allKept = true;
    ParseMatchList(answer, [&](const MatchEntry& e) {
        if (entries++ == 0) {
            EXPECT_FALSE(e.SameAsPrevious(3)); // nothing before the first entry
            return;
        }
        allKept = allKept && e.home.size() == big.size() && e.SameAsPrevious(3);
        // Each block's own `away` is a text of its own, however alike.
        EXPECT_FALSE(e.SameAsPrevious(4));
        // Fields empty in both entries are the same text too.
        EXPECT_TRUE(e.SameAsPrevious(0));
    });
    EXPECT_EQ(entries, 20001);
    EXPECT_TRUE(allKept);
}

TEST(ParseMatchList, OverlappingBlocksAfterOrdinaryOnes) {
    // Well-formed blocks first, then a wrapper and blocks without their end: the walk changes
    // its way of reading at the first overlap and still agrees with the literal walk.
    std::string answer = "<PODPISKA>p</PODPISKA>" + FullMatch(1) + FullMatch(2) + "<matches>" +
                         FullMatch(3) + "<match><home> 1.5 " + FullMatch(4) + "<match";
    Parsed fast = Parse(answer);
    Parsed slow = ReferenceParse(answer);
    ASSERT_EQ(fast.entries.size(), slow.entries.size());
    for (std::size_t e = 0; e < fast.entries.size(); ++e)
        EXPECT_EQ(fast.entries[e], slow.entries[e]) << e;
    EXPECT_EQ(fast.entries.size(), 7u);
}

} // namespace
