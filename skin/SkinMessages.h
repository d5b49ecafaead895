#pragma once
// Messages of the skin engine. The store sends the first four to every form, with itself
// as WParam and 1000 as LParam; a skinned menu window sends the last to its form.
#include "ui/Messages.h"

constexpr UINT WM_SKINCHANGING = WM_USER + 201;       // 1225
constexpr UINT WM_SKINCHANGED = WM_USER + 202;        // 1226
constexpr UINT WM_SKINCHANGEDONE = WM_USER + 203;     // 1227
constexpr UINT WM_SKINMENUCLOSED = WM_USER + 204;     // 1228
constexpr UINT WM_SKINSTRINGSCHANGED = WM_USER + 250; // 1274
constexpr LPARAM SkinMessageLParam = 1000;
