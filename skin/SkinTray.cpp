// A skinned form's icon in the desktop's status area.
#include "skin/SkinTray.h"

#include <atomic>
#include <cstdio>
#include <deque>
#include <mutex>

#include "platform/Process.h"
#include "rtl/Strings.h"
#include "skin/SkinFrame.h"
#include "skin/SkinMenu.h"
#include "ui/Forms.h"
#include "ui/ThreadMessages.h"
#include "ui/WinApi.h"
#include "ui/WindowIcon.h"

namespace {

// Posted to the tray's message window when the icon has reported something.
constexpr UINT WM_TRAYEVENTS = WM_USER + 1;

// The sizes status areas draw icons at; each takes the one that fits.
constexpr int IconSizes[] = {16, 22, 24, 32, 48};

TspTrayIconOpener& Opener() {
    static TspTrayIconOpener opener;
    return opener;
}

std::atomic<bool> g_noticeGiven{false};

std::string ProgramName() {
    const std::string path = ExecutablePath();
    const size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.empty() ? "brelvan" : name;
}

} // namespace

// The events the tray's thread reported, waiting for the UI thread.
struct TspSkinTray::TInbox {
    std::mutex mutex;
    std::deque<std::pair<unsigned, TrayEvent>> events; // with the icon's session
};

// A window that is never shown: only the target of the tray thread's posts.
class TspTrayMessageWindow : public TWinControl {
public:
    TspTrayMessageWindow(TComponent* owner, TspSkinTray* tray) : TWinControl(owner), m_tray(tray) {}
    void DefaultHandler(TMessage& m) override {
        if (m.Msg == WM_TRAYEVENTS)
            m_tray->TakeEvents();
        else
            TWinControl::DefaultHandler(m);
    }

private:
    TspSkinTray* m_tray;
};

TspSkinTray* TspSkinTray::Find(const TspSkinFrame* frame) {
    for (int i = 0; frame && i < frame->ComponentCount(); ++i)
        if (auto* tray = dynamic_cast<TspSkinTray*>(frame->Components(i))) return tray;
    return nullptr;
}

TspSkinTray* TspSkinTray::Of(TspSkinFrame* frame) {
    if (TspSkinTray* tray = Find(frame)) return tray;
    return new TspSkinTray(frame);
}

TspSkinTray::TspSkinTray(TspSkinFrame* frame)
    : TComponent(frame), m_frame(frame), m_form(frame->Form()),
      m_inbox(std::make_shared<TInbox>()) {
    m_messages = new TspTrayMessageWindow(this, this);
    m_menu = new TspSkinPopupMenu(this);
    std::weak_ptr<bool> alive = m_alive;
    auto act = [this, alive](void (TspSkinTray::*command)()) {
        // The menu runs its action after it has closed; the tray may be gone by then.
        return [this, alive, command] {
            if (!alive.expired()) (this->*command)();
        };
    };
    m_menu->Add({"TRAY_DSF_RESTORE", "&Restore", "", true, act(&TspSkinTray::Restore)});
    m_menu->Add({"TRAY_DSF_SEPARATOR", "-", "", true, nullptr});
    m_menu->Add({"TRAY_DSF_CLOSE", "&Close", "", true, act(&TspSkinTray::CloseForm)});
}

TspSkinTray::~TspSkinTray() {
    *m_alive = false;
    m_icon.reset();
}

std::string TspSkinTray::Protocol() const {
    return m_icon ? m_icon->Protocol() : std::string();
}

TrayIconContent TspSkinTray::Content() const {
    TrayIconContent content;
    content.id = ProgramName();
    content.title = AnsiToUtf8(m_form->Caption());
    content.toolTip = content.title;
    // The largest drawing of the default icon, so that every size is made by averaging down.
    const TBitmap& icon = WindowIconOf(m_form, 3);
    for (int size : IconSizes) {
        const TBitmap scaled = ScaleIcon(icon, size);
        content.pictures.push_back({scaled.Width(), scaled.Height(), IconPixels(scaled)});
    }
    // The menu's entries are named by their place, counted from 1.
    for (int i = 0; i < m_menu->Count(); ++i) {
        const TspMenuItem& item = m_menu->Items(i);
        if (item.Visible) content.menu.push_back({i + 1, AnsiToUtf8(item.Caption), item.Enabled});
    }
    return content;
}

bool TspSkinTray::Enter(std::string& why) {
    if (m_icon) return true;
    // A parked form goes to the tray from where it stood before.
    if (m_frame->Parked()) m_frame->UnparkWindow();
    const unsigned session = ++m_session;
    std::weak_ptr<TInbox> inbox = m_inbox;
    TspTrayMessageWindow* target = m_messages;
    TrayEventHandler handler = [inbox, target, session](const TrayEvent& event) {
        // On the tray's thread: queue it and wake the loop; the window may be gone by the
        // time the loop looks, and the post is dropped then.
        std::shared_ptr<TInbox> box = inbox.lock();
        if (!box) return;
        {
            std::lock_guard lock(box->mutex);
            box->events.emplace_back(session, event);
        }
        PostMessageFromThread(target, WM_TRAYEVENTS, 0, 0);
    };
    const TspTrayIconOpener& opener = Opener();
    m_icon = opener ? opener(Content(), std::move(handler), why)
                    : ShowTrayIcon(Content(), std::move(handler), why);
    if (!m_icon) return false;
    if (m_frame->MenuShown()) m_frame->CloseMenu();
    m_form->Hide();
    return true;
}

void TspSkinTray::Restore() {
    if (!m_icon) return;
    if (m_menu->Shown()) m_menu->CloseUp();
    m_icon.reset();
    ++m_session;
    if (m_form->WindowState() == wsMinimized) m_form->SetWindowState(wsNormal);
    m_form->Show();
    if (m_frame->OnRestore) m_frame->OnRestore(m_frame);
}

void TspSkinTray::CloseForm() {
    if (!m_icon) return;
    // The form decides (its close query, its close action); only a close that goes through
    // takes the icon away, so that a form that refuses stays reachable.
    bool closing = false;
    std::weak_ptr<bool> alive = m_alive;
    TCloseEvent saved = m_form->OnClose;
    m_form->OnClose = [&closing, saved](TObject* sender, TCloseAction& action) {
        if (saved) saved(sender, action);
        closing = action != caNone;
    };
    m_form->Close();
    if (alive.expired()) return;
    m_form->OnClose = saved;
    if (!closing) return;
    m_icon.reset();
    ++m_session;
}

void TspSkinTray::ShowMenu(TPoint screen) {
    if (m_menu->Shown()) m_menu->CloseUp();
    TspSkinData* store = m_frame->MenusSkinData() ? m_frame->MenusSkinData() : m_frame->SkinData();
    m_menu->SetSkinData(store);
    m_menu->SetDefItemHeight(m_frame->DefMenuItemHeight());
    m_menu->Popup(screen, nullptr);
}

void TspSkinTray::TakeEvents() {
    std::deque<std::pair<unsigned, TrayEvent>> events;
    {
        std::lock_guard lock(m_inbox->mutex);
        events.swap(m_inbox->events);
    }
    std::weak_ptr<bool> alive = m_alive;
    for (const auto& [session, event] : events) {
        if (alive.expired()) return;
        if (session == m_session && m_icon) Handle(event);
    }
}

void TspSkinTray::Handle(const TrayEvent& event) {
    switch (event.action) {
    case TrayAction::Activate:
    case TrayAction::Lost: // the window must not stay hidden without its icon
        Restore();
        break;
    case TrayAction::ContextMenu:
        // At the pointer: the status area's own figures may be in another scale.
        ShowMenu(GetCursorPos());
        break;
    case TrayAction::MenuItem: {
        const int index = event.item - 1;
        if (index < 0 || index >= m_menu->Count()) break;
        const TspMenuItem& item = m_menu->Items(index);
        if (item.Enabled && item.Visible && item.OnClick) {
            auto click = item.OnClick; // the action may change the menu
            click();
        }
        break;
    }
    }
}

void SetTrayIconOpener(TspTrayIconOpener opener) {
    Opener() = std::move(opener);
}

bool SayNoStatusArea(const std::string& why) {
    if (g_noticeGiven.exchange(true)) return false;
    std::fprintf(stderr, "%s: no status area on this desktop (%s); minimising instead\n",
                 ProgramName().c_str(), why.c_str());
    return true;
}

void ResetNoStatusAreaNotice() {
    g_noticeGiven = false;
}
