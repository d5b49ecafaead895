#include "gfx/DrawText.h"

#include "gfx/FontFace.h"
#include "rtl/Strings.h"

#include <algorithm>
#include <span>
#include <vector>

namespace {

const std::u16string kEllipsis = u"...";

struct Line {
    std::u16string text;
    std::vector<std::size_t> underlined; // indexes of "&"-prefixed characters
    int width = 0;                       // measured once the line is final
};

class Layout {
public:
    Layout(TFontFace& face, unsigned flags) : m_face(face), m_flags(flags) {
        m_tabWidth = std::max(1, 8 * face.Metrics().AveCharWidth);
    }

    // Width of a line from x = 0, tabs expanded when asked.
    int Width(std::u16string_view text) const {
        int x = 0;
        for (std::size_t i = 0; i < text.size();) {
            const char32_t c = NextCodePoint(text, i);
            x = Advance(x, c);
        }
        return x;
    }

    int Advance(int x, char32_t c) const {
        if (c == u'\t' && (m_flags & DT_EXPANDTABS)) return (x / m_tabWidth + 1) * m_tabWidth;
        return x + m_face.Advance(c);
    }

    // Left edge of character `index` within the line.
    int OffsetOf(std::u16string_view text, std::size_t index) const {
        return Width(text.substr(0, std::min(index, text.size())));
    }

private:
    TFontFace& m_face;
    unsigned m_flags;
    int m_tabWidth;
};

// Removes the "&" prefixes: "&x" underlines x, "&&" is a literal "&", a lone trailing "&" goes.
Line StripPrefixes(const std::u16string& text, unsigned flags) {
    Line line;
    if (flags & DT_NOPREFIX) {
        line.text = text;
        return line;
    }
    line.text.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            line.text.push_back(text[i]);
            continue;
        }
        if (i + 1 >= text.size()) break;
        ++i;
        if (text[i] != u'&') line.underlined.push_back(line.text.size());
        line.text.push_back(text[i]);
    }
    return line;
}

// Splits at CR LF, LF CR, CR and LF; each pair counts as one break.
std::vector<Line> SplitLines(const Line& all) {
    std::vector<Line> lines(1);
    std::size_t start = 0;
    auto take = [&](std::size_t from, std::size_t to) {
        Line& cur = lines.back();
        cur.text = all.text.substr(from, to - from);
        for (std::size_t u : all.underlined)
            if (u >= from && u < to) cur.underlined.push_back(u - from);
    };
    std::size_t i = 0;
    while (i < all.text.size()) {
        const char16_t c = all.text[i];
        if (c != u'\r' && c != u'\n') {
            ++i;
            continue;
        }
        take(start, i);
        std::size_t next = i + 1;
        if (next < all.text.size() && all.text[next] != c &&
            (all.text[next] == u'\r' || all.text[next] == u'\n'))
            ++next;
        lines.emplace_back();
        start = i = next;
    }
    take(start, all.text.size());
    return lines;
}

Line SubLine(const Line& line, std::size_t from, std::size_t to) {
    Line out;
    out.text = line.text.substr(from, to - from);
    for (std::size_t u : line.underlined)
        if (u >= from && u < to) out.underlined.push_back(u - from);
    return out;
}

// Greedy breaking at spaces; a word wider than the line stays whole on a line of its own.
void WordBreak(const Line& line, int maxWidth, const Layout& layout, std::vector<Line>& out) {
    const std::u16string& t = line.text;
    if (t.empty()) {
        out.push_back(line);
        return;
    }
    std::size_t lineStart = 0;
    while (lineStart < t.size()) {
        std::size_t lastFitEnd = std::string::npos; // end of the last word that fits
        std::size_t pos = lineStart;
        std::size_t breakAt = t.size();
        while (pos < t.size()) {
            // Next word end.
            std::size_t wordEnd = pos;
            while (wordEnd < t.size() && t[wordEnd] == u' ') ++wordEnd;
            while (wordEnd < t.size() && t[wordEnd] != u' ') ++wordEnd;
            const int w =
                layout.Width(std::u16string_view(t).substr(lineStart, wordEnd - lineStart));
            if (w > maxWidth && lastFitEnd != std::string::npos) {
                breakAt = lastFitEnd;
                break;
            }
            lastFitEnd = wordEnd;
            pos = wordEnd;
            if (w > maxWidth) { // a single overlong word
                breakAt = wordEnd;
                break;
            }
        }
        out.push_back(SubLine(line, lineStart, breakAt));
        // The spaces at a break are dropped.
        std::size_t next = breakAt;
        while (next < t.size() && t[next] == u' ') ++next;
        lineStart = next;
    }
}

void EndEllipsis(Line& line, int maxWidth, const Layout& layout, bool atWord) {
    if (layout.Width(line.text) <= maxWidth) return;
    const int dots = layout.Width(kEllipsis);
    std::size_t keep = 0;
    int x = 0;
    for (std::size_t i = 0; i < line.text.size();) {
        const std::size_t before = i;
        const int nx = layout.Advance(x, NextCodePoint(line.text, i));
        if (nx + dots > maxWidth) {
            keep = before;
            break;
        }
        x = nx;
        keep = i;
    }
    if (atWord) {
        const std::size_t space = line.text.rfind(u' ', keep);
        if (space != std::u16string::npos && space > 0) keep = space;
    }
    while (keep > 0 && line.text[keep - 1] == u' ' && atWord) --keep;
    line.text = line.text.substr(0, keep) + kEllipsis;
    std::erase_if(line.underlined, [&](std::size_t u) { return u >= keep; });
}

// Keeps the last path component and as much of the start as fits: "C:\dir\...\file.txt".
void PathEllipsis(Line& line, int maxWidth, const Layout& layout) {
    if (layout.Width(line.text) <= maxWidth) return;
    const std::size_t sep = line.text.find_last_of(u"\\/");
    if (sep == std::u16string::npos || sep == 0) {
        EndEllipsis(line, maxWidth, layout, false);
        return;
    }
    const std::u16string tail = line.text.substr(sep);
    std::size_t keep = sep;
    while (keep > 0) {
        --keep;
        if (layout.Width(line.text.substr(0, keep) + kEllipsis + tail) <= maxWidth) break;
    }
    line.text = line.text.substr(0, keep) + kEllipsis + tail;
    line.underlined.clear();
    if (layout.Width(line.text) > maxWidth) EndEllipsis(line, maxWidth, layout, false);
}

} // namespace

int DrawText(TCanvas& canvas, const std::u16string& text, TRect& rect, unsigned flags) {
    TFontFace& face = canvas.Font()->Face();
    const TTextMetric& metrics = face.Metrics();
    const Layout layout(face, flags);
    const int lineHeight =
        metrics.Height + ((flags & DT_EXTERNALLEADING) ? metrics.ExternalLeading : 0);
    const int maxWidth = rect.Width();
    if (text.empty()) {
        if (flags & DT_CALCRECT) {
            rect.Right = rect.Left;
            rect.Bottom = rect.Top;
        }
        return 0;
    }

    // A single line, what cells and captions draw, needs no list of lines: the grid draws
    // hundreds of texts a paint.
    Line stripped = StripPrefixes(text, flags);
    std::vector<Line> several;
    std::span<Line> lines(&stripped, 1);
    if (!(flags & DT_SINGLELINE)) {
        std::vector<Line> hard = SplitLines(stripped);
        if (flags & DT_WORDBREAK)
            for (const Line& l : hard) WordBreak(l, maxWidth, layout, several);
        else
            several = std::move(hard);
        lines = std::span<Line>(several);
    }

    const bool calc = (flags & DT_CALCRECT) != 0;
    if (!calc) {
        for (Line& l : lines) {
            if (flags & DT_PATH_ELLIPSIS)
                PathEllipsis(l, maxWidth, layout);
            else if (flags & DT_END_ELLIPSIS)
                EndEllipsis(l, maxWidth, layout, false);
            else if (flags & DT_WORD_ELLIPSIS)
                EndEllipsis(l, maxWidth, layout, true);
        }
    }

    int widest = 0;
    for (Line& l : lines) {
        l.width = layout.Width(l.text);
        widest = std::max(widest, l.width);
    }
    const int totalHeight = lineHeight * int(lines.size());

    int top = rect.Top;
    int result = totalHeight;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_BOTTOM)
            top = rect.Bottom - lineHeight;
        else if (flags & DT_VCENTER)
            top = rect.Top + (rect.Height() - lineHeight) / 2;
        if (flags & (DT_BOTTOM | DT_VCENTER)) result = top - rect.Top + lineHeight;
    }

    if (calc) {
        // Only the right and bottom edges move, whatever the alignment.
        rect.Right = rect.Left + widest;
        rect.Bottom = rect.Top + totalHeight;
        return totalHeight;
    }

    const TColor color = canvas.Font()->Color();
    const TRect clip = (flags & DT_NOCLIP) ? UnboundedRect : rect;
    const bool opaque = canvas.Brush()->Style() == bsSolid;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const Line& l = lines[n];
        const int w = l.width;
        int x = rect.Left;
        if (flags & DT_RIGHT)
            x = rect.Right - w;
        else if (flags & DT_CENTER)
            x = rect.Left + (rect.Width() - w) / 2;
        const int y = top + int(n) * lineHeight;
        if (opaque && !(flags & DT_PREFIXONLY)) {
            const TRect cell = IntersectRect(Bounds(x, y, w, lineHeight), clip);
            if (!cell.IsEmpty()) canvas.FillRect(cell);
        }
        if (!(flags & DT_PREFIXONLY)) {
            if ((flags & DT_EXPANDTABS) && l.text.find(u'\t') != std::u16string::npos) {
                // Draw tab-separated runs at their tab stops.
                std::size_t start = 0;
                while (start <= l.text.size()) {
                    std::size_t tab = l.text.find(u'\t', start);
                    if (tab == std::u16string::npos) tab = l.text.size();
                    const int off = layout.OffsetOf(l.text, start);
                    canvas.DrawTextLine(x + off, y, l.text.substr(start, tab - start), color, clip);
                    start = tab + 1;
                }
            } else {
                canvas.DrawTextLine(x, y, l.text, color, clip);
            }
            canvas.DrawTextDecorations(x, y, w, color, clip);
        }
        if (!(flags & DT_HIDEPREFIX)) {
            for (std::size_t u : l.underlined) {
                if (u >= l.text.size()) continue;
                const int ux = x + layout.OffsetOf(l.text, u);
                const int uw = layout.OffsetOf(l.text, u + 1) - layout.OffsetOf(l.text, u);
                const int uy =
                    std::min(y + metrics.Ascent + face.UnderlineOffset(), y + metrics.Height - 1);
                const TRect line =
                    IntersectRect(Rect(ux, uy, ux + uw, uy + face.UnderlineThickness()), clip);
                if (!line.IsEmpty()) canvas.AlphaFillRect(line, color, 255);
            }
        }
    }
    return result;
}

int DrawText(TCanvas& canvas, const std::string& text, TRect& rect, unsigned flags) {
    return DrawText(canvas, AnsiToWide(text), rect, flags);
}
