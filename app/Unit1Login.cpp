// LOGIN: the version probe, the login request, the remembered login, the switch to the
// match page and the match list. The three requests run one after another on the service
// worker; each handler here starts one, and the outcome arrives as a posted message that
// carries the flow on, so the window paints and answers while the service takes its time.
#include "app/Unit1.h"

#include "app/ServiceMessages.h"
#include "app/ServiceWorker.h"
#include "grid/NxGrid.h"
#include "platform/Shell.h"
#include "rtl/SysUtils.h"
#include "service/MatchList.h"
#include "service/ServiceUrls.h"
#include "skinctrls/SkinCheckRadioBox.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinLabel.h"
#include "skinctrls/SkinPasswordEdit.h"
#include "skinctrls/SkinStdLabel.h"
#include "table/MatchRows.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/MessageTable.h"

namespace {

// Clears a flag when the scope ends, however it ends.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : m_flag(flag) { m_flag = true; }
    ~TFlagGuard() { m_flag = false; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& m_flag;
};

void ShowText(const AnsiString& text) {
    Application->MessageBox(text, "", MB_OK);
}

} // namespace

bool TForm1::ServiceBusy() const {
    return m_service->Busy();
}

void TForm1::CancelServiceRequest() {
    if (!m_service->Busy()) return;
    m_service->Cancel();
    EndWaiting();
}

bool TForm1::CloseQuery() {
    CancelServiceRequest();
    return TForm::CloseQuery();
}

void TForm1::KeyDown(WORD& key, TShiftState shift) {
    if (key == VK_ESCAPE && ServiceBusy()) {
        CancelServiceRequest();
        key = 0;
        return;
    }
    if (ShortcutKey(key, shift)) {
        key = 0;
        return;
    }
    TForm::KeyDown(key, shift);
}

void TForm1::DefaultHandler(TMessage& m) {
    static const TMessageTable<TForm1> table = {{kServiceDoneMessage, &TForm1::WMServiceDone}};
    if (!table.Dispatch(*this, m)) TForm::DefaultHandler(m);
}

void TForm1::WaitFor(TServiceStep step) {
    m_step = step;
    Screen->SetCursor(crHourGlass);
    // Quick answers show nothing; a slow one gets a quiet word after a second.
    m_waitTimer->SetEnabled(false);
    m_waitTimer->SetEnabled(true);
}

void TForm1::EndWaiting() {
    m_step = TServiceStep::None;
    m_waitTimer->SetEnabled(false);
    connectingLabel->Hide();
    loadingLabel->Hide();
    Screen->SetCursor(crDefault);
}

void TForm1::ShowWaitNotice() {
    m_waitTimer->SetEnabled(false);
    if (m_step == TServiceStep::Probe || m_step == TServiceStep::Login) connectingLabel->Show();
    if (m_step == TServiceStep::MatchList) loadingLabel->Show();
}

void TForm1::WMServiceDone(TWMServiceDone& m) {
    TServiceOutcome outcome;
    if (!m_service->TakeOutcome(m.Ticket, outcome)) return; // cancelled
    const TServiceStep step = m_step;
    EndWaiting();
    TFlagGuard inLogin(m_inLogin);
    switch (step) {
    case TServiceStep::Probe:
        ProbeDone(outcome);
        break;
    case TServiceStep::Login:
        LoginDone(outcome);
        break;
    case TServiceStep::MatchList:
        MatchListDone(outcome);
        break;
    case TServiceStep::None:
        break;
    }
}

bool TForm1::ShowServiceProblem(const TServiceOutcome& outcome) {
    switch (outcome.Kind) {
    case TServiceOutcome::TKind::Answer:
        return false;
    case TServiceOutcome::TKind::Status:
        // An error status is no answer to read: the service said no, in its own way.
        ShowText(ServiceStatusText(outcome.StatusLine, outcome.Location));
        return true;
    case TServiceOutcome::TKind::Failure:
        ShowText(ServiceFailureText(m_serviceHost, m_networkTimeoutMs, Utf8ToAnsi(outcome.Reason)));
        return true;
    }
    return true;
}

void TForm1::logbClick(TObject*) {
    if (m_inLogin || ServiceBusy()) return;
    m_service->StartProbe(BuildVersionProbeUrl(m_serviceHost), m_networkTimeoutMs);
    WaitFor(TServiceStep::Probe);
}

void TForm1::ProbeDone(const TServiceOutcome& outcome) {
    const TVersionProbeResult& probe = outcome.Probe;
    switch (probe.Answer) {
    case TVersionProbeAnswer::Served:
        CurrentLogin = loginedit->Text();
        CurrentPassword = passedit->Text();
        m_service->StartGet(BuildLoginUrl(m_serviceHost, CurrentLogin, CurrentPassword));
        WaitFor(TServiceStep::Login);
        return;
    case TVersionProbeAnswer::Unreachable:
        // Nothing says this version is outdated: the user may try again later.
        ShowText(ServiceFailureText(m_serviceHost, m_networkTimeoutMs, probe.Reason));
        return;
    case TVersionProbeAnswer::NotServed:
        break;
    }
    ShowText("Update New Version Programm Please!\n\rGo to site " +
             ServiceHostLabel(m_serviceHost) + "\n\r" + Utf8ToAnsi("Обновите программу с сайта!"));
    if (Application->Terminated()) return; // the box was closed by the end of the session
    ShellExecute("open", BuildDownloadPageUrl(m_serviceHost));
    Close();
}

void TForm1::LoginDone(const TServiceOutcome& outcome) {
    if (ShowServiceProblem(outcome)) return; // on the login page, no file touched
    const AnsiString& answer = outcome.Body;
    if (answer.find("Fail") != AnsiString::npos) {
        ShowText("Autorization Failed!");
        return;
    }
    AnsiString subscription;
    GetTagValue(answer, "PODPISKA", subscription);
    SetCaption("Brelvan (" + subscription + ")");
    if (zap->Checked())
        SaveRememberedLogin();
    else
        ForgetRememberedLogin();
    ShowMatchPage();
    LoadMatchList();
}

void TForm1::LoadMatchList() {
    m_service->StartMatchList(BuildLoginUrl(m_serviceHost, CurrentLogin, CurrentPassword));
    WaitFor(TServiceStep::MatchList);
}

void TForm1::MatchListDone(TServiceOutcome& outcome) {
    if (ShowServiceProblem(outcome)) return; // the caption and the rows stay
    FG->ClearRows();
    if (!outcome.Parsed) { // the answer holds "Failed"
        ShowText(Utf8ToAnsi("Ошибка авторизации!"));
        return;
    }
    SetCaption("Brelvan (" + outcome.Subscription + ")");
    if (outcome.Entries.empty()) return;
    {
        // One repaint when the rows are in, not one per cell; a conversion error leaves the
        // rows added before it on show.
        FG->BeginUpdate();
        struct TEndUpdate {
            TNxGrid* grid;
            ~TEndUpdate() { grid->EndUpdate(); }
        } endUpdate{FG};
        for (const MatchEntry& entry : outcome.Entries) AddMatchRow(*FG, entry);
    }
    fcount->SetCaption("Count: " + IntToStr(FG->RowCount()));
    MarkTableFocus(FG);
}
