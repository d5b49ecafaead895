// LOGIN: the version probe, the login request, the remembered login, the switch to the
// match page and the match list.
#include "app/Unit1.h"

#include "grid/NxGrid.h"
#include "platform/Shell.h"
#include "rtl/SysUtils.h"
#include "service/HttpClient.h"
#include "service/HttpErrors.h"
#include "service/MatchList.h"
#include "service/ServiceUrls.h"
#include "service/VersionProbe.h"
#include "skinctrls/SkinCheckRadioBox.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinLabel.h"
#include "skinctrls/SkinPasswordEdit.h"
#include "table/MatchRows.h"
#include "ui/Dialogs.h"

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

// A request that got no answer is not an answer: it neither logs in nor empties the list.
void TForm1::ShowServiceFailure(const AnsiString& reason) {
    ShowText("Cannot reach the tips service: " + reason);
}

bool TForm1::RunVersionProbe() {
    const TVersionProbeResult probe =
        ProbeVersion(BuildVersionProbeUrl(m_serviceHost), m_networkTimeoutMs);
    switch (probe.Answer) {
    case TVersionProbeAnswer::Served:
        return true;
    case TVersionProbeAnswer::Unreachable:
        // Nothing says this version is outdated: the user may try again later.
        ShowServiceFailure(probe.Reason);
        return false;
    case TVersionProbeAnswer::NotServed:
        break;
    }
    ShowText("Update New Version Programm Please!\n\rGo to site " +
             ServiceHostLabel(m_serviceHost) + "\n\r" + Utf8ToAnsi("Обновите программу с сайта!"));
    ShellExecute("open", BuildDownloadPageUrl(m_serviceHost));
    Close();
    return false;
}

bool TForm1::AskLoginUrl(AnsiString& answer) {
    try {
        HttpClient1->HttpGetText(BuildLoginUrl(m_serviceHost, CurrentLogin, CurrentPassword),
                                 answer);
    } catch (const EHttpProtocolError&) {
        // The service answered, with a status other than success: an answer all the same,
        // whose text is empty.
    } catch (const EHttpError& e) {
        // What arrived of a body before the connection broke is the answer; nothing at all is
        // not one.
        if (answer.empty()) {
            ShowServiceFailure(Utf8ToAnsi(e.what()));
            return false;
        }
    }
    return true;
}

void TForm1::logbClick(TObject*) {
    if (m_inLogin) return;
    TFlagGuard busy(m_inLogin);
    if (!RunVersionProbe()) return;
    CurrentLogin = loginedit->Text();
    CurrentPassword = passedit->Text();

    AnsiString answer;
    if (!AskLoginUrl(answer)) return;
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
    FG->ClearRows();
    AnsiString answer;
    if (!AskLoginUrl(answer)) return;
    if (answer.find("Failed") != AnsiString::npos) {
        ShowText(Utf8ToAnsi("Ошибка авторизации!"));
        return;
    }
    SetCaption("Brelvan (" + ParseSubscription(answer) + ")");
    int entries = 0;
    {
        // One repaint when the rows are in, not one per cell; a conversion error leaves the
        // rows added before it on show.
        FG->BeginUpdate();
        struct TEndUpdate {
            TNxGrid* grid;
            ~TEndUpdate() { grid->EndUpdate(); }
        } endUpdate{FG};
        ParseMatchList(
            answer, [this](const MatchEntry& entry) { AddMatchRow(*FG, entry); }, &entries);
    }
    if (entries == 0) return;
    fcount->SetCaption("Count: " + IntToStr(FG->RowCount()));
}
