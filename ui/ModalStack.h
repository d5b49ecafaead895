#pragma once
// The modal forms, innermost last: while any is open, input to other forms is refused.
#include <vector>

class TCustomForm;
class TWinControl;

class TModalStack {
public:
    // Makes form the innermost; a form already open modally moves to the top, not twice.
    void Push(TCustomForm* form);
    // Takes the innermost off and returns it (nullptr when none is open).
    TCustomForm* Pop();
    // The innermost modal form, nullptr when none is open.
    TCustomForm* Top() const { return m_forms.empty() ? nullptr : m_forms.back(); }
    // Takes w off wherever it is (a modal form closing out of order, or destroyed).
    void Remove(const TWinControl* w);
    bool Empty() const { return m_forms.empty(); }
    int Count() const { return int(m_forms.size()); }
    void Clear() { m_forms.clear(); }
    // All of them, outermost first.
    const std::vector<TCustomForm*>& Forms() const { return m_forms; }

private:
    std::vector<TCustomForm*> m_forms;
};
