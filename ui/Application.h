#pragma once
// The application object: the message loop, hints, errors and the forms it owns.
#include <exception>
#include <functional>
#include <string>

#include "ui/Form.h"
#include "ui/HintWindow.h"
#include "ui/WinControl.h"

using TExceptionEvent = std::function<void(TObject* sender, const std::exception& e)>;
using TIdleEvent = std::function<void(TObject* sender, bool& done)>;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    void Initialize();
    // Creates a form owned by the application; the first becomes the main form. Raises
    // OnCreate (AfterConstruction) before returning.
    template <class T> T* CreateForm() {
        T* form = new T(this);
        RegisterForm(form);
        form->AfterConstruction();
        return form;
    }
    template <class T> void CreateForm(T*& ref) { ref = CreateForm<T>(); }
    // Shows the main form and runs the loop until it closes or Terminate is called. Every
    // loop, modal ones included, closes the forms when the process is asked to end by a
    // signal (CatchTerminationSignals) and takes the messages other threads posted
    // (ui/ThreadMessages.h).
    void Run();
    // Handles every message that is waiting (input, posted, timers, paint), then returns.
    void ProcessMessages();
    // Waits for one message (or a timer) and handles it.
    void HandleMessage();
    void Terminate() { m_terminated = true; }
    bool Terminated() const { return m_terminated; }
    TForm* MainForm() const { return m_mainForm; }

    // The executable's name without folder and extension.
    const AnsiString& Title() const { return m_title; }
    void SetTitle(const AnsiString& title) { m_title = title; }
    const std::string& ExeName() const { return m_exeName; }
    // The icon of every form that has none of its own; empty: the platform's default.
    const TBitmap* Icon() const { return &m_icon; }
    void SetIcon(const TBitmap& icon);

    // Hints.
    TColor HintColor() const { return m_hintColor; }
    void SetHintColor(TColor color) { m_hintColor = color; }
    int HintPause() const { return m_hintPause; }
    void SetHintPause(int ms) { m_hintPause = ms; }
    int HintShortPause() const { return m_hintShortPause; }
    void SetHintShortPause(int ms) { m_hintShortPause = ms; }
    int HintHidePause() const { return m_hintHidePause; }
    void SetHintHidePause(int ms) { m_hintHidePause = ms; }
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool value);
    // Shows the hint of the control under cursorPos (screen) now, without waiting.
    void ActivateHint(TPoint cursorPos);
    void CancelHint();
    void HideHint();
    // Forgets a control that is going away (no hint is shown for it any more).
    void CancelHintFor(const TControl* control);
    // Called by the window system on every mouse move (screen coordinates).
    void MouseMoved(TPoint screen, TWinControl* under);
    THintWindow* HintWindow() const { return m_hintWindow; }
    // Makes the hint window (its owner is the application); unset: a plain THintWindow.
    // Setting it drops the window made so far, so the next hint wears the new kind.
    using THintWindowClass = std::function<THintWindow*(TComponent* owner)>;
    void SetHintWindowClass(THintWindowClass make);

    // Errors: an exception that leaves a handler ends up here.
    void HandleException(TObject* sender);
    void ShowException(const std::exception& e);
    TExceptionEvent OnException;
    TIdleEvent OnIdle;
    TNotifyEvent OnHint;
    // Runs on every turn of every loop, modal ones included, before the loop waits: work
    // that belongs to the UI thread but arrives by other means than the display (a bridge's
    // requests). It answers how long the loop may wait at most, in ms (negative: no limit);
    // whoever has work for it wakes the display's wait (Display::Wake).
    std::function<int()> OnLoopTurn;

    // A modal message box (the application's title when caption is empty); returns IDOK...
    int MessageBox(const AnsiString& text, const AnsiString& caption, UINT flags = MB_OK);

    // Destroys every form, the hint window, timers and posted messages (between tests).
    void Reset();

    void RegisterForm(TCustomForm* form);

private:
    friend class TWindowSystem;
    friend class TCustomForm;
    void Idle();
    int LoopTurn();
    void UpdateHint();
    // A termination signal (platform/Process.h) closes the forms the ordinary way.
    void AnswerTerminationRequest();

    TForm* m_mainForm = nullptr;
    bool m_terminated = false;
    TBitmap m_icon;
    AnsiString m_title;
    std::string m_exeName;
    TColor m_hintColor = clInfoBk;
    int m_hintPause = 500;
    int m_hintShortPause = 50;
    int m_hintHidePause = 2500;
    bool m_showHint = true;
    THintWindow* m_hintWindow = nullptr;
    THintWindowClass m_hintWindowClass;
    TControl* m_hintControl = nullptr;
    uint64_t m_hintDue = 0;
    uint64_t m_hintHideAt = 0;
    TRect m_hintCursorRect;
    bool m_hintShown = false;
};

extern TApplication* Application;

// The application's message box (Application->MessageBox with its title).
void ShowMessage(const AnsiString& text);
