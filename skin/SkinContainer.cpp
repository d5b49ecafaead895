#include "skin/SkinContainer.h"

#include "gfx/Bmp.h"
#include "rtl/Exceptions.h"
#include "rtl/Stream.h"
#include "rtl/Strings.h"

#include <cstring>

const char* SkinPictureSlotKey(TspSkinPictureSlot slot) {
    static const char* const keys[] = {"picture", "inactivepicture", "mask", "rolluppicture",
                                       "rollupmask"};
    return slot >= 0 && slot < spsCount ? keys[slot] : "";
}

std::vector<TspSkinPictureSlot> SkinContainerSlots(int version) {
    switch (version) {
    case 1:
        return {spsPicture, spsMask, spsRollUpPicture, spsRollUpMask};
    case 2:
        return {spsPicture, spsInactivePicture, spsMask, spsRollUpPicture, spsRollUpMask};
    case 3:
        return {spsPicture, spsInactivePicture, spsMask};
    default:
        if (version <= 0) return {spsPicture, spsMask};
        return {};
    }
}

void TspSkinContainerReader::Need(std::size_t count, const char* what) const {
    if (count > m_size - m_position)
        throw EReadError(Format("Skin data ends inside %s at offset %zu", what, m_position));
}

std::int32_t TspSkinContainerReader::ReadInt32() {
    Need(4, "a number");
    std::uint32_t v = std::uint32_t(m_data[m_position]) |
                      (std::uint32_t(m_data[m_position + 1]) << 8) |
                      (std::uint32_t(m_data[m_position + 2]) << 16) |
                      (std::uint32_t(m_data[m_position + 3]) << 24);
    m_position += 4;
    return static_cast<std::int32_t>(v);
}

std::uint8_t TspSkinContainerReader::ReadByte() {
    Need(1, "a flag byte");
    return m_data[m_position++];
}

void TspSkinContainerReader::ReadBitmap(TBitmap& bitmap) {
    Need(14, "a picture header");
    const std::uint8_t* p = m_data + m_position;
    if (p[0] != 'B' || p[1] != 'M')
        throw EReadError(Format("Skin picture at offset %zu is not a BMP image", m_position));
    std::uint32_t size = std::uint32_t(p[2]) | (std::uint32_t(p[3]) << 8) |
                         (std::uint32_t(p[4]) << 16) | (std::uint32_t(p[5]) << 24);
    if (size < 14 || size > m_size - m_position)
        throw EReadError(Format("Skin picture at offset %zu claims %u bytes; %zu remain",
                                m_position, size, m_size - m_position));
    // Counted before the picture is decoded, so that no picture is allocated past the budget.
    const std::int64_t pixels = BmpClaimedPixels(p, size);
    if (pixels > m_pixelBudget - m_pixels)
        throw EReadError(Format("Skin picture at offset %zu would take the skin past %lld pixels",
                                m_position, static_cast<long long>(m_pixelBudget)));
    m_pixels += pixels;
    bitmap.LoadFromMemory(p, size);
    m_position += size;
}

std::string_view TspSkinContainerReader::Rest() const {
    return {reinterpret_cast<const char*>(m_data) + m_position, m_size - m_position};
}

void WriteSkinInt32(TStream& stream, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16),
                         std::uint8_t(v >> 24)};
    stream.WriteBuffer(b, 4);
}

void WriteSkinBitmap(TStream& stream, const TBitmap& bitmap) {
    std::vector<std::uint8_t> bytes = bitmap.SaveToBmpBytes();
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

std::unique_ptr<TspSkinContainerContents> ReadSkinContainer(const void* data, std::size_t size) {
    auto contents = std::make_unique<TspSkinContainerContents>();
    TspSkinContainerReader reader(data, size);
    contents->version = reader.ReadInt32();
    if (contents->version > 3) return contents;
    for (TspSkinPictureSlot slot : SkinContainerSlots(contents->version)) {
        if (reader.ReadByte() != 0) continue;
        reader.ReadBitmap(contents->fixed[slot].emplace());
    }
    const std::int32_t count = reader.ReadInt32();
    for (std::int32_t i = 0; i < count; ++i) {
        auto bitmap = std::make_unique<TBitmap>();
        reader.ReadBitmap(*bitmap);
        contents->activePictures.push_back(std::move(bitmap));
    }
    contents->description = std::string(reader.Rest());
    return contents;
}
