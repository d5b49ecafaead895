#pragma once
// A lookup from message numbers to a control's member functions.
#include <functional>
#include <initializer_list>
#include <type_traits>
#include <vector>

#include "ui/Messages.h"

// A control's own message numbers, looked up in DefaultHandler without a switch:
//
//     void TMyEdit::DefaultHandler(TMessage& m) {
//         static const TMessageTable<TMyEdit> table = {
//             {EM_SETSEL, &TMyEdit::EMSetSel}, {WM_MYNOTICE, &TMyEdit::WMMyNotice}};
//         if (!table.Dispatch(*this, m)) TCustomControl::DefaultHandler(m);
//     }
//
// A handler takes the record its message decodes into (a type constructed from the
// TMessage, e.g. TEMSetSel), made here once, or the TMessage itself for a message it
// passes on unread.
template <class T> class TMessageTable {
public:
    struct Entry {
        template <class Record> Entry(UINT msg, void (T::*handler)(Record&)) : Msg(msg) {
            if constexpr (std::is_same_v<Record, TMessage>)
                Fn = [handler](T& control, TMessage& m) { (control.*handler)(m); };
            else
                Fn = [handler](T& control, TMessage& m) {
                    Record record(m);
                    (control.*handler)(record);
                };
        }
        UINT Msg;
        std::function<void(T&, TMessage&)> Fn;
    };
    TMessageTable(std::initializer_list<Entry> entries) : m_entries(entries) {}
    // Calls the handler listed for m.Msg; false when there is none.
    bool Dispatch(T& control, TMessage& m) const {
        for (const Entry& e : m_entries)
            if (e.Msg == m.Msg) {
                e.Fn(control, m);
                return true;
            }
        return false;
    }

private:
    std::vector<Entry> m_entries;
};
