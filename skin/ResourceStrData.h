#pragma once
// TspResourceStrData: a table of user-interface strings for the skinned dialogs and menus,
// with the character set their text is meant for. The main window does not use one.
#include "rtl/Component.h"

#include <map>
#include <string>

class TspResourceStrData : public TComponent {
public:
    explicit TspResourceStrData(TComponent* owner) : TComponent(owner) {}

    int CharSet() const { return m_charSet; }
    void SetCharSet(int value) { m_charSet = value; }
    // The string stored under `name`, or "" when there is none.
    std::string GetResStr(const std::string& name) const {
        auto it = m_strings.find(name);
        return it == m_strings.end() ? std::string() : it->second;
    }
    void SetResStr(const std::string& name, const std::string& value) { m_strings[name] = value; }

private:
    int m_charSet = 1; // the default character set
    std::map<std::string, std::string> m_strings;
};
