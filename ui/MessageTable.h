#pragma once
// A lookup from message numbers to a control's member functions.
#include <initializer_list>
#include <vector>

#include "ui/Messages.h"

// A control's own message numbers, looked up in DefaultHandler without a switch:
//
//     void TMyEdit::DefaultHandler(TMessage& m) {
//         static const TMessageTable<TMyEdit> table = {
//             {EM_GETSEL, &TMyEdit::EMGetSel}, {WM_MYNOTICE, &TMyEdit::WMMyNotice}};
//         if (!table.Dispatch(*this, m)) TCustomControl::DefaultHandler(m);
//     }
template <class T> class TMessageTable {
public:
    using Handler = void (T::*)(TMessage&);
    struct Entry {
        UINT Msg;
        Handler Fn;
    };
    TMessageTable(std::initializer_list<Entry> entries) : m_entries(entries) {}
    // Calls the handler listed for m.Msg; false when there is none.
    bool Dispatch(T& control, TMessage& m) const {
        for (const Entry& e : m_entries)
            if (e.Msg == m.Msg) {
                (control.*e.Fn)(m);
                return true;
            }
        return false;
    }

private:
    std::vector<Entry> m_entries;
};
