#include <gtest/gtest.h>

#include "platform/FileNamePattern.h"

TEST(FileNamePattern, StarsQuestionMarksAndClassesIgnoringCase) {
    EXPECT_TRUE(MatchesFileNamePattern("*.brelvan", "Week 12.BRELVAN"));
    EXPECT_TRUE(MatchesFileNamePattern("report-??.csv", "report-07.csv"));
    EXPECT_FALSE(MatchesFileNamePattern("report-??.csv", "report-7.csv"));
    EXPECT_TRUE(MatchesFileNamePattern("[ab]*", "Bets.txt"));
    EXPECT_FALSE(MatchesFileNamePattern("[ab]*", "cups.txt"));
    EXPECT_FALSE(MatchesFileNamePattern("*.txt", "notes.txt.bak"));
}

TEST(FileNamePattern, AnEmptyPatternMatchesNothing) {
    EXPECT_FALSE(MatchesFileNamePattern("", ""));
    EXPECT_FALSE(MatchesFileNamePattern("", "file.txt"));
}
