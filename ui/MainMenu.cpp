#include "ui/MainMenu.h"

#include "rtl/Exceptions.h"
#include "ui/Label.h"

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner) {}

TMainMenu::~TMainMenu() {
    m_view = nullptr;
}

const TMainMenuItem& TMainMenu::Items(int index) const {
    CheckListIndex(index, Count());
    return m_items[size_t(index)];
}

int TMainMenu::Add(TMainMenuItem item) {
    m_items.push_back(std::move(item));
    Changed();
    return Count() - 1;
}

void TMainMenu::Insert(int index, TMainMenuItem item) {
    if (index != Count()) CheckListIndex(index, Count());
    m_items.insert(m_items.begin() + index, std::move(item));
    Changed();
}

void TMainMenu::Delete(int index) {
    CheckListIndex(index, Count());
    m_items.erase(m_items.begin() + index);
    Changed();
}

void TMainMenu::Clear() {
    m_items.clear();
    Changed();
}

void TMainMenu::SetCaption(int index, const AnsiString& caption) {
    CheckListIndex(index, Count());
    m_items[size_t(index)].Caption = caption;
    Changed();
}

void TMainMenu::SetEnabled(int index, bool enabled) {
    CheckListIndex(index, Count());
    m_items[size_t(index)].Enabled = enabled;
    Changed();
}

void TMainMenu::SetVisible(int index, bool visible) {
    CheckListIndex(index, Count());
    m_items[size_t(index)].Visible = visible;
    Changed();
}

void TMainMenu::SetCommands(int index, std::vector<TMenuCommand> commands) {
    CheckListIndex(index, Count());
    m_items[size_t(index)].Items = std::move(commands);
    Changed();
}

int TMainMenu::FindAccelerator(char letter) const {
    for (size_t i = 0; i < m_items.size(); ++i) {
        const TMainMenuItem& item = m_items[i];
        if (item.Visible && item.Enabled && IsAccel(letter, item.Caption)) return int(i);
    }
    return -1;
}

void TMainMenu::Changed() {
    if (m_view) m_view->MenuChanged();
}

AnsiString MenuCaptionText(const AnsiString& caption) {
    AnsiString out;
    out.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}
