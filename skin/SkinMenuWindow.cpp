#include "skin/SkinMenuWindow.h"

#include "gfx/DrawText.h"
#include "skin/SkinData.h"
#include "skin/SkinFonts.h"
#include "skin/SkinMenu.h"
#include "skin/SkinRegions.h"
#include "skin/SkinSlicing.h"
#include "ui/Label.h"
#include "ui/MainMenu.h"

#include <algorithm>

namespace {
constexpr int SeparatorHeight = 8;
constexpr int TextIndent = 24;  // room for a check mark or an image left of the text
constexpr int RightMargin = 14; // right of the shortcut
constexpr int ShortCutGap = 24; // between the caption and its shortcut
constexpr int MinimumWidth = 120;

TspSlicePoints PopupPoints(const TspDataSkinPopupWindow& p) {
    TspSlicePoints points;
    points.LeftTop = p.lefttoppoint;
    points.RightTop = p.righttoppoint;
    points.LeftBottom = p.leftbottompoint;
    points.RightBottom = p.rightbottompoint;
    points.ClientRect = p.itemsrect;
    return points;
}

TspStretchFlags PopupStretch(const TspDataSkinPopupWindow& p) {
    TspStretchFlags flags;
    flags.LeftStretch = p.leftstretch;
    flags.TopStretch = p.topstretch;
    flags.RightStretch = p.rightstretch;
    flags.BottomStretch = p.bottomstretch;
    return flags;
}

} // namespace

TspSkinMenuWindow::TspSkinMenuWindow(TspSkinPopupMenu* menu) : THintWindow(menu), m_menu(menu) {
    SetStyle(WS_POPUP);
    // The window keeps the mouse itself while it is open; no click events of its own.
    SetControlStyle(ControlStyle() & ~(csCaptureMouse | csClickEvents | csDoubleClicks));
    SetColor(clBtnFace);
}

TspSkinMenuWindow::~TspSkinMenuWindow() {
    if (m_open) {
        m_closing = true;
        if (GetCapture() == this) ReleaseCapture();
    }
}

void TspSkinMenuWindow::FindLooks() {
    m_looks = Looks{};
    TspSkinData* store = m_menu->SkinData();
    if (!store || store->SkinEmpty()) return;
    m_looks.store = store;
    const TspDataSkinPopupWindow& popup = store->PopupWindow();
    m_looks.window = store->ActivePicture(popup.windowpictureindex);
    if (m_looks.window && (m_looks.window->Empty() || popup.itemsrect.IsEmpty() ||
                           popup.itemsrect.Right > m_looks.window->Width() ||
                           popup.itemsrect.Bottom > m_looks.window->Height()))
        m_looks.window = nullptr;
    m_looks.mask = m_looks.window ? store->ActivePicture(popup.maskpictureindex) : nullptr;
    int index = store->FindObjectRecord("menuitem");
    if (index >= 0) {
        m_looks.item = dynamic_cast<const TspDataSkinMenuItem*>(store->ObjectRecord(index));
        if (m_looks.item) {
            m_looks.itemPicture = store->ActivePicture(m_looks.item->activepictureindex);
            if (!m_looks.itemPicture || m_looks.item->skinrect.IsEmpty()) {
                m_looks.item = nullptr;
                m_looks.itemPicture = nullptr;
            }
        }
    }
}

void TspSkinMenuWindow::SetMenuFont(TCanvas& canvas) const {
    TFont* font = canvas.Font();
    if (m_looks.item) {
        font->SetName(m_looks.item->fontname);
        font->SetHeight(m_looks.item->fontheight);
        font->SetStyle(SkinFontStyles(m_looks.item->fontstyle));
    } else {
        font->SetName("Arial");
        font->SetHeight(14);
        font->SetStyle({});
    }
}

// Rows top to bottom in the items area; the window's size follows from the widest.
void TspSkinMenuWindow::Layout() {
    m_rows.clear();
    TBitmap scratch(1, 1);
    TCanvas* c = scratch.Canvas();
    SetMenuFont(*c);
    const int itemHeight =
        m_looks.item ? m_looks.item->skinrect.Height() : std::max(8, m_menu->DefItemHeight());
    const int dividerHeight = m_looks.item && !m_looks.item->dividerrect.IsEmpty()
                                  ? m_looks.item->dividerrect.Height()
                                  : SeparatorHeight;
    int width = MinimumWidth, y = 0;
    for (int i = 0; i < m_menu->Count(); ++i) {
        const TspMenuItem& item = m_menu->Items(i);
        if (!item.Visible) continue;
        const int h = item.IsSeparator() ? dividerHeight : itemHeight;
        m_rows.push_back({i, Rect(0, y, 0, y + h)});
        y += h;
        if (item.IsSeparator()) continue;
        int w = TextIndent + c->TextWidth(MenuCaptionText(item.Caption)) + RightMargin;
        if (!item.ShortCut.empty()) w += ShortCutGap + c->TextWidth(item.ShortCut);
        width = std::max(width, w);
    }
    // Frame around the items: the skin picture's border, or one pixel and a little air.
    int frameW = 4, frameH = 4;
    if (m_looks.window) {
        const TRect& items = m_looks.store->PopupWindow().itemsrect;
        frameW = m_looks.window->Width() - items.Width();
        frameH = m_looks.window->Height() - items.Height();
    }
    const TRect area = Rect(0, 0, width, y);
    const int dx = m_looks.window ? m_looks.store->PopupWindow().itemsrect.Left : 2;
    const int dy = m_looks.window ? m_looks.store->PopupWindow().itemsrect.Top : 2;
    for (Row& r : m_rows) {
        r.rect.Left = area.Left;
        r.rect.Right = area.Right;
        r.rect = OffsetRect(r.rect, dx, dy);
    }
    SetBounds(Left(), Top(), width + frameW, y + frameH);
}

TRect TspSkinMenuWindow::ItemsArea() const {
    if (m_rows.empty()) return {};
    return Rect(m_rows.front().rect.Left, m_rows.front().rect.Top, m_rows.back().rect.Right,
                m_rows.back().rect.Bottom);
}

void TspSkinMenuWindow::ShowMenu(const TRect& anchor, TspMenuPlacement placement) {
    FindLooks();
    Layout();
    const int w = Width(), h = Height();
    const TRect screen = Rect(0, 0, Screen->Width(), Screen->Height());
    const bool below = placement == TspMenuPlacement::Below;
    int x = anchor.Left, y = below ? anchor.Bottom : anchor.Top;
    if (x + w > screen.Right)
        x = placement != TspMenuPlacement::AtPoint ? screen.Right - w : anchor.Left - w;
    if (placement == TspMenuPlacement::Above) {
        // Above its anchor, or below it where the screen has no room above.
        y = anchor.Top - h;
        if (y < screen.Top) y = anchor.Bottom;
    }
    if (y + h > screen.Bottom) y = anchor.Top - h;
    x = std::max(x, screen.Left);
    y = std::max(y, screen.Top);
    m_itemIndex = -1;
    m_open = true;
    m_closing = false;
    ActivateHint(Bounds(x, y, w, h), AnsiString());
    if (m_looks.window && m_looks.mask && !m_looks.mask->Empty()) {
        const TspDataSkinPopupWindow& popup = m_looks.store->PopupWindow();
        const TspSlicePoints points = PopupPoints(popup);
        const TspSlicePoints newPoints =
            ResizeSlicePoints(points, m_looks.window->Width(), m_looks.window->Height(), w, h);
        SetWindowRgn(this, RegionFromSlicedMask(*m_looks.mask, points, newPoints, w, h), true);
    } else {
        RemoveWindowRgn(this, false);
    }
    // The open menu holds the mouse and the keyboard until it closes.
    SetCapture(this);
    m_previousFocus = GetFocus();
    ::SetFocus(this);
    Invalidate();
}

void TspSkinMenuWindow::CloseMenu(int chosen) {
    if (!m_open || m_closing) return;
    m_closing = true;
    m_open = false;
    ReleaseHandle();
    if (GetCapture() == this) ReleaseCapture();
    if (GetFocus() == this) {
        TWinControl* back =
            m_previousFocus && IsWindow(m_previousFocus) ? m_previousFocus : nullptr;
        ::SetFocus(back);
    }
    m_previousFocus = nullptr;
    m_closing = false;
    m_menu->WindowClosed(chosen);
}

void TspSkinMenuWindow::WMCaptureChanged(TWMCaptureChanged& m) {
    const bool lost = m_open && !m_closing && m.NewCapture != this;
    THintWindow::WMCaptureChanged(m);
    if (lost) CloseMenu(-1);
}

void TspSkinMenuWindow::WMKillFocus(TWMFocus& m) {
    const bool lost = m_open && !m_closing;
    THintWindow::WMKillFocus(m);
    if (lost) CloseMenu(-1);
}

// --- items ---

TRect TspSkinMenuWindow::ItemRect(int index) const {
    for (const Row& r : m_rows)
        if (r.item == index) return r.rect;
    return {};
}

int TspSkinMenuWindow::ItemAt(TPoint client) const {
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (PtInRect(m_rows[i].rect, client) && Selectable(int(i))) return m_rows[i].item;
    return -1;
}

bool TspSkinMenuWindow::Selectable(int row) const {
    if (row < 0 || row >= int(m_rows.size())) return false;
    const TspMenuItem& item = m_menu->Items(m_rows[size_t(row)].item);
    return !item.IsSeparator() && item.Enabled;
}

void TspSkinMenuWindow::SetItemIndex(int index) {
    if (index == m_itemIndex) return;
    m_itemIndex = index;
    Invalidate();
}

void TspSkinMenuWindow::Step(int from, int delta) {
    const int n = int(m_rows.size());
    if (n == 0) return;
    int row = from;
    for (int i = 0; i < n; ++i) {
        row = (row + delta + n) % n;
        if (Selectable(row)) {
            SetItemIndex(m_rows[size_t(row)].item);
            return;
        }
    }
}

void TspSkinMenuWindow::Choose(int item) {
    if (item < 0 || item >= m_menu->Count()) return;
    const TspMenuItem& chosen = m_menu->Items(item);
    if (chosen.IsSeparator() || !chosen.Enabled) return;
    CloseMenu(item);
}

void TspSkinMenuWindow::MouseMove(TShiftState, int x, int y) {
    if (!ClientRect().Contains({x, y}) && m_menu->OnPointerOutside) {
        // The menu holds the mouse: what lies outside it (a menu bar) learns where it is.
        SetItemIndex(-1);
        m_menu->OnPointerOutside(ClientToScreen({x, y}));
        return;
    }
    SetItemIndex(ItemAt({x, y}));
}

void TspSkinMenuWindow::MouseDown(TMouseButton, TShiftState, int x, int y) {
    // A press anywhere else closes the menu without a choice.
    bool inside = ClientRect().Contains({x, y});
    TRegion shape;
    if (inside && GetWindowRgn(this, shape)) inside = shape.Contains({x, y});
    if (inside) return;
    const bool anchorDoubleClick = m_menu->AnchorDoubleClicked(ClientToScreen({x, y}));
    CloseMenu(-1);
    if (anchorDoubleClick && m_menu->OnAnchorDoubleClick) m_menu->OnAnchorDoubleClick(m_menu);
}

void TspSkinMenuWindow::MouseUp(TMouseButton, TShiftState, int x, int y) {
    int item = ItemAt({x, y});
    if (item >= 0) Choose(item);
}

void TspSkinMenuWindow::KeyDown(WORD& key, TShiftState shift) {
    if ((key == VK_LEFT || key == VK_RIGHT || key == VK_ESCAPE || key == VK_F10) &&
        m_menu->OnNavigationKey && m_menu->OnNavigationKey(key)) {
        key = 0;
        return;
    }
    int row = -1;
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].item == m_itemIndex) row = int(i);
    switch (key) {
    case VK_DOWN:
        Step(row < 0 ? -1 : row, 1);
        break;
    case VK_UP:
        Step(row < 0 ? 0 : row, -1);
        break;
    case VK_HOME:
        Step(-1, 1);
        break;
    case VK_END:
        Step(0, -1);
        break;
    case VK_RETURN:
    case VK_SPACE:
        if (m_itemIndex >= 0) Choose(m_itemIndex);
        break;
    case VK_ESCAPE:
        CloseMenu(-1);
        break;
    default:
        if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
            const char letter = key >= 'A' && key <= 'Z' ? char(key + 32) : char(key);
            for (const Row& r : m_rows) {
                const TspMenuItem& item = m_menu->Items(r.item);
                if (item.Enabled && !item.IsSeparator() && IsAccel(letter, item.Caption)) {
                    Choose(r.item);
                    break;
                }
            }
        }
        break;
    }
    (void)shift;
    // Every key belongs to the open menu.
    key = 0;
}

// --- painting ---

void TspSkinMenuWindow::PaintBackground(TCanvas& canvas) {
    const int w = Width(), h = Height();
    if (m_looks.window) {
        const TspDataSkinPopupWindow& popup = m_looks.store->PopupWindow();
        const TspSlicePoints points = PopupPoints(popup);
        const TspSlicePoints newPoints =
            ResizeSlicePoints(points, m_looks.window->Width(), m_looks.window->Height(), w, h);
        TBitmap back;
        DrawFourCornerSliced(back, m_looks.window,
                             Rect(0, 0, m_looks.window->Width(), m_looks.window->Height()), points,
                             newPoints, w, h, PopupStretch(popup), true);
        canvas.Draw(0, 0, back);
        return;
    }
    const TspSkinColors colors = m_looks.store ? m_looks.store->SkinColors() : TspSkinColors();
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(colors.cwindow);
    canvas.FillRect(Rect(0, 0, w, h));
    canvas.Brush()->SetColor(colors.cbtnshadow);
    canvas.FrameRect(Rect(0, 0, w, h));
}

void TspSkinMenuWindow::PaintItem(TCanvas& canvas, int row) {
    const Row& r = m_rows[size_t(row)];
    const TspMenuItem& item = m_menu->Items(r.item);
    const TspSkinColors colors = m_looks.store ? m_looks.store->SkinColors() : TspSkinColors();
    const TspDataSkinMenuItem* look = m_looks.item;
    const bool hot = r.item == m_itemIndex && Selectable(row);
    if (item.IsSeparator()) {
        if (look && !look->dividerrect.IsEmpty()) {
            TBitmap divider;
            DrawHorizontalSliced(divider, m_looks.itemPicture, look->dividerrect,
                                 look->dividerleftoffset, look->dividerrightoffset, r.rect.Width(),
                                 look->dividerstretcheffect);
            canvas.Draw(r.rect.Left, r.rect.Top, divider);
        } else {
            const int y = r.rect.Top + r.rect.Height() / 2;
            canvas.Brush()->SetColor(colors.cbtnshadow);
            canvas.FillRect(Rect(r.rect.Left + 4, y - 1, r.rect.Right - 4, y));
            canvas.Brush()->SetColor(colors.cbtnhighlight);
            canvas.FillRect(Rect(r.rect.Left + 4, y, r.rect.Right - 4, y + 1));
        }
        return;
    }
    TRect textRect =
        Rect(r.rect.Left + TextIndent, r.rect.Top, r.rect.Right - RightMargin, r.rect.Bottom);
    TColor textColor = item.Enabled ? colors.cwindowtext : colors.cbtnshadow;
    if (look) {
        const TRect& source =
            hot && !look->activeskinrect.IsEmpty() ? look->activeskinrect : look->skinrect;
        TBitmap face;
        DrawHorizontalSliced(face, m_looks.itemPicture, source, look->itemleftoffset,
                             look->itemrightoffset, r.rect.Width(),
                             hot ? look->stretcheffect : look->inactivestretcheffect);
        canvas.Draw(r.rect.Left, r.rect.Top, face);
        if (!look->textrect.IsEmpty()) {
            textRect = OffsetRect(look->textrect, r.rect.Left, r.rect.Top);
            textRect.Right += r.rect.Width() - look->skinrect.Width();
        }
        textColor = !item.Enabled ? look->unenabledfontcolor
                    : hot         ? look->activefontcolor
                                  : look->fontcolor;
    } else if (hot) {
        canvas.Brush()->SetColor(colors.chighlight);
        canvas.FillRect(InflateRect(r.rect, -1, 0));
        textColor = colors.chighlighttext;
    }
    SetMenuFont(canvas);
    canvas.Font()->SetColor(textColor);
    canvas.Brush()->SetStyle(bsClear);
    TRect caption = textRect;
    DrawText(canvas, item.Caption, caption, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    if (!item.ShortCut.empty()) {
        TRect shortcut = textRect;
        DrawText(canvas, item.ShortCut, shortcut,
                 DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    canvas.Brush()->SetStyle(bsSolid);
}

void TspSkinMenuWindow::Paint() {
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    // At the window's device scale: the skin's menu pictures and the text keep their pixels.
    m_buffer.SetScale(Canvas()->Scale());
    m_buffer.SetSize(w, h);
    TCanvas* c = m_buffer.Canvas();
    PaintBackground(*c);
    for (size_t i = 0; i < m_rows.size(); ++i) PaintItem(*c, int(i));
    Canvas()->Draw(0, 0, m_buffer);
}
