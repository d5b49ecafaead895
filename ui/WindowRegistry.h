#pragma once
// Which windows live, which display window belongs to which top-level window, the order of
// the top-level windows and the modal forms.
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "ui/ModalStack.h"

class TCustomForm;
class TWinControl;

class TWindowRegistry {
public:
    void Register(TWinControl* w) { m_live.insert(w); }
    // Forgets w everywhere here and closes its display window.
    void Unregister(TWinControl* w);
    bool Alive(const TWinControl* w) const {
        return m_live.count(const_cast<TWinControl*>(w)) != 0;
    }

    // --- display windows ---
    void BindDisplay(int id, TWinControl* top) { m_displayWindows[id] = top; }
    TWinControl* TopLevelOfDisplay(int id) const;

    // --- order of the showing top-level windows, bottom first ---
    const std::vector<TWinControl*>& Order() const { return m_topOrder; }
    void BringToTop(TWinControl* top); // appended, or moved to the end
    void TakeOut(TWinControl* top);    // no longer showing

    // Makes form the active one (nullptr: none): the old one is told it lost the activation,
    // the new one is raised and told.
    void ActivateForm(TCustomForm* form);

    TModalStack& Modal() { return m_modal; }
    const TModalStack& Modal() const { return m_modal; }
    // Whether input may go to w: not while a modal form other than w's is open.
    bool AcceptsInput(const TWinControl* w) const;

    // Forgets the top-level windows and modal forms (the live set stays: windows leave it when
    // destroyed).
    void Reset() { m_modal.Clear(); }

private:
    std::unordered_set<TWinControl*> m_live;
    std::unordered_map<int, TWinControl*> m_displayWindows;
    std::vector<TWinControl*> m_topOrder;
    TModalStack m_modal;
};
