#include "skin/SkinIni.h"

#include "rtl/Strings.h"

#include <algorithm>
#include <climits>

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Splits at commas and keeps only the digits of each part. Every part needs a digit,
// the count must be exact and each number must fit an int.
bool ParseDigitParts(std::string_view text, int* out, int count) {
    int part = 0;
    long long value = 0;
    bool digit = false;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ',') {
            if (!digit || part >= count) return false;
            out[part++] = static_cast<int>(value);
            value = 0;
            digit = false;
            continue;
        }
        char c = text[i];
        if (c < '0' || c > '9') continue;
        value = value * 10 + (c - '0');
        if (value > INT_MAX) return false;
        digit = true;
    }
    return part == count;
}

} // namespace

bool ParseSkinInteger(std::string_view text, int& value) {
    std::string_view s = TrimView(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    bool hex = false;
    if (!s.empty() && s.front() == '$') {
        hex = true;
        s.remove_prefix(1);
    } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        hex = true;
        s.remove_prefix(2);
    }
    if (s.empty()) return false;
    unsigned long long acc = 0;
    for (char c : s) {
        int d = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (d < 0) return false;
        acc = acc * (hex ? 16 : 10) + static_cast<unsigned>(d);
        if (acc > 0xFFFFFFFFull) return false;
    }
    if (hex) {
        // Hexadecimal text covers the whole 32-bit pattern (colours such as $FF00000F).
        auto bits = static_cast<std::uint32_t>(acc);
        value = static_cast<int>(negative ? 0u - bits : bits);
        return true;
    }
    if (negative ? acc > 2147483648ull : acc > 2147483647ull) return false;
    value = negative ? static_cast<int>(-static_cast<long long>(acc)) : static_cast<int>(acc);
    return true;
}

bool ParseSkinPoint(std::string_view text, TPoint& value) {
    int v[2];
    if (!ParseDigitParts(text, v, 2)) return false;
    value = {v[0], v[1]};
    return true;
}

bool ParseSkinRect(std::string_view text, TRect& value) {
    int v[4];
    if (!ParseDigitParts(text, v, 4)) return false;
    value = {v[0], v[1], v[2], v[3]};
    return true;
}

TspSkinFontStyles ParseSkinFontStyle(std::string_view text) {
    TspSkinFontStyles s = 0;
    if (text.find("fsbold") != std::string_view::npos) s |= spfsBold;
    if (text.find("fsitalic") != std::string_view::npos) s |= spfsItalic;
    if (text.find("fsunderline") != std::string_view::npos) s |= spfsUnderline;
    if (text.find("fsstrikeout") != std::string_view::npos) s |= spfsStrikeOut;
    return s;
}

TspSkinAlignment ParseSkinAlignment(std::string_view text) {
    if (text == "tacenter") return TspSkinAlignment::Center;
    if (text == "taleftjustify") return TspSkinAlignment::LeftJustify;
    return TspSkinAlignment::RightJustify;
}

TspMorphKind ParseSkinMorphKind(std::string_view text) {
    static const char* const names[] = {"mkdefault",       "mkgradient",  "mkleftgradient",
                                        "mkrightgradient", "mkleftslide", "mkrightslide",
                                        "mkpush"};
    for (int i = 0; i < 7; ++i)
        if (text == names[i]) return static_cast<TspMorphKind>(i);
    return mkDefault;
}

TspImageEffect ParseSkinImageEffect(std::string_view text) {
    static const char* const names[] = {"iebrightness", "iedarkness",  "iegrayscale",
                                        "ienoise",      "iesplitblur", "ieinvert"};
    for (int i = 0; i < 6; ++i)
        if (text == names[i]) return static_cast<TspImageEffect>(i);
    return ieGrayscale;
}

std::string SkinFontStyleText(TspSkinFontStyles styles) {
    std::string r;
    auto add = [&](unsigned bit, const char* word) {
        if (!(styles & bit)) return;
        if (!r.empty()) r += ',';
        r += word;
    };
    add(spfsBold, "fsbold");
    add(spfsItalic, "fsitalic");
    add(spfsUnderline, "fsunderline");
    add(spfsStrikeOut, "fsstrikeout");
    return r;
}

const char* SkinAlignmentText(TspSkinAlignment alignment) {
    switch (alignment) {
    case TspSkinAlignment::Center:
        return "tacenter";
    case TspSkinAlignment::LeftJustify:
        return "taleftjustify";
    default:
        return "tarightjustify";
    }
}

const char* SkinMorphKindText(TspMorphKind kind) {
    static const char* const names[] = {"mkdefault",       "mkgradient",  "mkleftgradient",
                                        "mkrightgradient", "mkleftslide", "mkrightslide",
                                        "mkpush"};
    return kind >= 0 && kind <= 6 ? names[kind] : "mkdefault";
}

const char* SkinImageEffectText(TspImageEffect effect) {
    static const char* const names[] = {"iebrightness", "iedarkness",  "iegrayscale",
                                        "ienoise",      "iesplitblur", "ieinvert"};
    return effect >= 0 && effect <= 5 ? names[effect] : "iegrayscale";
}

std::string SkinRectText(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) +
           "," + std::to_string(r.Bottom);
}

std::string SkinPointText(const TPoint& p) {
    return std::to_string(p.X) + "," + std::to_string(p.Y);
}

void TspSkinIni::Load(const std::vector<std::string>& lines) {
    m_sections.clear();
    Section* current = nullptr;
    for (const std::string& raw : lines) {
        std::string_view line = TrimView(raw);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            std::size_t close = line.find(']');
            std::string_view name =
                close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
            current = &m_sections[LowerCase(TrimView(name))];
            continue;
        }
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || current == nullptr) continue;
        std::string key = LowerCase(TrimView(line.substr(0, eq)));
        if (key.empty()) continue;
        current->try_emplace(std::move(key), std::string(TrimView(line.substr(eq + 1))));
    }
}

void TspSkinIni::LoadText(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t zero = text.find('\0');
    if (zero != std::string_view::npos) text = text.substr(0, zero);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    Load(lines);
}

const TspSkinIni::Section* TspSkinIni::FindSection(std::string_view section) const {
    auto it = m_sections.find(LowerCase(section));
    return it == m_sections.end() ? nullptr : &it->second;
}

const std::string* TspSkinIni::Find(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (s == nullptr) return nullptr;
    auto it = s->find(LowerCase(key));
    return it == s->end() ? nullptr : &it->second;
}

bool TspSkinIni::SectionExists(std::string_view section) const {
    return FindSection(section) != nullptr;
}

bool TspSkinIni::ValueExists(std::string_view section, std::string_view key) const {
    return Find(section, key) != nullptr;
}

int TspSkinIni::KeyCount(std::string_view section) const {
    const Section* s = FindSection(section);
    return s == nullptr ? 0 : static_cast<int>(s->size());
}

std::string TspSkinIni::ReadString(std::string_view section, std::string_view key,
                                   const std::string& def) const {
    const std::string* v = Find(section, key);
    return v == nullptr ? def : *v;
}

int TspSkinIni::ReadInteger(std::string_view section, std::string_view key, int def) const {
    const std::string* v = Find(section, key);
    int value = 0;
    return v != nullptr && ParseSkinInteger(*v, value) ? value : def;
}

TspColorValue TspSkinIni::ReadColor(std::string_view section, std::string_view key,
                                    TspColorValue def) const {
    return static_cast<TspColorValue>(ReadInteger(section, key, static_cast<int>(def)));
}

bool TspSkinIni::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) == 1;
}

TPoint TspSkinIni::ReadPoint(std::string_view section, std::string_view key, TPoint def) const {
    const std::string* v = Find(section, key);
    TPoint p;
    return v != nullptr && ParseSkinPoint(*v, p) ? p : def;
}

TRect TspSkinIni::ReadRect(std::string_view section, std::string_view key, TRect def) const {
    const std::string* v = Find(section, key);
    TRect r;
    return v != nullptr && ParseSkinRect(*v, r) ? r : def;
}

TspSkinFontStyles TspSkinIni::ReadFontStyle(std::string_view section, std::string_view key) const {
    const std::string* v = Find(section, key);
    return v == nullptr ? 0 : ParseSkinFontStyle(*v);
}

TspSkinAlignment TspSkinIni::ReadAlignment(std::string_view section, std::string_view key) const {
    const std::string* v = Find(section, key);
    return v == nullptr ? TspSkinAlignment::Center : ParseSkinAlignment(*v);
}

TspMorphKind TspSkinIni::ReadMorphKind(std::string_view section, std::string_view key) const {
    const std::string* v = Find(section, key);
    return v == nullptr ? mkDefault : ParseSkinMorphKind(*v);
}

TspImageEffect TspSkinIni::ReadImageEffect(std::string_view section, std::string_view key) const {
    const std::string* v = Find(section, key);
    return v == nullptr ? ieBrightness : ParseSkinImageEffect(*v);
}

std::vector<std::string> TspSkinIni::ReadNameList(std::string_view section,
                                                  std::string_view name) const {
    std::vector<std::string> list;
    int count = ReadInteger(section, std::string(name) + "count", 0);
    count = std::min(count, KeyCount(section));
    for (int i = 0; i < count; ++i) list.push_back(ReadString(section, std::to_string(i), ""));
    return list;
}

std::vector<std::string> TspSkinIni::ReadLineList(std::string_view section,
                                                  std::string_view name) const {
    std::vector<std::string> list;
    std::string prefix(name);
    int count = ReadInteger(section, prefix + "linecount", 0);
    count = std::min(count, KeyCount(section));
    for (int i = 0; i < count; ++i)
        list.push_back(ReadString(section, prefix + "line" + std::to_string(i), ""));
    return list;
}
