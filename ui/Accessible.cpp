// The accessible model: the one listener, the default descriptions and readable names.
#include "ui/Accessible.h"

#include "ui/Control.h"
#include "ui/Messages.h"
#include "ui/WinControl.h"

namespace {
TAccessibleListener* g_listener = nullptr;
} // namespace

void SetAccessibleListener(TAccessibleListener* listener) {
    g_listener = listener;
}

TAccessibleListener* AccessibleListener() {
    return g_listener;
}

void NotifyAccessible(TControl& control, TAccessibleChange change) {
    if (g_listener) g_listener->AccessibleChanged(control, change);
}

void NoteAccessibleMessage(TControl& control, UINT msg) {
    switch (msg) {
    case WM_SETFOCUS:
        NotifyAccessible(control, TAccessibleChange::Focus);
        break;
    case WM_KILLFOCUS:
    case CM_ENABLEDCHANGED:
    case CM_SHOWINGCHANGED:
        NotifyAccessible(control, TAccessibleChange::States);
        break;
    case CM_VISIBLECHANGED:
        NotifyAccessible(control, TAccessibleChange::States);
        if (control.Parent()) NotifyAccessible(*control.Parent(), TAccessibleChange::Children);
        break;
    case WM_SETTEXT:
    case CM_TEXTCHANGED:
        NotifyAccessible(control, TAccessibleChange::Name);
        break;
    case CM_CHANGED: // an edit's text, a box's value
        NotifyAccessible(control, TAccessibleChange::Text);
        break;
    case CM_CONTROLLISTCHANGE:
        NotifyAccessible(control, TAccessibleChange::Children);
        break;
    default:
        break;
    }
}

TAccessibleInfo AccessibleInfoOf(const TControl& control) {
    TAccessibleInfo info;
    control.DescribeAccessible(info);
    return info;
}

AnsiString AccessibleCaption(const AnsiString& caption) {
    AnsiString out;
    out.reserve(caption.size());
    bool space = false;
    for (size_t i = 0; i < caption.size(); ++i) {
        char c = caption[i];
        if (c == '&' && i + 1 < caption.size()) c = caption[++i];
        // Spaces that lay a caption out (runs, line breaks) are one pause when read.
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            space = !out.empty();
            continue;
        }
        if (space) out += ' ';
        space = false;
        out += c;
    }
    return out;
}

const char* AccessibleRoleName(TAccessibleRole role) {
    switch (role) {
    case TAccessibleRole::Unknown:
        return "unknown";
    case TAccessibleRole::Frame:
        return "frame";
    case TAccessibleRole::Dialog:
        return "dialog";
    case TAccessibleRole::Alert:
        return "alert";
    case TAccessibleRole::PageTabList:
        return "page tab list";
    case TAccessibleRole::PageTab:
        return "page tab";
    case TAccessibleRole::Panel:
        return "panel";
    case TAccessibleRole::Filler:
        return "filler";
    case TAccessibleRole::Label:
        return "label";
    case TAccessibleRole::Link:
        return "link";
    case TAccessibleRole::Text:
        return "text";
    case TAccessibleRole::PasswordText:
        return "password text";
    case TAccessibleRole::CheckBox:
        return "check box";
    case TAccessibleRole::RadioButton:
        return "radio button";
    case TAccessibleRole::PushButton:
        return "push button";
    case TAccessibleRole::SpinButton:
        return "spin button";
    case TAccessibleRole::Image:
        return "image";
    case TAccessibleRole::Table:
        return "table";
    case TAccessibleRole::TableCell:
        return "table cell";
    case TAccessibleRole::ColumnHeader:
        return "column header";
    case TAccessibleRole::Separator:
        return "separator";
    case TAccessibleRole::MenuBar:
        return "menu bar";
    case TAccessibleRole::MenuItem:
        return "menu item";
    }
    return "unknown";
}

AnsiString AccessibleStatesText(TAccessibleStates states) {
    static const struct {
        TAccessibleStates bit;
        const char* name;
    } kNames[] = {
        {asFocused, "focused"},       {asFocusable, "focusable"}, {asEnabled, "enabled"},
        {asVisible, "visible"},       {asShowing, "showing"},     {asChecked, "checked"},
        {asEditable, "editable"},     {asSelected, "selected"},   {asCheckable, "checkable"},
        {asSelectable, "selectable"}, {asActive, "active"},       {asSingleLine, "single line"},
        {asModal, "modal"},           {asDefault, "default"}};
    AnsiString out;
    for (const auto& n : kNames) {
        if (!(states & n.bit)) continue;
        if (!out.empty()) out += ' ';
        out += n.name;
    }
    return out;
}

// --- the defaults of the framework's base classes ---

void TControl::DescribeAccessible(TAccessibleInfo& info) const {
    info.Role = TAccessibleRole::Filler;
    info.Name = AccessibleCaption(Caption());
    info.Description = Hint();
    if (m_visible) info.States |= asVisible;
    if (Showing()) info.States |= asShowing;
    if (m_enabled) info.States |= asEnabled;
    const TPoint origin =
        m_parent ? m_parent->ClientToScreen({m_left, m_top}) : TPoint{m_left, m_top};
    info.Bounds = Bounds(origin.X, origin.Y, m_width, m_height);
}

void TWinControl::DescribeAccessible(TAccessibleInfo& info) const {
    TControl::DescribeAccessible(info);
    info.Bounds = WindowRectOnScreen();
    if (m_tabStop && CanFocus()) info.States |= asFocusable;
    if (Focused()) info.States |= asFocused | asFocusable;
    for (TControl* c : m_controls)
        if (c->Visible()) info.Children.push_back(c);
}
