// A control's text: read by characters, words and lines, and set as if typed; a password's
// own characters are never needed, nor given.
#include "atkbridge/BridgeObjects.h"
#include "atkbridge/ControlInterfaces.h"

#include <algorithm>
#include <string>

#include "ui/Control.h"

namespace {

// --- AtkText (offsets count characters of the UTF-8 text) ---

std::string TextOf(gpointer object) {
    return ToUtf8(InfoOf(object).Text);
}

glong CharCount(const std::string& text) {
    return g_utf8_strlen(text.c_str(), glong(text.size()));
}

// Characters [start, end) of a UTF-8 text; end -1 runs to the end.
gchar* Slice(const std::string& text, gint start, gint end) {
    const glong n = CharCount(text);
    if (end < 0 || end > n) end = gint(n);
    if (start < 0) start = 0;
    if (start > end) start = end;
    return g_utf8_substring(text.c_str(), start, end);
}

gchar* GetText(AtkText* t, gint start, gint end) {
    return Slice(TextOf(t), start, end);
}

gint GetCharacterCount(AtkText* t) {
    return gint(CharCount(TextOf(t)));
}

gint GetCaretOffset(AtkText* t) {
    return InfoOf(t).CaretOffset;
}

gboolean SetCaretOffset(AtkText*, gint) {
    return FALSE;
}

gunichar GetCharacterAtOffset(AtkText* t, gint offset) {
    const std::string text = TextOf(t);
    if (offset < 0 || offset >= CharCount(text)) return 0;
    return g_utf8_get_char(g_utf8_offset_to_pointer(text.c_str(), offset));
}

// One line: the whole text; a word: the run of non-spaces around the offset; a character.
gchar* TextAtOffset(AtkText* t, AtkTextBoundary boundary, gint offset, gint* start, gint* end) {
    const std::string text = TextOf(t);
    const gint n = gint(CharCount(text));
    gint s = 0, e = n;
    if (boundary == ATK_TEXT_BOUNDARY_CHAR) {
        s = std::min(std::max(offset, 0), n);
        e = std::min(s + 1, n);
    } else if (boundary == ATK_TEXT_BOUNDARY_WORD_START || boundary == ATK_TEXT_BOUNDARY_WORD_END) {
        gchar* all = g_strdup(text.c_str());
        auto isSpace = [&](gint i) {
            return g_unichar_isspace(g_utf8_get_char(g_utf8_offset_to_pointer(all, i)));
        };
        s = std::min(std::max(offset, 0), n);
        e = s;
        while (s > 0 && !isSpace(s - 1)) --s;
        while (e < n && !isSpace(e)) ++e;
        while (e < n && isSpace(e)) ++e;
        g_free(all);
    }
    *start = s;
    *end = e;
    return Slice(text, s, e);
}

gchar* GetTextAtOffset(AtkText* t, gint offset, AtkTextBoundary boundary, gint* start, gint* end) {
    return TextAtOffset(t, boundary, offset, start, end);
}

gchar* GetStringAtOffset(AtkText* t, gint offset, AtkTextGranularity granularity, gint* start,
                         gint* end) {
    AtkTextBoundary boundary = ATK_TEXT_BOUNDARY_LINE_START;
    if (granularity == ATK_TEXT_GRANULARITY_CHAR) boundary = ATK_TEXT_BOUNDARY_CHAR;
    if (granularity == ATK_TEXT_GRANULARITY_WORD) boundary = ATK_TEXT_BOUNDARY_WORD_START;
    return TextAtOffset(t, boundary, offset, start, end);
}

// --- AtkEditableText: the new text goes through the control as if typed ---

bool ReplaceText(gpointer object, const std::string& utf8) {
    TAccessibleInfo info = InfoOf(object);
    if (!info.SetText) return false;
    info.SetText(FromUtf8(utf8.c_str()));
    return true;
}

void SetTextContents(AtkEditableText* t, const gchar* text) {
    ReplaceText(t, text ? text : "");
}

void InsertText(AtkEditableText* t, const gchar* text, gint length, gint* position) {
    if (!text || !position) return;
    // A password's own characters are never read back: inserting needs the real text, so
    // only appending to an empty box or replacing it whole is done there.
    const TAccessibleInfo info = InfoOf(t);
    if (!info.SetText) return;
    const std::string added = length < 0 ? std::string(text) : std::string(text, size_t(length));
    if (info.Role == TAccessibleRole::PasswordText) {
        if (!info.Text.empty()) return;
        ReplaceText(t, added);
        *position = gint(CharCount(added));
        return;
    }
    const std::string now = ToUtf8(info.Text);
    const gint n = gint(CharCount(now));
    const gint at = std::min(std::max(*position, 0), n);
    gchar* head = Slice(now, 0, at);
    gchar* tail = Slice(now, at, -1);
    ReplaceText(t, std::string(head) + added + tail);
    g_free(head);
    g_free(tail);
    *position = at + gint(CharCount(added));
}

void DeleteText(AtkEditableText* t, gint start, gint end) {
    const TAccessibleInfo info = InfoOf(t);
    if (!info.SetText) return;
    if (info.Role == TAccessibleRole::PasswordText) {
        // Only a deletion of everything is meaningful without the characters.
        const gint n = gint(info.Text.size());
        if (start <= 0 && (end < 0 || end >= n)) ReplaceText(t, "");
        return;
    }
    const std::string now = ToUtf8(info.Text);
    gchar* head = Slice(now, 0, start);
    gchar* tail = Slice(now, end < 0 ? gint(CharCount(now)) : end, -1);
    ReplaceText(t, std::string(head) + tail);
    g_free(head);
    g_free(tail);
}

} // namespace

void TextInit(gpointer iface, gpointer) {
    auto* t = static_cast<AtkTextIface*>(iface);
    t->get_text = GetText;
    t->get_character_count = GetCharacterCount;
    t->get_caret_offset = GetCaretOffset;
    t->set_caret_offset = SetCaretOffset;
    t->get_character_at_offset = GetCharacterAtOffset;
    t->get_text_at_offset = GetTextAtOffset;
    t->get_string_at_offset = GetStringAtOffset;
}

void EditableTextInit(gpointer iface, gpointer) {
    auto* e = static_cast<AtkEditableTextIface*>(iface);
    e->set_text_contents = SetTextContents;
    e->insert_text = InsertText;
    e->delete_text = DeleteText;
}
