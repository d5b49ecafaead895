#include "skin/SkinDump.h"

#include "skin/SkinData.h"

namespace {

int BitDepth(const TBitmap& bitmap) {
    switch (bitmap.PixelFormat()) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    case pf15bit:
        return 15;
    case pf16bit:
        return 16;
    case pf32bit:
        return 32;
    default:
        return 24;
    }
}

std::string PictureText(const TBitmap* bitmap) {
    if (bitmap == nullptr || bitmap->Empty()) return "empty";
    return std::to_string(bitmap->Width()) + "x" + std::to_string(bitmap->Height()) + " " +
           std::to_string(BitDepth(*bitmap)) + "bit";
}

// The listing only reads the fields; the binders take them by reference.
template <class T> void AddFields(std::vector<std::string>& out, const T& fields) {
    TspSkinFieldLister lister;
    const_cast<T&>(fields).BindFields(lister);
    for (const std::string& line : lister.Lines()) out.push_back("  " + line);
}

} // namespace

std::vector<std::string> DumpSkinData(const TspSkinData& store) {
    std::vector<std::string> out;
    out.push_back("version " + std::to_string(store.ContainerVersion()));
    out.push_back(std::string("skinempty ") + (store.SkinEmpty() ? "1" : "0"));
    for (int slot = 0; slot < spsCount; ++slot) {
        auto s = TspSkinPictureSlot(slot);
        out.push_back(std::string("picture ") + SkinPictureSlotKey(s) + " " +
                      PictureText(store.FixedPicture(s)) + " name=" + store.PictureName(s));
    }
    out.push_back("activepictures " + std::to_string(store.ActivePictureCount()));
    for (int i = 0; i < store.ActivePictureCount(); ++i) {
        std::string name = i < static_cast<int>(store.ActivePictureNames().size())
                               ? store.ActivePictureNames()[i]
                               : std::string();
        out.push_back("activepicture " + std::to_string(i) + " " +
                      PictureText(store.ActivePicture(i)) + " name=" + name);
    }
    out.push_back("forminfo");
    AddFields(out, store.FormInfo());
    out.push_back("popupwindow");
    AddFields(out, store.PopupWindow());
    out.push_back("hintwindow");
    AddFields(out, store.HintWindow());
    out.push_back("skincolors");
    AddFields(out, store.SkinColors());
    for (int i = 0; i < store.AreaCount(); ++i) {
        const TspDataSkinArea* area = store.Area(i);
        out.push_back("area " + area->IDName + " " + SkinRectText(area->AreaRect));
    }
    for (int i = 0; i < store.ObjectRecordCount(); ++i) {
        TspDataSkinObject* record = store.ObjectRecord(i);
        out.push_back("object " + record->IDName + " " + record->ClassName());
        AddFields(out, *record);
    }
    for (int i = 0; i < store.ControlRecordCount(); ++i) {
        TspDataSkinControl* record = store.ControlRecord(i);
        out.push_back("record " + record->IDName + " " + record->ClassName());
        AddFields(out, *record);
    }
    return out;
}
