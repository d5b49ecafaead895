#include "platform/DeviceScale.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

int ScaleSetting(const char* text) {
    if (!text) return 0;
    // Surrounding blanks are forgiven; "2x", "1.5" or "02" are not a scale.
    while (*text == ' ' || *text == '\t') ++text;
    const char value = text[0];
    if (value < '1' || value > '3') return 0;
    const char* rest = text + 1;
    while (*rest == ' ' || *rest == '\t') ++rest;
    return *rest == '\0' ? value - '0' : 0;
}

int ScaleFromDpi(double dpi) {
    if (dpi >= 240) return 3;
    if (dpi >= 144) return 2;
    return 1;
}

double XftDpi(const std::string& resources) {
    static const char key[] = "Xft.dpi";
    std::size_t at = 0;
    while ((at = resources.find(key, at)) != std::string::npos) {
        const bool lineStart = at == 0 || resources[at - 1] == '\n';
        std::size_t p = at + sizeof key - 1;
        at = p;
        if (!lineStart) continue;
        while (p < resources.size() && (resources[p] == ' ' || resources[p] == '\t')) ++p;
        if (p >= resources.size() || resources[p] != ':') continue;
        ++p;
        const std::size_t end = resources.find('\n', p);
        const std::string value = resources.substr(p, end == std::string::npos ? end : end - p);
        char* stop = nullptr;
        const double dpi = std::strtod(value.c_str(), &stop);
        if (stop == value.c_str()) return 0;
        while (*stop == ' ' || *stop == '\t') ++stop;
        if (*stop != '\0' || !(dpi > 0)) return 0;
        return dpi;
    }
    return 0;
}

int ClampScale(int scale) {
    return std::clamp(scale, 1, 3);
}
