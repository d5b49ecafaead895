#pragma once
// A skinned form's icon in the desktop's status area (TspSkinFrame::MinimizeToTray). The form
// hides and the icon stands for it: a click on the icon, or Restore in its menu, brings the
// form back where it was, active, and takes the icon away; Close in its menu closes the form
// as its close button would (the form is asked first). The icon's menu, built once, holds
// "TRAY_DSF_RESTORE" ("&Restore"), a separator and "TRAY_DSF_CLOSE" ("&Close"); the status area
// shows it as its own menu, or asks for it, and then it opens in the skin's look at the pointer.
//
// What the icon reports arrives on the tray's own thread and is handed to the UI thread as a
// posted message, so every action runs from the application's loop.
#include "platform/TrayIcon.h"
#include "rtl/Component.h"
#include "ui/Controls.h"

#include <functional>
#include <memory>
#include <string>

class TCustomForm;
class TspSkinFrame;
class TspSkinPopupMenu;
class TspTrayMessageWindow;

class TspSkinTray : public TComponent {
public:
    // The frame's tray (owned by the frame), made the first time it is asked for.
    static TspSkinTray* Of(TspSkinFrame* frame);
    // The frame's tray, or nullptr when none was made.
    static TspSkinTray* Find(const TspSkinFrame* frame);
    ~TspSkinTray() override;

    // Puts the icon up and hides the form; false, with nothing changed and the reason in
    // `why`, where the desktop has no status area.
    bool Enter(std::string& why);
    bool InTray() const { return m_icon != nullptr; }
    // The protocol that shows the icon ("status notifier", "X tray"), empty when none does.
    std::string Protocol() const;
    // Takes the icon away and shows the form where it was, active.
    void Restore();
    // Closes the form as its close button would; the icon goes when the form closes, and
    // stays when the form refuses.
    void CloseForm();
    // The icon's menu in the skin's look at a screen point.
    void ShowMenu(TPoint screen);
    TspSkinPopupMenu* Menu() const { return m_menu; }
    // What the icon reported since the last call, handled in order (the loop calls it).
    void TakeEvents();

private:
    explicit TspSkinTray(TspSkinFrame* frame);
    TrayIconContent Content() const;
    void Handle(const TrayEvent& event);

    struct TInbox;
    TspSkinFrame* m_frame;
    TCustomForm* m_form;
    TspSkinPopupMenu* m_menu = nullptr;         // owned
    TspTrayMessageWindow* m_messages = nullptr; // owned: where the tray's thread posts
    std::shared_ptr<TInbox> m_inbox;
    std::unique_ptr<TrayIcon> m_icon;
    unsigned m_session = 0; // events of an earlier icon are dropped
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// Where icons come from: the desktop (ShowTrayIcon) unless a test puts another in its place.
// An empty opener gives the desktop back.
using TspTrayIconOpener = std::function<std::unique_ptr<TrayIcon>(
    const TrayIconContent& content, TrayEventHandler onEvent, std::string& why)>;
void SetTrayIconOpener(TspTrayIconOpener opener);

// Says once per process, on stderr, that the desktop has no status area and the window
// minimises instead; false when it was said already.
bool SayNoStatusArea(const std::string& why);
// Lets the next SayNoStatusArea speak again (tests).
void ResetNoStatusAreaNotice();
