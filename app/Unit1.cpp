// The main window's life: creation, the remembered login and the switch between the pages.
#include "app/Unit1.h"

#include "app/RememberedLogin.h"
#include "app/ServiceHost.h"
#include "app/ServiceWorker.h"
#include "grid/NxGrid.h"
#include "rtl/FileUtils.h"
#include "rtl/StringList.h"
#include "service/HttpClient.h"
#include "service/ServiceUrls.h"
#include "skinctrls/SkinCheckRadioBox.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinPageControl.h"
#include "skinctrls/SkinPasswordEdit.h"

AnsiString CurrentLogin;
AnsiString CurrentPassword;
TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    m_serviceHost = ServiceHostFromEnvironment();
    CreateComponents();
    m_service = std::make_unique<TServiceWorker>(HttpClient1, this);
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

TForm1::~TForm1() {
    // First, while every component is there: a request still out is ended.
    m_service.reset();
    if (Form1 == this) Form1 = nullptr;
    // The globals live as long as the process; nothing of a login outlives its window.
    CurrentLogin.clear();
    CurrentPassword.clear();
}

void TForm1::AfterConstruction() {
    // As the framework treats a creation handler that fails: the error box, and the window
    // opens all the same with what was done before the failure.
    try {
        TForm::AfterConstruction();
    } catch (...) {
        Application->HandleException(this);
    }
}

void TForm1::FormCreate(TObject*) {
    LoadRememberedLogin();
    Page->SetActivePageIndex(0);
    spSkinTabSheet2->SetTabVisible(false);
    spSkinTabSheet1->SetTabVisible(true);
    // Typing starts in the login box.
    SetActiveControl(loginedit);
}

void TForm1::LoadRememberedLogin() {
    if (!FileExists(kRememberedLoginFileName)) return;
    zap->SetChecked(true);
    TStringList lines;
    ReadRememberedLogin(kRememberedLoginFileName, lines);
    loginedit->SetText(lines[0]);
    passedit->SetText(lines[1]);
}

void TForm1::SaveRememberedLogin() {
    WriteRememberedLogin(kRememberedLoginFileName, CurrentLogin, CurrentPassword);
}

void TForm1::ForgetRememberedLogin() {
    DeleteRememberedLogin(kRememberedLoginFileName);
}

void TForm1::ShowMatchPage() {
    Page->SetActivePageIndex(1);
    spSkinTabSheet1->SetTabVisible(false);
    spSkinTabSheet2->SetTabVisible(true);
    // The keyboard goes on in the table of matches.
    if (FG->CanFocus()) FG->SetFocus();
}

void TForm1::SetNetworkTimeoutMs(int ms) {
    m_networkTimeoutMs = ms;
    HttpClient1->SetTimeoutMs(ms);
}

AnsiString TForm1::SiteUrl() const {
    return BuildSiteHomeUrl(m_serviceHost);
}
