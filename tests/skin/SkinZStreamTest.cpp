// The zlib stream wrappers: chunking, errors and seeking.
#include "skin/SkinZStream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<unsigned char> Pattern(std::size_t size, unsigned seed) {
    std::vector<unsigned char> v(size);
    for (std::size_t i = 0; i < size; ++i) {
        seed = seed * 1664525u + 1013904223u;
        // Half noise, half runs, so that deflate has work in both directions.
        v[i] = (i / 300) % 2 ? static_cast<unsigned char>(seed >> 24)
                             : static_cast<unsigned char>(i / 300);
    }
    return v;
}

void Compress(TMemoryStream& packed, const std::vector<unsigned char>& data,
              TCompressionLevel level, std::size_t writeSize) {
    TspCompressionStream z(level, packed);
    for (std::size_t at = 0; at < data.size(); at += writeSize)
        z.WriteBuffer(data.data() + at,
                      static_cast<int64_t>(std::min(writeSize, data.size() - at)));
    z.Finish();
}

std::vector<unsigned char> Inflate(TMemoryStream& packed, std::size_t readSize) {
    packed.SetPosition(0);
    TspDecompressionStream z(packed);
    std::vector<unsigned char> out, buffer(readSize);
    for (;;) {
        int64_t got = z.Read(buffer.data(), static_cast<int64_t>(readSize));
        if (got <= 0) break;
        out.insert(out.end(), buffer.begin(), buffer.begin() + got);
    }
    return out;
}

TEST(SkinZStream, RoundTripsAcrossChunkBoundaries) {
    for (std::size_t size : {0u, 1u, 4095u, 4096u, 4097u, 200000u}) {
        std::vector<unsigned char> data = Pattern(size, static_cast<unsigned>(size));
        TMemoryStream packed;
        Compress(packed, data, clMaxCompression, 1000);
        EXPECT_EQ(Inflate(packed, 4096), data) << size;
        EXPECT_EQ(Inflate(packed, 7), data) << size;
    }
}

TEST(SkinZStream, MaximumLevelWritesTheLevel9Header) {
    TMemoryStream packed;
    Compress(packed, Pattern(5000, 1), clMaxCompression, 5000);
    auto* bytes = static_cast<unsigned char*>(packed.Memory());
    EXPECT_EQ(bytes[0], 0x78);
    EXPECT_EQ(bytes[1], 0xDA);
    TMemoryStream fast;
    Compress(fast, Pattern(5000, 1), clFastest, 5000);
    EXPECT_EQ(static_cast<unsigned char*>(fast.Memory())[1], 0x01);
}

TEST(SkinZStream, CompressionStreamRefusesReadingAndSeeking) {
    TMemoryStream target;
    TspCompressionStream z(clDefaultCompression, target);
    char b[4] = {1, 2, 3, 4};
    z.WriteBuffer(b, 4);
    EXPECT_EQ(z.Position(), 4) << "asking for the position is allowed";
    try {
        z.Read(b, 1);
        FAIL();
    } catch (const ECompressionError& e) {
        EXPECT_EQ(e.Message(), "Invalid stream operation");
    }
    EXPECT_THROW(z.Seek(0, soBeginning), ECompressionError);
    EXPECT_THROW(z.Seek(1, soCurrent), ECompressionError);
}

TEST(SkinZStream, BadDataRaisesTheDecompressionError) {
    TMemoryStream junk;
    const char text[] = "this is not a zlib stream at all";
    junk.WriteBuffer(text, sizeof text);
    junk.SetPosition(0);
    TspDecompressionStream z(junk);
    char out[64];
    try {
        z.Read(out, sizeof out);
        FAIL();
    } catch (const EDecompressionError& e) {
        EXPECT_EQ(e.Message(), "compression error");
    }
}

// A stream that asks for a preset dictionary can never be inflated here; it must fail
// instead of spinning on the same input.
TEST(SkinZStream, AStreamWantingADictionaryRaisesInsteadOfSpinning) {
    TMemoryStream junk;
    std::vector<unsigned char> bytes = {0x78, 0x20, 0x01, 0x02, 0x03, 0x04};
    bytes.resize(64, 0x55);
    junk.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    junk.SetPosition(0);
    TspDecompressionStream z(junk);
    char out[64];
    EXPECT_THROW(z.Read(out, sizeof out), EDecompressionError);
}

TEST(SkinZStream, DecompressionStreamSeeksForwardAndRewindsOnly) {
    std::vector<unsigned char> data = Pattern(20000, 9);
    TMemoryStream packed;
    Compress(packed, data, clMaxCompression, 20000);
    packed.SetPosition(0);
    TspDecompressionStream z(packed);
    EXPECT_EQ(z.Seek(10000, soBeginning), 10000);
    unsigned char b[4];
    z.ReadBuffer(b, 4);
    EXPECT_EQ(std::memcmp(b, data.data() + 10000, 4), 0);
    EXPECT_EQ(z.Seek(100, soCurrent), 10104);
    EXPECT_THROW(z.Seek(5, soBeginning), EDecompressionError);
    EXPECT_THROW(z.Seek(-1, soCurrent), EDecompressionError);
    EXPECT_THROW(z.Seek(0, soEnd), EDecompressionError);
    EXPECT_THROW(z.Write(b, 1), EDecompressionError);
    EXPECT_EQ(z.Seek(0, soBeginning), 0);
    z.ReadBuffer(b, 4);
    EXPECT_EQ(std::memcmp(b, data.data(), 4), 0);
}

TEST(SkinZStream, BytesAfterTheStreamEndDoNotHang) {
    std::vector<unsigned char> data = Pattern(3000, 4);
    TMemoryStream packed;
    Compress(packed, data, clMaxCompression, 3000);
    packed.Seek(0, soEnd);
    const char tail[] = "trailing bytes that belong to something else";
    packed.WriteBuffer(tail, sizeof tail);
    EXPECT_EQ(Inflate(packed, 4096), data);
}

TEST(SkinZStream, TruncatedDataEndsEarly) {
    std::vector<unsigned char> data = Pattern(50000, 5);
    TMemoryStream packed;
    Compress(packed, data, clMaxCompression, 50000);
    packed.SetSize(packed.Size() / 2);
    std::vector<unsigned char> out = Inflate(packed, 4096);
    EXPECT_LT(out.size(), data.size());
    EXPECT_TRUE(std::equal(out.begin(), out.end(), data.begin()));
}

TEST(SkinZStream, TheSourceMayBeSharedBetweenReads) {
    std::vector<unsigned char> data = Pattern(30000, 6);
    TMemoryStream packed;
    Compress(packed, data, clMaxCompression, 30000);
    packed.SetPosition(0);
    TspDecompressionStream z(packed);
    std::vector<unsigned char> out(30000);
    z.ReadBuffer(out.data(), 10000);
    packed.SetPosition(0); // someone else moves the source
    z.ReadBuffer(out.data() + 10000, 20000);
    EXPECT_EQ(out, data);
}

} // namespace
