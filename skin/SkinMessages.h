#pragma once
// Messages of the skin engine. The store sends the first four to every form, with itself
// as WParam and 1000 as LParam; a skinned menu window sends the last to its form.
#include "ui/MessageRecords.h"

#include <bit>

constexpr UINT WM_SKINCHANGING = WM_USER + 201;       // 1225
constexpr UINT WM_SKINCHANGED = WM_USER + 202;        // 1226
constexpr UINT WM_SKINCHANGEDONE = WM_USER + 203;     // 1227
constexpr UINT WM_SKINMENUCLOSED = WM_USER + 204;     // 1228
constexpr UINT WM_SKINSTRINGSCHANGED = WM_USER + 250; // 1274
constexpr LPARAM SkinMessageLParam = 1000;

// The change messages decoded: the store that sends them. It is only compared with stores the
// receiver knows, never followed: the message may come from any store.
struct TWMSkinChange : TMessageRecord {
    explicit TWMSkinChange(TMessage& m) : TMessageRecord(m), Store(m.WParam) {}
    // The message names this store (a message that names none names no store).
    bool Names(const void* store) const {
        return Store != 0 && Store == std::bit_cast<WPARAM>(store);
    }
    WPARAM Store;
};

// WM_SKINMENUCLOSED decoded: which menu closed.
struct TWMSkinMenuClosed : TMessageRecord {
    explicit TWMSkinMenuClosed(TMessage& m) : TMessageRecord(m), Menu(m.WParam) {}
    bool Is(const void* menu) const { return Menu == std::bit_cast<WPARAM>(menu); }
    WPARAM Menu;
};
