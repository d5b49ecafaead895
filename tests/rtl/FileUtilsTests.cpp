// File name helpers, whole-file reads and writes, and the process-wide random generator.
#include "TempDir.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>
#include <set>

TEST(FileNames, Parts) {
    EXPECT_EQ(ExtractFileName("/a/b/preset.brelvan"), "preset.brelvan");
    EXPECT_EQ(ExtractFilePath("/a/b/preset.brelvan"), "/a/b/");
    EXPECT_EQ(ExtractFilePath("preset"), "");
    EXPECT_EQ(ExtractFileExt("/a/b.c/preset.brelvan"), ".brelvan");
    EXPECT_EQ(ExtractFileExt("/a/b.c/preset"), "");
    EXPECT_EQ(ChangeFileExt("x/skin.ini", ".bmp"), "x/skin.bmp");
    EXPECT_EQ(ChangeFileExt("x/skin", ".bmp"), "x/skin.bmp");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp"), "/tmp/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/tmp/"), "/tmp");
    EXPECT_EQ(ExpandFileName("/a/./b/../c"), "/a/c");
    EXPECT_EQ(ExpandFileName("/../x"), "/x");
    EXPECT_EQ(ExpandFileName("rel"), GetCurrentDir() + "/rel");
}

TEST(Files, ExistsDeleteAndWholeFiles) {
    TempDir dir;
    std::string name = dir.File("f.txt");
    EXPECT_FALSE(FileExists(name));
    WriteFileBytes(name, std::string("a\0b", 3));
    EXPECT_TRUE(FileExists(name));
    EXPECT_FALSE(FileExists(dir.Path())); // a directory is not a file
    EXPECT_TRUE(DirectoryExists(dir.Path()));
    EXPECT_EQ(ReadFileBytes(name), std::string("a\0b", 3));
    EXPECT_TRUE(RenameFile(name, dir.File("g.txt")));
    EXPECT_TRUE(DeleteFile(dir.File("g.txt")));
    EXPECT_FALSE(DeleteFile(dir.File("g.txt")));
    EXPECT_THROW(ReadFileBytes(name), EFOpenError);
    EXPECT_THROW(WriteFileBytes(dir.File("no/dir"), "x"), EFCreateError);
}

TEST(RandomGenerator, RangeUniformityAndSeed) {
    SetRandSeed(1234);
    std::vector<int> first;
    for (int i = 0; i < 20; ++i) first.push_back(Random(1000));
    SetRandSeed(1234);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(Random(1000), first[static_cast<size_t>(i)]);

    int counts[7] = {};
    for (int i = 0; i < 70000; ++i) {
        int r = Random(7);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 7);
        ++counts[r];
    }
    for (int c : counts) EXPECT_NEAR(c, 10000, 600);
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(1), 0);
    for (int i = 0; i < 1000; ++i) {
        double d = Random();
        ASSERT_GE(d, 0.0);
        ASSERT_LT(d, 1.0);
    }
    Randomize();
    std::set<int> distinct;
    for (int i = 0; i < 50; ++i) distinct.insert(Random(1 << 30));
    EXPECT_GT(distinct.size(), 45u);
}
