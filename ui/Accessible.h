#pragma once
// What a screen reader learns about a control. Each control class describes itself through
// TControl::DescribeAccessible (role, name, states, geometry, children and what can be done
// with it); a bridge to the desktop's accessibility bus, when one runs, reads those
// descriptions and follows the changes announced through NotifyAccessible.
//
// Nothing here depends on a bridge: without a listener every notification is one test of a
// pointer.
#include <functional>
#include <vector>

#include "gfx/Types.h"
#include "rtl/Strings.h"

class TControl;

enum class TAccessibleRole {
    Unknown,
    Frame,
    Dialog,
    Alert,
    PageTabList,
    PageTab,
    Panel,
    Filler,
    Label,
    Link,
    Text,
    PasswordText,
    CheckBox,
    RadioButton,
    PushButton,
    SpinButton,
    Image,
    Table,
    TableCell,
    ColumnHeader,
    Separator,
    MenuBar,
    MenuItem,
};

// States, as bit flags.
using TAccessibleStates = unsigned;
constexpr TAccessibleStates asFocused = 0x0001;
constexpr TAccessibleStates asFocusable = 0x0002;
constexpr TAccessibleStates asEnabled = 0x0004;
constexpr TAccessibleStates asVisible = 0x0008;
constexpr TAccessibleStates asShowing = 0x0010;
constexpr TAccessibleStates asChecked = 0x0020;
constexpr TAccessibleStates asEditable = 0x0040;
constexpr TAccessibleStates asSelected = 0x0080;
constexpr TAccessibleStates asCheckable = 0x0100;
constexpr TAccessibleStates asSelectable = 0x0200;
constexpr TAccessibleStates asActive = 0x0400;
constexpr TAccessibleStates asSingleLine = 0x0800;
constexpr TAccessibleStates asModal = 0x1000;
constexpr TAccessibleStates asDefault = 0x2000;

// Something the user can do to the control (a button's click, a link's opening).
struct TAccessibleAction {
    AnsiString Name;        // "click", "jump", "sort"
    AnsiString Description; // what it does, for the user
    AnsiString KeyBinding;  // the key that does the same, "Alt+R"; may be empty
    std::function<void()> Run;
};

// A table: rows of cells under a row of column headers. Columns are counted in the order
// they are shown; rows are the table's rows in order. Rectangles are in screen coordinates
// and empty for what is scrolled out of view.
class TAccessibleTable {
public:
    virtual ~TAccessibleTable() = default;
    virtual int AccessibleRowCount() const = 0;
    virtual int AccessibleColumnCount() const = 0;
    virtual WideString AccessibleColumnHeader(int column) const = 0;
    virtual TRect AccessibleHeaderBounds(int column) const = 0;
    // What the cell says: its text, or for a picture what the picture stands for.
    virtual WideString AccessibleCellText(int column, int row) const = 0;
    virtual TRect AccessibleCellBounds(int column, int row) const = 0;
    // The current row, or -1.
    virtual int AccessibleSelectedRow() const = 0;
    virtual void AccessibleSelectRow(int row) = 0;
    // Sorts by a column as a click on its header does.
    virtual void AccessibleSortByColumn(int column) = 0;
};

// A control's description at the moment it is asked for. The functions it holds act on the
// control and are used at once, never kept beyond the control's life.
struct TAccessibleInfo {
    TAccessibleRole Role = TAccessibleRole::Unknown;
    AnsiString Name;
    AnsiString Description;
    TAccessibleStates States = 0;
    TRect Bounds; // screen coordinates
    // In reading order; only controls that are there for the user (hidden tabs are absent).
    std::vector<TControl*> Children;
    std::vector<TAccessibleAction> Actions;

    // Text the user reads, and for an editable one how it is replaced. A password's text is
    // one '*' per character: its characters never leave the control.
    bool HasText = false;
    AnsiString Text;
    int CaretOffset = 0;
    std::function<void(const AnsiString&)> SetText;

    // A number within a range (a spin box).
    bool HasValue = false;
    double MinValue = 0;
    double MaxValue = 0;
    double Value = 0;
    double Increment = 0;
    std::function<void(double)> SetValue;

    // Which control names this one, and which ones this label names.
    TControl* LabelledBy = nullptr;
    std::vector<TControl*> LabelFor;

    TAccessibleTable* Table = nullptr;

    // Changes of the name are announced as they happen (a count, a status line).
    bool Live = false;
};

// What changed about a control, as the bridge needs to hear it.
enum class TAccessibleChange {
    Focus,     // it took the keyboard focus
    States,    // enabled, visible, showing, checked, selected ... may differ
    Name,      // its name (or caption) changed
    Text,      // its text changed
    Value,     // its value changed
    Children,  // its children were added, removed, shown or hidden
    Table,     // rows were added, removed or reordered
    Selection, // a table's current row moved
    Destroyed, // it is going away: forget it
};

class TAccessibleListener {
public:
    virtual ~TAccessibleListener() = default;
    virtual void AccessibleChanged(TControl& control, TAccessibleChange change) = 0;
};

// One listener for the process (the bridge), on the UI thread; null stops the notifications.
void SetAccessibleListener(TAccessibleListener* listener);
TAccessibleListener* AccessibleListener();
inline bool AccessibilityListening() {
    return AccessibleListener() != nullptr;
}
void NotifyAccessible(TControl& control, TAccessibleChange change);

// The description of a control as its class gives it.
TAccessibleInfo AccessibleInfoOf(const TControl& control);

// A caption as read aloud: the accelerator marks taken out ("&Yes" -> "Yes", "&&" -> "&"),
// runs of spaces and line breaks one space, none at the ends.
AnsiString AccessibleCaption(const AnsiString& caption);

// For the window framework: a listening bridge hears what a message a control handled
// changed (focus, states, names, children).
void NoteAccessibleMessage(TControl& control, unsigned msg);

// Readable names of roles and states, for dumps and test messages.
const char* AccessibleRoleName(TAccessibleRole role);
AnsiString AccessibleStatesText(TAccessibleStates states);
