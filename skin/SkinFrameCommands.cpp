// TspSkinFrame: the window commands of the caption buttons, the system menu and double
// clicks, the system menu itself, and the window icon the system-menu button shows.
#include "platform/Display.h"
#include "skin/ResourceStrData.h"
#include "skin/SkinData.h"
#include "skin/SkinFrame.h"
#include "skin/SkinMenu.h"
#include "skin/SkinMessages.h"
#include "skin/SkinTray.h"
#include "ui/Forms.h"
#include "ui/WindowIcon.h"

#include <algorithm>

// --- window commands ---

void TspSkinFrame::MinimizeWindow() {
    if (m_alwaysMinimizeToTray) {
        MinimizeToTray();
        return;
    }
    if (WindowState() == wsMinimized) {
        RestoreWindow();
        return;
    }
    // The main form (or a frame without its non-client area) takes the application down with
    // it; another form parks.
    const bool mainForm = !Application || Application->MainForm() == m_form;
    if (!mainForm && m_supportNCArea && m_form->WindowState() == wsNormal) {
        ParkWindow();
        return;
    }
    m_form->Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

namespace {
// The frames whose forms are parked, in the order they were parked.
std::vector<TspSkinFrame*>& ParkedFrames() {
    static std::vector<TspSkinFrame*> frames;
    return frames;
}
} // namespace

void TspSkinFrame::ParkWindow() {
    if (m_parked) return;
    m_parkedFrom = m_form->BoundsRect();
    m_parked = true;
    auto& parked = ParkedFrames();
    const int slot = int(parked.size());
    parked.push_back(this);
    const int w = MinFrameWidth(), h = MinFrameHeight();
    const TRect area = Screen->WorkAreaRect();
    m_form->SetBounds(area.Left + slot * w, area.Bottom - h, w, h);
    RepaintFrame();
    if (OnMinimize) OnMinimize(this);
}

void TspSkinFrame::LeaveParking() {
    auto& parked = ParkedFrames();
    parked.erase(std::remove(parked.begin(), parked.end(), this), parked.end());
    m_parked = false;
}

void TspSkinFrame::UnparkWindow() {
    if (!m_parked) return;
    LeaveParking();
    m_form->SetBoundsRect(m_parkedFrom);
    RepaintFrame();
}

void TspSkinFrame::MaximizeWindow() {
    if (m_form->WindowState() == wsMaximized) return;
    m_form->Perform(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
}

void TspSkinFrame::RestoreWindow() {
    if (m_parked) {
        UnparkWindow();
        return;
    }
    if (m_rolledUp && m_form->WindowState() == wsNormal) {
        RollUpWindow(false);
        return;
    }
    if (m_form->WindowState() == wsNormal) return;
    m_form->Perform(WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TspSkinFrame::CloseWindow() {
    m_form->Close();
}

// Rolling up leaves only the frame's top and bottom: the client area folds away.
void TspSkinFrame::RollUpWindow(bool rollUp) {
    if (!(m_borderIcons & biRollUp) || rollUp == m_rolledUp) return;
    if (m_form->WindowState() != wsNormal) return;
    if (rollUp) {
        m_rollUpRestoreHeight = m_form->Height();
        m_rolledUp = true;
        const int height = m_form->Height() - m_form->ClientHeight();
        m_form->SetBounds(m_form->Left(), m_form->Top(), m_form->Width(), height);
    } else {
        m_rolledUp = false;
        m_form->SetBounds(m_form->Left(), m_form->Top(), m_form->Width(),
                          std::max(m_rollUpRestoreHeight, MinFrameHeight()));
    }
    if (OnChangeRollUpState) OnChangeRollUpState(this);
    RepaintFrame();
}

// The form hides behind an icon in the desktop's status area (skin/SkinTray.h). Where the
// desktop has none, the window minimises as usual, so that it stays reachable, and the
// program says so once.
void TspSkinFrame::MinimizeToTray() {
    TspSkinTray* tray = TspSkinTray::Of(this);
    if (tray->InTray()) return;
    std::string why;
    if (tray->Enter(why)) {
        if (OnMinimize) OnMinimize(this);
        return;
    }
    SayNoStatusArea(why);
    if (m_form->WindowState() != wsMinimized) m_form->Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TspSkinFrame::RunCommand(int command) {
    switch (command) {
    case cmClose:
        CloseWindow();
        break;
    case cmMaximize:
        if (m_form->WindowState() == wsMaximized)
            RestoreWindow();
        else
            MaximizeWindow();
        break;
    case cmMinimize:
        MinimizeWindow();
        break;
    case cmRollUp:
        RollUpWindow(!m_rolledUp);
        break;
    case cmMinimizeToTray:
        MinimizeToTray();
        break;
    default:
        break;
    }
}

// --- the system menu ---

namespace {
AnsiString MenuCaption(const TspSkinData* store, const char* key, const char* fallback) {
    if (store && store->ResourceStrData()) {
        std::string text = store->ResourceStrData()->GetResStr(key);
        if (!text.empty()) return text;
    }
    return fallback;
}
} // namespace

void TspSkinFrame::BuildSystemMenu(TspSkinPopupMenu& menu) {
    static const char* const names[] = {"DSF_MINITEM", "DSF_MAXITEM",   "DSF_RESTORE",
                                        "DSF_ROLLUP",  "DSF_MINTOTRAY", "DSF_SEPARATOR",
                                        "DSF_CLOSE"};
    if (&menu == m_builtInMenu)
        menu.Clear();
    else
        for (const char* name : names) menu.RemoveByName(name);
    if (!m_useDefaultSysMenu) return;
    const TspSkinData* store = m_skinData;
    const TWindowState state = WindowState();
    const bool mdiChild = m_form->FormStyle() == fsMDIChild;
    std::weak_ptr<bool> alive = m_alive;
    // Actions run after the menu has closed; the frame may be gone by then.
    auto act = [this, alive](void (TspSkinFrame::*command)()) {
        return [this, alive, command] {
            if (!alive.expired() && *alive.lock()) (this->*command)();
        };
    };
    if (state != wsMinimized && (m_borderIcons & biMinimize))
        menu.Add({"DSF_MINITEM", MenuCaption(store, "MI_MINCAPTION", "Mi&nimize"), "", true,
                  act(&TspSkinFrame::MinimizeWindow)});
    if (state != wsMaximized && (m_borderIcons & biMaximize))
        menu.Add({"DSF_MAXITEM", MenuCaption(store, "MI_MAXCAPTION", "Ma&ximize"), "", true,
                  act(&TspSkinFrame::MaximizeWindow)});
    if (state != wsNormal || m_rolledUp)
        menu.Add({"DSF_RESTORE", MenuCaption(store, "MI_RESTORECAPTION", "&Restore"), "", true,
                  act(&TspSkinFrame::RestoreWindow)});
    if (!(mdiChild && state == wsMaximized) && !m_rolledUp && state != wsMinimized &&
        (m_borderIcons & biRollUp))
        menu.Add({"DSF_ROLLUP", MenuCaption(store, "MI_ROLLUPCAPTION", "Ro&llUp"), "", true,
                  [this, alive] {
                      if (!alive.expired() && *alive.lock()) RollUpWindow(true);
                  }});
    if (m_borderIcons & biMinimizeToTray)
        menu.Add({"DSF_MINTOTRAY", MenuCaption(store, "MI_MINTOTRAYCAPTION", "Minimize to &Tray"),
                  "", true, act(&TspSkinFrame::MinimizeToTray)});
    if (menu.Count() > 0) menu.Add({"DSF_SEPARATOR", "-", "", true, nullptr});
    menu.Add({"DSF_CLOSE", MenuCaption(store, "MI_CLOSECAPTION", "&Close"),
              mdiChild ? "Ctrl+F4" : "Alt+F4", true, act(&TspSkinFrame::CloseWindow)});
}

bool TspSkinFrame::MenuShown() const {
    return (m_builtInMenu && m_builtInMenu->Shown()) || (m_systemMenu && m_systemMenu->Shown());
}

void TspSkinFrame::CloseMenu() {
    if (m_builtInMenu && m_builtInMenu->Shown()) m_builtInMenu->CloseUp();
    if (m_systemMenu && m_systemMenu->Shown()) m_systemMenu->CloseUp();
}

void TspSkinFrame::ShowSystemMenu(TPoint screen) {
    CloseMenu();
    TspSkinPopupMenu* menu = m_systemMenu ? m_systemMenu : m_builtInMenu;
    BuildSystemMenu(*menu);
    if (menu->Count() == 0) return;
    menu->SetSkinData(m_menusSkinData ? m_menusSkinData : ActiveStore());
    menu->SetDefItemHeight(m_defMenuItemHeight);
    menu->OnAnchorDoubleClick = nullptr;
    menu->Popup(screen, m_form);
}

void TspSkinFrame::ShowSystemMenuUnder(const TRect& screenRect, TspSkinButtonObject* owner) {
    CloseMenu();
    TspSkinPopupMenu* menu = m_systemMenu ? m_systemMenu : m_builtInMenu;
    BuildSystemMenu(*menu);
    if (menu->Count() == 0) {
        // Nothing to show: the button comes up at once.
        if (owner) owner->SetDown(false);
        return;
    }
    menu->SetSkinData(m_menusSkinData ? m_menusSkinData : ActiveStore());
    menu->SetDefItemHeight(m_defMenuItemHeight);
    m_menuButton = owner;
    if (owner) owner->Menu = menu;
    // Two quick clicks on the button: the second one reaches the open menu, which hands it
    // back as the button's double click.
    std::weak_ptr<bool> alive = m_alive;
    menu->OnAnchorDoubleClick = [this, alive, owner](TObject*) {
        if (alive.expired() || !*alive.lock()) return;
        for (auto& o : m_objects)
            if (o.get() == owner) {
                owner->ObjectDoubleClick();
                return;
            }
    };
    menu->PopupUnder(screenRect, m_form);
}

void TspSkinFrame::MenuClosed() {
    TspSkinButtonObject* button = m_menuButton;
    m_menuButton = nullptr;
    if (!button) return;
    for (size_t i = 0; i < m_objects.size(); ++i)
        if (m_objects[i].get() == button) {
            if (m_downIndex == int(i)) m_downIndex = -1;
            button->MenuClosed();
            // Where is the mouse now? The hover follows it.
            TPoint screen = GetCursorPos();
            UpdateHover(screen.X - m_form->Left(), screen.Y - m_form->Top(), true);
            return;
        }
}

// --- the window icon ---

const TBitmap& TspSkinFrame::WindowIcon() {
    const int size = GetSystemMetrics(SM_CXSMICON);
    // Made from the screen's pixels, so that it is as sharp as the caption beside it.
    const int scale = HasDisplay() ? std::clamp(CurrentDisplay().DeviceScale(), 1, 3) : 1;
    const TBitmap& source = WindowIconOf(m_form, scale);
    // Scaled once per picture: the icon is drawn on every paint of the frame.
    const bool same =
        m_icon.Width() == size && m_icon.Scale() == scale &&
        m_iconSource.Width() == source.Width() && m_iconSource.Height() == source.Height() &&
        std::equal(source.Bits(), source.Bits() + size_t(source.Width()) * size_t(source.Height()),
                   m_iconSource.Bits());
    if (!same) {
        m_icon = ScaleIcon(source, size * scale);
        m_icon.AdoptDeviceScale(scale);
        m_iconSource = source;
    }
    return m_icon;
}
