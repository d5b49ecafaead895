// TPageControl and TTabSheet.
#include "ui/PageControl.h"

#include <algorithm>

#include "gfx/BitmapTurns.h"
#include "gfx/DrawText.h"
#include "ui/ComCtrls.h"
#include "ui/Forms.h"
#include "ui/WindowSystem.h"

// --- TTabSheet ---

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    m_visible = false;
    m_align = alNone;
    m_parentColor = true;
    m_controlStyle |= csAcceptsControls;
}

TTabSheet::~TTabSheet() {
    if (m_pageControl) m_pageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* control) {
    if (control == m_pageControl) return;
    if (m_pageControl) m_pageControl->RemovePage(this);
    SetParent(control);
    if (control) control->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!m_pageControl) return -1;
    auto& p = m_pageControl->m_pages;
    return int(std::find(p.begin(), p.end(), this) - p.begin());
}

void TTabSheet::SetPageIndex(int index) {
    if (!m_pageControl) return;
    auto& p = m_pageControl->m_pages;
    p.erase(std::find(p.begin(), p.end(), this));
    index = std::clamp(index, 0, int(p.size()));
    p.insert(p.begin() + index, this);
    m_pageControl->TabsChanged();
}

int TTabSheet::TabIndex() const {
    if (!m_pageControl || !m_tabVisible) return -1;
    int n = 0;
    for (TTabSheet* s : m_pageControl->m_pages) {
        if (s == this) return n;
        if (s->m_tabVisible) ++n;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool value) {
    if (value == m_tabVisible) return;
    m_tabVisible = value;
    if (m_pageControl) m_pageControl->TabsChanged();
}

void TTabSheet::SetImageIndex(int value) {
    if (value == m_imageIndex) return;
    m_imageIndex = value;
    if (m_pageControl) m_pageControl->TabsChanged();
}

// The caption is the tab's text.
void TTabSheet::CMTextChanged(TWMNoParams& m) {
    if (m_pageControl)
        m_pageControl->TabsChanged();
    else
        TWinControl::CMTextChanged(m);
}

// --- TPageControl ---

TPageControl::TPageControl(TComponent* owner) : TCustomControl(owner) {
    m_width = 289;
    m_height = 193;
    m_tabStop = true;
    m_controlStyle |= csAcceptsControls | csDoubleClicks;
}

TPageControl::~TPageControl() {
    for (TTabSheet* s : m_pages) s->m_pageControl = nullptr;
    m_pages.clear();
    m_activePage = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
    CheckListIndex(index, PageCount());
    return m_pages[size_t(index)];
}

void TPageControl::InsertPage(TTabSheet* page) {
    m_pages.push_back(page);
    page->m_pageControl = this;
    page->m_visible = false;
    TabsChanged();
    if (!m_activePage) SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page) {
    auto it = std::find(m_pages.begin(), m_pages.end(), page);
    if (it == m_pages.end()) return;
    int index = int(it - m_pages.begin());
    m_pages.erase(it);
    page->m_pageControl = nullptr;
    if (m_activePage == page) {
        m_activePage = nullptr;
        // The neighbour takes its place.
        for (int i = std::min(index, PageCount() - 1); i >= 0; --i)
            if (m_pages[size_t(i)]->m_tabVisible) {
                SetActivePage(m_pages[size_t(i)]);
                break;
            }
    }
    TabsChanged();
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->m_pageControl != this) return;
    if (page == m_activePage) return;
    TTabSheet* old = m_activePage;
    m_activePage = page;
    ShowActive();
    if (old && old->Visible()) old->SetVisible(false);
    Invalidate();
    if (old) NotifyAccessible(*old, TAccessibleChange::States);
    if (page) NotifyAccessible(*page, TAccessibleChange::States);
}

void TPageControl::ShowActive() {
    if (!m_activePage) return;
    Realign();
    m_activePage->BringToFront();
    m_activePage->SetVisible(true);
}

int TPageControl::ActivePageIndex() const {
    return m_activePage ? m_activePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index) {
    if (index < 0 || index >= PageCount())
        SetActivePage(nullptr);
    else
        SetActivePage(m_pages[size_t(index)]);
}

int TPageControl::TabCount() const {
    int n = 0;
    for (TTabSheet* s : m_pages)
        if (s->m_tabVisible) ++n;
    return n;
}

int TPageControl::TabIndex() const {
    return m_activePage ? m_activePage->TabIndex() : -1;
}

TTabSheet* TPageControl::TabPage(int tabIndex) const {
    int n = 0;
    for (TTabSheet* s : m_pages) {
        if (!s->m_tabVisible) continue;
        if (n++ == tabIndex) return s;
    }
    return nullptr;
}

void TPageControl::SetImages(TImageList* images) {
    if (m_images) m_images->RemoveFreeNotification(this);
    m_images = images;
    if (images) images->FreeNotification(this);
    TabsChanged();
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == m_images) {
        m_images = nullptr;
        TabsChanged();
    }
}

void TPageControl::SetTabHeight(int value) {
    m_tabHeight = std::max(0, value);
    TabsChanged();
}

void TPageControl::SetTabWidth(int value) {
    m_tabWidth = std::max(0, value);
    TabsChanged();
}

int TPageControl::TabsHeight() const {
    if (m_tabHeight > 0) return m_tabHeight;
    TCanvas c;
    c.SetFont(m_font);
    int h = c.TextHeight("Wg") + 6;
    if (m_images) h = std::max(h, m_images->Height() + 4);
    return h;
}

TRect TPageControl::TabRect(int tabIndex) const {
    return TabSpaceToClient(TabSpaceRect(tabIndex));
}

TRect TPageControl::TabSpaceRect(int tabIndex) const {
    if (tabIndex < 0 || tabIndex >= TabCount()) return {};
    TCanvas c;
    c.SetFont(m_font);
    int x = 2;
    int h = TabsHeight();
    int n = 0;
    for (TTabSheet* s : m_pages) {
        if (!s->m_tabVisible) continue;
        int w = m_tabWidth;
        if (w <= 0) {
            w = c.TextWidth(s->GetText()) + 12;
            if (m_images && s->PageIndex() < m_images->Count()) w += m_images->Width() + 4;
        }
        if (n == tabIndex) return Rect(x, 2, x + w, 2 + h);
        x += w;
        ++n;
    }
    return {};
}

TRect TPageControl::DisplayRect() const {
    return TabSpaceToClient(TabSpaceDisplayRect());
}

TRect TPageControl::TabSpaceDisplayRect() const {
    TPoint size = TabSpaceSize();
    int top = TabCount() > 0 ? TabsHeight() + 2 : 0;
    return Rect(4, top + 4, size.X - 4, size.Y - 4);
}

void TPageControl::SetTabPosition(TTabPosition value) {
    if (value == m_tabPosition) return;
    m_tabPosition = value;
    TabsChanged();
}

TPoint TPageControl::TabSpaceSize() const {
    const int w = ClientWidth(), h = ClientHeight();
    return m_tabPosition == tpLeft || m_tabPosition == tpRight ? TPoint{h, w} : TPoint{w, h};
}

TRect TPageControl::TabSpaceToClient(const TRect& r) const {
    const int w = ClientWidth(), h = ClientHeight();
    switch (m_tabPosition) {
    case tpBottom:
        return Rect(r.Left, h - r.Bottom, r.Right, h - r.Top);
    case tpLeft: // along the row is down the left edge
        return Rect(r.Top, r.Left, r.Bottom, r.Right);
    case tpRight:
        return Rect(w - r.Bottom, r.Left, w - r.Top, r.Right);
    case tpTop:
        break;
    }
    return r;
}

void TPageControl::DrawTurned(TCanvas& canvas, const TBitmap& picture,
                              const TRect& clientRect) const {
    switch (m_tabPosition) {
    case tpTop:
        canvas.Draw(clientRect.Left, clientRect.Top, picture);
        break;
    case tpBottom:
        canvas.Draw(clientRect.Left, clientRect.Top, FlippedVertically(picture));
        break;
    case tpLeft:
        canvas.Draw(clientRect.Left, clientRect.Top, RotatedQuarter(picture, false));
        break;
    case tpRight:
        canvas.Draw(clientRect.Left, clientRect.Top, RotatedQuarter(picture, true));
        break;
    }
}

int TPageControl::IndexOfTabAt(int x, int y) const {
    int n = TabCount();
    // The active tab stands out and is tested first.
    int active = TabIndex();
    if (active >= 0 && InflateRect(TabRect(active), 2, 2).Contains({x, y})) return active;
    for (int i = 0; i < n; ++i)
        if (TabRect(i).Contains({x, y})) return i;
    return -1;
}

void TPageControl::TabsChanged() {
    // A page whose tab disappears stays active (as the platform does) unless nothing else is;
    // an active page without a visible tab is replaced by the first visible one when the
    // control has no active page.
    if (!m_activePage)
        for (TTabSheet* s : m_pages)
            if (s->m_tabVisible) {
                SetActivePage(s);
                break;
            }
    Realign();
    Invalidate();
    NotifyAccessible(*this, TAccessibleChange::Children);
}

bool TPageControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TPageControl::Change() {
    if (OnChange) OnChange(this);
}

bool TPageControl::SelectPage(TTabSheet* page) {
    if (!page || page == m_activePage) return false;
    if (!CanChange()) return false;
    SetActivePage(page);
    Change();
    return true;
}

void TPageControl::AlignControls(TControl*, TRect&) {
    TRect r = DisplayRect();
    for (TTabSheet* s : m_pages)
        s->SetBounds(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
}

void TPageControl::DrawTab(TCanvas& c, int tabIndex, const TRect& rect, bool active) {
    DrawTabShape(c, rect, active);
    DrawTabContent(c, tabIndex, rect, active);
}

void TPageControl::DrawTabShape(TCanvas& c, const TRect& rect, bool active) {
    TRect r = rect;
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(Rect(r.Left, r.Top, r.Right, r.Bottom + (active ? 1 : 0)));
    // Rounded top corners: highlight on the left and top, shadows on the right.
    c.Pen()->SetColor(clBtnHighlight);
    c.MoveTo(r.Left, r.Bottom - (active ? 0 : 1));
    c.LineTo(r.Left, r.Top + 2);
    c.LineTo(r.Left + 2, r.Top);
    c.LineTo(r.Right - 2, r.Top);
    c.Pen()->SetColor(clBtnShadow);
    c.MoveTo(r.Right - 2, r.Top + 1);
    c.LineTo(r.Right - 2, r.Bottom - (active ? 0 : 1));
    c.Pen()->SetColor(cl3DDkShadow);
    c.MoveTo(r.Right - 2, r.Top + 1);
    c.LineTo(r.Right - 1, r.Top + 2);
    c.LineTo(r.Right - 1, r.Bottom - (active ? 0 : 1));
}

void TPageControl::DrawTabContent(TCanvas& c, int tabIndex, const TRect& r, bool active) {
    TTabSheet* page = TabPage(tabIndex);
    if (!page) return;
    // Image and caption centred together.
    c.SetFont(m_font);
    AnsiString caption = page->GetText();
    int textW = c.TextWidth(caption);
    int imgW = 0;
    bool image = m_images && page->PageIndex() < m_images->Count() && page->ImageIndex() >= 0;
    if (image) imgW = m_images->Width() + 4;
    int x = r.Left + (r.Width() - textW - imgW) / 2 + (active ? 0 : 1);
    int cy = (r.Top + r.Bottom) / 2 + (active ? 0 : 1);
    if (image) {
        m_images->Draw(c, x, cy - m_images->Height() / 2, page->ImageIndex(), page->Enabled());
        x += imgW;
    }
    c.Brush()->SetStyle(bsClear);
    if (!page->Enabled()) c.Font()->SetColor(clGrayText);
    TRect text = Rect(x, r.Top, x + textW + 2, r.Bottom);
    DrawText(c, caption, text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    c.Brush()->SetStyle(bsSolid);
    if (active && Focused()) c.DrawFocusRect(Rect(x - 2, r.Top + 3, x + textW + 2, r.Bottom - 2));
}

void TPageControl::Paint() {
    TCanvas& c = *Canvas();
    TRect client = ClientRect();
    c.Brush()->SetColor(m_color);
    c.FillRect(client);
    // The page frame: a raised edge around the page area.
    TRect frame = InflateRect(DisplayRect(), 4, 4);
    frame.Top -= 0;
    c.Pen()->SetColor(clBtnHighlight);
    c.MoveTo(frame.Left, frame.Bottom - 1);
    c.LineTo(frame.Left, frame.Top);
    c.LineTo(frame.Right - 1, frame.Top);
    c.Pen()->SetColor(cl3DDkShadow);
    c.LineTo(frame.Right - 1, frame.Bottom - 1);
    c.LineTo(frame.Left - 1, frame.Bottom - 1);
    c.Pen()->SetColor(clBtnShadow);
    c.MoveTo(frame.Right - 2, frame.Top + 1);
    c.LineTo(frame.Right - 2, frame.Bottom - 2);
    c.LineTo(frame.Left, frame.Bottom - 2);
    int active = TabIndex();
    if (m_tabPosition != tpTop) {
        PaintTurnedTabs(c, active);
        return;
    }
    for (int i = 0; i < TabCount(); ++i)
        if (i != active) DrawTab(c, i, TabRect(i), false);
    if (active >= 0) {
        TRect r = TabRect(active);
        r = Rect(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom);
        DrawTab(c, active, r, true);
    }
}

void TPageControl::PaintTurnedTabs(TCanvas& c, int active) {
    const bool sideways = m_tabPosition == tpLeft || m_tabPosition == tpRight;
    auto drawOne = [&](int i, bool isActive) {
        TRect r = TabSpaceRect(i);
        if (isActive) r = Rect(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom);
        if (r.IsEmpty()) return;
        // The tab as it would stand on top, then turned onto its edge. Text on the sides
        // turns with it; at the bottom it stays upright.
        TBitmap tab(r.Width(), r.Height());
        tab.SetScale(c.Scale());
        tab.Fill(m_color);
        TCanvas& tc = *tab.Canvas();
        const TRect own = Rect(0, 0, r.Width(), r.Height());
        DrawTabShape(tc, own, isActive);
        if (sideways) DrawTabContent(tc, i, own, isActive);
        const TRect onClient = TabSpaceToClient(r);
        DrawTurned(c, tab, onClient);
        if (!sideways) DrawTabContent(c, i, onClient, isActive);
    };
    for (int i = 0; i < TabCount(); ++i)
        if (i != active) drawOne(i, false);
    if (active >= 0) drawOne(active, true);
}

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        int tab = IndexOfTabAt(x, y);
        if (tab >= 0) {
            if (CanFocus() && !Focused()) SetFocus();
            SelectPage(TabPage(tab));
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TPageControl::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    int tab = TabIndex(), n = TabCount();
    if (n == 0) return;
    if (key == VK_LEFT || key == VK_RIGHT) {
        int next = tab < 0 ? 0 : std::clamp(tab + (key == VK_RIGHT ? 1 : -1), 0, n - 1);
        SelectPage(TabPage(next));
        key = 0;
    }
}

void TPageControl::WMGetDlgCode(TWMGetDlgCode& m) {
    m.Result = DLGC_WANTARROWS;
}

void TPageControl::WMSetFocus(TWMFocus& m) {
    Invalidate();
    TCustomControl::WMSetFocus(m);
}

void TPageControl::WMKillFocus(TWMFocus& m) {
    Invalidate();
    TCustomControl::WMKillFocus(m);
}

// Paint covers everything.
void TPageControl::WMEraseBkgnd(TWMEraseBkgnd& m) {
    m.Result = 1;
}

// Ctrl+Tab and Ctrl+Shift+Tab move between the pages.
void TPageControl::CMDialogKey(TWMKey& m) {
    if (m.CharCode == VK_TAB && (KeyboardShiftState() & ssCtrl) && TabCount() > 0 && Showing()) {
        int n = TabCount(), tab = TabIndex();
        bool back = (KeyboardShiftState() & ssShift) != 0;
        SelectPage(TabPage(((tab < 0 ? 0 : tab) + (back ? n - 1 : 1)) % n));
        m.Result = 1;
        return;
    }
    TCustomControl::CMDialogKey(m);
}

void TTabSheet::DescribeAccessible(TAccessibleInfo& info) const {
    TWinControl::DescribeAccessible(info);
    info.Role = TAccessibleRole::PageTab;
    info.Name = AccessibleCaption(GetText());
    info.States |= asSelectable | asVisible;
    info.States &= ~asFocused;
    if (!m_pageControl) return;
    const bool active = m_pageControl->ActivePage() == this;
    if (active) info.States |= asSelected;
    // The tab is where the user sees the page named; the page's controls lie below it.
    if (m_pageControl->Showing() && m_tabVisible) info.States |= asShowing;
    const int tab = TabIndex();
    if (tab >= 0) {
        const TRect r = m_pageControl->TabRect(tab);
        const TPoint p = m_pageControl->ClientToScreen({r.Left, r.Top});
        info.Bounds = Bounds(p.X, p.Y, r.Width(), r.Height());
    }
    TPageControl* pages = m_pageControl;
    auto* self = const_cast<TTabSheet*>(this);
    info.Actions.push_back(
        {"switch", "Shows this page", "", [pages, self] { pages->SelectPage(self); }});
}

void TPageControl::DescribeAccessible(TAccessibleInfo& info) const {
    TCustomControl::DescribeAccessible(info);
    info.Role = TAccessibleRole::PageTabList;
    info.Name.clear();
    info.Children.clear();
    for (TTabSheet* page : m_pages)
        if (page->m_tabVisible) info.Children.push_back(page);
}
