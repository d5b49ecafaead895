#pragma once
// The font rule every skinned control follows: with a record and UseSkinFont the record's
// face, height and style; otherwise the control's DefaultFont. The character set comes
// from the store's string table when it has one, else from DefaultFont.
#include <string>

#include "gfx/Font.h"
#include "skin/SkinIni.h"

class TspSkinData;

TFontCharset SkinCharset(const TspSkinData* data, TFontCharset own);

// `font` becomes the record's face, height and style (colour untouched) with the charset of
// the rule.
void AssignSkinFont(TFont& font, const std::string& name, int height, TspSkinFontStyles style,
                    const TspSkinData* data, TFontCharset own);

// The whole rule: with `fromRecord` (a record was found and UseSkinFont is on) the record's
// face, height and style over what `font` holds; otherwise a copy of `defaultFont`. Either
// way the character set of the rule.
void ChooseRuleFont(TFont& font, bool fromRecord, const std::string& name, int height,
                    TspSkinFontStyles style, const TFont& defaultFont, const TspSkinData* data);
