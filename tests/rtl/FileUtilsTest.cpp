// File name helpers, whole-file reads and writes, and the process-wide random generator.
#include "TempDir.h"
#include "Unprivileged.h"
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

namespace {
int EntriesIn(const std::string& folder) {
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++entries;
    return entries;
}
unsigned ModeOf(const std::string& fileName) {
    struct stat st {};
    return ::stat(fileName.c_str(), &st) == 0 ? st.st_mode & 07777 : 0xFFFFu;
}
std::string CreateErrorOf(const std::function<void()>& write) {
    try {
        write();
    } catch (const EFCreateError& e) {
        return e.Message();
    }
    return "written";
}
} // namespace

TEST(WriteFileAtomically, ReplacesTheWholeFileAndLeavesNothingBeside) {
    TempDir dir;
    const std::string name = dir.File("settings.txt");
    const mode_t savedMask = ::umask(022);
    WriteFileAtomically(name, std::string("new\0file", 8));
    ::umask(savedMask);
    EXPECT_EQ(ReadFileBytes(name), std::string("new\0file", 8));
    EXPECT_EQ(ModeOf(name), 0644u); // 0666 less the umask, as a direct write
    WriteFileBytes(name, std::string(5000, 'x'));
    WriteFileAtomically(name, "short");
    EXPECT_EQ(ReadFileBytes(name), "short");
    WriteFileAtomically(name, "");
    EXPECT_EQ(ReadFileBytes(name), "");
    EXPECT_EQ(EntriesIn(dir.Path()), 1);
}

TEST(WriteFileAtomically, KeepsAnExistingFilesModeOrSetsTheOneAsked) {
    TempDir dir;
    const std::string kept = dir.File("kept");
    WriteFileBytes(kept, "before");
    ASSERT_EQ(::chmod(kept.c_str(), 0640), 0);
    WriteFileAtomically(kept, "after");
    EXPECT_EQ(ModeOf(kept), 0640u);
    EXPECT_EQ(ReadFileBytes(kept), "after");

    // A secret is narrowed even when the file was open to others, and a new one is created
    // with exactly the bits asked, whatever the umask.
    const std::string secret = dir.File("secret");
    WriteFileBytes(secret, "old");
    ASSERT_EQ(::chmod(secret.c_str(), 0644), 0);
    WriteFileAtomically(secret, "login", 0600);
    EXPECT_EQ(ModeOf(secret), 0600u);
    const mode_t savedMask = ::umask(0);
    WriteFileAtomically(dir.File("fresh"), "login", 0600);
    ::umask(savedMask);
    EXPECT_EQ(ModeOf(dir.File("fresh")), 0600u);
    EXPECT_EQ(EntriesIn(dir.Path()), 3);
}

TEST(WriteFileAtomically, ReplacesWhatALinkNamesAndKeepsTheLink) {
    TempDir dir;
    const std::string real = dir.File("real");
    const std::string link = dir.File("link");
    WriteFileBytes(real, "old");
    ASSERT_EQ(::symlink("real", link.c_str()), 0);
    WriteFileAtomically(link, "new");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(real), "new");
    EXPECT_EQ(EntriesIn(dir.Path()), 2);
}

TEST(WriteFileAtomically, RefusesAReadOnlyFileAsADirectWriteWould) {
    TempDir dir;
    const std::string name = dir.File("read-only");
    WriteFileBytes(name, "earlier");
    ASSERT_EQ(::chmod(name.c_str(), 0444), 0);
    const std::string answer = RunUnprivileged(dir.Path(), [&] {
        const std::string direct = CreateErrorOf([&] { WriteFileBytes(name, "later"); });
        const std::string atomic = CreateErrorOf([&] { WriteFileAtomically(name, "later"); });
        return direct == atomic ? atomic : "direct: " + direct + " / atomic: " + atomic;
    });
    EXPECT_EQ(answer, "Cannot create file \"" + name + "\". Permission denied");
    EXPECT_EQ(ReadFileBytes(name), "earlier");
    EXPECT_EQ(ModeOf(name), 0444u);
    EXPECT_EQ(EntriesIn(dir.Path()), 1);
}

TEST(WriteFileAtomically, AFolderOrAMissingFolderIsReportedByTheTargetsName) {
    TempDir dir;
    EXPECT_EQ(CreateErrorOf([&] { WriteFileAtomically(dir.Path(), "x"); }),
              "Cannot create file \"" + dir.Path() + "\". Is a directory");
    const std::string missing = dir.File("no/such/file");
    EXPECT_EQ(CreateErrorOf([&] { WriteFileAtomically(missing, "x"); }),
              "Cannot create file \"" + missing + "\". No such file or directory");
    EXPECT_EQ(EntriesIn(dir.Path()), 0);
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
