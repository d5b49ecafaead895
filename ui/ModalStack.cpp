#include "ui/ModalStack.h"

#include <algorithm>

#include "ui/Form.h"

void TModalStack::Push(TCustomForm* form) {
    if (!form) return;
    Remove(form);
    m_forms.push_back(form);
}

TCustomForm* TModalStack::Pop() {
    if (m_forms.empty()) return nullptr;
    TCustomForm* top = m_forms.back();
    m_forms.pop_back();
    return top;
}

void TModalStack::Remove(const TWinControl* w) {
    m_forms.erase(std::remove_if(m_forms.begin(), m_forms.end(),
                                 [w](const TCustomForm* f) {
                                     return static_cast<const TWinControl*>(f) == w;
                                 }),
                  m_forms.end());
}
