// TspSkinFrame: making the frame objects from the skin, choosing which of them show, and
// placing them on the frame for the window's size.
#include "skin/SkinData.h"
#include "skin/SkinFrame.h"
#include "skin/SkinFrameExtraObjects.h"
#include "skin/SkinMainMenuItem.h"
#include "skin/SkinMainMenuItems.h"
#include "ui/MainMenu.h"

#include <algorithm>

namespace {
bool IsCommandButton(TspActiveSkinObject* o, int& command) {
    if (auto* b = dynamic_cast<TspSkinStdButtonObject*>(o)) {
        command = b->command;
        return true;
    }
    if (auto* a = dynamic_cast<TspSkinAnimateObject*>(o); a && a->buttonstyle) {
        command = a->command;
        return true;
    }
    return false;
}
} // namespace

TspActiveSkinObject* TspSkinFrame::Objects(int index) const {
    return index >= 0 && index < int(m_objects.size()) ? m_objects[size_t(index)].get() : nullptr;
}

TspActiveSkinObject* TspSkinFrame::FindObject(const std::string& idName) const {
    for (const auto& o : m_objects)
        if (o->IDName == idName) return o.get();
    return nullptr;
}

AnsiString TspSkinFrame::CaptionText() const {
    return m_form->Caption();
}

void TspSkinFrame::BuildFrameObjects() {
    ReleaseObjectCapture();
    // Lit and open items refer to the objects about to go.
    m_mainMenu->Leave();
    m_objects.clear();
    m_titleCaption = nullptr;
    m_hoverIndex = m_downIndex = -1;
    m_menuButton = nullptr;
    if (!m_skinData || m_skinData->SkinEmpty()) return;
    for (int i = 0; i < m_skinData->ObjectRecordCount(); ++i) {
        const TspDataSkinObject* record = m_skinData->ObjectRecord(i);
        if (!record) continue;
        if (auto object = CreateFrameObject(this, m_skinData, *record))
            m_objects.push_back(std::move(object));
    }
    AddMainMenuItems();
    ConfigureFrameObjects();
}

// One object per shown top item of the form's menu, after the skin's own objects.
void TspSkinFrame::AddMainMenuItems() {
    m_mainMenu->AttachToMenu();
    TMainMenu* menu = m_form->Menu();
    if (!menu) return;
    // The first main menu item record, whatever the skin named it (a menu bar's items are
    // drawn by a menu bar, not on the frame).
    const TspDataSkinMainMenuItem* record = nullptr;
    for (int i = 0; i < m_skinData->ObjectRecordCount() && !record; ++i) {
        const TspDataSkinObject* r = m_skinData->ObjectRecord(i);
        if (!dynamic_cast<const TspDataSkinMainMenuBarItem*>(r))
            record = dynamic_cast<const TspDataSkinMainMenuItem*>(r);
    }
    // A record without a look to cut is no look: the plain one is drawn instead.
    if (record &&
        (record->skinrect.IsEmpty() || !m_skinData->ActivePicture(record->activepictureindex)))
        record = nullptr;
    for (int i = 0; i < menu->Count(); ++i) {
        const TMainMenuItem& item = menu->Items(i);
        if (!item.Visible) continue;
        m_objects.push_back(std::make_unique<TspSkinMainMenuItem>(this, m_skinData, record, i,
                                                                  item.Caption, item.Enabled));
    }
}

void TspSkinFrame::MainMenuChanged() {
    m_mainMenu->Leave();
    m_mainMenu->AttachToMenu();
    if (!m_skinned) return;
    ResetObjects();
    BuildFrameObjects();
    LayoutFrameObjects();
    RepaintFrame();
    // The menu bar a screen reader sees is the form's.
    NotifyAccessible(*m_form, TAccessibleChange::Children);
}

void TspSkinFrame::ConfigureFrameObjects() {
    for (auto& o : m_objects) {
        int command = cmDefault;
        if (!IsCommandButton(o.get(), command)) continue;
        bool visible = !m_hideCaptionButtons;
        if (visible) switch (command) {
            case cmMinimizeToTray:
                visible = (m_borderIcons & biMinimizeToTray) != 0;
                break;
            case cmRollUp:
                visible = (m_borderIcons & biRollUp) != 0;
                break;
            case cmMaximize:
                visible = (m_borderIcons & biMaximize) != 0;
                break;
            case cmMinimize:
                visible = (m_borderIcons & biMinimize) != 0;
                break;
            case cmSysMenu:
                visible = (m_borderIcons & biSystemMenu) != 0;
                break;
            case cmDefault:
                // A custom button shows only when its user asks for it.
                visible = false;
                if (OnActivateCustomObject) OnActivateCustomObject(this, o->IDName, visible);
                break;
            default:
                break;
            }
        o->Enabled = visible;
        // A look painted into the frame picture cannot be taken away: it stays, disabled.
        o->Visible = visible || !o->LooksInActivePicture();
    }
    m_titleCaption = nullptr;
    for (auto& o : m_objects)
        if (auto* c = dynamic_cast<TspSkinCaptionObject*>(o.get()); c && c->defaultcaption) {
            m_titleCaption = c;
            break;
        }
    if (!m_titleCaption)
        for (auto& o : m_objects)
            if (auto* c = dynamic_cast<TspSkinCaptionObject*>(o.get())) {
                m_titleCaption = c;
                break;
            }
    if (m_titleCaption) m_titleCaption->Text = CaptionText();
}

void TspSkinFrame::LayoutFrameObjects() {
    if (!m_skinned) {
        PlaceDefaultButtons();
        return;
    }
    LayoutCaptionRow();
    LayoutMainMenuItems();
}

void TspSkinFrame::LayoutCaptionRow() {
    const TBitmap* picture = FramePicture();
    const TspSkinFormInfo& info = m_skinData->FormInfo();
    const int pw = picture->Width(), ph = picture->Height();
    const int dx = m_width - pw, dy = m_height - ph;
    for (auto& o : m_objects) o->ObjectRect = MoveByCornerRule(o->skinrect, info, pw, ph, dx, dy);
    if (!m_supportNCArea) return;

    const TRect& buttons = m_geometry.ButtonsRect;
    const TRect& caption = m_geometry.CaptionRect;
    const TRect row = !buttons.IsEmpty() ? buttons : caption;
    if (row.IsEmpty()) return;
    const int gap = info.buttonsoffset;
    TspSkinCaptionObject* captionObject = nullptr;
    for (auto& o : m_objects)
        if ((captionObject = dynamic_cast<TspSkinCaptionObject*>(o.get()))) break;

    auto sizeOf = [&](TspActiveSkinObject* o) {
        auto* b = dynamic_cast<TspSkinStdButtonObject*>(o);
        if (b && b->ShowsIcon())
            return TSize{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
        return TSize{o->skinrect.Width(), o->skinrect.Height()};
    };
    auto firstWith = [&](int wanted) -> TspActiveSkinObject* {
        for (auto& o : m_objects) {
            int command = cmDefault;
            if (IsCommandButton(o.get(), command) && command == wanted && o->Visible &&
                o->LooksInActivePicture())
                return o.get();
        }
        return nullptr;
    };
    std::vector<TspActiveSkinObject*> rowButtons;
    for (int command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray})
        if (TspActiveSkinObject* o = firstWith(command)) rowButtons.push_back(o);
    for (auto& o : m_objects) {
        int command = cmDefault;
        if (IsCommandButton(o.get(), command) && command == cmDefault && o->Visible &&
            o->LooksInActivePicture())
            rowButtons.push_back(o.get());
    }
    TspActiveSkinObject* sysMenu = firstWith(cmSysMenu);
    auto placeSysMenu = [&](int x) {
        const TSize s = sizeOf(sysMenu);
        const int y = caption.Top + caption.Height() / 2 - s.cy / 2;
        sysMenu->ObjectRect = Bounds(x, y, s.cx, s.cy);
        return x + gap + s.cx;
    };

    if (!info.buttonsinleft) {
        int x = row.Right;
        for (TspActiveSkinObject* o : rowButtons) {
            const TSize s = sizeOf(o);
            o->ObjectRect = Rect(x - s.cx, row.Top, x, row.Top + s.cy);
            x -= gap + s.cx;
        }
        if (buttons.IsEmpty() && captionObject) captionObject->ObjectRect.Right = x + gap;
        x = caption.Left;
        if (sysMenu) {
            x = placeSysMenu(x);
            if (captionObject) captionObject->ObjectRect.Left = x - gap;
        }
        return;
    }
    int x = row.Left;
    for (TspActiveSkinObject* o : rowButtons) {
        const TSize s = sizeOf(o);
        o->ObjectRect = Rect(x, row.Top, x + s.cx, row.Top + s.cy);
        x += gap + s.cx;
    }
    if (buttons.IsEmpty()) {
        if (sysMenu) {
            const TSize s = sizeOf(sysMenu);
            sysMenu->ObjectRect = Rect(x, row.Top, x + s.cx, row.Top + s.cy);
            x += gap + s.cx;
        }
        if (captionObject) captionObject->ObjectRect.Left = x + gap;
        return;
    }
    if (sysMenu) {
        x = placeSysMenu(caption.Left);
        if (captionObject) captionObject->ObjectRect.Left = x - gap;
    }
}

// The menu's items stand in the skin's main menu area when it has one; otherwise in the
// caption row between the system-menu button and the caption text, which gives them its
// left part. An item that does not fit is left out rather than drawn over the buttons.
void TspSkinFrame::LayoutMainMenuItems() {
    std::vector<TspSkinMainMenuItem*> items;
    for (auto& o : m_objects)
        if (auto* item = dynamic_cast<TspSkinMainMenuItem*>(o.get())) items.push_back(item);
    if (items.empty()) return;
    const TspSkinFormInfo& info = m_skinData->FormInfo();
    TspSkinCaptionObject* captionObject = nullptr;
    for (auto& o : m_objects)
        if ((captionObject = dynamic_cast<TspSkinCaptionObject*>(o.get()))) break;
    const int gap = info.buttonsoffset;
    TRect row;
    int x = 0, limit = 0;
    const bool ownArea = !info.mainmenurect.IsEmpty();
    if (ownArea) {
        const TBitmap* picture = FramePicture();
        const int pw = picture->Width(), ph = picture->Height();
        row = MoveByCornerRule(info.mainmenurect, info, pw, ph, m_width - pw, m_height - ph);
        x = row.Left;
        limit = row.Right;
    } else {
        row = m_geometry.CaptionRect;
        if (captionObject) {
            row.Top = captionObject->ObjectRect.Top;
            row.Bottom = captionObject->ObjectRect.Bottom;
        }
        x = (captionObject ? captionObject->ObjectRect.Left : row.Left) + gap;
        limit = captionObject ? captionObject->ObjectRect.Right : row.Right;
    }
    for (TspSkinMainMenuItem* item : items) {
        const TSize size = item->PreferredSize();
        const int y = row.Top + row.Height() / 2 - size.cy / 2;
        item->Visible = x + size.cx <= limit;
        item->ObjectRect = item->Visible ? Bounds(x, y, size.cx, size.cy) : TRect{};
        if (item->Visible) x += size.cx;
    }
    // A gap keeps the last item's caption apart from the window's.
    if (!ownArea && captionObject)
        captionObject->ObjectRect.Left = std::min(x + gap, captionObject->ObjectRect.Right);
}

// The unskinned frame's buttons: close at the right end of the caption bar, then maximise
// and minimise; the system-menu button with the icon at the left end.
void TspSkinFrame::BuildDefaultButtons() {
    ReleaseObjectCapture();
    m_objects.clear();
    m_titleCaption = nullptr;
    m_hoverIndex = m_downIndex = -1;
    m_menuButton = nullptr;
    if (!m_supportNCArea || m_hideCaptionButtons) return;
    if (m_borderIcons & biSystemMenu) {
        m_objects.push_back(std::make_unique<TspSkinStdButtonObject>(this, cmClose, TRect{}));
        if (m_borderIcons & biMaximize)
            m_objects.push_back(
                std::make_unique<TspSkinStdButtonObject>(this, cmMaximize, TRect{}));
        if (m_borderIcons & biMinimize)
            m_objects.push_back(
                std::make_unique<TspSkinStdButtonObject>(this, cmMinimize, TRect{}));
        m_objects.push_back(std::make_unique<TspSkinStdButtonObject>(this, cmSysMenu, TRect{}));
    }
    PlaceDefaultButtons();
}

void TspSkinFrame::PlaceDefaultButtons() {
    const int caption = CaptionHeight();
    const int size = caption - 2;
    const int top = 3 + (caption - size) / 2;
    int right = m_form->Width() - 3 - 2;
    for (auto& o : m_objects) {
        auto* b = dynamic_cast<TspSkinStdButtonObject*>(o.get());
        if (!b || b->SkinSupport) continue;
        if (b->command == cmSysMenu) {
            b->ObjectRect = Bounds(3 + 1, top, size, size);
            continue;
        }
        b->ObjectRect = Rect(right - size, top, right, top + size);
        right -= size + 2;
    }
}

// --- drawing one object at once ---

void TspSkinFrame::RedrawObject(TspActiveSkinObject* object) {
    if (!object || !FormAlive() || !m_form->Showing() || m_moving) return;
    // Looks with see-through parts (the caption text, the icon) need the frame under them.
    auto* b = dynamic_cast<TspSkinStdButtonObject*>(object);
    if (object->IsCaption() || (b && b->ShowsIcon()) || !object->Visible ||
        dynamic_cast<TspSkinMainMenuItem*>(object)) {
        RepaintFrame();
        return;
    }
    TCanvas* canvas = GetWindowDC(m_form);
    if (!canvas) return;
    {
        TCanvasStateGuard state(*canvas);
        if (!m_geometry.ClientRect.IsEmpty() && m_skinned)
            canvas->ExcludeClipRect(m_geometry.ClientRect);
        object->DrawObject(*canvas, true);
    }
    ReleaseDC(m_form, canvas);
}

void TspSkinFrame::RepaintFrame() {
    if (FormAlive()) RedrawWindow(m_form, nullptr, RDW_FRAME);
}
