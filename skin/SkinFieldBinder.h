#pragma once
// One list of fields per record class serves two readers: the description reader fills
// the fields from a section, and the dump lists them with their values, both in the
// order the class reads its keys.
#include "skin/SkinIni.h"

#include <string>
#include <vector>

class TspSkinFieldBinder {
public:
    virtual ~TspSkinFieldBinder() = default;

    virtual void Int(const char* key, int& value, int def) = 0;
    virtual void Color(const char* key, TspColorValue& value, TspColorValue def) = 0;
    virtual void Bool(const char* key, bool& value) = 0;
    virtual void Point(const char* key, TPoint& value) = 0;
    virtual void Rect(const char* key, TRect& value) = 0;
    virtual void String(const char* key, std::string& value, const char* def) = 0;
    virtual void FontStyle(const char* key, TspSkinFontStyles& value) = 0;
    virtual void Alignment(const char* key, TspSkinAlignment& value) = 0;
    virtual void MorphKind(const char* key, TspMorphKind& value) = 0;
    virtual void LineList(const char* name, std::vector<std::string>& value) = 0;
    // A word chosen from a short list: `names[i]` gives i, absent text gives `absent`,
    // any other text gives `other`.
    virtual void Choice(const char* key, int& value, const char* const* names, int count,
                        int absent, int other) = 0;
};

// Fills the fields from one section of a description.
class TspSkinSectionReader final : public TspSkinFieldBinder {
public:
    TspSkinSectionReader(const TspSkinIni& ini, std::string section)
        : m_ini(ini), m_section(std::move(section)) {}

    void Int(const char* key, int& value, int def) override;
    void Color(const char* key, TspColorValue& value, TspColorValue def) override;
    void Bool(const char* key, bool& value) override;
    void Point(const char* key, TPoint& value) override;
    void Rect(const char* key, TRect& value) override;
    void String(const char* key, std::string& value, const char* def) override;
    void FontStyle(const char* key, TspSkinFontStyles& value) override;
    void Alignment(const char* key, TspSkinAlignment& value) override;
    void MorphKind(const char* key, TspMorphKind& value) override;
    void LineList(const char* name, std::vector<std::string>& value) override;
    void Choice(const char* key, int& value, const char* const* names, int count, int absent,
                int other) override;

private:
    const TspSkinIni& m_ini;
    std::string m_section;
};

// Lists the fields as "key=value" lines (rects l,t,r,b; points x,y; numbers in decimal;
// bools 0/1; font styles, alignments, morph kinds and choices as words).
class TspSkinFieldLister final : public TspSkinFieldBinder {
public:
    const std::vector<std::string>& Lines() const { return m_lines; }

    void Int(const char* key, int& value, int def) override;
    void Color(const char* key, TspColorValue& value, TspColorValue def) override;
    void Bool(const char* key, bool& value) override;
    void Point(const char* key, TPoint& value) override;
    void Rect(const char* key, TRect& value) override;
    void String(const char* key, std::string& value, const char* def) override;
    void FontStyle(const char* key, TspSkinFontStyles& value) override;
    void Alignment(const char* key, TspSkinAlignment& value) override;
    void MorphKind(const char* key, TspMorphKind& value) override;
    void LineList(const char* name, std::vector<std::string>& value) override;
    void Choice(const char* key, int& value, const char* const* names, int count, int absent,
                int other) override;

private:
    void Add(const char* key, const std::string& text);
    std::vector<std::string> m_lines;
};
