#pragma once
// TspSkinBevel: the framework's bevel lines and boxes drawn in the skin's light and dark
// colours, with an optional centred divider.
#include <string>

#include "skin/SkinAware.h"
#include "ui/ExtCtrls.h"

class TspSkinData;

class TspSkinBevel : public TBevel, public TspSkinAware {
public:
    explicit TspSkinBevel(TComponent* owner);
    ~TspSkinBevel() override;

    TspSkinData* SkinData() const override { return m_skinData; }
    // Stores the store and looks the record up at once (an empty store finds nothing).
    void SetSkinData(TspSkinData* value);
    const std::string& SkinDataName() const { return m_skinDataName; }
    void SetSkinDataName(const std::string& value) { m_skinDataName = value; }
    bool DividerMode() const { return m_dividerMode; }
    void SetDividerMode(bool value);

    // The colours in use: the record's, or the system's without one.
    TColor LightColor() const override { return m_lightColor; }
    TColor DarkColor() const override { return m_darkColor; }

    // Skin change walk.
    void PrepareSkinChange() override;
    void ApplySkinChange() override;

    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Paint() override;
    void LookUpSkinRecord();

    TspSkinData* m_skinData = nullptr;
    std::string m_skinDataName = "bevel";
    bool m_dividerMode = false;
    int m_index = -1;
    TColor m_lightColor = clBtnHighlight;
    TColor m_darkColor = clBtnShadow;
};
