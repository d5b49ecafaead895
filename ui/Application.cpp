// TApplication (the loop, hints, errors), TScreen (forms and cursors) and the hint window.
#include <cstdlib>

#include "gfx/DrawText.h"
#include "platform/Process.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"
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
    // Bounded: a handler that keeps posting must not trap the caller here.
    for (int i = 0; i < 64 && ws.Pump(); ++i) {
    }
}

void TApplication::HandleMessage() {
    TWindowSystem& ws = TWindowSystem::Get();
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
    DisplayEvent e;
    if (d.WaitEvent(e, timeout)) {
        try {
            ws.Dispatch(e);
        } catch (...) {
            HandleException(nullptr);
        }
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

// --- THintWindow ---

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    m_visible = false;
    m_parentFont = false;
    m_parentColor = false;
    m_style = WS_POPUP | WS_BORDER;
    m_color = Application->HintColor();
    m_font.Assign(*Screen->HintFont());
    CreateHandle();
}

THintWindow::~THintWindow() {
    Application->CancelHintFor(this);
}

TRect THintWindow::CalcHintRect(int maxWidth, const AnsiString& hint) {
    TCanvas canvas;
    TBitmap scratch(1, 1);
    canvas.SetSurface(&scratch);
    canvas.SetFont(m_font);
    TRect r = Rect(0, 0, std::max(1, maxWidth - 8), 0);
    DrawText(canvas, hint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.Right += 6 + 2;
    r.Bottom += 2 + 2;
    return r;
}

void THintWindow::ActivateHint(const TRect& rect, const AnsiString& hint) {
    m_text = hint;
    TRect r = rect;
    // Keep the hint on the screen.
    int sw = Screen->Width(), sh = Screen->Height();
    if (r.Right > sw) r = OffsetRect(r, sw - r.Right, 0);
    if (r.Left < 0) r = OffsetRect(r, -r.Left, 0);
    if (r.Bottom > sh) r = OffsetRect(r, 0, sh - r.Bottom);
    if (r.Top < 0) r = OffsetRect(r, 0, -r.Top);
    SetBoundsRect(r);
    m_visible = true;
    m_shown = true;
    TWindowSystem::Get().ShowTopLevel(this, true, false, true);
    Invalidate();
}

void THintWindow::ReleaseHandle() {
    if (!m_shown) return;
    m_shown = false;
    m_visible = false;
    TWindowSystem::Get().ShowTopLevel(this, false, false, true);
}

TPoint THintWindow::ClientOrigin() const {
    return {m_left + m_clientInWindow.Left, m_top + m_clientInWindow.Top};
}

int THintWindow::DisplayWindow() const {
    return m_wnd->displayId;
}

void THintWindow::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(m_color);
    c->FillRect(ClientRect());
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(clInfoText);
    TRect r = InflateRect(ClientRect(), -2, -1);
    r.Left += 1;
    DrawText(*c, m_text, r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

// --- TScreen ---

TScreen::TScreen() : TComponent(nullptr) {
    m_hintFont.SetName("MS Sans Serif");
    m_hintFont.SetHeight(-11);
    m_hintFont.SetColor(clInfoText);
}

TCustomForm* TScreen::Forms(int index) const {
    CheckListIndex(index, FormCount());
    return m_forms[size_t(index)];
}

TWinControl* TScreen::ActiveControl() const {
    return m_activeForm ? m_activeForm->ActiveControl() : nullptr;
}

void TScreen::SetCursor(TCursor cursor) {
    m_cursor = cursor;
    if (cursor != crDefault) ShowCursor(cursor);
}

HCURSOR TScreen::Cursors(int index) const {
    for (const auto& [i, c] : m_cursors)
        if (i == index) return c;
    return 0;
}

void TScreen::SetCursors(int index, HCURSOR cursor) {
    for (auto& [i, c] : m_cursors)
        if (i == index) {
            c = cursor;
            return;
        }
    m_cursors.push_back({index, cursor});
}

int TScreen::Width() const {
    return HasDisplay() ? CurrentDisplay().ScreenRect().w : 0;
}
int TScreen::Height() const {
    return HasDisplay() ? CurrentDisplay().ScreenRect().h : 0;
}
TRect TScreen::WorkAreaRect() const {
    return GetWorkArea();
}

void TScreen::ShowCursor(TCursor cursor) {
    if (m_cursor != crDefault) cursor = m_cursor;
    if (cursor == m_shownCursor || !HasDisplay()) return;
    m_shownCursor = cursor;
    Display& d = CurrentDisplay();
    if (cursor > 0) {
        if (HCURSOR h = Cursors(cursor)) {
            d.SetCursorImage(h);
            return;
        }
        d.SetCursor(CursorShape::Arrow);
        return;
    }
    CursorShape shape = CursorShape::Arrow;
    switch (cursor) {
    case crIBeam:
        shape = CursorShape::IBeam;
        break;
    case crHandPoint:
        shape = CursorShape::Hand;
        break;
    case crSizeWE:
    case crHSplit:
        shape = CursorShape::SizeWE;
        break;
    case crSizeNS:
    case crVSplit:
        shape = CursorShape::SizeNS;
        break;
    case crSizeAll:
        shape = CursorShape::SizeAll;
        break;
    case crNoDrop:
    case crNo:
        shape = CursorShape::No;
        break;
    case crDrag:
        shape = CursorShape::Drag;
        break;
    case crCross:
        shape = CursorShape::Cross;
        break;
    case crHourGlass:
        shape = CursorShape::Wait;
        break;
    default:
        break;
    }
    d.SetCursor(shape);
}

HCURSOR CreateCursorFromImage(const TBitmap& image, TPoint hotSpot) {
    if (image.Empty()) return 0;
    return CurrentDisplay().CreateCursorImage(image.Bits(), image.Width(), image.Height(),
                                              hotSpot.X, hotSpot.Y);
}
