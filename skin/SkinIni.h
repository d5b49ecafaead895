#pragma once
// The skin description: an INI-style text held in memory, and the value syntax every
// skin reader uses (integers, colours, bools, points, rects, font styles, alignments,
// morph kinds, image effects, name lists and line lists).
#include "gfx/Types.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Font style bits as read from a description ("fsbold" ...); the controls turn them
// into their own font styles.
enum TspSkinFontStyle : unsigned {
    spfsBold = 1,
    spfsItalic = 2,
    spfsUnderline = 4,
    spfsStrikeOut = 8,
};
using TspSkinFontStyles = unsigned;

enum class TspSkinAlignment { Center, LeftJustify, RightJustify };

// Morph kinds: 0 blend ... 6 push.
enum TspMorphKind {
    mkDefault = 0,
    mkGradient,
    mkLeftGradient,
    mkRightGradient,
    mkLeftSlide,
    mkRightSlide,
    mkPush
};

enum TspImageEffect { ieBrightness = 0, ieDarkness, ieGrayscale, ieNoise, ieSplitBlur, ieInvert };

using TspColorValue = std::uint32_t; // a TColor as written in a skin (0x00BBGGRR or system)

// Value syntax, usable on their own (the tests and the dump tool need them too).
// Each returns false when the text does not hold a value of the kind.
bool ParseSkinInteger(std::string_view text, int& value);
bool ParseSkinPoint(std::string_view text, TPoint& value);
bool ParseSkinRect(std::string_view text, TRect& value);
TspSkinFontStyles ParseSkinFontStyle(std::string_view text);
TspSkinAlignment ParseSkinAlignment(std::string_view text);
TspMorphKind ParseSkinMorphKind(std::string_view text);
TspImageEffect ParseSkinImageEffect(std::string_view text);

// Canonical words, for the dump and for writers of skins.
std::string SkinFontStyleText(TspSkinFontStyles styles);
const char* SkinAlignmentText(TspSkinAlignment alignment);
const char* SkinMorphKindText(TspMorphKind kind);
const char* SkinImageEffectText(TspImageEffect effect);
std::string SkinRectText(const TRect& r);
std::string SkinPointText(const TPoint& p);

// An in-memory INI reader over the description lines. Section and key names match
// regardless of letter case; the first occurrence of a duplicate key wins.
class TspSkinIni {
public:
    TspSkinIni() = default;
    explicit TspSkinIni(const std::vector<std::string>& lines) { Load(lines); }

    void Load(const std::vector<std::string>& lines);
    // Splits the text at CR, LF or CR LF (a zero byte ends it) and loads the lines.
    void LoadText(std::string_view text);

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    int KeyCount(std::string_view section) const;

    std::string ReadString(std::string_view section, std::string_view key,
                           const std::string& def) const;
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    TspColorValue ReadColor(std::string_view section, std::string_view key,
                            TspColorValue def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    TPoint ReadPoint(std::string_view section, std::string_view key, TPoint def) const;
    TRect ReadRect(std::string_view section, std::string_view key, TRect def) const;
    TspSkinFontStyles ReadFontStyle(std::string_view section, std::string_view key) const;
    TspSkinAlignment ReadAlignment(std::string_view section, std::string_view key) const;
    TspMorphKind ReadMorphKind(std::string_view section, std::string_view key) const;
    TspImageEffect ReadImageEffect(std::string_view section, std::string_view key) const;
    // "<name>count" = N, then keys "0" .. "N-1". A count above the number of keys the
    // section holds cannot be honest and is cut to that number.
    std::vector<std::string> ReadNameList(std::string_view section, std::string_view name) const;
    // "<name>linecount" = N, then keys "<name>line0" .. "<name>line<N-1>".
    std::vector<std::string> ReadLineList(std::string_view section, std::string_view name) const;

private:
    using Section = std::unordered_map<std::string, std::string>;
    const std::string* Find(std::string_view section, std::string_view key) const;
    const Section* FindSection(std::string_view section) const;

    std::unordered_map<std::string, Section> m_sections;
};
