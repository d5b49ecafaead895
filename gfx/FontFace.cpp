#include "gfx/FontFace.h"

#include "rtl/Strings.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

namespace {

// Face names the program asks for and the metric-compatible face that stands in for them.
std::string Substitute(const std::string& name) {
    static const std::map<std::string, std::string> kAliases = {
        {"arial", "Liberation Sans"},
        {"ms sans serif", "Liberation Sans"},
        {"tahoma", "Liberation Sans"},
        {"verdana", "Liberation Sans"},
    };
    auto it = kAliases.find(LowerCase(name));
    return it == kAliases.end() ? name : it->second;
}

struct FaceFile {
    std::string path;
    int index = 0;
    std::string family;
    bool bold = false; // the file itself is bold / italic
    bool italic = false;
};

// fontconfig's best match for a family; `exact` demands that the family is the one asked for.
bool Match(const std::string& family, bool bold, bool italic, bool exact, FaceFile& out) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return false;
    FcChar8* file = nullptr;
    FcChar8* matchedFamily = nullptr;
    int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    bool ok = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file;
    if (ok) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        if (FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily) != FcResultMatch)
            matchedFamily = nullptr;
        const std::string got = matchedFamily ? reinterpret_cast<char*>(matchedFamily) : "";
        if (exact && LowerCase(got) != LowerCase(family)) ok = false;
        if (ok) {
            out.path = reinterpret_cast<char*>(file);
            out.index = index;
            out.family = got;
            out.bold = weight >= FC_WEIGHT_DEMIBOLD;
            out.italic = slant != FC_SLANT_ROMAN;
        }
    }
    FcPatternDestroy(match);
    return ok;
}

// Average character width in font units as interface fonts traditionally declare it: the
// lower-case letters and the space, weighted by how often they occur in text. Newer font files
// average every glyph instead and come out a good deal wider (Liberation Sans declares 1187
// units; its weighted letters give 904), which would stretch tab stops. 0 when a letter is
// missing.
double WeightedAverageWidth(FT_Face ft) {
    static const int kWeights[26] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3,  6, 35, 20,
                                     56, 56, 17, 4,  49,  56, 71, 31, 10, 18, 3, 18, 2};
    auto advance = [ft](char32_t ch) -> long {
        const FT_UInt index = FT_Get_Char_Index(ft, ch);
        FT_Fixed value = 0;
        if (!index || FT_Get_Advance(ft, index, FT_LOAD_NO_SCALE, &value) != 0) return -1;
        return long(value);
    };
    long space = advance(' ');
    if (space < 0) return 0;
    double sum = 166.0 * double(space);
    for (int i = 0; i < 26; ++i) {
        const long a = advance(char32_t('a' + i));
        if (a < 0) return 0;
        sum += double(kWeights[i]) * double(a);
    }
    return sum / 1000.0;
}

FaceFile Resolve(const std::string& name, bool bold, bool italic) {
    FaceFile f;
    if (Match(Substitute(name), bold, italic, true, f)) return f;
    if (Match("Liberation Sans", bold, italic, true, f)) return f;
    if (Match("sans-serif", bold, italic, false, f)) return f;
    return FaceFile{}; // nothing at all: the face draws nothing but keeps its metrics
}

struct Library {
    FT_Library ft = nullptr;
    std::mutex mutex;
    std::map<std::tuple<std::string, bool, bool>, FaceFile> files;
    std::map<std::tuple<std::string, bool, bool, int>, std::weak_ptr<TFontFace>> faces;
    // Recently used faces stay alive even when no font holds them.
    std::vector<std::shared_ptr<TFontFace>> keep;
    Library() {
        FcInit();
        if (FT_Init_FreeType(&ft) != 0) ft = nullptr;
    }
};

Library& Lib() {
    static Library* lib = new Library; // lives for the process: faces may outlive statics
    return *lib;
}

} // namespace

std::shared_ptr<TFontFace> TFontFace::Get(const std::string& name, int height, bool bold,
                                          bool italic) {
    // Painting asks for one face over and over (every cell of a column copies the column's
    // font); the last face asked for on this thread is found without locking or lowering.
    struct TLastFace {
        std::string Name;
        int Height = 0;
        bool Bold = false;
        bool Italic = false;
        std::weak_ptr<TFontFace> Face;
    };
    thread_local TLastFace last;
    if (last.Height == height && last.Bold == bold && last.Italic == italic && last.Name == name)
        if (auto face = last.Face.lock()) return face;
    std::shared_ptr<TFontFace> face = Find(name, height, bold, italic);
    last = {name, height, bold, italic, face};
    return face;
}

std::shared_ptr<TFontFace> TFontFace::Find(const std::string& name, int height, bool bold,
                                           bool italic) {
    Library& lib = Lib();
    std::lock_guard<std::mutex> lock(lib.mutex);
    if (height == 0) height = -11;
    const auto key = std::make_tuple(LowerCase(name), bold, italic, height);
    if (auto it = lib.faces.find(key); it != lib.faces.end())
        if (auto face = it->second.lock()) return face;

    const auto fileKey = std::make_tuple(LowerCase(name), bold, italic);
    auto fileIt = lib.files.find(fileKey);
    if (fileIt == lib.files.end())
        fileIt = lib.files.emplace(fileKey, Resolve(name, bold, italic)).first;
    const FaceFile& file = fileIt->second;

    std::shared_ptr<TFontFace> face(new TFontFace);
    face->m_family = file.family;
    FT_Face ft = nullptr;
    if (lib.ft && !file.path.empty() &&
        FT_New_Face(lib.ft, file.path.c_str(), file.index, &ft) != 0)
        ft = nullptr;

    // Design metrics in font units: the OS/2 table's clipping ascent and descent when the font
    // has them, as cell heights are measured with those.
    double upem = 2048, winAscent = 1854, winDescent = 434, avgWidth = 1176;
    double underlinePos = -217, underlineThick = 150, strikePos = 530, strikeThick = 102;
    if (ft) {
        upem = ft->units_per_EM ? ft->units_per_EM : 2048;
        winAscent = ft->ascender;
        winDescent = -ft->descender;
        underlinePos = ft->underline_position;
        underlineThick = ft->underline_thickness;
        if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2))) {
            if (os2->usWinAscent + os2->usWinDescent > 0) {
                winAscent = os2->usWinAscent;
                winDescent = os2->usWinDescent;
            }
            if (os2->xAvgCharWidth > 0) avgWidth = os2->xAvgCharWidth;
            strikePos = os2->yStrikeoutPosition;
            strikeThick = os2->yStrikeoutSize;
        }
        if (const double weighted = WeightedAverageWidth(ft); weighted > 0) avgWidth = weighted;
    }
    TTextMetric& m = face->m_metrics;
    double em;
    if (height < 0) {
        em = -height;
        m.Ascent = int(std::ceil(winAscent * em / upem - 1e-9));
        m.Descent = int(std::ceil(winDescent * em / upem - 1e-9));
        m.Height = m.Ascent + m.Descent;
    } else {
        // A cell height: ascent + descent is exactly that.
        em = height * upem / (winAscent + winDescent);
        m.Height = height;
        m.Ascent = int(std::lround(winAscent * height / (winAscent + winDescent)));
        m.Descent = height - m.Ascent;
    }
    m.InternalLeading = std::max(0, m.Height - int(std::lround(em)));
    m.ExternalLeading = 0;
    m.AveCharWidth = std::max(1, int(std::lround(avgWidth * em / upem)));
    m.MaxCharWidth = m.AveCharWidth;
    if (ft) {
        m.MaxCharWidth = std::max(1, int(std::lround((ft->bbox.xMax - ft->bbox.xMin) * em / upem)));
        FT_Set_Char_Size(ft, 0, FT_F26Dot6(std::lround(em * 64)), 72, 72);
        face->m_emboldenSynthetic = bold && !file.bold;
        face->m_slantSynthetic = italic && !file.italic;
    }
    face->m_underlineOffset = std::max(1, int(std::lround(-underlinePos * em / upem)));
    face->m_underlineThickness = std::max(1, int(std::lround(underlineThick * em / upem)));
    face->m_strikeOutThickness = std::max(1, int(std::lround(strikeThick * em / upem)));
    face->m_strikeOutOffset = -int(std::lround(strikePos * em / upem));
    face->m_face = ft;
    face->m_low.resize(0x500);

    lib.faces[key] = face;
    lib.keep.push_back(face);
    if (lib.keep.size() > 64) lib.keep.erase(lib.keep.begin());
    return face;
}

TFontFace::~TFontFace() {
    if (m_face) FT_Done_Face(static_cast<FT_Face>(m_face));
}

const TGlyph& TFontFace::Glyph(char32_t ch) {
    if (ch < 0x500) {
        std::unique_ptr<TGlyph>& slot = m_low[ch];
        if (!slot) {
            slot = std::make_unique<TGlyph>();
            Render(ch, *slot);
        }
        return *slot;
    }
    std::unique_ptr<TGlyph>& slot = m_high[ch];
    if (!slot) {
        slot = std::make_unique<TGlyph>();
        Render(ch, *slot);
    }
    return *slot;
}

void TFontFace::Render(char32_t ch, TGlyph& glyph) {
    auto* ft = static_cast<FT_Face>(m_face);
    if (!ft) {
        glyph.advance = ch == '\t' ? 0 : m_metrics.AveCharWidth;
        return;
    }
    // Control characters take no room and draw nothing.
    if (ch < 0x20 || ch == 0x7F) return;
    const FT_UInt index = FT_Get_Char_Index(ft, ch);
    // The auto-hinter at normal strength snaps stems to whole pixels in both directions, which
    // keeps small interface text crisp (the fonts' own hints leave stems blurred across two).
    if (FT_Load_Glyph(ft, index, FT_LOAD_FORCE_AUTOHINT | FT_LOAD_TARGET_NORMAL) != 0) return;
    FT_GlyphSlot slot = ft->glyph;
    if (m_slantSynthetic) FT_GlyphSlot_Oblique(slot);
    if (m_emboldenSynthetic) FT_GlyphSlot_Embolden(slot);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return;
    glyph.advance = int((slot->advance.x + 32) >> 6);
    const FT_Bitmap& bm = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = int(bm.width);
    glyph.height = int(bm.rows);
    // At least seven zeros after each row, so that eight coverages can be read from any column.
    glyph.stride = (glyph.width + 7 + 7) & ~7;
    glyph.coverage.assign(std::size_t(glyph.stride) * std::size_t(glyph.height), 0);
    for (int y = 0; y < glyph.height; ++y) {
        const unsigned char* src = bm.buffer + std::ptrdiff_t(y) * bm.pitch;
        std::uint8_t* dst = glyph.coverage.data() + std::size_t(y) * glyph.stride;
        if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
            std::copy_n(src, glyph.width, dst);
        } else if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
            for (int x = 0; x < glyph.width; ++x)
                dst[x] = (src[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0;
        }
    }
}

int TFontFace::TextWidth(std::u16string_view text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size();) width += Glyph(NextCodePoint(text, i)).advance;
    return width;
}
