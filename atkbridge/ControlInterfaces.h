#pragma once
// The interfaces of a control's ATK object, one file each group, and what they share with
// the object itself (ControlObject.cpp). Private to atkbridge/.
#include <atk/atk.h>

#include "ui/Accessible.h"

class TControl;

// The control behind an object (null once it is gone) and its description now.
TControl* ControlOf(gpointer object);
TAccessibleInfo InfoOf(gpointer object);
// A string handed to ATK that must outlive the call: kept on the object under kind and i.
const gchar* KeptString(gpointer object, const char* kind, gint i, const AnsiString& text);

void ComponentInit(gpointer iface, gpointer);    // ControlActions.cpp
void ActionInit(gpointer iface, gpointer);       // ControlActions.cpp
void TextInit(gpointer iface, gpointer);         // ControlText.cpp
void EditableTextInit(gpointer iface, gpointer); // ControlText.cpp
void ValueInit(gpointer iface, gpointer);        // ControlValueTable.cpp
void TableInit(gpointer iface, gpointer);        // ControlValueTable.cpp
