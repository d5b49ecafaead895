// The service's answer: the fast walk must agree with the literal one, say truly which fields
// repeat the previous entry, and a well-formed answer written from its entries must read back
// the same.
#include "fuzz/FuzzTargets.h"
#include "service/MatchList.h"

#include <string_view>
#include <vector>

namespace {

struct TParsed {
    AnsiString subscription;
    std::vector<MatchEntry> entries;
};

// The walk exactly as the answer format is defined: substring searches over what is left.
TParsed LiteralWalk(std::string_view answer) {
    TParsed parsed;
    std::string_view rest;
    std::size_t cut = answer.find("<PODPISKA>");
    if (cut != std::string_view::npos)
        rest = answer.substr(cut + 10);
    else
        rest = answer.size() > 8 ? answer.substr(8) : std::string_view();
    std::size_t lt = rest.find('<');
    parsed.subscription = AnsiString(lt == std::string_view::npos ? "" : rest.substr(0, lt));
    MatchEntry holders;
    for (std::size_t p; (p = rest.find("<match")) != std::string_view::npos;) {
        rest = rest.substr(p + 4);
        std::size_t end = rest.find("</match>");
        std::string_view block = end == std::string_view::npos ? "" : rest.substr(0, end);
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

TParsed Parse(std::string_view answer) {
    TParsed parsed;
    int count = -1;
    parsed.subscription = ParseMatchList(
        answer,
        [&parsed](const MatchEntry& entry) {
            for (int f = 0; f < MatchEntry::kFieldCount; ++f)
                if (entry.SameAsPrevious(f))
                    FuzzCheck(!parsed.entries.empty() &&
                                  parsed.entries.back().Field(f) == entry.Field(f),
                              std::string("a field said to repeat the previous entry differs: ") +
                                  MatchEntry::kTagNames[f]);
            parsed.entries.push_back(entry);
        },
        &count);
    FuzzCheck(count == static_cast<int>(parsed.entries.size()), "the entry count is wrong");
    return parsed;
}

void ExpectSame(const TParsed& a, const TParsed& b, const char* what) {
    FuzzCheck(a.subscription == b.subscription, std::string(what) + ": subscription differs");
    FuzzCheck(a.entries.size() == b.entries.size(), std::string(what) + ": entry count differs");
    for (std::size_t e = 0; e < a.entries.size(); ++e)
        FuzzCheck(a.entries[e] == b.entries[e],
                  std::string(what) + ": entry " + std::to_string(e) + " differs");
}

// The entries as the service would write them; empty when a text holds a '<' and so could
// not be written back as it is.
std::string WellFormed(const TParsed& parsed) {
    if (parsed.subscription.find('<') != AnsiString::npos) return {};
    std::string text = "<PODPISKA>" + parsed.subscription + "</PODPISKA>\r\n";
    for (const MatchEntry& entry : parsed.entries) {
        text += "<match>";
        for (int f = 0; f < MatchEntry::kFieldCount; ++f) {
            const AnsiString& value = entry.Field(f);
            if (value.find('<') != AnsiString::npos) return {};
            const std::string name = MatchEntry::kTagNames[f];
            text += "<" + name + ">" + value + "</" + name + ">";
        }
        text += "</match>\r\n";
    }
    return text;
}

} // namespace

int FuzzAnswer(const std::uint8_t* data, std::size_t size) {
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    const TParsed parsed = Parse(answer);
    ExpectSame(parsed, LiteralWalk(answer), "the walk and the literal walk");
    FuzzCheck(ParseSubscription(answer) == parsed.subscription, "ParseSubscription differs");
    const std::string written = WellFormed(parsed);
    if (!written.empty()) ExpectSame(Parse(written), parsed, "the answer written back");
    return 0;
}
