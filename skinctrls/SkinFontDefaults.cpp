#include "skinctrls/SkinFontDefaults.h"

#include "ui/Control.h"

#include <utility>

TspSkinFontDefaults::TspSkinFontDefaults(TControl& control, TColor fontColor) : m_control(control) {
    m_defaultFont.SetName("Arial");
    m_defaultFont.SetHeight(14);
    m_defaultFont.SetColor(fontColor);
    // Only now: setting the font up is not a change the control hears of.
    m_defaultFont.OnChange = [this](TObject*) { AfterDefaultFontChange(); };
}

TspSkinFontDefaults::~TspSkinFontDefaults() {
    m_defaultFont.OnChange = nullptr;
}

void TspSkinFontDefaults::SetUseSkinFont(bool value) {
    if (std::exchange(m_useSkinFont, value) != value) AfterUseSkinFontChange();
}

void TspSkinFontDefaults::SetDefaultWidth(int value) {
    m_defaultWidth = value;
    if (value > 0 && !HasSkinRecord()) m_control.SetWidth(value);
}

void TspSkinFontDefaults::SetDefaultHeight(int value) {
    m_defaultHeight = value;
    if (value > 0 && !HasSkinRecord()) m_control.SetHeight(value);
}

void TspSkinFontDefaults::TakeDefaultSize() {
    if (m_defaultWidth > 0) m_control.SetWidth(m_defaultWidth);
    if (m_defaultHeight > 0) m_control.SetHeight(m_defaultHeight);
}
