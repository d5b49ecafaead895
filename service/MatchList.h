#pragma once
// Reading the tips service's answer: a subscription text in a PODPISKA element and any number
// of match elements with seventeen children each. The answer looks like XML but is read with
// plain, case-sensitive substring searches, the way the service has always been read.

#include "rtl/Strings.h"

#include <cstdint>
#include <functional>
#include <string_view>

// The seventeen texts of one match element, named by their tags.
struct MatchEntry {
    AnsiString id, date, time, home, away, liga;
    AnsiString kf1, kf2, kf3;
    AnsiString p1, x, p2;
    AnsiString t05, t15, t25;
    AnsiString oz, count;

    static constexpr int kFieldCount = 17;
    // The tag names in the order of the fields above.
    static const char* const kTagNames[kFieldCount];
    // Field by index 0..16 in the order of kTagNames.
    AnsiString& Field(int index);
    const AnsiString& Field(int index) const;

    // Set by ParseMatchList: true when the field holds the very text of the previous entry
    // handed over (a value kept from block to block, or empty in both), so a consumer may
    // share what it made of that text instead of making it again. Always false otherwise.
    bool SameAsPrevious(int index) const { return (m_sameAsPrevious >> index) & 1u; }
    void SetSameAsPrevious(std::uint32_t fieldBits) { m_sameAsPrevious = fieldBits; }

    // The seventeen texts alone.
    bool operator==(const MatchEntry& other) const;

private:
    std::uint32_t m_sameAsPrevious = 0;
};

// Finds the first "<name>" in data and the first "</name>" after it; dest becomes the text
// between them. No open tag: dest becomes empty. An open tag without its close tag leaves dest
// as it was.
void GetTagValue(std::string_view data, std::string_view name, AnsiString& dest);

// Replaces, over and over, the first occurrence of oldPart in text by newPart until none is
// left. When newPart itself holds oldPart that would never end, so then each occurrence of the
// original text is replaced once instead. An empty oldPart changes nothing.
AnsiString ReplaceAllText(AnsiString text, std::string_view oldPart, std::string_view newPart);

// The subscription text of an answer, as ParseMatchList returns it: after the first
// "<PODPISKA>" (or, without one, from the ninth byte) up to the next "<"; empty without a "<".
AnsiString ParseSubscription(std::string_view answer);

using MatchEntryConsumer = std::function<void(const MatchEntry&)>;

// Reads an answer: returns the subscription text and hands every match entry, in order, to the
// consumer as soon as it is read (an exception from the consumer ends the walk). The parse
// never fails. It takes time linear in the answer's size plus the size of the texts that
// change from one entry to the next: a value kept from block to block is not copied again.
// `entryCount`, when given, receives the number of entries handed over (0 when the answer holds no
// "<match" after the subscription).
AnsiString ParseMatchList(std::string_view answer, const MatchEntryConsumer& consumer,
                          int* entryCount = nullptr);
