#pragma once
// TspCompressedStoredSkin: a whole skin (pictures and description) kept as one zlib
// stream, the "CompressedData" the main window stores with its form data.
#include "rtl/Component.h"
#include "rtl/Stream.h"
#include "skin/SkinContainer.h"

#include <cstddef>
#include <memory>
#include <string>

// No skin comes near this; a stream that inflates beyond it is refused rather than let
// grow without bound.
constexpr int64_t MaxInflatedSkinSize = 256LL * 1024 * 1024;

class TspCompressedStoredSkin : public TComponent {
public:
    explicit TspCompressedStoredSkin(TComponent* owner);

    const std::string& Description() const { return m_description; }
    void SetDescription(const std::string& value) { m_description = value; }
    // While designed (and not loading) setting a path keeps its file-name part and builds
    // the data from that skin file; otherwise only the value is stored.
    const std::string& FileName() const { return m_fileName; }
    void SetFileName(const std::string& value);
    const std::string& CompressedFileName() const { return m_compressedFileName; }
    void SetCompressedFileName(const std::string& value);

    bool IsStoreEmpty() const { return m_data.Size() == 0; }
    // Device pixels a point of the stored pictures: the program's own skin is carried drawn
    // at each screen scale, and the store takes the pictures as scaled bitmaps (masks stay
    // 1x, as the window's shape is in points). 1 for every skin read from a file.
    int PictureScale() const { return m_pictureScale; }
    void SetPictureScale(int scale);
    // Inflates the whole stored data and appends it to `target` (EDecompressionError for a
    // bad stream or one that inflates beyond MaxInflatedSkinSize).
    void DecompressInto(TMemoryStream& target);
    // The whole stored data inflated, as a stream of its own (errors as DecompressInto).
    std::unique_ptr<TMemoryStream> Inflated();

    // Inflates compressed skin data on its own, touching no component: safe on any thread.
    static std::unique_ptr<TMemoryStream> Inflate(const void* data, std::size_t size);
    // Takes the container read ahead of time (by ReadSkinContainer on another thread, say)
    // from the compressed bytes `source`. TakeReadAhead gives it out once, provided the data
    // stored by then is exactly `source`; otherwise null, and the reader inflates and reads.
    void UseReadAhead(std::string source, std::unique_ptr<TspSkinContainerContents> contents);
    std::unique_ptr<TspSkinContainerContents> TakeReadAhead();

    // Turns a skin folder (INI file plus its BMP pictures) into stored data. Does nothing
    // when a required section is missing; a picture that is not a BMP file raises.
    void BuildFromSkinFile(const std::string& path);
    // Imports a compressed skin file: int32 version (3 or less), int32 length, zlib bytes.
    // Anything else leaves the stored data empty.
    void ReadCompressedSkinFile(const std::string& path);
    // Writes the stored data as a compressed skin file of version 3.
    void WriteCompressedSkinFile(const std::string& path) const;

    // Persistence of "CompressedData": the zlib bytes, byte for byte.
    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;
    void LoadData(const void* data, std::size_t size);
    TMemoryStream& Data() const { return m_data; }

private:
    bool Designing() const;

    std::string m_description;
    std::string m_fileName;
    std::string m_compressedFileName;
    mutable TMemoryStream m_data;
    int m_pictureScale = 1;
    std::string m_aheadSource;
    std::unique_ptr<TspSkinContainerContents> m_ahead;
};
