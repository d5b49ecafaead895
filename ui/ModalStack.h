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
    // A copy, innermost first: for closing them all, which changes the stack.
    std::vector<TCustomForm*> InnermostFirst() const { return {m_forms.rbegin(), m_forms.rend()}; }
    void Clear() { m_forms.clear(); }

private:
    std::vector<TCustomForm*> m_forms;
};
