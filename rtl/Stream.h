#pragma once
// Byte streams: the abstract TStream, a growable TMemoryStream and a TFileStream on an OS file.
#include "rtl/LargeBlock.h"
#include "rtl/Object.h"
#include <cstdint>
#include <string>
#include <vector>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    // Up to `count` bytes; returns how many were moved (0 at the end).
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Returns the new position.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t position) { Seek(position, soBeginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t size);

    // Exactly `count` bytes or EReadError "Stream read error" / EWriteError "Stream write error".
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    // Copies `count` bytes from the current position of `source`; count 0 copies the whole
    // source from its start. Returns the bytes copied.
    int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
public:
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(m_data.size()); }
    void SetSize(int64_t size) override;

    // Room for `bytes` in all without moving the contents again; the size stays.
    void Reserve(int64_t bytes);
    void* Memory() { return m_data.data(); }
    const void* Memory() const { return m_data.data(); }
    // Empties the stream and sets the position to 0.
    void Clear();
    void LoadFromStream(TStream& source);
    void SaveToStream(TStream& dest);
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

private:
    std::vector<uint8_t, TLargeBlockAllocator<uint8_t>> m_data;
    int64_t m_position = 0;
};

// Open modes: one of fmCreate, fmOpenRead, fmOpenWrite, fmOpenReadWrite, or'ed with a share
// flag; the share flags are accepted and have no effect here.
enum : uint16_t {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

class TFileStream : public TStream {
public:
    // fmCreate creates or truncates (EFCreateError "Cannot create file "%s". %s"); the others
    // open an existing file (EFOpenError "Cannot open file "%s". %s").
    TFileStream(const std::string& fileName, uint16_t mode);
    ~TFileStream() override;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;
    const std::string& FileName() const { return m_fileName; }
    int Handle() const { return m_fd; }

private:
    std::string m_fileName;
    int m_fd = -1;
};
