#pragma once
// Stream wrappers around zlib: a compression stream that deflates what is written to it
// into a target stream, and a decompression stream that inflates a source stream as it is
// read. Both move data in 4,096-byte chunks.
#include "rtl/Exceptions.h"
#include "rtl/Stream.h"

#include <cstdint>
#include <memory>

class ECustomZlibError : public Exception {
public:
    using Exception::Exception;
};
// Raised by the compression stream ("error", or "Invalid stream operation").
class ECompressionError : public ECustomZlibError {
public:
    using ECustomZlibError::ECustomZlibError;
};
// Raised by the decompression stream ("compression error", or "Invalid stream operation").
class EDecompressionError : public ECustomZlibError {
public:
    using ECustomZlibError::ECustomZlibError;
};

enum TCompressionLevel { clNoCompression, clFastest, clDefaultCompression, clMaxCompression };

constexpr int ZStreamChunk = 4096;

struct TspZState;

class TspCompressionStream : public TStream {
public:
    TspCompressionStream(TCompressionLevel level, TStream& target);
    // Finishes the stream if Finish() was not called; errors are lost then, so callers
    // that care call Finish() themselves.
    ~TspCompressionStream() override;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    // Only asking for the position (0 from the current place) is allowed: it gives the
    // number of bytes written so far.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    // Flushes everything into the target; the stream takes no more data afterwards.
    void Finish();

private:
    void WriteOut(bool all);
    std::unique_ptr<TspZState> m_z;
    TStream& m_target;
    bool m_finished = false;
};

class TspDecompressionStream : public TStream {
public:
    explicit TspDecompressionStream(TStream& source);
    ~TspDecompressionStream() override;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    // Seeking to 0 from the start rewinds; forward seeks read and discard; anything else
    // raises "Invalid stream operation".
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;

private:
    void Reset();
    std::unique_ptr<TspZState> m_z;
    TStream& m_source;
    int64_t m_sourceStart = 0;
    int64_t m_sourcePosition = 0;
    bool m_ended = false;
};
