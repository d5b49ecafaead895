// Message boxes and the file dialogs, driven while their modal loops wait.
#include <filesystem>
#include <fstream>

#include "UiTest.h"
#include "ui/Dialogs.h"
#include "ui/StdCtrls.h"

namespace fs = std::filesystem;

namespace {
TForm* ActiveDialog(TForm* except) {
    auto* f = dynamic_cast<TForm*>(Screen->ActiveForm());
    return f != except ? f : nullptr;
}

template <class T> T* Find(TWinControl* parent, const AnsiString& caption = "") {
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* c = dynamic_cast<T*>(parent->Controls(i));
            c && (caption.empty() || c->Caption() == caption))
            return c;
    return nullptr;
}
} // namespace

TEST_F(UiTest, MessageBoxesAnswerWithTheButtonPressed) {
    TForm* main = NewForm();
    main->Show();
    AnsiString title, text;
    Application->OnIdle = [&](TObject*, bool&) {
        TForm* box = ActiveDialog(main);
        if (!box) return;
        title = box->Caption();
        text = Find<TLabel>(box)->Caption();
        Click(Find<TButton>(box, "&No"), 5, 5);
    };
    EXPECT_EQ(Application->MessageBox("Replace?\r\nIt exists.", "", MB_YESNO), IDNO);
    EXPECT_EQ(title, Application->Title());
    EXPECT_EQ(text, "Replace?\r\nIt exists.");
    // Escape cancels; closing a box with only OK answers OK.
    Application->OnIdle = [&](TObject*, bool&) {
        if (ActiveDialog(main)) display->KeyPress(VK_ESCAPE);
    };
    EXPECT_EQ(ShowMessageBox("Go on?", "Question", MB_OKCANCEL), IDCANCEL);
    Application->OnIdle = [&](TObject*, bool&) {
        if (TForm* box = ActiveDialog(main)) box->Close();
    };
    EXPECT_EQ(ShowMessageBox("Done", "", MB_OK), IDOK);
    Application->OnIdle = nullptr;
    EXPECT_EQ(Screen->FormCount(), 1);
}

class FileDialogTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        dir = fs::temp_directory_path() / ("ui-dialog-" + std::to_string(::getpid()));
        fs::create_directories(dir / "sub");
        std::ofstream(dir / "a.brelvan") << "1";
        std::ofstream(dir / "b.txt") << "2";
        main = NewForm();
        main->Show();
    }
    void TearDown() override {
        UiTest::TearDown();
        fs::remove_all(dir);
    }
    fs::path dir;
    TForm* main = nullptr;
};

TEST_F(FileDialogTest, OpenListsFoldersAndMatchingFilesAndReturnsThePath) {
    TOpenDialog dialog(nullptr);
    dialog.SetTitle("Open skin");
    dialog.SetFilter("BrelvanFile|*.brelvan");
    dialog.SetInitialDir(dir.string());
    AnsiString caption;
    std::vector<std::string> listed;
    Application->OnIdle = [&](TObject*, bool&) {
        TForm* box = ActiveDialog(main);
        if (!box) return;
        caption = box->Caption();
        // The file name field has the focus: type a listed name and press Enter.
        display->Type("a.brelvan");
        display->KeyPress(VK_RETURN);
    };
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(caption, "Open skin");
    EXPECT_EQ(fs::path(dialog.FileName()), dir / "a.brelvan");
    EXPECT_TRUE(TOpenDialog::MatchesPattern("x.BRELVAN", "*.brelvan"));
    EXPECT_FALSE(TOpenDialog::MatchesPattern("b.txt", "*.brelvan"));
    EXPECT_TRUE(TOpenDialog::MatchesPattern("b.txt", "*.brelvan;*.txt"));
    // Cancel returns false and keeps the previous name.
    Application->OnIdle = [&](TObject*, bool&) {
        if (ActiveDialog(main)) display->KeyPress(VK_ESCAPE);
    };
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(fs::path(dialog.FileName()), dir / "a.brelvan");
    Application->OnIdle = nullptr;
}

TEST_F(FileDialogTest, SaveAddsTheDefaultExtensionAndAsksBeforeReplacing) {
    TSaveDialog dialog(nullptr);
    dialog.SetFilter("BrelvanFile|*.brelvan");
    dialog.SetDefaultExt("brelvan");
    dialog.SetInitialDir(dir.string());
    dialog.SetOptions(ofOverwritePrompt);
    Application->OnIdle = [&](TObject*, bool&) {
        if (!ActiveDialog(main)) return;
        display->Type("preset");
        display->KeyPress(VK_RETURN);
    };
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(fs::path(dialog.FileName()), dir / "preset.brelvan");
    // An existing file: the question comes, and No keeps the dialog open until Cancel.
    int questions = 0;
    Application->OnIdle = [&](TObject*, bool&) {
        TForm* top = ActiveDialog(main);
        if (!top) return;
        if (Find<TButton>(top, "&No")) {
            ++questions;
            display->KeyPress('N', ModAlt);
            return;
        }
        if (questions == 0) {
            display->Type("a");
            display->KeyPress(VK_RETURN);
        } else {
            display->KeyPress(VK_ESCAPE);
        }
    };
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(questions, 1);
    Application->OnIdle = nullptr;
}
