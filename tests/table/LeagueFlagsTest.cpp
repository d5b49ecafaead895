#include "table/LeagueFlags.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

TEST(LeagueFlagIndex, CountryPartEndsAtTheFirstDot) {
    EXPECT_EQ(LeagueFlagIndex("England.Premier League"), 23);
    EXPECT_EQ(LeagueFlagIndex("England."), 23);
    EXPECT_EQ(LeagueFlagIndex("Czech Rep.1. Liga"), 19);
    EXPECT_EQ(LeagueFlagIndex("Hong Kong.First Division"), 33);
    // Without any "." there is no country part, even for a bare country name.
    EXPECT_EQ(LeagueFlagIndex("England"), 0);
    EXPECT_EQ(LeagueFlagIndex("England Premier League"), 0);
    EXPECT_EQ(LeagueFlagIndex(""), 0);
    EXPECT_EQ(LeagueFlagIndex("."), 0);
    EXPECT_EQ(LeagueFlagIndex(".England"), 0);
}

TEST(LeagueFlagIndex, ComparesExactlyWithCaseAndBlanks) {
    EXPECT_EQ(LeagueFlagIndex("england.Premier League"), 0);
    EXPECT_EQ(LeagueFlagIndex("ENGLAND.Premier League"), 0);
    EXPECT_EQ(LeagueFlagIndex("England .Premier League"), 0);
    EXPECT_EQ(LeagueFlagIndex(" England.Premier League"), 0);
    EXPECT_EQ(LeagueFlagIndex("Englan.Premier League"), 0);
    // The table's own spelling is the one that matches.
    EXPECT_EQ(LeagueFlagIndex("Singapoure.S-League"), 70);
    EXPECT_EQ(LeagueFlagIndex("Singapore.S-League"), 0);
    EXPECT_EQ(LeagueFlagIndex("Macedonia FYR.First League"), 96);
    EXPECT_EQ(LeagueFlagIndex("Macedonia.First League"), 0);
}

TEST(LeagueFlagIndex, SharedImages) {
    for (const char* confederation : {"UEFA", "AFC", "CAF", "CONCACAF", "CONMEBOL", "FIFA"})
        EXPECT_EQ(LeagueFlagIndex(std::string(confederation) + ".Cup"), 25) << confederation;
    EXPECT_EQ(LeagueFlagIndex("Colombia.Primera A"), 15);
    EXPECT_EQ(LeagueFlagIndex("Ecuador.Serie A"), 15);
    EXPECT_EQ(LeagueFlagIndex("Costa Rica.Primera"), 16);
    // The later of the two "Luxemburg" entries wins.
    EXPECT_EQ(LeagueFlagIndex("Luxemburg.National Division"), 102);
    EXPECT_EQ(LeagueFlagIndex("Kosovo.Superliga"), 98);
    EXPECT_EQ(LeagueFlagIndex("Latvia.Virsliga"), 101);
    EXPECT_EQ(LeagueFlagIndex("Argentina.Primera"), 1);
}

TEST(LeagueFlagIndex, TableReachesEveryImageButTheShadowedOne) {
    std::set<int> reached;
    for (const TCountryFlag& flag : kCountryFlags) {
        ASSERT_GE(flag.ImageIndex, 1);
        ASSERT_LE(flag.ImageIndex, 102);
        reached.insert(LeagueFlagIndex(std::string(flag.Name) + ".League"));
    }
    // Images 1 to 102 except 49, whose name the later "Luxemburg" entry takes over.
    EXPECT_EQ(reached.size(), 101u);
    EXPECT_EQ(reached.count(49), 0u);
    EXPECT_EQ(reached.count(0), 0u);
    EXPECT_EQ(*reached.rbegin(), 102);
}
