#pragma once
// Composes the demo service's answers: a subscription element and a plausible list of the
// day's matches whose odds, percentages and goal figures agree with each other.

#include <cstdint>
#include <string>

struct MatchListOptions {
    int matchCount = 40;
    std::uint32_t seed = 20261209;
    std::string date = "09.12.2026"; // the match date written into every element
    std::string subscription;        // code page 1251; empty: the default text
};

// The whole answer, in code page 1251 with CR LF line ends.
std::string ComposeMatchListAnswer(const MatchListOptions& options);
