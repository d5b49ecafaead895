#include "ui/WindowRegistry.h"

#include <algorithm>

#include "platform/Display.h"
#include "ui/Forms.h"
#include "ui/WindowGeometry.h"

void TWindowRegistry::Unregister(TWinControl* w) {
    m_live.erase(w);
    TakeOut(w);
    m_modal.Remove(w);
    TWinControl::WindowData* d = w->WindowRecord();
    if (d && d->displayId) {
        m_displayWindows.erase(d->displayId);
        if (HasDisplay()) CurrentDisplay().DestroyWindow(d->displayId);
        d->displayId = 0;
    }
    if (Screen && Screen->ActiveForm() == w) Screen->SetActiveForm(nullptr);
}

TWinControl* TWindowRegistry::TopLevelOfDisplay(int id) const {
    auto it = m_displayWindows.find(id);
    return it == m_displayWindows.end() ? nullptr : it->second;
}

void TWindowRegistry::BringToTop(TWinControl* top) {
    TakeOut(top);
    m_topOrder.push_back(top);
}

void TWindowRegistry::TakeOut(TWinControl* top) {
    m_topOrder.erase(std::remove(m_topOrder.begin(), m_topOrder.end(), top), m_topOrder.end());
}

void TWindowRegistry::ActivateForm(TCustomForm* form) {
    TCustomForm* old = Screen->ActiveForm();
    if (old == form) return;
    if (old && Alive(old)) {
        old->MarkActive(false);
        old->Perform(WM_NCACTIVATE, 0, 0);
        old->Perform(WM_ACTIVATE, WA_INACTIVE, LPARAM(form));
    }
    Screen->SetActiveForm(form);
    if (!form) return;
    form->MarkActive(true);
    if (int id = form->WindowRecord()->displayId) CurrentDisplay().RaiseWindow(id);
    TakeOut(form);
    if (form->Showing()) m_topOrder.push_back(form);
    form->Perform(WM_NCACTIVATE, 1, 0);
    form->Perform(WM_ACTIVATE, WA_ACTIVE, LPARAM(old && Alive(old) ? old : nullptr));
}

bool TWindowRegistry::AcceptsInput(const TWinControl* w) const {
    if (!w) return false;
    if (m_modal.Empty()) return true;
    TWinControl* top = WindowGeometry::TopOf(w);
    if (!dynamic_cast<TCustomForm*>(top)) return true;
    return top == m_modal.Top();
}
