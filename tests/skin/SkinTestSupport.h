#pragma once
// Helpers shared by the skin tests: containers built byte by byte, skin folders on disk
// and the headless application whose forms receive the skin messages.
#include "gfx/Bitmap.h"
#include "rtl/Stream.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinContainer.h"
#include "skin/SkinZStream.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace skintest {

inline TBitmap SolidBitmap(int width, int height, TColor color, TPixelFormat format = pf24bit) {
    TBitmap b(width, height);
    b.Fill(color);
    b.SetPixelFormat(format);
    return b;
}

// Builds an inflated container front to back.
class ContainerBytes {
public:
    ContainerBytes& Int32(std::int32_t v) {
        WriteSkinInt32(m_stream, v);
        return *this;
    }
    ContainerBytes& Byte(std::uint8_t v) {
        m_stream.WriteBuffer(&v, 1);
        return *this;
    }
    ContainerBytes& Picture(const TBitmap& b) {
        WriteSkinBitmap(m_stream, b);
        return *this;
    }
    ContainerBytes& Raw(const std::vector<std::uint8_t>& bytes) {
        if (!bytes.empty()) m_stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
        return *this;
    }
    ContainerBytes& Text(const std::string& text) {
        if (!text.empty()) m_stream.WriteBuffer(text.data(), int64_t(text.size()));
        return *this;
    }
    std::vector<std::uint8_t> Bytes() {
        auto* p = static_cast<std::uint8_t*>(m_stream.Memory());
        return {p, p + m_stream.Size()};
    }
    // The zlib stream of the container, as a stored-skin component holds it.
    std::vector<std::uint8_t> Packed() { return Deflate(Bytes()); }

    static std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& raw) {
        TMemoryStream out;
        {
            TspCompressionStream z(clMaxCompression, out);
            if (!raw.empty()) z.WriteBuffer(raw.data(), int64_t(raw.size()));
            z.Finish();
        }
        auto* p = static_cast<std::uint8_t*>(out.Memory());
        return {p, p + out.Size()};
    }

private:
    TMemoryStream m_stream;
};

// A small but complete description: frame geometry, one caption object and a few records.
inline std::string MinimalDescription() {
    return "[VERSION]\r\nskinname=Test\r\n"
           "[PICTURES]\r\npicture=frame.bmp\r\nmask=mask.bmp\r\n"
           "activepicturescount=1\r\n0=controls.bmp\r\n"
           "[FORMINFO]\r\nclientrect=9,34,141,97\r\nmaskrectarea=4,4,146,103\r\n"
           "lefttoppoint=40,50\r\nrighttoppoint=110,50\r\nleftbottompoint=40,80\r\n"
           "rightbottompoint=110,80\r\nhittestlefttoppoint=20,20\r\n"
           "hittestrighttoppoint=130,20\r\nhittestleftbottompoint=20,87\r\n"
           "hittestrightbottompoint=130,87\r\nformminwidth=170\r\n"
           "[SKINCOLORS]\r\ncbtnface=15790320\r\n"
           "[SKINOBJECTS]\r\ncount=1\r\n0=caption:caption\r\n"
           "[caption]\r\nskinrect=7,8,143,21\r\n"
           "[SKINCONTROLS]\r\ncount=2\r\n0=button:button\r\n1=edit:edit\r\n"
           "[button]\r\npictureindex=0\r\nskinrect=4,356,87,382\r\nrighttoppoint=67,11\r\n"
           "[edit]\r\nskinrect=1,2,3,4\r\n";
}

inline TspCompressedStoredSkin* StoredSkinWith(TComponent* owner,
                                               const std::vector<std::uint8_t>& packed) {
    auto* stored = new TspCompressedStoredSkin(owner);
    stored->LoadData(packed.data(), packed.size());
    return stored;
}

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    std::string Path(const std::string& name) const { return (m_path / name).string(); }
    void Write(const std::string& name, const std::string& text) const;
    void WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

private:
    std::filesystem::path m_path;
};

// Starts the application on the headless display once; Reset() between tests.
void EnsureApplication();

// A JPEG file's bytes, for skin folders that mix picture kinds.
std::vector<std::uint8_t> EncodeTestJpeg(int width, int height);

} // namespace skintest
