#pragma once
// The inflated stored skin: an int32 version, the fixed pictures the version holds (each
// behind a flag byte), an int32 count of active pictures, those pictures back to back and
// the description text as the rest. Pictures are complete BMP file images.
#include "gfx/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TStream;

// The five fixed picture slots of a skin.
enum TspSkinPictureSlot {
    spsPicture,
    spsInactivePicture,
    spsMask,
    spsRollUpPicture,
    spsRollUpMask,
    spsCount
};

const char* SkinPictureSlotKey(TspSkinPictureSlot slot); // "picture", "inactivepicture", ...

// Slots a container of `version` holds, in reading order; empty above 3.
std::vector<TspSkinPictureSlot> SkinContainerSlots(int version);

// The most pixels all the pictures of one skin may hold together (a quarter of a gigabyte);
// real skins hold a few million at most.
constexpr std::int64_t MaxSkinPixels = 64LL * 1024 * 1024;

// Reads a container front to back straight from memory. Truncated data, pictures whose size
// field does not fit and pictures beyond the pixel budget (MaxSkinPixels) in all raise
// EReadError; bad picture data raises EInvalidGraphic.
class TspSkinContainerReader {
public:
    TspSkinContainerReader(const void* data, std::size_t size,
                           std::int64_t pixelBudget = MaxSkinPixels)
        : m_data(static_cast<const std::uint8_t*>(data)), m_size(size), m_pixelBudget(pixelBudget) {
    }

    std::int32_t ReadInt32();
    std::uint8_t ReadByte();
    // Loads exactly one BMP image into `bitmap` and moves past it.
    void ReadBitmap(TBitmap& bitmap);
    std::string_view Rest() const;
    std::size_t Position() const { return m_position; }

private:
    void Need(std::size_t count, const char* what) const;
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
    std::int64_t m_pixelBudget;
    std::int64_t m_pixels = 0; // claimed by the pictures read so far
};

// A container read whole: its pictures decoded and its description kept as text. Making
// one touches no component, so it may be read on any thread and given to a store later.
struct TspSkinContainerContents {
    int version = 0;                        // above 3 nothing else was read
    std::optional<TBitmap> fixed[spsCount]; // the slots the version holds and fills
    std::vector<std::unique_ptr<TBitmap>> activePictures;
    std::string description;
};

// Reads an inflated container, raising as TspSkinContainerReader does. A count of active
// pictures the data cannot hold raises at the first missing picture.
std::unique_ptr<TspSkinContainerContents> ReadSkinContainer(const void* data, std::size_t size);

void WriteSkinInt32(TStream& stream, std::int32_t value);
// Writes the picture as one BMP file image at its own pixel format.
void WriteSkinBitmap(TStream& stream, const TBitmap& bitmap);
