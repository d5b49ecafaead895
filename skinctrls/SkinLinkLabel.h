#pragma once
// TspSkinLinkLabel: a label that opens its URL with the desktop's handler when clicked and
// shows the skin's hover colour while the mouse is over it.
#include "skinctrls/SkinStdLabel.h"

class TspSkinLinkLabel : public TspSkinStdLabel {
public:
    explicit TspSkinLinkLabel(TComponent* owner);

    const std::string& URL() const { return m_url; }
    void SetURL(const std::string& value) { m_url = value; }
    bool UseUnderLine() const { return m_useUnderLine; }
    void SetUseUnderLine(bool value);
    TColor DefaultActiveFontColor() const { return m_defaultActiveFontColor; }
    void SetDefaultActiveFontColor(TColor value);
    bool Hovered() const { return m_hovered; }

    // OnClick first, then the URL (when there is one) goes to the desktop's handler.
    void Click() override;
    // A link whose action "jump" opens it.
    void DescribeAccessible(TAccessibleInfo& info) const override;

protected:
    void ChooseFont(TFont& font, TspDataSkinStdLabelControl* record) override;
    void CMMouseEnter(TCMMouseEnterLeave& m) override;
    void CMMouseLeave(TCMMouseEnterLeave& m) override;

    std::string m_url;
    bool m_useUnderLine = true;
    TColor m_defaultActiveFontColor = clBlue;
    bool m_hovered = false;
};
