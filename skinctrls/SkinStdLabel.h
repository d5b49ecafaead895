#pragma once
// TspSkinStdLabel: the framework's label whose font and colour may come from the skin's
// "stdlabel" record; disabled text is embossed in the skin's light and shadow colours.
#include <string>

#include "skin/SkinAware.h"
#include "ui/StdCtrls.h"

class TspSkinData;
class TspDataSkinStdLabelControl;

class TspSkinStdLabel : public TCustomLabel, public TspSkinAware {
public:
    explicit TspSkinStdLabel(TComponent* owner);
    ~TspSkinStdLabel() override;

    TspSkinData* SkinData() const override { return m_skinData; }
    // Stores the store, looks the record up (even in an empty store) and repaints.
    void SetSkinData(TspSkinData* value);
    const std::string& SkinDataName() const { return m_skinDataName; }
    void SetSkinDataName(const std::string& value) { m_skinDataName = value; }
    TFont* DefaultFont() { return &m_defaultFont; }
    void SetDefaultFont(const TFont& font) { m_defaultFont.Assign(font); }
    bool UseSkinFont() const { return m_useSkinFont; }
    void SetUseSkinFont(bool value);
    bool UseSkinColor() const { return m_useSkinColor; }
    void SetUseSkinColor(bool value);

    // Skin change walk.
    void PrepareSkinChange() override { m_index = -1; }
    void ApplySkinChange() override;

    void Notification(TComponent* component, TOperation operation) override;

protected:
    void DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags) override;
    // The record when the store holds one of the right class under SkinDataName.
    TspDataSkinStdLabelControl* LookUpSkinRecord();
    // The font text is drawn with, its colour included.
    virtual void ChooseFont(TFont& font, TspDataSkinStdLabelControl* record);

    TspSkinData* m_skinData = nullptr;
    std::string m_skinDataName = "stdlabel";
    TFont m_defaultFont;
    bool m_useSkinFont = true;
    bool m_useSkinColor = true;
    int m_index = -1;
};
