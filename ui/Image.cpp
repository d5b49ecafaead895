// TImage: a picture on its parent.
#include "ui/Image.h"

#include "ui/Forms.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    m_width = 105;
    m_height = 105;
    m_picture.OnChange = [this](TObject*) { Invalidate(); };
}

void TImage::SetStretch(bool value) {
    m_stretch = value;
    Invalidate();
}

void TImage::SetCenter(bool value) {
    m_center = value;
    Invalidate();
}

void TImage::SetTransparent(bool value) {
    m_transparent = value;
    m_picture.SetTransparent(value);
    Invalidate();
}

void TImage::Paint() {
    if (m_picture.Empty()) return;
    TCanvas& c = *Canvas();
    if (m_stretch) {
        c.StretchDraw(ClientRect(), m_picture);
        return;
    }
    int x = 0, y = 0;
    if (m_center) {
        x = (m_width - m_picture.Width()) / 2;
        y = (m_height - m_picture.Height()) / 2;
    }
    c.Draw(x, y, m_picture);
}

void TImage::DescribeAccessible(TAccessibleInfo& info) const {
    TGraphicControl::DescribeAccessible(info);
    info.Role = TAccessibleRole::Image;
}
