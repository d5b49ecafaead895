// The stored skin: the zlib stream, the container it inflates to and the description at its
// end, read into a store. Whatever the bytes, a load either fails and leaves an empty store or
// fills one whose every lookup answers -1 or a record of that very name, and whose pictures
// stay within the skin's pixel budget.
#include "fuzz/FuzzTargets.h"
#include "rtl/Exceptions.h"
#include "rtl/Stream.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skin/SkinIni.h"
#include "skin/SkinZStream.h"

#include <string_view>
#include <vector>

namespace {

std::vector<std::uint8_t> Deflate(const void* data, std::size_t size, TCompressionLevel level) {
    TMemoryStream out;
    {
        TspCompressionStream z(level, out);
        if (size) z.WriteBuffer(data, static_cast<int64_t>(size));
        z.Finish();
    }
    const auto* p = static_cast<const std::uint8_t*>(out.Memory());
    return {p, p + out.Size()};
}

// Names a description could look up: every line, and its parts before ':' and '='.
std::vector<std::string> CandidateNames(std::string_view text) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= text.size() && names.size() < 2000) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        names.emplace_back(line);
        for (char separator : {':', '='})
            if (std::size_t at = line.find(separator); at != std::string_view::npos)
                names.emplace_back(line.substr(0, at));
        start = end + 1;
    }
    return names;
}

template <typename Record>
void CheckList(int count, Record* (TspSkinData::*record)(int) const,
               int (TspSkinData::*find)(std::string_view) const, const TspSkinData& store,
               const std::vector<std::string>& names, const char* what) {
    FuzzCheck((store.*record)(-1) == nullptr && (store.*record)(count) == nullptr,
              std::string(what) + ": an index outside the list gives a record");
    for (int i = 0; i < count; ++i) {
        Record* r = (store.*record)(i);
        FuzzCheck(r != nullptr, std::string(what) + ": a listed record is missing");
        const int found = (store.*find)(r->IDName);
        FuzzCheck(found >= 0 && found <= i && (store.*record)(found)->IDName == r->IDName,
                  std::string(what) + ": a record cannot be found by its name");
    }
    for (const std::string& name : names) {
        const int found = (store.*find)(name);
        FuzzCheck(found == -1 ||
                      (found >= 0 && found < count && (store.*record)(found)->IDName == name),
                  std::string(what) + ": a lookup answered neither -1 nor its record");
    }
}

// Control and object records name pictures by index; whatever the index, the lookup answers
// a picture or nothing.
void CheckPictureIndexes(const TspSkinData& store) {
    for (int i = 0; i < store.ControlRecordCount(); ++i) {
        const TspDataSkinControl* r = store.ControlRecord(i);
        for (int index : {r->pictureindex, r->maskpictureindex}) {
            TBitmap* picture = store.ActivePicture(index);
            FuzzCheck(picture == nullptr || (index >= 0 && index < store.ActivePictureCount()),
                      "a picture index outside the list gives a picture");
        }
    }
}

void CheckStore(const TspSkinData& store, std::string_view description) {
    const std::vector<std::string> names = CandidateNames(description);
    CheckList(store.ControlRecordCount(), &TspSkinData::ControlRecord,
              &TspSkinData::FindControlRecord, store, names, "control records");
    CheckList(store.ObjectRecordCount(), &TspSkinData::ObjectRecord, &TspSkinData::FindObjectRecord,
              store, names, "object records");
    FuzzCheck(store.Area(-1) == nullptr && store.Area(store.AreaCount()) == nullptr,
              "an area outside the list");
    for (int i = 0; i < store.AreaCount(); ++i) {
        const int found = store.FindAreaRecord(store.Area(i)->IDName);
        FuzzCheck(found >= 0 && found <= i, "an area cannot be found by its name");
    }
    CheckPictureIndexes(store);
    FuzzCheck(store.ActivePicture(-1) == nullptr &&
                  store.ActivePicture(store.ActivePictureCount()) == nullptr,
              "a picture outside the list");
    std::int64_t pixels = 0;
    for (int i = 0; i < store.ActivePictureCount(); ++i)
        pixels += std::int64_t(store.ActivePicture(i)->Width()) * store.ActivePicture(i)->Height();
    FuzzCheck(pixels <= MaxSkinPixels, "the skin's pictures went past its pixel budget");
}

// Loads `packed` as a stored skin; false when the load failed, which must leave nothing.
bool Load(TspSkinData& store, const std::vector<std::uint8_t>& packed) {
    TspCompressedStoredSkin stored(nullptr);
    stored.LoadData(packed.data(), packed.size());
    try {
        store.ApplyStoredSkin(&stored);
        return true;
    } catch (const Exception&) {
        FuzzCheck(store.SkinEmpty() && store.ControlRecordCount() == 0 &&
                      store.ObjectRecordCount() == 0 && store.ActivePictureCount() == 0,
                  "a failed load left part of a skin behind");
        return false;
    }
}

} // namespace

// The first byte chooses: even, the rest is the stored (compressed) data as it is; odd, the
// rest is the inflated container, compressed here, so that the container and its pictures
// are reached as easily as the stream.
int FuzzSkin(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool raw = data[0] & 1;
    std::vector<std::uint8_t> packed = raw ? Deflate(data + 1, size - 1, clFastest)
                                           : std::vector<std::uint8_t>(data + 1, data + size);
    TspSkinData store(nullptr);
    if (!Load(store, packed)) return 0;
    std::string_view description;
    if (raw) {
        // The description is the container's last part; any tail of the bytes may be it.
        description = std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1);
    }
    CheckStore(store, description);
    return 0;
}

// A description alone, in a container with no pictures: every section and record kind.
int FuzzSkinIni(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> container = {3, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0};
    container.insert(container.end(), data, data + size);
    TspSkinData store(nullptr);
    if (!Load(store, Deflate(container.data(), container.size(), clNoCompression))) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckStore(store, text);
    // The store holds every listed record the description's reader makes, in order.
    TspSkinIni ini;
    ini.LoadText(text);
    FuzzCheck(store.ControlRecordCount() <=
                  static_cast<int>(ini.ReadNameList("SKINCONTROLS", "").size()),
              "more control records than the list names");
    FuzzCheck(store.ObjectRecordCount() <=
                  static_cast<int>(ini.ReadNameList("SKINOBJECTS", "").size()),
              "more object records than the list names");
    return 0;
}
