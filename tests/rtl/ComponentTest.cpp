// Ownership, deletion order and removal notifications of components.
#include "rtl/Classes.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> g_log;

class Probe : public TComponent {
public:
    Probe(TComponent* owner, const std::string& name) : TComponent(owner) { SetName(name); }
    ~Probe() override { g_log.push_back("delete " + Name()); }

    // Keeps a pointer to another component and forgets it when that one goes.
    void Watch(TComponent* other) {
        m_watched = other;
        if (other) other->FreeNotification(this);
    }
    TComponent* Watched() const { return m_watched; }

    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove) {
            g_log.push_back(Name() + " hears " + component->Name() + " removed");
            if (component == m_watched) m_watched = nullptr;
        } else {
            g_log.push_back(Name() + " hears " + component->Name() + " inserted");
        }
    }

private:
    TComponent* m_watched = nullptr;
};

} // namespace

TEST(Component, OwnerDeletesOwnedLastFirst) {
    g_log.clear();
    auto* form = new Probe(nullptr, "form");
    new Probe(form, "a");
    new Probe(form, "b");
    auto* c = new Probe(form, "c");
    new Probe(c, "c1");
    EXPECT_EQ(form->ComponentCount(), 3);
    EXPECT_EQ(form->Components(2), c);
    EXPECT_EQ(c->ComponentIndex(), 2);
    EXPECT_EQ(form->FindComponent("B")->Name(), "b");
    EXPECT_EQ(form->FindComponent("c1"), nullptr); // only direct children
    g_log.clear();
    delete form;
    std::vector<std::string> deletes;
    for (auto& line : g_log)
        if (line.rfind("delete ", 0) == 0) deletes.push_back(line);
    // A destructor's own body runs before the components it owns go.
    EXPECT_EQ(deletes, (std::vector<std::string>{"delete form", "delete c", "delete c1", "delete b",
                                                 "delete a"}));
}

TEST(Component, SiblingsHearInsertAndRemove) {
    g_log.clear();
    Probe form(nullptr, "form");
    auto* a = new Probe(&form, "a");
    g_log.clear();
    auto* b = new Probe(&form, "");
    b->SetName("b");
    EXPECT_NE(std::find(g_log.begin(), g_log.end(), "a hears  inserted"), g_log.end());
    g_log.clear();
    delete b;
    EXPECT_NE(std::find(g_log.begin(), g_log.end(), "form hears b removed"), g_log.end());
    EXPECT_NE(std::find(g_log.begin(), g_log.end(), "a hears b removed"), g_log.end());
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.Components(0), a);
}

TEST(Component, FreeNotificationAcrossOwners) {
    g_log.clear();
    auto* formA = new Probe(nullptr, "formA");
    auto* formB = new Probe(nullptr, "formB");
    auto* grid = new Probe(formA, "grid");
    auto* images = new Probe(formB, "images");
    grid->Watch(images);
    delete images;
    EXPECT_EQ(grid->Watched(), nullptr); // no dangling pointer left
    // Either side may go first: the watched side no longer calls a deleted watcher.
    auto* images2 = new Probe(formB, "images2");
    grid->Watch(images2);
    delete formA; // deletes grid
    g_log.clear();
    delete images2; // must not touch the deleted grid
    EXPECT_EQ(std::find(g_log.begin(), g_log.end(), "grid hears images2 removed"), g_log.end());
    delete formB;
}

TEST(Component, NamesAreUniqueAmongSiblings) {
    Probe form(nullptr, "form");
    new Probe(&form, "edit");
    auto* other = new Probe(&form, "other");
    try {
        other->SetName("EDIT");
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "A component named EDIT already exists");
    }
    EXPECT_EQ(other->Name(), "other");
    other->SetName("other"); // renaming to itself is fine
    EXPECT_THROW(form.Components(2), EListError);
    EXPECT_THROW(form.Components(-1), EListError);
}

TEST(Component, ReparentingAndLoadingState) {
    Probe a(nullptr, "a");
    Probe b(nullptr, "b");
    auto* child = new Probe(&a, "child");
    b.InsertComponent(child);
    EXPECT_EQ(child->Owner(), &b);
    EXPECT_EQ(a.ComponentCount(), 0);
    EXPECT_EQ(b.ComponentCount(), 1);
    child->SetComponentStateFlag(csLoading, true);
    EXPECT_TRUE(child->Loading());
    child->EndLoading();
    EXPECT_FALSE(child->Loading());
}

TEST(CheckedList, IndexErrorsAndEdits) {
    TList<int> list;
    for (int i = 0; i < 5; ++i) list.Add(i * 10);
    list.Insert(5, 50);
    list.Move(0, 5);
    EXPECT_EQ(list.Vector(), (std::vector<int>{10, 20, 30, 40, 50, 0}));
    EXPECT_EQ(list.Remove(30), 2);
    EXPECT_EQ(list.IndexOf(30), -1);
    list.Exchange(0, 4);
    EXPECT_EQ(list[0], 0);
    try {
        list[5];
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (5)");
    }
    EXPECT_THROW(list.Insert(-1, 0), EListError);
    EXPECT_THROW(list.Delete(7), EListError);
    list.Clear();
    EXPECT_THROW(list.First(), EListError);
}
