#pragma once
#include "ui/Forms.h"

// The modal message box: the text (line breaks kept), an icon for MB_ICONERROR,
// MB_ICONWARNING, MB_ICONINFORMATION and MB_ICONQUESTION, and the buttons of MB_OK,
// MB_OKCANCEL, MB_YESNO or MB_YESNOCANCEL. Returns IDOK, IDCANCEL, IDYES or IDNO; closing
// the box counts as Cancel (or as OK when OK is its only button).
int ShowMessageBox(const AnsiString& text, const AnsiString& caption, UINT flags);
