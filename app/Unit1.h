#pragma once
// The main window: the login page "About" and the match page "Football" with the match
// grid, its filtered copy and the filter panel. Every component belongs to the window for
// the life of the process; Unit1Layout.cpp places them as the window is designed, the other
// Unit1*.cpp files hold the handlers.

#include "gfx/Bitmap.h"
#include "gfx/ImageList.h"
#include "rtl/Strings.h"
#include "ui/Forms.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TImage;
class TNxGrid;
class THttpClient;
class TspCompressedStoredSkin;
class TspSkinData;
class TspSkinFrame;
class TspSkinPageControl;
class TspSkinTabSheet;
class TspSkinStdLabel;
class TspSkinLinkLabel;
class TspSkinShadowLabel;
class TspSkinLabel;
class TspSkinCheckRadioBox;
class TspSkinEdit;
class TspSkinPasswordEdit;
class TspSkinButton;
class TspSkinXFormButton;
class TspSkinPanel;
class TspSkinGroupBox;
class TspSkinBevel;
class TspSkinSpinEdit;
struct TWMServiceDone;
class TspOpenSkinDialog;
class TspSkinSaveDialog;
class TServiceWorker;
class TTimer;
struct TServiceOutcome;

// The login and password taken at LOGIN; they build both service requests and are what
// the remembered login keeps.
extern AnsiString CurrentLogin;
extern AnsiString CurrentPassword;

// The program's version, as the login page shows it and the service's marker path names it.
constexpr const char* kProgramVersion = "3.3";

// The window's fixed client size.
constexpr int kForm1ClientWidth = 803;
constexpr int kForm1ClientHeight = 589;

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    // Runs FormCreate; a failure in it is shown in the standard error box and the window
    // still opens.
    void AfterConstruction() override;
    // Closing the window ends a request in progress at once.
    bool CloseQuery() override;

    // --- non-visual components ---
    TspSkinFrame* spSkinFrame1 = nullptr;
    TspSkinData* spSkinData1 = nullptr;
    TspCompressedStoredSkin* spCompressedStoredSkin1 = nullptr;
    THttpClient* HttpClient1 = nullptr;
    TImageList* ImageList1 = nullptr; // country flags of the grids' flag column
    TImageList* ImageList2 = nullptr; // tab images
    TspOpenSkinDialog* load = nullptr;
    TspSkinSaveDialog* save = nullptr;

    // --- the pages ---
    TspSkinPageControl* Page = nullptr;
    TspSkinTabSheet* spSkinTabSheet1 = nullptr; // "About"
    TspSkinTabSheet* spSkinTabSheet2 = nullptr; // "Football"

    // --- "About" ---
    TImage* Image1 = nullptr;
    TspSkinStdLabel* spSkinStdLabel1 = nullptr;       // "Login", under the picture
    TspSkinStdLabel* spSkinStdLabel2 = nullptr;       // "Password", under the picture
    TspSkinStdLabel* spSkinStdLabel3 = nullptr;       // "Site Soft:", under the picture
    TspSkinLinkLabel* spSkinLinkLabel1 = nullptr;     // the site, under the picture
    TspSkinStdLabel* spSkinStdLabel4 = nullptr;       // "LOGIN"
    TspSkinStdLabel* spSkinStdLabel5 = nullptr;       // "PASSWORD"
    TspSkinShadowLabel* spSkinShadowLabel1 = nullptr; // "Version 3.3"
    TspSkinLinkLabel* spSkinLinkLabel2 = nullptr;     // the product site
    TspSkinCheckRadioBox* zap = nullptr;              // "Remember"
    TspSkinEdit* loginedit = nullptr;
    TspSkinPasswordEdit* passedit = nullptr;
    TspSkinXFormButton* logb = nullptr;         // "LOGIN"
    TspSkinStdLabel* connectingLabel = nullptr; // "Connecting…" under LOGIN, while it waits

    // --- "Football" ---
    TspSkinPanel* spSkinPanel1 = nullptr;
    TspSkinXFormButton* fi = nullptr;                  // "..."
    TspSkinLabel* fcount = nullptr;                    // "Count: n"
    TspSkinStdLabel* loadingLabel = nullptr;           // "Loading matches…", while it waits
    std::array<TspSkinCheckRadioBox*, 4> radioBoxes{}; // hidden: All, Recoming, Risky, Filter
    TNxGrid* FG = nullptr;
    TNxGrid* FG5 = nullptr;
    TspSkinGroupBox* filter = nullptr;

    // --- the filter panel ---
    TspSkinXFormButton* spSkinXFormButton1 = nullptr; // LOAD (hidden)
    TspSkinXFormButton* spSkinXFormButton5 = nullptr; // SAVE (hidden)
    TspSkinButton* spSkinButton1 = nullptr;           // CLEAR
    TspSkinBevel* spSkinBevel2 = nullptr;
    TspSkinShadowLabel* spSkinShadowLabel2 = nullptr; // "Odds"
    TspSkinShadowLabel* spSkinShadowLabel3 = nullptr; // "Precent"
    TspSkinShadowLabel* spSkinShadowLabel4 = nullptr; // "Count"
    TspSkinBevel* spSkinBevel1 = nullptr;
    TspSkinXFormButton* spSkinXFormButton4 = nullptr; // CANCEL
    TspSkinXFormButton* spSkinXFormButton3 = nullptr; // OK
    std::array<TspSkinStdLabel*, 10> rangeLabels{};   // one per range, f1/f2 first
    std::array<TspSkinSpinEdit*, 20> f{};             // f[0] is f1

    // --- handlers ---
    void FormCreate(TObject* sender);
    void logbClick(TObject* sender);
    void LoadMatchList();
    void fiClick(TObject* sender);
    void spSkinXFormButton4Click(TObject* sender); // CANCEL
    void spSkinXFormButton3Click(TObject* sender); // OK
    void spSkinButton1Click(TObject* sender);      // CLEAR
    void spSkinXFormButton5Click(TObject* sender); // SAVE
    void spSkinXFormButton1Click(TObject* sender); // LOAD

    void LoadRememberedLogin();
    void SaveRememberedLogin();
    void ForgetRememberedLogin();
    // The one-way switch from the login page to the match page.
    void ShowMatchPage();
    // Places the grid on show beside or under the filter panel.
    void LayoutFootballPage();

    // The tips service and product site (host[:port]), from BRELVAN_SERVICE or the build.
    const AnsiString& ServiceHost() const { return m_serviceHost; }
    void SetServiceHost(const AnsiString& host) { m_serviceHost = host; }
    // The time limit of each service request, in milliseconds.
    int NetworkTimeoutMs() const { return m_networkTimeoutMs; }
    void SetNetworkTimeoutMs(int ms);
    // The product site's address as the link labels show and open it.
    AnsiString SiteUrl() const;

    // The grid on show on the match page: FG5 after OK, FG before.
    TNxGrid* ShownGrid() const;

    // True while a request to the tips service is out (the probe, the login or the match
    // list); the window goes on answering meanwhile.
    bool ServiceBusy() const;
    // Ends the request that is out, as Escape does: the page stays as it was.
    void CancelServiceRequest();
    // How long a request may wait before the window says that it waits, in milliseconds.
    static constexpr unsigned kWaitNoticeMs = 1000;

    // Opens the download page; replaceable so that tests see the URL instead of a browser.
    std::function<void(const AnsiString& url)> OpenDownloadPage;

    // A request's outcome (kServiceDoneMessage); the rest goes to the form.
    void DefaultHandler(TMessage& m) override;

protected:
    void KeyDown(WORD& key, TShiftState shift) override; // Escape ends a request

private:
    void CreateComponents();                        // Unit1Layout.cpp
    void CreateAboutPage(TBitmap* preparedPicture); // decoded ahead, or null
    void CreateFootballPage();
    void CreateFilterPanel();
    void ConnectHandlers();
    void LoadPictures();
    // Labels for the boxes, names of the filter boxes, the count announced (Unit1Accessible.cpp).
    void DescribeForScreenReaders();
    // The window's own keys (Unit1Keyboard.cpp); true when the key was used.
    bool ShortcutKey(WORD key, TShiftState shift);
    // A table that has the keyboard shows where: its first row is made current when none is.
    void MarkTableFocus(TNxGrid* grid);

    // --- the requests of LOGIN, one after another beside the UI thread (Unit1Login.cpp) ---
    enum class TServiceStep { None, Probe, Login, MatchList };
    void WaitFor(TServiceStep step);
    void EndWaiting();
    void ShowWaitNotice();
    void WMServiceDone(TWMServiceDone& m);
    void ProbeDone(const TServiceOutcome& outcome);
    void LoginDone(const TServiceOutcome& outcome);
    void MatchListDone(TServiceOutcome& outcome);
    // An outcome without an answer's text (refused, failed): said, and true.
    bool ShowServiceProblem(const TServiceOutcome& outcome);

    AnsiString m_serviceHost;
    int m_networkTimeoutMs = 30000;
    TBitmap m_flagGlyph;
    bool m_inLogin = false; // LOGIN does not run inside itself (a box of it may be open)
    std::unique_ptr<TServiceWorker> m_service;
    TServiceStep m_step = TServiceStep::None;
    TTimer* m_waitTimer = nullptr; // brings the wait notice up after kWaitNoticeMs
};

extern TForm1* Form1;
