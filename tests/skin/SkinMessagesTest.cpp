// The skin messages a load sends to the forms: order, parameters and the store's state at
// each of them.
#include "SkinTestSupport.h"

#include "skin/ResourceStrData.h"
#include "skin/SkinData.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

using namespace skintest;

namespace {

struct Received {
    std::string form;
    UINT msg;
    bool fromStore;
    LPARAM lParam;
    bool empty;
    bool loading;
};

std::vector<Received> g_log;
TspSkinData* g_store = nullptr;

class RecordingForm : public TForm {
public:
    explicit RecordingForm(TComponent* owner) : TForm(owner) {}
    std::string tag;
    void WndProc(TMessage& m) override {
        bool skin = m.Msg == WM_SKINCHANGING || m.Msg == WM_SKINCHANGED ||
                    m.Msg == WM_SKINCHANGEDONE || m.Msg == WM_SKINSTRINGSCHANGED;
        if (skin && g_store != nullptr)
            g_log.push_back({tag, m.Msg, m.WParam == WPARAM(g_store), m.LParam,
                             g_store->SkinEmpty(), g_store->SkinLoading()});
        TForm::WndProc(m);
    }
};

class SkinMessages : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        g_log.clear();
        first = Application->CreateForm<RecordingForm>();
        first->tag = "first";
        second = Application->CreateForm<RecordingForm>();
        second->tag = "second";
        third = Application->CreateForm<RecordingForm>();
        third->tag = "third";
    }
    void TearDown() override {
        delete g_store;
        g_store = nullptr;
        Application->Reset();
    }
    std::vector<std::uint8_t> Packed(int version) {
        ContainerBytes c;
        c.Int32(version);
        for (std::size_t i = 0; i < SkinContainerSlots(version).size(); ++i) c.Byte(1);
        return c.Int32(0).Text(MinimalDescription()).Packed();
    }
    RecordingForm* first = nullptr;
    RecordingForm* second = nullptr;
    RecordingForm* third = nullptr;
};

TEST_F(SkinMessages, ALoadTellsTheOwnerFirstThenEveryOtherFormInOrder) {
    g_store = new TspSkinData(nullptr);
    second->InsertComponent(g_store);
    std::unique_ptr<TspCompressedStoredSkin> stored(StoredSkinWith(nullptr, Packed(3)));
    g_store->ApplyStoredSkin(stored.get());
    g_store->Owner()->RemoveComponent(g_store);

    std::vector<std::string> order;
    for (const Received& r : g_log) order.push_back(r.form + ":" + std::to_string(r.msg));
    EXPECT_EQ(order, (std::vector<std::string>{"second:1225", "first:1225", "third:1225",
                                               "second:1226", "first:1226", "third:1226",
                                               "second:1227", "first:1227", "third:1227"}));
    for (const Received& r : g_log) {
        EXPECT_TRUE(r.fromStore);
        EXPECT_EQ(r.lParam, 1000);
        if (r.msg == WM_SKINCHANGING) {
            EXPECT_TRUE(r.empty);
            EXPECT_TRUE(r.loading);
        } else if (r.msg == WM_SKINCHANGED) {
            EXPECT_FALSE(r.empty) << "the skin is complete when the forms look it up";
            EXPECT_TRUE(r.loading);
        } else {
            EXPECT_FALSE(r.empty);
            EXPECT_FALSE(r.loading);
        }
    }
}

TEST_F(SkinMessages, AStoreOwnedByNoFormTellsEveryFormInOrder) {
    g_store = new TspSkinData(nullptr);
    std::unique_ptr<TspCompressedStoredSkin> stored(StoredSkinWith(nullptr, Packed(0)));
    g_store->ApplyStoredSkin(stored.get());
    ASSERT_EQ(g_log.size(), 9u);
    EXPECT_EQ(g_log[0].form, "first");
    EXPECT_EQ(g_log[1].form, "second");
    EXPECT_EQ(g_log[2].form, "third");
}

TEST_F(SkinMessages, AVersionAbove3SendsOnlyTheChangingMessage) {
    g_store = new TspSkinData(nullptr);
    std::unique_ptr<TspCompressedStoredSkin> stored(StoredSkinWith(nullptr, Packed(4)));
    g_store->ApplyStoredSkin(stored.get());
    ASSERT_EQ(g_log.size(), 3u);
    for (const Received& r : g_log) EXPECT_EQ(r.msg, WM_SKINCHANGING);
}

TEST_F(SkinMessages, AFailedLoadEndsWithAChangedMessageOnAnEmptyStore) {
    g_store = new TspSkinData(nullptr);
    std::vector<std::uint8_t> broken =
        ContainerBytes::Deflate(ContainerBytes().Int32(0).Byte(0).Text("BMxx").Bytes());
    std::unique_ptr<TspCompressedStoredSkin> stored(StoredSkinWith(nullptr, broken));
    EXPECT_THROW(g_store->ApplyStoredSkin(stored.get()), EReadError);
    ASSERT_EQ(g_log.size(), 6u);
    EXPECT_EQ(g_log.back().msg, WM_SKINCHANGED);
    EXPECT_TRUE(g_log.back().empty);
    EXPECT_FALSE(g_log.back().loading);
}

TEST_F(SkinMessages, AFolderMissingASectionSendsNothing) {
    g_store = new TspSkinData(nullptr);
    TempFolder dir;
    dir.Write("skin.ini", "[VERSION]\r\n[PICTURES]\r\n[FORMINFO]\r\n[SKINCONTROLS]\r\n");
    g_store->ApplySkinFile(dir.Path("skin.ini"));
    EXPECT_TRUE(g_log.empty());
}

TEST_F(SkinMessages, AStringTableAnnouncesItself) {
    g_store = new TspSkinData(nullptr);
    TspResourceStrData strings(nullptr);
    g_store->SetResourceStrData(&strings);
    ASSERT_EQ(g_log.size(), 3u);
    EXPECT_EQ(g_log[0].msg, WM_SKINSTRINGSCHANGED);
    g_store->SetResourceStrData(nullptr);
    EXPECT_EQ(g_store->ResourceStrData(), nullptr);
}

TEST_F(SkinMessages, AFormClosedByAHandlerIsSkipped) {
    g_store = new TspSkinData(nullptr);
    // A later form's handler destroys an earlier one while the broadcast runs.
    struct Closer : RecordingForm {
        using RecordingForm::RecordingForm;
        TForm* victim = nullptr;
        void WndProc(TMessage& m) override {
            if (m.Msg == WM_SKINCHANGING && victim != nullptr) {
                delete victim;
                victim = nullptr;
            }
            RecordingForm::WndProc(m);
        }
    };
    auto* closer = Application->CreateForm<Closer>();
    closer->tag = "closer";
    closer->victim = third;
    std::unique_ptr<TspCompressedStoredSkin> stored(StoredSkinWith(nullptr, Packed(0)));
    g_store->ApplyStoredSkin(stored.get());
    int thirdHeard = 0;
    for (const Received& r : g_log) thirdHeard += r.form == "third";
    EXPECT_EQ(thirdHeard, 1) << "it heard the changing message before it went away";
    EXPECT_EQ(g_log.back().form, "closer");
    EXPECT_FALSE(g_store->SkinEmpty());
}

} // namespace
