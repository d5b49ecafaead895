// What the model's words become in ATK's: text, roles, states and rectangles.
#include "atkbridge/BridgeObjects.h"

namespace {
const std::vector<TAtkStateOf> kStateMap = {
    {asFocused, ATK_STATE_FOCUSED},        {asFocusable, ATK_STATE_FOCUSABLE},
    {asEnabled, ATK_STATE_ENABLED},        {asEnabled, ATK_STATE_SENSITIVE},
    {asVisible, ATK_STATE_VISIBLE},        {asShowing, ATK_STATE_SHOWING},
    {asChecked, ATK_STATE_CHECKED},        {asEditable, ATK_STATE_EDITABLE},
    {asSelected, ATK_STATE_SELECTED},      {asCheckable, ATK_STATE_CHECKABLE},
    {asSelectable, ATK_STATE_SELECTABLE},  {asActive, ATK_STATE_ACTIVE},
    {asSingleLine, ATK_STATE_SINGLE_LINE}, {asModal, ATK_STATE_MODAL},
    {asDefault, ATK_STATE_DEFAULT},
};

} // namespace

const std::vector<TAtkStateOf>& AtkStateMappings() {
    return kStateMap;
}

std::string ToUtf8(const AnsiString& ansi) {
    return AnsiToUtf8(ansi);
}

AnsiString FromUtf8(const char* utf8) {
    return Utf8ToAnsi(utf8 ? utf8 : "");
}

AtkRole AtkRoleOf(TAccessibleRole role) {
    switch (role) {
    case TAccessibleRole::Unknown:
        return ATK_ROLE_UNKNOWN;
    case TAccessibleRole::Frame:
        return ATK_ROLE_FRAME;
    case TAccessibleRole::Dialog:
        return ATK_ROLE_DIALOG;
    case TAccessibleRole::Alert:
        return ATK_ROLE_ALERT;
    case TAccessibleRole::PageTabList:
        return ATK_ROLE_PAGE_TAB_LIST;
    case TAccessibleRole::PageTab:
        return ATK_ROLE_PAGE_TAB;
    case TAccessibleRole::Panel:
        return ATK_ROLE_PANEL;
    case TAccessibleRole::Filler:
        return ATK_ROLE_FILLER;
    case TAccessibleRole::Label:
        return ATK_ROLE_LABEL;
    case TAccessibleRole::Link:
        return ATK_ROLE_LINK;
    case TAccessibleRole::Text:
        return ATK_ROLE_TEXT;
    case TAccessibleRole::PasswordText:
        return ATK_ROLE_PASSWORD_TEXT;
    case TAccessibleRole::CheckBox:
        return ATK_ROLE_CHECK_BOX;
    case TAccessibleRole::RadioButton:
        return ATK_ROLE_RADIO_BUTTON;
    case TAccessibleRole::PushButton:
        return ATK_ROLE_PUSH_BUTTON;
    case TAccessibleRole::SpinButton:
        return ATK_ROLE_SPIN_BUTTON;
    case TAccessibleRole::Image:
        return ATK_ROLE_IMAGE;
    case TAccessibleRole::Table:
        return ATK_ROLE_TABLE;
    case TAccessibleRole::TableCell:
        return ATK_ROLE_TABLE_CELL;
    case TAccessibleRole::ColumnHeader:
        return ATK_ROLE_COLUMN_HEADER;
    case TAccessibleRole::Separator:
        return ATK_ROLE_SEPARATOR;
    case TAccessibleRole::MenuBar:
        return ATK_ROLE_MENU_BAR;
    case TAccessibleRole::MenuItem:
        return ATK_ROLE_MENU_ITEM;
    }
    return ATK_ROLE_UNKNOWN;
}

void AddAtkStates(AtkStateSet* set, TAccessibleStates states) {
    for (const auto& s : kStateMap)
        if (states & s.bit) atk_state_set_add_state(set, s.atk);
}

void ExtentsIn(const TRect& screen, AtkObject* object, AtkCoordType coords, gint* x, gint* y,
               gint* width, gint* height) {
    gint ox = 0, oy = 0;
    if (coords == ATK_XY_WINDOW) {
        // Relative to the top-level window the object lies in.
        AtkObject* top = object;
        for (AtkObject* p = atk_object_get_parent(top); p && p != RootObject();
             p = atk_object_get_parent(p))
            top = p;
        if (top != object && ATK_IS_COMPONENT(top)) {
            gint w = 0, h = 0;
            atk_component_get_extents(ATK_COMPONENT(top), &ox, &oy, &w, &h, ATK_XY_SCREEN);
        } else if (top == object) {
            ox = screen.Left;
            oy = screen.Top;
        }
    } else if (coords == ATK_XY_PARENT) {
        AtkObject* parent = atk_object_get_parent(object);
        if (parent && parent != RootObject() && ATK_IS_COMPONENT(parent)) {
            gint w = 0, h = 0;
            atk_component_get_extents(ATK_COMPONENT(parent), &ox, &oy, &w, &h, ATK_XY_SCREEN);
        }
    }
    if (x) *x = screen.Left - ox;
    if (y) *y = screen.Top - oy;
    if (width) *width = screen.Width();
    if (height) *height = screen.Height();
}
