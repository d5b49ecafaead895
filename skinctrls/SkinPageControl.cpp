#include "skinctrls/SkinPageControl.h"

#include <algorithm>

#include "gfx/DrawText.h"
#include "skin/ParentImage.h"
#include "skin/SkinData.h"
#include "skin/SkinSlicing.h"
#include "skinctrls/SkinBuiltInLook.h"
#include "skinctrls/SkinFontRule.h"
#include "skinctrls/SkinTile.h"
#include "skinctrls/SkinUpDown.h"

namespace {

// Room the system leaves around a caption, and between the tab row and the page area.
constexpr int TabTextPadding = 12;
constexpr int ImageGap = 4;
constexpr int SystemPageTopGap = 4;

// The page frame's four border strips, cut from the record's picture for a frame of w x h.
void MakeFrameStrips(TspBorderStrips& strips, const TspDataSkinTabControl& r,
                     const TBitmap& picture, int w, int h) {
    TspSlicePoints points{r.lefttoppoint, r.righttoppoint, r.leftbottompoint, r.rightbottompoint,
                          r.clientrect};
    TspStretchFlags flags;
    flags.LeftStretch = r.leftstretch;
    flags.TopStretch = r.topstretch;
    flags.RightStretch = r.rightstretch;
    flags.BottomStretch = r.bottomstretch;
    TspSlicePoints resized =
        ResizeSlicePoints(points, r.skinrect.Width(), r.skinrect.Height(), w, h);
    MakeBorderStrips(strips, &picture, r.skinrect, points, resized, w, h, flags);
}

} // namespace

// --- TspSkinCustomTabSheet ---

TspSkinCustomTabSheet::TspSkinCustomTabSheet(TComponent* owner) : TTabSheet(owner) {}

void TspSkinCustomTabSheet::SetWallPaper(const TBitmap& bitmap) {
    m_wallPaper = bitmap;
    if (ComponentState() & csDesigning) Invalidate();
}

TspSkinPageControl* TspSkinCustomTabSheet::SkinPageControl() const {
    return dynamic_cast<TspSkinPageControl*>(m_pageControl);
}

void TspSkinCustomTabSheet::EraseBackground(TCanvas& canvas) {
    if (Width() <= 0 || Height() <= 0 || !Parent()) return;
    TRect area = ClientRect();
    if (!m_wallPaper.Empty()) {
        TilePicture(canvas, m_wallPaper, m_wallPaper.BoundsRect(), area);
        return;
    }
    if (TspSkinPageControl* pc = SkinPageControl()) {
        pc->PaintPageBackground(canvas, area);
        return;
    }
    TTabSheet::EraseBackground(canvas);
}

void TspSkinCustomTabSheet::WMSize(TWMSize& m) {
    // The background is tiled from the top-left corner: a new size shows a new picture.
    Invalidate();
    TTabSheet::WMSize(m);
}

// --- TspSkinPageControl ---

TspSkinPageControl::TspSkinPageControl(TComponent* owner) : TPageControl(owner) {
    m_defaultFont.SetName("Arial");
    m_defaultFont.SetHeight(14);
    m_defaultFont.SetColor(clBtnText);
    m_font.Assign(m_defaultFont);
    m_parentFont = false;
    m_rowHeight = m_defaultItemHeight;
}

TspSkinPageControl::~TspSkinPageControl() {
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
}

void TspSkinPageControl::SetSkinData(TspSkinData* value) {
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
    m_skinData = value;
    if (m_skinData) m_skinData->FreeNotification(this);
    if (m_skinData && !m_skinData->SkinEmpty() && !(ComponentState() & csDesigning))
        ApplySkinChange();
}

void TspSkinPageControl::Notification(TComponent* component, TOperation operation) {
    TPageControl::Notification(component, operation);
    if (operation == opRemove && component == m_skinData) {
        m_skinData = nullptr;
        ApplySkinChange();
    }
}

void TspSkinPageControl::SetTabsBGTransparent(bool value) {
    if (value == m_tabsBGTransparent) return;
    m_tabsBGTransparent = value;
    Invalidate();
}

void TspSkinPageControl::SetDefaultItemHeight(int value) {
    m_defaultItemHeight = value;
    if (!HasSkinRecord()) {
        m_rowHeight = TabHeight() > 0 ? TabHeight() : std::max(1, value);
        UpdateScroller();
        Realign();
        Invalidate();
    }
}

TspDataSkinTabControl* TspSkinPageControl::LookUpSkinRecord() {
    m_index = -1;
    if (!m_skinData || m_skinData->SkinEmpty()) return nullptr;
    m_index = m_skinData->FindControlRecord(m_skinDataName);
    auto* record = dynamic_cast<TspDataSkinTabControl*>(m_skinData->ControlRecord(m_index));
    if (!record) m_index = -1;
    return record;
}

bool TspSkinPageControl::HasSkinRecord() const {
    return const_cast<TspSkinPageControl*>(this)->LookUpSkinRecord() != nullptr;
}

void TspSkinPageControl::PrepareSkinChange() {
    m_index = -1;
}

void TspSkinPageControl::ApplySkinChange() {
    TspDataSkinTabControl* r = LookUpSkinRecord();
    auto saved = m_font.OnChange;
    m_font.OnChange = nullptr;
    if (!r) {
        m_font.Assign(m_defaultFont);
        m_font.SetCharset(SkinCharset(m_skinData, m_defaultFont.Charset()));
        m_rowHeight = TabHeight() > 0 ? TabHeight() : std::max(1, m_defaultItemHeight);
    } else {
        if (m_useSkinFont)
            AssignSkinFont(m_font, r->fontname, r->fontheight, r->fontstyle, m_skinData,
                           m_defaultFont.Charset());
        else {
            m_font.Assign(m_defaultFont);
            m_font.SetCharset(SkinCharset(m_skinData, m_defaultFont.Charset()));
        }
        m_font.SetColor(TColor(r->fontcolor));
        int h = r->tabrect.Height();
        m_rowHeight = TabHeight() > 0 ? TabHeight() : std::max(1, h);
    }
    m_font.OnChange = saved;
    // An existing scroller is made again for the new skin.
    delete m_scroller;
    m_scroller = nullptr;
    UpdateScroller();
    Realign();
    Invalidate();
    if (ActivePage()) ActivePage()->Invalidate();
}

int TspSkinPageControl::TabWidthOf(TTabSheet* page) const {
    if (TabWidth() > 0) return TabWidth();
    TBitmap scratch(1, 1);
    TCanvas c;
    c.SetSurface(&scratch);
    c.SetFont(m_font);
    int w = c.TextWidth(page->Caption()) + TabTextPadding;
    if (Images() && page->PageIndex() < Images()->Count()) w += Images()->Width() + ImageGap;
    return w;
}

TRect TspSkinPageControl::TabSpaceRect(int tabIndex) const {
    if (tabIndex < m_firstTab || tabIndex >= TabCount()) return {};
    // One row from x = 2 as the system lays it out, less the tabs scrolled off to the left;
    // then every tab moves 2 left and 2 up, and the first starts 1 further right.
    int x = 2, n = 0;
    for (int i = 0; i < PageCount(); ++i) {
        TTabSheet* page = Pages(i);
        if (!page->TabVisible()) continue;
        if (n >= m_firstTab) {
            int w = TabWidthOf(page);
            if (n == tabIndex) {
                TRect r = Rect(x - 2, 0, x - 2 + w, m_rowHeight);
                if (n == 0) ++r.Left;
                return r;
            }
            x += w;
        }
        ++n;
    }
    return {};
}

TRect TspSkinPageControl::TabSpaceDisplayRect() const {
    const TPoint size = TabSpaceSize();
    int systemTop = TabCount() > 0 ? m_rowHeight + SystemPageTopGap : 0;
    TspDataSkinTabControl* r = const_cast<TspSkinPageControl*>(this)->LookUpSkinRecord();
    if (!r) return Rect(1, systemTop - 5, size.X - 1, size.Y - 1);
    int sw = r->skinrect.Width(), sh = r->skinrect.Height();
    return Rect(r->clientrect.Left, systemTop + r->clientrect.Top - 6,
                size.X - (sw - r->clientrect.Right), size.Y - (sh - r->clientrect.Bottom));
}

TRect TspSkinPageControl::TabSpaceFrameRect() const {
    TRect page = TabSpaceDisplayRect();
    TspDataSkinTabControl* r = const_cast<TspSkinPageControl*>(this)->LookUpSkinRecord();
    if (!r) return InflateRect(page, 1, 1);
    int sw = r->skinrect.Width(), sh = r->skinrect.Height();
    return Rect(page.Left - r->clientrect.Left, page.Top - r->clientrect.Top,
                page.Right + (sw - r->clientrect.Right), page.Bottom + (sh - r->clientrect.Bottom));
}

void TspSkinPageControl::UpdateScroller() {
    // Tabs that do not fit: their right edge lies beyond the strip's room (less the
    // scroller's width once there is one) when none is scrolled off.
    int scrollerWidth = 2 * m_defaultItemHeight;
    const int length = TabSpaceSize().X;
    int x = 1, overflow = 0;
    for (int i = 0; i < PageCount(); ++i) {
        TTabSheet* page = Pages(i);
        if (!page->TabVisible()) continue;
        x += TabWidthOf(page);
        if (x > length - 3) ++overflow;
    }
    if (overflow > 0) {
        // With the scroller in place its width is lost too.
        overflow = 0;
        x = 1;
        for (int i = 0; i < PageCount(); ++i) {
            TTabSheet* page = Pages(i);
            if (!page->TabVisible()) continue;
            x += TabWidthOf(page);
            if (x > length - 3 - scrollerWidth) ++overflow;
        }
    }
    if (overflow == 0) {
        if (m_scroller) {
            delete m_scroller;
            m_scroller = nullptr;
        }
        if (m_firstTab != 0) {
            m_firstTab = 0;
            Invalidate();
        }
        return;
    }
    if (!m_scroller) {
        m_scroller = new TspSkinUpDown(this);
        TspDataSkinTabControl* r = LookUpSkinRecord();
        m_scroller->SetSkinDataName(r ? r->updown : std::string());
        m_scroller->SetSkinData(m_skinData);
        m_scroller->OnChange = [this](TObject*) { ScrollTo(m_scroller->Position()); };
        m_scroller->SetParent(this);
    }
    // At the end of the row: the right end of the top edge, the lower right end otherwise
    // (the bottom of a side column).
    int h = m_defaultItemHeight;
    const int left = TabPosition() == tpLeft ? 0 : ClientWidth() - 2 * h;
    m_scroller->SetBounds(left, TabPosition() == tpTop ? 0 : ClientHeight() - h, 2 * h, h);
    m_scroller->SetRange(0, overflow);
    m_scroller->SetPosition(std::min(m_firstTab, overflow));
    ScrollTo(m_scroller->Position());
}

void TspSkinPageControl::ScrollTo(int firstTab) {
    firstTab = std::clamp(firstTab, 0, std::max(0, TabCount() - 1));
    if (firstTab == m_firstTab) return;
    m_firstTab = firstTab;
    m_hotTab = -1;
    Invalidate();
}

void TspSkinPageControl::Change() {
    UpdateScroller();
    TPageControl::Change();
    Invalidate();
    if (ActivePage()) ActivePage()->Invalidate();
}

void TspSkinPageControl::PaintPageBackground(TCanvas& canvas, const TRect& area) {
    TspDataSkinTabControl* r = LookUpSkinRecord();
    const TBitmap* picture = r ? m_skinData->ActivePicture(r->pictureindex) : nullptr;
    if (r && r->bgpictureindex != -1) {
        if (const TBitmap* bg = m_skinData->ActivePicture(r->bgpictureindex)) {
            TilePicture(canvas, *bg, bg->BoundsRect(), area);
            return;
        }
    }
    if (r && picture) {
        TRect part = OffsetRect(r->clientrect, r->skinrect.Left, r->skinrect.Top);
        TilePicture(canvas, *picture, part, area);
        return;
    }
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(area);
}

void TspSkinPageControl::DrawTabContent(TCanvas& c, TTabSheet* page, const TRect& rect, bool hot,
                                        bool active) {
    TRect own = Rect(0, 0, rect.Width(), rect.Height());
    if (OnDrawSkinTab) {
        TCanvasStateGuard state(c);
        c.MoveOrigin(rect.Left, rect.Top);
        c.IntersectClipRect(own);
        OnDrawSkinTab(this, page->PageIndex(), own, &c, hot, active);
        return;
    }
    c.Brush()->SetStyle(bsClear);
    AnsiString caption = page->Caption();
    if (Images() && page->PageIndex() < Images()->Count()) {
        // Image and caption centred together.
        int captionW = c.TextWidth(caption) + 2,
            captionH = c.TextHeight(caption.empty() ? " " : caption);
        int imageW = Images()->Width(), imageH = Images()->Height();
        int group = imageW + captionW + 2;
        int ix = rect.Left + rect.Width() / 2 - group / 2;
        int iy = rect.Top + rect.Height() / 2 - imageH / 2;
        if (page->ImageIndex() >= 0 && page->ImageIndex() < Images()->Count())
            Images()->Draw(c, ix, iy, page->ImageIndex(), page->Enabled());
        int ty = rect.Top + rect.Height() / 2 - captionH / 2;
        TRect text = Bounds(ix + imageW + 2, ty, captionW, captionH);
        DrawText(c, caption, text, DT_CENTER | DT_SINGLELINE | DT_NOCLIP);
    } else {
        TRect text = rect;
        DrawText(c, caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    c.Brush()->SetStyle(bsSolid);
}

void TspSkinPageControl::DrawSkinTab(TCanvas& c, int tabIndex, const TRect& rect, bool hot,
                                     bool active) {
    TTabSheet* page = TabPage(tabIndex);
    if (!page || rect.IsEmpty()) return;
    TCanvasStateGuard state(c);
    if (TabPosition() == tpTop) {
        DrawTabFace(c, rect, hot, active);
        DrawTabContent(c, page, rect, hot, active);
        return;
    }
    // Drawn as on top and turned: the picture flipped for the bottom, rotated for the sides,
    // where the caption turns with it; at the bottom the caption stays upright.
    const bool sideways = TabPosition() == tpLeft || TabPosition() == tpRight;
    TBitmap tab(sideways ? rect.Height() : rect.Width(), sideways ? rect.Width() : rect.Height());
    tab.SetScale(c.Scale()); // the caption stays sharp on a scaled surface
    TCanvas& tc = *tab.Canvas();
    DrawTabFace(tc, tab.BoundsRect(), hot, active);
    if (sideways) DrawTabContent(tc, page, tab.BoundsRect(), hot, active);
    DrawTurned(c, tab, rect);
    if (!sideways) {
        c.SetFont(*tc.Font());
        DrawTabContent(c, page, rect, hot, active);
    }
}

void TspSkinPageControl::DrawTabFace(TCanvas& c, const TRect& rect, bool hot, bool active) {
    TspDataSkinTabControl* r = LookUpSkinRecord();
    const TBitmap* picture = r ? m_skinData->ActivePicture(r->pictureindex) : nullptr;
    bool focused = Focused();
    if (!r || !picture) {
        TColor fill = clBtnFace;
        if (active) {
            fill = focused ? BuiltInPressedFill : BuiltInHotFill;
            c.Brush()->SetColor(clNavy);
            c.FrameRect(rect);
            c.Brush()->SetColor(fill);
            c.FillRect(InflateRect(rect, -1, -1));
        } else {
            c.Brush()->SetColor(hot ? BuiltInHotFill : clBtnFace);
            c.FillRect(rect);
        }
        TFont font;
        font.Assign(m_font);
        font.SetCharset(SkinCharset(m_skinData, font.Charset()));
        c.SetFont(font);
    } else {
        TRect part = r->tabrect;
        TColor color = TColor(r->fontcolor);
        if (!active && hot && !r->mouseintabrect.IsEmpty()) {
            part = r->mouseintabrect;
            color = TColor(r->mouseinfontcolor);
        } else if (active && focused) {
            part = !r->focustabrect.IsEmpty()    ? r->focustabrect
                   : !r->activetabrect.IsEmpty() ? r->activetabrect
                                                 : r->tabrect;
            color = TColor(r->focusfontcolor);
        } else if (active) {
            part = r->activetabrect.IsEmpty() ? r->tabrect : r->activetabrect;
            color = TColor(r->activefontcolor);
        } else if (hot) {
            color = TColor(r->mouseinfontcolor);
        }
        TBitmap tab;
        DrawHorizontalSliced(tab, picture, part, r->tableftoffset, r->tabrightoffset, rect.Width(),
                             r->tabstretcheffect);
        if (tab.Height() == rect.Height())
            c.Draw(rect.Left, rect.Top, tab);
        else
            c.StretchDraw(rect, tab);
        TFont font;
        if (m_useSkinFont)
            AssignSkinFont(font, r->fontname, r->fontheight, r->fontstyle, m_skinData,
                           m_defaultFont.Charset());
        else
            font.Assign(m_font);
        font.SetColor(color);
        c.SetFont(font);
        if (r->showfocus && focused && active)
            c.DrawFocusRect(InflateRect(rect, -r->focusoffsetx, -r->focusoffsety));
    }
}

void TspSkinPageControl::Paint() {
    TCanvas& c = *Canvas();
    TRect client = ClientRect();
    if (client.IsEmpty()) return;
    TspDataSkinTabControl* r = LookUpSkinRecord();
    const TBitmap* picture = r ? m_skinData->ActivePicture(r->pictureindex) : nullptr;
    int active = TabIndex();
    int n = TabCount();
    if (!r || !picture) {
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(clBtnFace);
        c.FillRect(client);
        c.Brush()->SetColor(clBtnShadow);
        c.FrameRect(FrameRect());
        for (int i = 0; i < n; ++i) DrawSkinTab(c, i, TabRect(i), i == m_hotTab, i == active);
        return;
    }
    if (PageCount() == 0) PaintPageBackground(c, client);
    if (TabPosition() != tpTop) {
        PaintTurnedFrame(c, *picture, active);
        return;
    }
    // The page frame from the four border strips of the picture at the frame's size.
    TRect frame = FrameRect();
    TspBorderStrips strips;
    MakeFrameStrips(strips, *r, *picture, frame.Width(), frame.Height());
    {
        TCanvasStateGuard state(c);
        c.MoveOrigin(frame.Left, frame.Top);
        DrawBorderStrips(c, strips, frame.Width(), frame.Height());
    }
    // The strip behind the tabs, as high as the frame's top.
    int stripH = frame.Top;
    if (stripH > 0) {
        // At the canvas's scale: the tabs drawn into it keep the skin's device pixels.
        TBitmap strip;
        strip.SetScale(c.Scale());
        strip.SetSize(client.Width(), stripH);
        TCanvas& sc = *strip.Canvas();
        if (m_tabsBGTransparent) {
            TBitmap under;
            under.SetScale(c.Scale());
            under.SetSize(Width(), Height());
            CaptureParentImage(this, *under.Canvas());
            sc.CopyRect(strip.BoundsRect(), under, strip.BoundsRect());
        } else {
            TRect part = r->tabsbgrect;
            if (part.IsEmpty()) part = OffsetRect(r->clientrect, r->skinrect.Left, r->skinrect.Top);
            TilePicture(sc, *picture, part, strip.BoundsRect());
        }
        for (int i = 0; i < n; ++i)
            if (i != active) DrawSkinTab(sc, i, TabRect(i), i == m_hotTab, false);
        c.Draw(0, 0, strip);
    }
    // The selected tab once more on the control: it may overlap the page frame.
    if (active >= 0) DrawSkinTab(c, active, TabRect(active), false, true);
}

void TspSkinPageControl::PaintTurnedFrame(TCanvas& c, const TBitmap& picture, int active) {
    TspDataSkinTabControl* r = LookUpSkinRecord();
    // The frame's four strips made as for tabs on top, each turned onto its place.
    const TRect frame = TabSpaceFrameRect();
    TspBorderStrips strips;
    MakeFrameStrips(strips, *r, picture, frame.Width(), frame.Height());
    const int topH = strips.Top.Height();
    auto place = [&](const TBitmap& strip, int x, int y) {
        if (strip.Empty()) return;
        TRect at = Bounds(frame.Left + x, frame.Top + y, strip.Width(), strip.Height());
        DrawTurned(c, strip, TabSpaceToClient(at));
    };
    place(strips.Top, 0, 0);
    place(strips.Left, 0, topH);
    place(strips.Right, frame.Width() - strips.Right.Width(), topH);
    place(strips.Bottom, 0, frame.Height() - strips.Bottom.Height());
    // The strip behind the tabs, along the row and as deep as the frame's edge.
    const TRect row = Rect(0, 0, TabSpaceSize().X, frame.Top);
    if (!row.IsEmpty()) {
        const TRect onClient = TabSpaceToClient(row);
        if (m_tabsBGTransparent) {
            TBitmap under(Width(), Height());
            CaptureParentImage(this, *under.Canvas());
            c.CopyRect(onClient, under, onClient);
        } else {
            TBitmap strip;
            strip.SetScale(c.Scale());
            strip.SetSize(row.Width(), row.Height());
            TRect part = r->tabsbgrect;
            if (part.IsEmpty()) part = OffsetRect(r->clientrect, r->skinrect.Left, r->skinrect.Top);
            TilePicture(*strip.Canvas(), picture, part, strip.BoundsRect());
            DrawTurned(c, strip, onClient);
        }
    }
    for (int i = 0; i < TabCount(); ++i)
        if (i != active) DrawSkinTab(c, i, TabRect(i), i == m_hotTab, false);
    if (active >= 0) DrawSkinTab(c, active, TabRect(active), false, true);
}

void TspSkinPageControl::SetHotTab(int tab) {
    if (tab == m_hotTab) return;
    int old = m_hotTab;
    m_hotTab = tab;
    if (!HandleAllocated() || !Showing()) return;
    int active = TabIndex();
    // Only the two tabs change: they are drawn again directly, never the selected one.
    TCanvas& c = *Canvas();
    if (old >= 0 && old != active && old < TabCount())
        DrawSkinTab(c, old, TabRect(old), false, false);
    if (tab >= 0 && tab != active) DrawSkinTab(c, tab, TabRect(tab), true, false);
}

void TspSkinPageControl::MouseMove(TShiftState shift, int x, int y) {
    if (!(ComponentState() & csDesigning)) SetHotTab(IndexOfTabAt(x, y));
    TPageControl::MouseMove(shift, x, y);
}

void TspSkinPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && !(ComponentState() & csDesigning)) SetHotTab(IndexOfTabAt(x, y));
    TPageControl::MouseDown(button, shift, x, y);
}

void TspSkinPageControl::CMMouseLeave(TCMMouseEnterLeave& m) {
    TPageControl::CMMouseLeave(m);
    SetHotTab(-1);
}

void TspSkinPageControl::WMSize(TWMSize& m) {
    TPageControl::WMSize(m);
    UpdateScroller();
}
