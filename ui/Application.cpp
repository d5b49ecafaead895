// TApplication: the loop, hints and errors.
#include "ui/Application.h"

#include <cstdlib>

#include "gfx/DrawText.h"
#include "platform/Process.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"
#include "ui/ThreadMessages.h"
#include "ui/WindowIcon.h"
#include "ui/WindowSystem.h"

TApplication* Application = new TApplication();
TScreen* Screen = new TScreen();

TApplication::TApplication() : TComponent(nullptr) {
    m_exeName = ExecutablePath();
    std::string base = m_exeName.substr(m_exeName.find_last_of('/') + 1);
    size_t dot = base.find_last_of('.');
    if (dot != std::string::npos && dot > 0) base = base.substr(0, dot);
    m_title = base;
}

TApplication::~TApplication() = default;

void TApplication::Initialize() {
    CurrentDisplay(); // the display the program's entry chose (SetDisplay)
    CurrentDisplay().StartTextInput();
    // Forms are destroyed at exit (their OnDestroy runs) while the display still exists, and
    // the window system too: made before the handler is registered, it is destroyed after it.
    static bool registered = false;
    if (!registered) {
        registered = true;
        TWindowSystem::Get();
        std::atexit([] { Application->Reset(); });
    }
}

void TApplication::SetIcon(const TBitmap& icon) {
    m_icon = icon;
    if (!Screen) return;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (!form->Icon()->Empty()) continue;
        ShowWindowIcon(form);
        RedrawWindow(form, nullptr, RDW_FRAME);
    }
}

void TApplication::RegisterForm(TCustomForm* form) {
    if (!m_mainForm)
        if (auto* f = dynamic_cast<TForm*>(form)) m_mainForm = f;
}

void TApplication::Run() {
    if (m_mainForm && !m_mainForm->Visible()) m_mainForm->Show();
    while (!m_terminated) HandleMessage();
}

void TApplication::ProcessMessages() {
    TWindowSystem& ws = TWindowSystem::Get();
    AnswerTerminationRequest();
    TakeMessagesFromThreads();
    LoopTurn();
    // Bounded: a handler that keeps posting must not trap the caller here.
    for (int i = 0; i < 64 && ws.Pump(); ++i) {
    }
}

void TApplication::HandleMessage() {
    TWindowSystem& ws = TWindowSystem::Get();
    AnswerTerminationRequest();
    TakeMessagesFromThreads();
    const int turnLimit = LoopTurn();
    if (ws.Pump()) return;
    Idle();
    if (ws.Pump() || m_terminated) return;
    Display& d = CurrentDisplay();
    uint64_t now = d.Now();
    uint64_t due = ws.NextTimerDue();
    if (m_hintControl && !m_hintShown) due = std::min(due, m_hintDue);
    if (m_hintShown) due = std::min(due, m_hintHideAt);
    int timeout = 100;
    if (due != UINT64_MAX) timeout = due <= now ? 0 : int(std::min<uint64_t>(due - now, 100));
    if (turnLimit >= 0) timeout = std::min(timeout, turnLimit);
    DisplayEvent e;
    if (d.WaitEvent(e, timeout)) {
        try {
            ws.Dispatch(e);
        } catch (...) {
            HandleException(nullptr);
        }
    }
}

void TApplication::AnswerTerminationRequest() {
    if (!TakeTerminationRequest()) return;
    // As the user would: the boxes open first (innermost first), then the main form, whose
    // closing ends the loop. Whatever a form answers, the process was told to end.
    TWindowSystem& ws = TWindowSystem::Get();
    for (TCustomForm* form : ws.Modal().InnermostFirst())
        if (ws.Alive(form)) form->Close();
    if (m_mainForm && ws.Alive(m_mainForm)) m_mainForm->Close();
    Terminate();
}

int TApplication::LoopTurn() {
    if (!OnLoopTurn) return -1;
    try {
        return OnLoopTurn();
    } catch (...) {
        HandleException(this);
        return -1;
    }
}

void TApplication::Idle() {
    bool done = true;
    if (OnIdle) {
        try {
            OnIdle(this, done);
        } catch (...) {
            HandleException(this);
        }
    }
}

void TApplication::HandleException(TObject* sender) {
    try {
        throw;
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        if (OnException)
            OnException(sender, e);
        else
            ShowException(e);
    } catch (...) {
        Exception e("An unknown error occurred");
        if (OnException)
            OnException(sender, e);
        else
            ShowException(e);
    }
}

void TApplication::ShowException(const std::exception& e) {
    MessageBox(Utf8ToAnsi(e.what()), m_title, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const AnsiString& text, const AnsiString& caption, UINT flags) {
    return ShowMessageBox(text, caption.empty() ? m_title : caption, flags);
}

void ShowMessage(const AnsiString& text) {
    Application->MessageBox(text, "", MB_OK);
}

void TApplication::Reset() {
    CancelHint();
    TWindowSystem& ws = TWindowSystem::Get();
    while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
    for (TCustomForm* f : std::vector<TCustomForm*>(Screen->m_forms))
        if (ws.Alive(f)) delete f;
    m_hintWindow = nullptr;
    m_hintWindowClass = nullptr;
    m_hintControl = nullptr;
    m_hintShown = false;
    m_mainForm = nullptr;
    m_terminated = false;
    OnException = nullptr;
    OnIdle = nullptr;
    OnLoopTurn = nullptr;
    m_showHint = true;
    m_hintPause = 500;
    m_hintHidePause = 2500;
    m_hintColor = clInfoBk;
    Screen->m_cursor = crDefault;
    ws.Reset();
}

// --- hints ---

void TApplication::SetShowHint(bool value) {
    m_showHint = value;
    if (!value) HideHint();
}

namespace {
// The control under a screen point, windowless children included.
TControl* ControlAt(TPoint screen) {
    TWinControl* w = TWindowSystem::Get().WindowAt(screen);
    if (!w) return nullptr;
    TControl* c = w->ControlAtPos(w->ScreenToClient(screen), false, false);
    return c ? c : w;
}

bool WantsHint(TControl* c) {
    return c && c->ShowHint() && !c->Hint().empty();
}
} // namespace

void TApplication::MouseMoved(TPoint screen, TWinControl* under) {
    TControl* c = nullptr;
    if (under) {
        c = under->ControlAtPos(under->ScreenToClient(screen), false, false);
        if (!c) c = under;
    }
    if (c == m_hintControl) {
        if (m_hintShown && c && !m_hintCursorRect.Contains(c->ScreenToClient(screen))) HideHint();
        return;
    }
    bool wasShown = m_hintShown;
    HideHint();
    m_hintControl = c;
    if (!m_showHint || !WantsHint(c)) return;
    uint64_t now = CurrentDisplay().Now();
    m_hintDue = now + uint64_t(wasShown ? m_hintShortPause : m_hintPause);
}

void TApplication::UpdateHint() {
    if (!m_hintControl || !HasDisplay()) return;
    uint64_t now = CurrentDisplay().Now();
    if (m_hintShown) {
        if (now >= m_hintHideAt) {
            HideHint();
            m_hintDue = UINT64_MAX; // not again until the mouse moves to another control
        }
        return;
    }
    if (now >= m_hintDue) ActivateHint(TWindowSystem::Get().MousePos());
}

void TApplication::ActivateHint(TPoint cursorPos) {
    TControl* c = ControlAt(cursorPos);
    m_hintControl = c;
    m_hintDue = UINT64_MAX;
    if (!c || !m_showHint) return;
    THintInfo info;
    info.HintControl = c;
    info.HintStr = c->Hint();
    info.CursorPos = c->ScreenToClient(cursorPos);
    info.CursorRect = c->ClientRect();
    info.HintPos = {cursorPos.X, cursorPos.Y + 20};
    info.HintMaxWidth = Screen->Width();
    info.HintColor = m_hintColor;
    if (c->Perform(CM_HINTSHOW, 0, LPARAM(&info)) != 0 || info.HintStr.empty()) return;
    if (!m_hintWindow) m_hintWindow = m_hintWindowClass ? m_hintWindowClass(this) : nullptr;
    if (!m_hintWindow) m_hintWindow = new THintWindow(this);
    m_hintWindow->SetColor(info.HintColor);
    TRect r = m_hintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr);
    r = OffsetRect(r, info.HintPos.X, info.HintPos.Y);
    m_hintWindow->ActivateHint(r, info.HintStr);
    m_hintShown = true;
    m_hintCursorRect = info.CursorRect;
    uint64_t now = CurrentDisplay().Now();
    m_hintHideAt = now + uint64_t(info.HideTimeout > 0 ? info.HideTimeout : m_hintHidePause);
    if (OnHint) OnHint(this);
}

void TApplication::SetHintWindowClass(THintWindowClass make) {
    HideHint();
    THintWindow* old = m_hintWindow;
    m_hintWindow = nullptr;
    delete old;
    m_hintWindowClass = std::move(make);
}

void TApplication::HideHint() {
    if (m_hintWindow && m_hintShown) m_hintWindow->ReleaseHandle();
    m_hintShown = false;
}

void TApplication::CancelHint() {
    HideHint();
    m_hintDue = UINT64_MAX;
}

void TApplication::CancelHintFor(const TControl* control) {
    if (m_hintControl == control) {
        HideHint();
        m_hintControl = nullptr;
    }
    if (m_hintWindow == control) {
        m_hintWindow = nullptr;
        m_hintShown = false;
    }
}
