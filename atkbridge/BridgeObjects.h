#pragma once
// The ATK objects of the bridge: one for each control a screen reader has asked about (or
// that took the focus), the table's cells and headers, and the application's root. Private
// to atkbridge/.
#include <atk/atk.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ui/Accessible.h"

class TControl;

// What the bridge last told about a control, to announce only what changed.
struct TControlNode {
    TControl* control = nullptr; // null once the control is gone
    TAccessibleRole role = TAccessibleRole::Unknown;
    std::string name;        // UTF-8
    std::string description; // UTF-8
    TAccessibleStates states = 0;
    std::string text; // UTF-8
    double value = 0;
    std::vector<TControl*> children;
    int rowCount = 0;
    int selectedRow = -1;
    // Cells and headers made so far, by (row, column); headers have row -1.
    std::map<std::pair<int, int>, AtkObject*> cells;
};

// Interfaces an object's type carries, as bits.
enum : unsigned {
    kHasAction = 0x01,
    kHasText = 0x02,
    kHasEditableText = 0x04,
    kHasValue = 0x08,
    kHasTable = 0x10,
    kHasWindow = 0x20,
};

// The control's object, made when asked for the first time (null for a null control).
AtkObject* ControlObject(TControl* control);
// The control's object if it has one already.
AtkObject* ExistingControlObject(TControl* control);
TControlNode* NodeOf(AtkObject* object);
// The application's root: its children are the shown forms.
AtkObject* RootObject();
AtkObject* NewRootObject(); // ApplicationRoot.cpp
std::vector<TControl*> TopLevelControls();
// Whether the control is in the tree a screen reader walks (its parent lists it).
bool IsExposed(const TControl* control);
// The object a screen reader should hear about for a control: its own when exposed, else
// that of the nearest exposed ancestor (the inner edit of a spin box is the spin box).
TControl* ExposedControl(TControl* control);

// Made by ControlObject (ControlObject.cpp).
AtkObject* NewControlObject(TControl* control, unsigned interfaces);
unsigned InterfacesOf(const TAccessibleInfo& info, bool topLevel);
// Forgets a gone control: the object is defunct from now on.
void ControlObjectGone(AtkObject* object);

// Cells and headers of a table (TableCells.cpp).
AtkObject* TableCellObject(AtkObject* table, int row, int column);
// Drops the cells made so far (the rows changed).
void DropTableCells(AtkObject* table);

// Text and names in the bus's encoding.
std::string ToUtf8(const AnsiString& ansi);
AnsiString FromUtf8(const char* utf8);
AtkRole AtkRoleOf(TAccessibleRole role);
// Each model state and the ATK state it is (enabled is also sensitive).
struct TAtkStateOf {
    TAccessibleStates bit;
    AtkStateType atk;
};
const std::vector<TAtkStateOf>& AtkStateMappings();
// The states of a description as ATK states (enabled also sensitive).
void AddAtkStates(AtkStateSet* set, TAccessibleStates states);
// The screen rectangle as ATK asks for it (screen, or relative to the window or parent).
void ExtentsIn(const TRect& screen, AtkObject* object, AtkCoordType coords, gint* x, gint* y,
               gint* width, gint* height);
// Runs an action on the next turn of the loop, so that the caller's request is answered
// first (a click may open a modal box).
void RunSoon(std::function<void()> action);
