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
    TCanvas& c = *Canvas();
    TColor first = Style() == bsLowered ? m_darkColor : m_lightColor;
    TColor second = Style() == bsLowered ? m_lightColor : m_darkColor;
    int w = Width(), h = Height();
    c.Pen()->SetWidth(1);
    c.Pen()->SetStyle(psSolid);
    auto line = [&](int x1, int y1, int x2, int y2, TColor color) {
        c.Pen()->SetColor(color);
        c.MoveTo(x1, y1);
        c.LineTo(x2, y2);
    };
    // Left and top edges in one colour, right and bottom in the other.
    auto box = [&](int l, int t, int r, int b, TColor topLeft, TColor bottomRight) {
        line(l, b, l, t, topLeft);
        c.LineTo(r, t);
        line(r, t, r, b, bottomRight);
        c.LineTo(l - 1, b);
    };
    if (Shape() == bsSpacer) return;
    if (m_dividerMode) {
        if (Shape() == bsTopLine || Shape() == bsBottomLine)
            box(2, h / 2 - 1, w - 2, h / 2, first, second);
        else
            box(w / 2 - 1, 2, w / 2, h - 2, first, second);
        return;
    }
    switch (Shape()) {
    case bsBox:
        box(0, 0, w - 1, h - 1, first, second);
        break;
    case bsFrame:
        box(1, 1, w - 1, h - 1, second, second);
        box(0, 0, w - 2, h - 2, first, first);
        break;
    case bsTopLine:
        line(0, 0, w, 0, first);
        line(0, 1, w, 1, second);
        break;
    case bsBottomLine:
        line(0, h - 2, w, h - 2, first);
        line(0, h - 1, w, h - 1, second);
        break;
    case bsLeftLine:
        line(0, 0, 0, h, first);
        line(1, 0, 1, h, second);
        break;
    case bsRightLine:
        line(w - 2, 0, w - 2, h, first);
        line(w - 1, 0, w - 1, h, second);
        break;
    case bsSpacer:
        break;
    }
}
