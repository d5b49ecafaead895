#pragma once
// TspSkinData, the skin store: it owns everything a skin consists of — the five fixed
// pictures, the numbered active pictures, the frame geometry, the popup and hint window
// descriptions, the skin colours, the skin areas, the skin objects of the frame and one
// record per control kind — fills itself from a stored skin or a skin folder, answers
// lookups by name and tells every form when the skin changes.
#include "gfx/Bitmap.h"
#include "rtl/Component.h"
#include "skin/SkinContainer.h"
#include "skin/SkinControlRecords.h"
#include "skin/SkinMessages.h"
#include "skin/SkinObjectRecords.h"
#include "skin/SkinWindowRecords.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TspCompressedStoredSkin;
class TspResourceStrData;
class TspSkinIni;

class TspSkinData : public TComponent {
public:
    explicit TspSkinData(TComponent* owner);
    ~TspSkinData() override;

    bool EnableSkinEffects() const { return m_enableSkinEffects; }
    void SetEnableSkinEffects(bool value) { m_enableSkinEffects = value; }
    // Setting a stored skin (outside design mode) applies it at once.
    TspCompressedStoredSkin* CompressedStoredSkin() const { return m_compressedStoredSkin; }
    void SetCompressedStoredSkin(TspCompressedStoredSkin* value);
    // Setting a string table (outside design mode) sends WM_SKINSTRINGSCHANGED.
    TspResourceStrData* ResourceStrData() const { return m_resourceStrData; }
    void SetResourceStrData(TspResourceStrData* value);

    // Loaders. Each replaces the whole skin and sends the skin messages.
    void ApplyStoredSkin(TspCompressedStoredSkin* storedSkin);
    void ApplySkinFile(const std::string& fileName);
    void ApplyCompressedSkinFile(const std::string& fileName);
    void ClearSkin();

    bool SkinEmpty() const { return m_skinEmpty; }
    bool SkinLoading() const { return m_skinLoading; }

    // Front-to-back search for the first record whose name equals `name` byte for byte;
    // -1 when there is none.
    int FindControlRecord(std::string_view name) const;
    int FindObjectRecord(std::string_view name) const;
    int FindAreaRecord(std::string_view name) const;

    int ControlRecordCount() const { return static_cast<int>(m_controls.size()); }
    // nullptr for an index outside the list.
    TspDataSkinControl* ControlRecord(int index) const;
    int ObjectRecordCount() const { return static_cast<int>(m_objects.size()); }
    TspDataSkinObject* ObjectRecord(int index) const;
    int AreaCount() const { return static_cast<int>(m_areas.size()); }
    const TspDataSkinArea* Area(int index) const;

    // Fixed pictures; an absent one is an empty bitmap.
    TBitmap* FixedPicture(TspSkinPictureSlot slot) { return &m_fixed[slot]; }
    const TBitmap* FixedPicture(TspSkinPictureSlot slot) const { return &m_fixed[slot]; }
    TBitmap* SkinPicture() { return &m_fixed[spsPicture]; }
    TBitmap* InactiveSkinPicture() { return &m_fixed[spsInactivePicture]; }
    TBitmap* SkinMask() { return &m_fixed[spsMask]; }
    TBitmap* RollUpSkinPicture() { return &m_fixed[spsRollUpPicture]; }
    TBitmap* RollUpSkinMask() { return &m_fixed[spsRollUpMask]; }
    const std::string& PictureName(TspSkinPictureSlot slot) const { return m_pictureNames[slot]; }
    // The frame takes a non-empty mask name to mean the skin has a frame mask.
    const std::string& SkinMaskName() const { return m_pictureNames[spsMask]; }

    int ActivePictureCount() const { return static_cast<int>(m_activePictures.size()); }
    // Every consumer goes through this: -1 and indexes beyond the list give nullptr.
    TBitmap* ActivePicture(int index) const;
    const std::vector<std::string>& ActivePictureNames() const { return m_activePictureNames; }

    const std::string& SkinName() const { return m_skinName; }
    const std::string& SkinAuthor() const { return m_skinAuthor; }
    const std::string& AuthorEmail() const { return m_authorEmail; }
    const std::string& AuthorURL() const { return m_authorURL; }
    const std::string& SkinComments() const { return m_skinComments; }

    const TspSkinFormInfo& FormInfo() const { return m_formInfo; }
    const TspDataSkinPopupWindow& PopupWindow() const { return m_popupWindow; }
    const TspDataSkinHintWindow& HintWindow() const { return m_hintWindow; }
    const TspSkinColors& SkinColors() const { return m_skinColors; }

    int StartCursorIndex() const { return m_startCursorIndex; }
    const std::vector<std::string>& CursorNames() const { return m_cursorNames; }

    // Version of the last container read (-1 after a skin folder load or none yet).
    int ContainerVersion() const { return m_containerVersion; }

    // Sends `msg` synchronously with WParam = this store and LParam = 1000: first to the
    // owner when it is a form, then to every other form in the application's order.
    void BroadcastSkinMessage(UINT msg);

    void Notification(TComponent* component, TOperation operation) override;

private:
    bool Designing() const { return (ComponentState() & csDesigning) != 0; }
    void BeginLoad();
    void EndLoad();
    void FailLoad();
    void ReadVersionSection(const TspSkinIni& ini);
    void ReadDescription(const TspSkinIni& ini);
    void ReadAreas(const TspSkinIni& ini);
    void ReadObjects(const TspSkinIni& ini);
    void ReadControls(const TspSkinIni& ini);
    void LoadSkinFilePicture(TBitmap& bitmap, const std::string& path);
    void TakePicturesAtScale(int scale);
    void InstallCursors(const std::string& folder);

    bool m_enableSkinEffects = true;
    TspCompressedStoredSkin* m_compressedStoredSkin = nullptr;
    TspResourceStrData* m_resourceStrData = nullptr;
    bool m_skinEmpty = true;
    bool m_skinLoading = false;
    int m_containerVersion = -1;

    TBitmap m_fixed[spsCount];
    std::string m_pictureNames[spsCount];
    std::vector<std::unique_ptr<TBitmap>> m_activePictures;
    std::vector<std::string> m_activePictureNames;

    std::string m_skinName, m_skinAuthor, m_authorEmail, m_authorURL, m_skinComments;
    TspSkinFormInfo m_formInfo;
    TspDataSkinPopupWindow m_popupWindow;
    TspDataSkinHintWindow m_hintWindow;
    TspSkinColors m_skinColors;
    std::vector<std::unique_ptr<TspDataSkinArea>> m_areas;
    std::vector<std::unique_ptr<TspDataSkinObject>> m_objects;
    std::vector<std::unique_ptr<TspDataSkinControl>> m_controls;
    int m_startCursorIndex = 1;
    std::vector<std::string> m_cursorNames;
};
