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
