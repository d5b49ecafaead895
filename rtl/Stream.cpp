// Streams over memory and over OS files.
#include "rtl/Stream.h"
#include "rtl/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int64_t TStream::Size() {
    int64_t pos = Seek(0, soCurrent);
    int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(int64_t) {
    throw EStreamError("Stream size cannot be changed");
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count <= 0) return;
    if (Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count <= 0) return;
    if (Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    int64_t done = 0;
    char buf[65536];
    while (done < count) {
        int64_t n = std::min<int64_t>(count - done, sizeof buf);
        source.ReadBuffer(buf, n);
        WriteBuffer(buf, n);
        done += n;
    }
    return done;
}

// --- TMemoryStream ---

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    int64_t size = Size();
    if (count <= 0 || m_position >= size) return 0;
    int64_t n = std::min(count, size - m_position);
    std::memcpy(buffer, m_data.data() + m_position, static_cast<size_t>(n));
    m_position += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) return 0;
    int64_t end = m_position + count;
    if (end > Size()) {
        // Grow geometrically so that many small writes stay linear.
        if (static_cast<size_t>(end) > m_data.capacity())
            m_data.reserve(std::max(static_cast<size_t>(end), m_data.capacity() * 2));
        m_data.resize(static_cast<size_t>(end));
    }
    std::memcpy(m_data.data() + m_position, buffer, static_cast<size_t>(count));
    m_position = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? m_position : Size();
    int64_t pos = base + offset;
    if (pos < 0) throw EStreamError("Stream seek error");
    m_position = pos; // past the end is allowed; a write there fills the gap with zeros
    return m_position;
}

void TMemoryStream::Reserve(int64_t bytes) {
    if (bytes > 0) m_data.reserve(static_cast<size_t>(bytes));
}

void TMemoryStream::SetSize(int64_t size) {
    if (size < 0) throw EStreamError("Stream size cannot be negative");
    m_data.resize(static_cast<size_t>(size));
    if (m_position > size) m_position = size;
}

void TMemoryStream::Clear() {
    m_data.clear();
    m_data.shrink_to_fit();
    m_position = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    int64_t size = source.Size();
    std::vector<uint8_t, TLargeBlockAllocator<uint8_t>> data(static_cast<size_t>(size));
    source.ReadBuffer(data.data(), size);
    m_data.swap(data);
    m_position = 0;
}

void TMemoryStream::SaveToStream(TStream& dest) {
    dest.WriteBuffer(m_data.data(), Size());
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

// --- TFileStream ---

TFileStream::TFileStream(const std::string& fileName, uint16_t mode) : m_fileName(fileName) {
    if (mode == fmCreate || (mode & 0xFF00) == fmCreate) {
        m_fd = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (m_fd < 0) FileCreateError(fileName, errno);
        return;
    }
    int access = mode & 3;
    int flags = access == fmOpenWrite ? O_WRONLY : access == fmOpenReadWrite ? O_RDWR : O_RDONLY;
    m_fd = ::open(fileName.c_str(), flags | O_CLOEXEC);
    if (m_fd < 0) FileOpenError(fileName, errno);
    struct stat st;
    if (::fstat(m_fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(m_fd);
        m_fd = -1;
        FileOpenError(fileName, EISDIR);
    }
}

TFileStream::~TFileStream() {
    if (m_fd >= 0) ::close(m_fd);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
    int64_t done = 0;
    char* p = static_cast<char*>(buffer);
    while (done < count) {
        ssize_t n = ::read(m_fd, p + done, static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    int64_t done = 0;
    const char* p = static_cast<const char*>(buffer);
    while (done < count) {
        ssize_t n = ::write(m_fd, p + done, static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
    off_t r = ::lseek(m_fd, static_cast<off_t>(offset), whence);
    if (r < 0) throw EStreamError("Stream seek error");
    return r;
}

void TFileStream::SetSize(int64_t size) {
    int64_t pos = Position();
    if (size < 0 || ::ftruncate(m_fd, static_cast<off_t>(size)) != 0)
        throw EStreamError("Stream size cannot be changed");
    if (pos > size) Seek(size, soBeginning);
}
