// Memory and file streams: positions, sizes, short reads and file errors.
#include "TempDir.h"
#include "rtl/Classes.h"
#include "rtl/SysUtils.h"

#include <cstring>
#include <gtest/gtest.h>

TEST(MemoryStream, WriteSeekReadAndGaps) {
    TMemoryStream s;
    s.WriteBuffer("hello", 5);
    EXPECT_EQ(s.Position(), 5);
    EXPECT_EQ(s.Size(), 5);
    s.Seek(-2, soEnd);
    char buf[8] = {};
    EXPECT_EQ(s.Read(buf, 8), 2);
    EXPECT_STREQ(buf, "lo");
    EXPECT_EQ(s.Read(buf, 1), 0); // at the end
    s.SetPosition(8);             // past the end: the write fills the gap with zeros
    s.WriteBuffer("!", 1);
    ASSERT_EQ(s.Size(), 9);
    EXPECT_EQ(std::memcmp(s.Memory(), "hello\0\0\0!", 9), 0);
    EXPECT_THROW(s.Seek(-1, soBeginning), EStreamError);
    s.SetSize(3);
    EXPECT_EQ(s.Position(), 3);
    s.Clear();
    EXPECT_EQ(s.Size(), 0);
    EXPECT_EQ(s.Position(), 0);
}

TEST(MemoryStream, ReadBufferNeedsEveryByte) {
    TMemoryStream s;
    s.WriteBuffer("abc", 3);
    s.SetPosition(1);
    char buf[4];
    try {
        s.ReadBuffer(buf, 3);
        FAIL() << "no exception";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
    s.SetPosition(0);
    s.ReadBuffer(buf, 3);
    EXPECT_EQ(std::string(buf, 3), "abc");
}

TEST(MemoryStream, CopyFromWholeAndPart) {
    TMemoryStream src;
    src.WriteBuffer("0123456789", 10);
    src.SetPosition(7);
    TMemoryStream dst;
    EXPECT_EQ(dst.CopyFrom(src, 0), 10); // 0 means the whole source from its start
    src.SetPosition(2);
    EXPECT_EQ(dst.CopyFrom(src, 3), 3);
    EXPECT_EQ(std::string(static_cast<const char*>(dst.Memory()), dst.Size()), "0123456789234");
    src.SetPosition(8);
    EXPECT_THROW(dst.CopyFrom(src, 5), EReadError);
}

TEST(FileStream, CreateWriteReopenAndTruncate) {
    TempDir dir;
    std::string name = dir.File("data.bin");
    std::string big(200000, 'x');
    big[123456] = 'Y';
    {
        TFileStream f(name, fmCreate);
        f.WriteBuffer(big.data(), static_cast<int64_t>(big.size()));
        EXPECT_EQ(f.Size(), 200000);
    }
    {
        TFileStream f(name, fmOpenReadWrite | fmShareExclusive);
        f.Seek(123456, soBeginning);
        char c;
        f.ReadBuffer(&c, 1);
        EXPECT_EQ(c, 'Y');
        f.SetSize(10);
        EXPECT_EQ(f.Size(), 10);
    }
    {
        TFileStream f(name, fmOpenRead);
        char buf[20];
        EXPECT_EQ(f.Read(buf, 20), 10);
        EXPECT_THROW(f.WriteBuffer("z", 1), EWriteError); // opened for reading only
    }
    { TFileStream f(name, fmCreate); } // fmCreate truncates an existing file
    EXPECT_EQ(ReadFileBytes(name), "");
}

TEST(FileStream, OpenAndCreateErrors) {
    TempDir dir;
    std::string missing = dir.File("nope");
    try {
        TFileStream f(missing, fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + missing + "\". No such file or directory");
    }
    try {
        TFileStream f(dir.Path(), fmCreate);
        FAIL();
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file \"" + dir.Path() + "\". Is a directory");
    }
    // Both are stream errors, so one handler can catch either.
    EXPECT_THROW(TFileStream(missing, fmOpenWrite), EStreamError);
}

TEST(MemoryStream, FilesRoundTrip) {
    TempDir dir;
    TMemoryStream s;
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    s.WriteBuffer(bytes.data(), 256);
    s.SaveToFile(dir.File("all.bin"));
    TMemoryStream back;
    back.LoadFromFile(dir.File("all.bin"));
    ASSERT_EQ(back.Size(), 256);
    EXPECT_EQ(std::memcmp(back.Memory(), bytes.data(), 256), 0);
    EXPECT_EQ(back.Position(), 0);
    EXPECT_THROW(back.LoadFromFile(dir.File("none.bin")), EFOpenError);
}
