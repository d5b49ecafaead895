#include "skinctrls/SkinFontRule.h"

#include "skin/ResourceStrData.h"
#include "skin/SkinData.h"
#include "skin/SkinFonts.h"

TFontCharset SkinCharset(const TspSkinData* data, TFontCharset own) {
    if (data && data->ResourceStrData()) return TFontCharset(data->ResourceStrData()->CharSet());
    return own;
}

void AssignSkinFont(TFont& font, const std::string& name, int height, TspSkinFontStyles style,
                    const TspSkinData* data, TFontCharset own) {
    font.SetName(name);
    font.SetHeight(height);
    font.SetStyle(SkinFontStyles(style));
    font.SetCharset(SkinCharset(data, own));
}

void ChooseRuleFont(TFont& font, bool fromRecord, const std::string& name, int height,
                    TspSkinFontStyles style, const TFont& defaultFont, const TspSkinData* data) {
    if (fromRecord) {
        AssignSkinFont(font, name, height, style, data, defaultFont.Charset());
        return;
    }
    font.Assign(defaultFont);
    font.SetCharset(SkinCharset(data, defaultFont.Charset()));
}
