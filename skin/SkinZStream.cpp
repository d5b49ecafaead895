#include "skin/SkinZStream.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

struct TspZState {
    z_stream z{};
    unsigned char buffer[ZStreamChunk];
};

namespace {

[[noreturn]] void InvalidOperation(bool compressing) {
    if (compressing) throw ECompressionError("Invalid stream operation");
    throw EDecompressionError("Invalid stream operation");
}

int ZLevel(TCompressionLevel level) {
    switch (level) {
    case clNoCompression:
        return Z_NO_COMPRESSION;
    case clFastest:
        return Z_BEST_SPEED;
    case clMaxCompression:
        return Z_BEST_COMPRESSION;
    default:
        return Z_DEFAULT_COMPRESSION;
    }
}

int CheckDeflate(int code) {
    if (code < 0) throw ECompressionError("error");
    return code;
}

// A stream that wants a preset dictionary cannot go on: inflate would return the same
// answer for ever without consuming anything.
int CheckInflate(int code) {
    if (code < 0 || code == Z_NEED_DICT) throw EDecompressionError("compression error");
    return code;
}

} // namespace

TspCompressionStream::TspCompressionStream(TCompressionLevel level, TStream& target)
    : m_z(std::make_unique<TspZState>()), m_target(target) {
    CheckDeflate(deflateInit(&m_z->z, ZLevel(level)));
    m_z->z.next_out = m_z->buffer;
    m_z->z.avail_out = ZStreamChunk;
}

TspCompressionStream::~TspCompressionStream() {
    if (!m_finished) {
        try {
            Finish();
        } catch (...) {
        }
    }
    deflateEnd(&m_z->z);
}

int64_t TspCompressionStream::Read(void*, int64_t) {
    InvalidOperation(true);
}

void TspCompressionStream::WriteOut(bool all) {
    std::size_t used = ZStreamChunk - m_z->z.avail_out;
    if (used == 0 || (!all && used < std::size_t(ZStreamChunk))) return;
    m_target.WriteBuffer(m_z->buffer, static_cast<int64_t>(used));
    m_z->z.next_out = m_z->buffer;
    m_z->z.avail_out = ZStreamChunk;
}

int64_t TspCompressionStream::Write(const void* buffer, int64_t count) {
    if (m_finished) InvalidOperation(true);
    if (count <= 0) return 0;
    auto* in = static_cast<const unsigned char*>(buffer);
    int64_t left = count;
    while (left > 0) {
        // zlib counts in 32 bits; feed very large writes in pieces.
        uInt piece = static_cast<uInt>(std::min<int64_t>(left, 1 << 30));
        m_z->z.next_in = const_cast<unsigned char*>(in);
        m_z->z.avail_in = piece;
        while (m_z->z.avail_in > 0) {
            CheckDeflate(deflate(&m_z->z, Z_NO_FLUSH));
            WriteOut(false);
        }
        in += piece;
        left -= piece;
    }
    return count;
}

void TspCompressionStream::Finish() {
    if (m_finished) return;
    m_finished = true;
    m_z->z.next_in = nullptr;
    m_z->z.avail_in = 0;
    for (;;) {
        int code = CheckDeflate(deflate(&m_z->z, Z_FINISH));
        WriteOut(code == Z_STREAM_END);
        if (code == Z_STREAM_END) break;
    }
}

int64_t TspCompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
    if (offset == 0 && origin == soCurrent) return static_cast<int64_t>(m_z->z.total_in);
    InvalidOperation(true);
}

TspDecompressionStream::TspDecompressionStream(TStream& source)
    : m_z(std::make_unique<TspZState>()), m_source(source) {
    m_sourceStart = source.Position();
    m_sourcePosition = m_sourceStart;
    CheckInflate(inflateInit(&m_z->z));
}

TspDecompressionStream::~TspDecompressionStream() {
    inflateEnd(&m_z->z);
}

int64_t TspDecompressionStream::Write(const void*, int64_t) {
    InvalidOperation(false);
}

int64_t TspDecompressionStream::Read(void* buffer, int64_t count) {
    if (count <= 0 || m_ended) return 0;
    auto* out = static_cast<unsigned char*>(buffer);
    int64_t produced = 0;
    m_source.SetPosition(m_sourcePosition);
    while (produced < count) {
        if (m_z->z.avail_in == 0) {
            int64_t got = m_source.Read(m_z->buffer, ZStreamChunk);
            m_sourcePosition = m_source.Position();
            if (got <= 0) break;
            m_z->z.next_in = m_z->buffer;
            m_z->z.avail_in = static_cast<uInt>(got);
        }
        uInt room = static_cast<uInt>(std::min<int64_t>(count - produced, 1 << 30));
        m_z->z.next_out = out + produced;
        m_z->z.avail_out = room;
        int code = CheckInflate(inflate(&m_z->z, Z_NO_FLUSH));
        produced += room - m_z->z.avail_out;
        // Bytes after the end of the zlib data are not ours: stop instead of spinning on them.
        if (code == Z_STREAM_END) {
            m_ended = true;
            break;
        }
    }
    return produced;
}

void TspDecompressionStream::Reset() {
    CheckInflate(inflateReset(&m_z->z));
    m_z->z.next_in = nullptr;
    m_z->z.avail_in = 0;
    m_sourcePosition = m_sourceStart;
    m_ended = false;
}

int64_t TspDecompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t current = static_cast<int64_t>(m_z->z.total_out);
    if (origin == soBeginning && offset == 0) {
        Reset();
        return 0;
    }
    int64_t skip = -1;
    if (origin == soCurrent && offset >= 0) skip = offset;
    if (origin == soBeginning && offset >= current) skip = offset - current;
    if (skip < 0) InvalidOperation(false);
    unsigned char scratch[ZStreamChunk];
    while (skip > 0) {
        int64_t got = Read(scratch, std::min<int64_t>(skip, ZStreamChunk));
        if (got <= 0) break;
        skip -= got;
    }
    return static_cast<int64_t>(m_z->z.total_out);
}
