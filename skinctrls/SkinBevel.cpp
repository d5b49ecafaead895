#include "skinctrls/SkinBevel.h"

#include "skin/SkinData.h"

TspSkinBevel::TspSkinBevel(TComponent* owner) : TBevel(owner) {}

TspSkinBevel::~TspSkinBevel() {
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
}

void TspSkinBevel::SetSkinData(TspSkinData* value) {
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
    m_skinData = value;
    if (m_skinData) m_skinData->FreeNotification(this);
    ApplySkinChange();
}

void TspSkinBevel::SetDividerMode(bool value) {
    m_dividerMode = value;
    Invalidate();
}

void TspSkinBevel::Notification(TComponent* component, TOperation operation) {
    TBevel::Notification(component, operation);
    if (operation == opRemove && component == m_skinData) {
        m_skinData = nullptr;
        LookUpSkinRecord();
        Invalidate();
    }
}

void TspSkinBevel::LookUpSkinRecord() {
    m_index = -1;
    m_lightColor = clBtnHighlight;
    m_darkColor = clBtnShadow;
    if (!m_skinData || m_skinData->SkinEmpty()) return;
    m_index = m_skinData->FindControlRecord(m_skinDataName);
    if (auto* r = dynamic_cast<TspDataSkinBevel*>(m_skinData->ControlRecord(m_index))) {
        m_lightColor = TColor(r->lightcolor);
        m_darkColor = TColor(r->darkcolor);
    }
}

void TspSkinBevel::PrepareSkinChange() {
    m_index = -1;
}

void TspSkinBevel::ApplySkinChange() {
    LookUpSkinRecord();
    Invalidate();
}

void TspSkinBevel::Paint() {
    if (!m_dividerMode || Shape() == bsSpacer) {
        TBevel::Paint();
        return;
    }
    // One centred divider: horizontal for the line shapes along an edge, else vertical.
    TCanvas& c = *Canvas();
    TColor first = Style() == bsLowered ? m_darkColor : m_lightColor;
    TColor second = Style() == bsLowered ? m_lightColor : m_darkColor;
    int w = Width(), h = Height();
    c.Pen()->SetWidth(1);
    c.Pen()->SetStyle(psSolid);
    if (Shape() == bsTopLine || Shape() == bsBottomLine)
        DrawBox(c, 2, h / 2 - 1, w - 2, h / 2, first, second);
    else
        DrawBox(c, w / 2 - 1, 2, w / 2, h - 2, first, second);
}
