#include "skin/SkinFieldBinder.h"

void TspSkinSectionReader::Int(const char* key, int& value, int def) {
    value = m_ini.ReadInteger(m_section, key, def);
}

void TspSkinSectionReader::Color(const char* key, TspColorValue& value, TspColorValue def) {
    value = m_ini.ReadColor(m_section, key, def);
}

void TspSkinSectionReader::Bool(const char* key, bool& value) {
    value = m_ini.ReadBool(m_section, key, false);
}

void TspSkinSectionReader::Point(const char* key, TPoint& value) {
    value = m_ini.ReadPoint(m_section, key, TPoint{});
}

void TspSkinSectionReader::Rect(const char* key, TRect& value) {
    value = m_ini.ReadRect(m_section, key, TRect{});
}

void TspSkinSectionReader::String(const char* key, std::string& value, const char* def) {
    value = m_ini.ReadString(m_section, key, def);
}

void TspSkinSectionReader::FontStyle(const char* key, TspSkinFontStyles& value) {
    value = m_ini.ReadFontStyle(m_section, key);
}

void TspSkinSectionReader::Alignment(const char* key, TspSkinAlignment& value) {
    value = m_ini.ReadAlignment(m_section, key);
}

void TspSkinSectionReader::MorphKind(const char* key, TspMorphKind& value) {
    value = m_ini.ReadMorphKind(m_section, key);
}

void TspSkinSectionReader::LineList(const char* name, std::vector<std::string>& value) {
    value = m_ini.ReadLineList(m_section, name);
}

void TspSkinSectionReader::Choice(const char* key, int& value, const char* const* names, int count,
                                  int absent, int other) {
    if (!m_ini.ValueExists(m_section, key)) {
        value = absent;
        return;
    }
    std::string text = m_ini.ReadString(m_section, key, "");
    value = other;
    for (int i = 0; i < count; ++i)
        if (text == names[i]) value = i;
}

void TspSkinFieldLister::Add(const char* key, const std::string& text) {
    m_lines.push_back(std::string(key) + "=" + text);
}

void TspSkinFieldLister::Int(const char* key, int& value, int) {
    Add(key, std::to_string(value));
}

void TspSkinFieldLister::Color(const char* key, TspColorValue& value, TspColorValue) {
    Add(key, std::to_string(value));
}

void TspSkinFieldLister::Bool(const char* key, bool& value) {
    Add(key, value ? "1" : "0");
}

void TspSkinFieldLister::Point(const char* key, TPoint& value) {
    Add(key, SkinPointText(value));
}

void TspSkinFieldLister::Rect(const char* key, TRect& value) {
    Add(key, SkinRectText(value));
}

void TspSkinFieldLister::String(const char* key, std::string& value, const char*) {
    Add(key, value);
}

void TspSkinFieldLister::FontStyle(const char* key, TspSkinFontStyles& value) {
    Add(key, SkinFontStyleText(value));
}

void TspSkinFieldLister::Alignment(const char* key, TspSkinAlignment& value) {
    Add(key, SkinAlignmentText(value));
}

void TspSkinFieldLister::MorphKind(const char* key, TspMorphKind& value) {
    Add(key, SkinMorphKindText(value));
}

void TspSkinFieldLister::LineList(const char* name, std::vector<std::string>& value) {
    std::string prefix(name);
    Add((prefix + "linecount").c_str(), std::to_string(value.size()));
    for (std::size_t i = 0; i < value.size(); ++i)
        Add((prefix + "line" + std::to_string(i)).c_str(), value[i]);
}

void TspSkinFieldLister::Choice(const char* key, int& value, const char* const* names, int count,
                                int, int) {
    Add(key, value >= 0 && value < count ? names[value] : std::to_string(value));
}
