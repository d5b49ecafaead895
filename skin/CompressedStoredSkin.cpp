#include "skin/CompressedStoredSkin.h"

#include "gfx/Bitmap.h"
#include "gfx/Bmp.h"
#include "rtl/FileUtils.h"
#include "rtl/StringList.h"
#include "skin/SkinContainer.h"
#include "skin/SkinIni.h"
#include "skin/SkinZStream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kRequiredSections[] = {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS",
                                         "SKINCONTROLS"};

// Skin folders carry BMP pictures only; anything else is refused as the bitmap loader would.
void LoadBmpFile(TBitmap& bitmap, const std::string& path) {
    TMemoryStream file;
    file.LoadFromFile(path);
    if (!IsBmp(file.Memory(), static_cast<std::size_t>(file.Size())))
        throw EInvalidGraphic("Bitmap image is not valid: " + path);
    bitmap.LoadFromMemory(file.Memory(), static_cast<std::size_t>(file.Size()));
}

constexpr int64_t kInflateStartRoom = int64_t(2) << 20;

// Inflates the whole of `source` from its start and appends it to `target`.
void InflateAll(TMemoryStream& source, TMemoryStream& target) {
    // Skins inflate to a few hundred kilobytes up to megabytes: starting with a huge page's
    // worth spares growing through a dozen copies, each of fresh pages.
    target.Reserve(target.Size() + kInflateStartRoom);
    source.SetPosition(0);
    TspDecompressionStream inflater(source);
    std::uint8_t buffer[ZStreamChunk];
    int64_t total = 0;
    for (;;) {
        int64_t got = inflater.Read(buffer, ZStreamChunk);
        if (got <= 0) break;
        total += got;
        if (total > MaxInflatedSkinSize)
            throw EDecompressionError("Skin data inflates beyond " +
                                      std::to_string(MaxInflatedSkinSize) + " bytes");
        target.WriteBuffer(buffer, got);
    }
}

} // namespace

TspCompressedStoredSkin::TspCompressedStoredSkin(TComponent* owner) : TComponent(owner) {}

bool TspCompressedStoredSkin::Designing() const {
    return (ComponentState() & csDesigning) != 0 && !Loading();
}

void TspCompressedStoredSkin::SetPictureScale(int scale) {
    m_pictureScale = std::clamp(scale, 1, MaxDeviceScale);
}

void TspCompressedStoredSkin::SetFileName(const std::string& value) {
    if (!Designing()) {
        m_fileName = value;
        return;
    }
    m_fileName = ExtractFileName(value);
    BuildFromSkinFile(value);
}

void TspCompressedStoredSkin::SetCompressedFileName(const std::string& value) {
    if (!Designing()) {
        m_compressedFileName = value;
        return;
    }
    m_compressedFileName = ExtractFileName(value);
    ReadCompressedSkinFile(value);
}

void TspCompressedStoredSkin::DecompressInto(TMemoryStream& target) {
    std::unique_ptr<TMemoryStream> inflated = Inflated();
    target.WriteBuffer(inflated->Memory(), inflated->Size());
}

std::unique_ptr<TMemoryStream> TspCompressedStoredSkin::Inflated() {
    auto target = std::make_unique<TMemoryStream>();
    InflateAll(m_data, *target);
    target->SetPosition(0);
    return target;
}

std::unique_ptr<TMemoryStream> TspCompressedStoredSkin::Inflate(const void* data,
                                                                std::size_t size) {
    TMemoryStream source;
    if (size > 0) source.WriteBuffer(data, static_cast<int64_t>(size));
    auto target = std::make_unique<TMemoryStream>();
    InflateAll(source, *target);
    target->SetPosition(0);
    return target;
}

void TspCompressedStoredSkin::UseReadAhead(std::string source,
                                           std::unique_ptr<TspSkinContainerContents> contents) {
    m_aheadSource = std::move(source);
    m_ahead = std::move(contents);
}

std::unique_ptr<TspSkinContainerContents> TspCompressedStoredSkin::TakeReadAhead() {
    std::unique_ptr<TspSkinContainerContents> ahead = std::move(m_ahead);
    const std::string source = std::move(m_aheadSource);
    m_aheadSource.clear();
    if (ahead && static_cast<int64_t>(source.size()) == m_data.Size() &&
        std::memcmp(source.data(), m_data.Memory(), source.size()) == 0)
        return ahead;
    return nullptr;
}

void TspCompressedStoredSkin::BuildFromSkinFile(const std::string& path) {
    m_pictureScale = 1;
    TStringList lines;
    lines.LoadFromFile(path);
    std::vector<std::string> text;
    text.reserve(static_cast<std::size_t>(lines.Count()));
    for (int i = 0; i < lines.Count(); ++i) text.push_back(lines[i]);
    TspSkinIni ini(text);
    for (const char* section : kRequiredSections)
        if (!ini.SectionExists(section)) return;

    std::string base = ExtractFilePath(path);
    // Build into a scratch stream first, so a failing picture leaves the data as it was.
    TMemoryStream container;
    WriteSkinInt32(container, 2);
    TBitmap bitmap;
    for (int slot = 0; slot < spsCount; ++slot) {
        std::string name =
            ini.ReadString("PICTURES", SkinPictureSlotKey(TspSkinPictureSlot(slot)), "");
        if (name.empty())
            bitmap.Clear();
        else
            LoadBmpFile(bitmap, base + name);
        std::uint8_t empty = bitmap.Empty() ? 1 : 0;
        container.WriteBuffer(&empty, 1);
        if (!empty) WriteSkinBitmap(container, bitmap);
    }
    std::vector<std::string> active = ini.ReadNameList("PICTURES", "activepictures");
    WriteSkinInt32(container, static_cast<std::int32_t>(active.size()));
    for (const std::string& name : active) {
        LoadBmpFile(bitmap, base + name);
        WriteSkinBitmap(container, bitmap);
    }
    lines.SaveToStream(container);

    TMemoryStream packed;
    {
        TspCompressionStream deflater(clMaxCompression, packed);
        deflater.WriteBuffer(container.Memory(), container.Size());
        deflater.Finish();
    }
    m_data.Clear();
    m_data.WriteBuffer(packed.Memory(), packed.Size());
    m_data.SetPosition(0);
}

void TspCompressedStoredSkin::ReadCompressedSkinFile(const std::string& path) {
    m_data.Clear();
    m_pictureScale = 1;
    TFileStream file(path, fmOpenRead | fmShareDenyWrite);
    std::uint8_t header[8];
    if (file.Read(header, 8) != 8) return;
    auto word = [&](int at) {
        return static_cast<std::int32_t>(
            std::uint32_t(header[at]) | (std::uint32_t(header[at + 1]) << 8) |
            (std::uint32_t(header[at + 2]) << 16) | (std::uint32_t(header[at + 3]) << 24));
    };
    if (word(0) > 3) return;
    std::int64_t length = word(4);
    // A length the file cannot hold means the file is not a skin.
    if (length <= 0 || length > file.Size() - 8) return;
    m_data.CopyFrom(file, length);
    m_data.SetPosition(0);
}

void TspCompressedStoredSkin::WriteCompressedSkinFile(const std::string& path) const {
    TFileStream file(path, fmCreate);
    std::uint8_t header[8];
    auto put = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) header[at + i] = std::uint8_t(v >> (8 * i));
    };
    put(0, 3);
    put(4, static_cast<std::uint32_t>(m_data.Size()));
    file.WriteBuffer(header, 8);
    file.WriteBuffer(m_data.Memory(), m_data.Size());
}

void TspCompressedStoredSkin::ReadData(TStream& stream) {
    m_data.Clear();
    m_pictureScale = 1;
    m_data.CopyFrom(stream, 0);
    m_data.SetPosition(0);
}

void TspCompressedStoredSkin::WriteData(TStream& stream) const {
    stream.WriteBuffer(m_data.Memory(), m_data.Size());
}

void TspCompressedStoredSkin::LoadData(const void* data, std::size_t size) {
    m_data.Clear();
    m_pictureScale = 1;
    if (size > 0) m_data.WriteBuffer(data, static_cast<int64_t>(size));
    m_data.SetPosition(0);
}
