#include "skin/SkinData.h"

#include "gfx/Bmp.h"
#include "gfx/Jpeg.h"
#include "rtl/FileUtils.h"
#include "rtl/StringList.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/ResourceStrData.h"
#include "skin/SkinCursorFile.h"
#include "skin/SkinIni.h"
#include "ui/Forms.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

const char* const kRequiredSections[] = {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS",
                                         "SKINCONTROLS"};

// "name:type" — the text before the first colon and the text after it; without a colon
// both are empty.
void SplitEntry(const std::string& entry, std::string& name, std::string& type) {
    std::size_t colon = entry.find(':');
    if (colon == std::string::npos) {
        name.clear();
        type.clear();
        return;
    }
    name = entry.substr(0, colon);
    type = entry.substr(colon + 1);
}

// The picture's stored pixels taken as a picture of `scale` (logical size the stored size
// divided by it), formats and transparency kept. A picture whose size the scale does not
// divide stays as it is: it is drawn enlarged, as any 1x picture.
void TakeAtScale(TBitmap& picture, int scale) {
    if (scale <= 1 || picture.Empty()) return;
    picture.AdoptDeviceScale(scale);
}

std::vector<std::string> IniLines(const TStringList& list) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
    return lines;
}

} // namespace

TspSkinData::TspSkinData(TComponent* owner) : TComponent(owner) {}

TspSkinData::~TspSkinData() {
    m_skinEmpty = true;
    m_controls.clear();
    m_objects.clear();
    m_areas.clear();
    m_activePictures.clear();
}

void TspSkinData::SetCompressedStoredSkin(TspCompressedStoredSkin* value) {
    if (m_compressedStoredSkin == value) return;
    if (m_compressedStoredSkin != nullptr) m_compressedStoredSkin->RemoveFreeNotification(this);
    m_compressedStoredSkin = value;
    if (value == nullptr) return;
    value->FreeNotification(this);
    if (!Designing()) ApplyStoredSkin(value);
}

void TspSkinData::SetResourceStrData(TspResourceStrData* value) {
    if (m_resourceStrData == value) return;
    if (m_resourceStrData != nullptr) m_resourceStrData->RemoveFreeNotification(this);
    m_resourceStrData = value;
    if (value != nullptr) value->FreeNotification(this);
    if (!Designing()) BroadcastSkinMessage(WM_SKINSTRINGSCHANGED);
}

void TspSkinData::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    // The loaded skin stays; only the reference goes.
    if (component == m_compressedStoredSkin) m_compressedStoredSkin = nullptr;
    if (component == m_resourceStrData) m_resourceStrData = nullptr;
}

void TspSkinData::ClearSkin() {
    m_controls.clear();
    m_objects.clear();
    m_areas.clear();
    m_activePictures.clear();
    m_activePictureNames.clear();
    m_cursorNames.clear();
    m_popupWindow.windowpictureindex = -1;
    m_popupWindow.maskpictureindex = -1;
    m_hintWindow.windowpictureindex = -1;
    m_hintWindow.maskpictureindex = -1;
    m_skinColors.SetDefault();
    for (int i = 0; i < spsCount; ++i) {
        m_fixed[i].Clear();
        m_pictureNames[i].clear();
    }
    m_skinEmpty = true;
}

TspDataSkinControl* TspSkinData::ControlRecord(int index) const {
    return index >= 0 && index < ControlRecordCount() ? m_controls[index].get() : nullptr;
}

TspDataSkinObject* TspSkinData::ObjectRecord(int index) const {
    return index >= 0 && index < ObjectRecordCount() ? m_objects[index].get() : nullptr;
}

const TspDataSkinArea* TspSkinData::Area(int index) const {
    return index >= 0 && index < AreaCount() ? m_areas[index].get() : nullptr;
}

TBitmap* TspSkinData::ActivePicture(int index) const {
    return index >= 0 && index < ActivePictureCount() ? m_activePictures[index].get() : nullptr;
}

int TspSkinData::FindControlRecord(std::string_view name) const {
    for (std::size_t i = 0; i < m_controls.size(); ++i)
        if (m_controls[i]->IDName == name) return static_cast<int>(i);
    return -1;
}

int TspSkinData::FindObjectRecord(std::string_view name) const {
    for (std::size_t i = 0; i < m_objects.size(); ++i)
        if (m_objects[i]->IDName == name) return static_cast<int>(i);
    return -1;
}

int TspSkinData::FindAreaRecord(std::string_view name) const {
    for (std::size_t i = 0; i < m_areas.size(); ++i)
        if (m_areas[i]->IDName == name) return static_cast<int>(i);
    return -1;
}

void TspSkinData::BroadcastSkinMessage(UINT msg) {
    auto* ownerForm = dynamic_cast<TCustomForm*>(Owner());
    if (ownerForm != nullptr) ownerForm->Perform(msg, WPARAM(this), SkinMessageLParam);
    if (Screen == nullptr) return;
    // A handler may create or close forms; walk a snapshot and skip forms that went away.
    std::vector<TCustomForm*> forms;
    for (int i = 0; i < Screen->FormCount(); ++i) forms.push_back(Screen->Forms(i));
    for (TCustomForm* form : forms) {
        if (form == ownerForm) continue;
        bool alive = false;
        for (int i = 0; i < Screen->FormCount() && !alive; ++i) alive = Screen->Forms(i) == form;
        if (alive) form->Perform(msg, WPARAM(this), SkinMessageLParam);
    }
}

void TspSkinData::BeginLoad() {
    m_skinEmpty = true;
    m_skinLoading = true;
    BroadcastSkinMessage(WM_SKINCHANGING);
    ClearSkin();
}

void TspSkinData::EndLoad() {
    m_skinEmpty = false;
    BroadcastSkinMessage(WM_SKINCHANGED);
    m_skinLoading = false;
    BroadcastSkinMessage(WM_SKINCHANGEDONE);
}

// A load that broke half-way leaves no half skin behind: the store is emptied and the
// forms are told, so that every control goes back to its own look.
void TspSkinData::FailLoad() {
    ClearSkin();
    m_skinLoading = false;
    BroadcastSkinMessage(WM_SKINCHANGED);
}

void TspSkinData::ApplyStoredSkin(TspCompressedStoredSkin* storedSkin) {
    if (storedSkin == nullptr || storedSkin->IsStoreEmpty()) return;
    BeginLoad();
    try {
        std::unique_ptr<TspSkinContainerContents> contents = storedSkin->TakeReadAhead();
        if (!contents) {
            std::unique_ptr<TMemoryStream> inflated = storedSkin->Inflated();
            contents =
                ReadSkinContainer(inflated->Memory(), static_cast<std::size_t>(inflated->Size()));
        }
        m_containerVersion = contents->version;
        if (contents->version > 3) return; // stays cleared, no changed message
        for (int slot = 0; slot < spsCount; ++slot)
            if (contents->fixed[slot]) m_fixed[slot] = std::move(*contents->fixed[slot]);
        m_activePictures = std::move(contents->activePictures);
        TspSkinIni ini;
        ini.LoadText(contents->description);
        ReadVersionSection(ini);
        for (TspSkinPictureSlot slot : {spsPicture, spsMask, spsRollUpPicture, spsRollUpMask})
            m_pictureNames[slot] = ini.ReadString("PICTURES", SkinPictureSlotKey(slot), "");
        m_activePictureNames = ini.ReadNameList("PICTURES", "activepictures");
        ReadDescription(ini);
        TakePicturesAtScale(storedSkin->PictureScale());
    } catch (...) {
        FailLoad();
        throw;
    }
    EndLoad();
}

// Every picture but the masks is taken at the stored skin's scale; a mask gives a shape in
// points, which the window system scales itself.
void TspSkinData::TakePicturesAtScale(int scale) {
    if (scale <= 1) return;
    std::set<int> masks = {m_popupWindow.maskpictureindex, m_hintWindow.maskpictureindex};
    for (const auto& control : m_controls) masks.insert(control->maskpictureindex);
    for (TspSkinPictureSlot slot : {spsPicture, spsInactivePicture, spsRollUpPicture})
        TakeAtScale(m_fixed[slot], scale);
    for (int i = 0; i < ActivePictureCount(); ++i)
        if (masks.count(i) == 0) TakeAtScale(*m_activePictures[std::size_t(i)], scale);
}

void TspSkinData::LoadSkinFilePicture(TBitmap& bitmap, const std::string& path) {
    TMemoryStream file;
    file.LoadFromFile(path);
    auto size = static_cast<std::size_t>(file.Size());
    std::string name = ExtractFileName(path);
    if (name.find(".jpg") != std::string::npos || name.find(".jpeg") != std::string::npos) {
        DecodeJpeg(bitmap, file.Memory(), size);
        return;
    }
    if (!IsBmp(file.Memory(), size)) throw EInvalidGraphic("Bitmap image is not valid: " + path);
    bitmap.LoadFromMemory(file.Memory(), size);
}

void TspSkinData::ApplySkinFile(const std::string& fileName) {
    TStringList list;
    list.LoadFromFile(fileName);
    TspSkinIni ini(IniLines(list));
    for (const char* section : kRequiredSections)
        if (!ini.SectionExists(section)) return;
    std::string folder = ExtractFilePath(fileName);
    BeginLoad();
    try {
        m_containerVersion = -1;
        ReadVersionSection(ini);
        for (int slot = 0; slot < spsCount; ++slot) {
            std::string name =
                ini.ReadString("PICTURES", SkinPictureSlotKey(TspSkinPictureSlot(slot)), "");
            m_pictureNames[slot] = name;
            if (!name.empty()) LoadSkinFilePicture(m_fixed[slot], folder + name);
        }
        m_activePictureNames = ini.ReadNameList("PICTURES", "activepictures");
        for (const std::string& name : m_activePictureNames) {
            auto bitmap = std::make_unique<TBitmap>();
            LoadSkinFilePicture(*bitmap, folder + name);
            m_activePictures.push_back(std::move(bitmap));
        }
        m_startCursorIndex = std::max(1, ini.ReadInteger("CURSORS", "startcursorindex", 1));
        m_cursorNames = ini.ReadNameList("CURSORS", "cursors");
        InstallCursors(folder);
        ReadDescription(ini);
    } catch (...) {
        FailLoad();
        throw;
    }
    EndLoad();
}

void TspSkinData::InstallCursors(const std::string& folder) {
    if (Screen == nullptr) return;
    for (std::size_t i = 0; i < m_cursorNames.size(); ++i) {
        // A cursor that cannot be read leaves that number on the default arrow; the skin's
        // author hears about it once, not on every load of the same skin.
        const std::string path = folder + m_cursorNames[i];
        try {
            const std::string bytes = ReadFileBytes(path);
            const TSkinCursorImage cursor =
                ReadSkinCursor(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            Screen->SetCursors(m_startCursorIndex + static_cast<int>(i),
                               CreateCursorFromImage(cursor.Image, cursor.HotSpot));
        } catch (const Exception& e) {
            static std::set<std::string> reported;
            if (reported.insert(path).second)
                std::fprintf(stderr, "Skin cursor \"%s\" cannot be read: %s\n", path.c_str(),
                             e.Message().c_str());
        }
    }
}

void TspSkinData::ApplyCompressedSkinFile(const std::string& fileName) {
    TspCompressedStoredSkin stored(nullptr);
    stored.ReadCompressedSkinFile(fileName);
    if (!stored.IsStoreEmpty()) ApplyStoredSkin(&stored);
}

void TspSkinData::ReadVersionSection(const TspSkinIni& ini) {
    m_skinName = ini.ReadString("VERSION", "skinname", "");
    m_skinAuthor = ini.ReadString("VERSION", "skinauthor", "");
    m_authorEmail = ini.ReadString("VERSION", "authoremail", "");
    m_authorURL = ini.ReadString("VERSION", "authorurl", "");
    m_skinComments = ini.ReadString("VERSION", "skincomments", "");
}

void TspSkinData::ReadDescription(const TspSkinIni& ini) {
    TspSkinSectionReader forminfo(ini, "FORMINFO");
    m_formInfo = TspSkinFormInfo();
    m_formInfo.BindFields(forminfo);
    m_formInfo.Correct(!m_pictureNames[spsMask].empty());

    TspSkinSectionReader popup(ini, "POPUPWINDOW");
    m_popupWindow = TspDataSkinPopupWindow();
    m_popupWindow.BindFields(popup);

    TspSkinSectionReader hint(ini, "HINTWINDOW");
    m_hintWindow = TspDataSkinHintWindow();
    m_hintWindow.BindFields(hint);

    TspSkinSectionReader colors(ini, "SKINCOLORS");
    m_skinColors.BindFields(colors);

    ReadAreas(ini);
    ReadObjects(ini);
    ReadControls(ini);
}

void TspSkinData::ReadAreas(const TspSkinIni& ini) {
    std::string name, text;
    for (const std::string& entry : ini.ReadNameList("SKINAREAS", "")) {
        SplitEntry(entry, name, text);
        TRect rect;
        if (!ParseSkinRect(text, rect)) rect = TRect{};
        m_areas.push_back(std::make_unique<TspDataSkinArea>(name, rect));
    }
}

void TspSkinData::ReadObjects(const TspSkinIni& ini) {
    std::string name, type;
    for (const std::string& entry : ini.ReadNameList("SKINOBJECTS", "")) {
        SplitEntry(entry, name, type);
        std::unique_ptr<TspDataSkinObject> record = CreateSkinObjectRecord(type, name);
        if (!record) continue;
        record->ReadFromSection(ini);
        m_objects.push_back(std::move(record));
    }
}

void TspSkinData::ReadControls(const TspSkinIni& ini) {
    std::string name, type;
    for (const std::string& entry : ini.ReadNameList("SKINCONTROLS", "")) {
        SplitEntry(entry, name, type);
        std::unique_ptr<TspDataSkinControl> record = CreateSkinControlRecord(type, name);
        if (!record) continue;
        record->ReadFromSection(ini);
        m_controls.push_back(std::move(record));
    }
}
