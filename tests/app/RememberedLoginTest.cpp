// The remembered login: what the window fills in at start, and what the file holds.

#include "AppTest.h"

#include "app/RememberedLogin.h"
#include "rtl/StringList.h"
#include "skinctrls/SkinCheckRadioBox.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinPageControl.h"
#include "skinctrls/SkinPasswordEdit.h"

#include <fstream>

namespace apptest {
namespace {

using RememberedLogin = AppTest;

struct Shown {
    bool remember;
    AnsiString login, password;
    bool aboutTab, footballTab;
    int page;
};

Shown WhatTheLoginPageShows(TForm1* form) {
    return {form->zap->Checked(),
            form->loginedit->Text(),
            form->passedit->Text(),
            form->spSkinTabSheet1->TabVisible(),
            form->spSkinTabSheet2->TabVisible(),
            form->Page->ActivePageIndex()};
}

TEST_F(RememberedLogin, WithoutAFileTheBoxesAreEmptyAndOnlyTheLoginTabShows) {
    StartWindow();
    Shown s = WhatTheLoginPageShows(form);
    EXPECT_FALSE(s.remember);
    EXPECT_EQ(s.login, "");
    EXPECT_EQ(s.password, "");
    EXPECT_TRUE(s.aboutTab);
    EXPECT_FALSE(s.footballTab);
    EXPECT_EQ(s.page, 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(RememberedLogin, AFileFillsBothBoxesWhateverItsLineEnds) {
    const char* files[] = {"user\r\nsecret\r\n", "user\nsecret\n", "user\rsecret\r",
                           "user\r\nsecret", "user\nsecret\r\nthird line\r\nfourth\r\n"};
    for (const char* bytes : files) {
        Application->Reset();
        WriteCredentials(bytes);
        StartWindow();
        Shown s = WhatTheLoginPageShows(form);
        EXPECT_TRUE(s.remember) << bytes;
        EXPECT_EQ(s.login, "user") << bytes;
        EXPECT_EQ(s.password, "secret") << bytes;
        EXPECT_TRUE(s.aboutTab);
        EXPECT_FALSE(s.footballTab);
        EXPECT_TRUE(boxes.empty()) << boxes.front();
    }
}

TEST_F(RememberedLogin, ShortFilesShowTheListErrorAndLeaveBothTabs) {
    // One line: the login is filled, the password line is missing.
    WriteCredentials("only\r\n");
    StartWindow();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "List index out of bounds (1)");
    Shown s = WhatTheLoginPageShows(form);
    EXPECT_TRUE(s.remember);
    EXPECT_EQ(s.login, "only");
    EXPECT_EQ(s.password, "");
    // The rest of the creation handler did not run: both tabs stay.
    EXPECT_TRUE(s.aboutTab);
    EXPECT_TRUE(s.footballTab);
    EXPECT_TRUE(form->Visible());

    // An empty file, and a zero byte in the first line, which ends the text there.
    for (std::string bytes : {std::string(), std::string("ab\0cd\r\npw\r\n", 10)}) {
        Application->Reset();
        boxes.clear();
        WriteCredentials(bytes);
        StartWindow();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0],
                  bytes.empty() ? "List index out of bounds (0)" : "List index out of bounds (1)");
        EXPECT_EQ(form->loginedit->Text(), bytes.empty() ? "" : "ab");
    }
}

TEST_F(RememberedLogin, AnUnreadableFileShowsTheOpenErrorAndTheWindowStillWorks) {
    WriteCredentials("user\r\npw\r\n");
    std::filesystem::permissions(kRememberedLoginFileName, std::filesystem::perms::none);
    if (std::ifstream(kRememberedLoginFileName).good()) GTEST_SKIP() << "running as root";
    StartWindow();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Cannot open file \"", 0), 0u) << boxes[0];
    EXPECT_NE(boxes[0].find("zov.log"), std::string::npos);
    EXPECT_TRUE(form->zap->Checked());
    EXPECT_EQ(form->loginedit->Text(), "");
    EXPECT_TRUE(form->Visible());
}

TEST_F(RememberedLogin, RandomAndHugeFilesNeverHurtTheWindow) {
    // A huge first line is read only as far as a login could reach; the window opens at once.
    std::string huge(20 * 1024 * 1024, 'x');
    WriteCredentials(huge);
    StartWindow();
    EXPECT_EQ(form->loginedit->Text().size(), kRememberedLoginReadLimit);
    ASSERT_EQ(boxes.size(), 1u); // no second line within the limit
    EXPECT_EQ(boxes[0], "List index out of bounds (1)");

    std::string noise;
    uint32_t seed = 12345;
    for (int i = 0; i < 100000; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise += char(seed >> 16);
    }
    Application->Reset();
    boxes.clear();
    WriteCredentials(noise);
    StartWindow();
    EXPECT_TRUE(form->Visible());
    EXPECT_LE(boxes.size(), 1u);
}

// The file as written: the format every version reads, replaced whole, readable only by
// its owner.
TEST(RememberedLoginFile, WritesTwoLinesWithCrLfInTheSystemCodePage) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "brelvan-credentials-file";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = (dir / "zov.log").string();

    // "Пароль" in code page 1251 stays those bytes.
    const AnsiString cyrillic = "\xCF\xE0\xF0\xEE\xEB\xFC";
    WriteRememberedLogin(path, "user", cyrillic);
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, "user\r\n" + cyrillic + "\r\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    // An empty password: the login, CR LF, then CR LF alone; it reads back as an empty line.
    WriteRememberedLogin(path, "user", "");
    in = std::ifstream(path, std::ios::binary);
    bytes.assign((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, "user\r\n\r\n");
    TStringList lines;
    ReadRememberedLogin(path, lines);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines[0], "user");
    EXPECT_EQ(lines[1], "");

    // Replacing leaves nothing beside the file.
    int entries = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(dir)) ++entries;
    EXPECT_EQ(entries, 1);

    // A folder that cannot take the file: the create error, and the old file stays.
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    if (!std::ofstream(dir / "probe").good()) {
        EXPECT_THROW(WriteRememberedLogin(path, "other", "x"), EFCreateError);
        in = std::ifstream(path, std::ios::binary);
        bytes.assign((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(bytes, "user\r\n\r\n");
    }
    fs::permissions(dir, fs::perms::owner_all);
    DeleteRememberedLogin(path);
    EXPECT_FALSE(fs::exists(path));
    DeleteRememberedLogin(path); // a missing file is no error
    fs::remove_all(dir);
}

} // namespace
} // namespace apptest
