// GUIDs from libuuid and their braced text form.
#include "platform/Guid.h"
#include "rtl/Exceptions.h"
#include "rtl/Strings.h"

#include <uuid/uuid.h>

TGUID NewGuid() {
    uuid_t u;
    uuid_generate(u);
    // The text form reads the first three fields as numbers, so they take the bytes in order.
    TGUID g;
    g.D1 = (uint32_t(u[0]) << 24) | (uint32_t(u[1]) << 16) | (uint32_t(u[2]) << 8) | u[3];
    g.D2 = static_cast<uint16_t>((u[4] << 8) | u[5]);
    g.D3 = static_cast<uint16_t>((u[6] << 8) | u[7]);
    for (int i = 0; i < 8; ++i) g.D4[i] = u[8 + i];
    return g;
}

bool IsNullGuid(const TGUID& guid) {
    return guid == TGUID{};
}

std::string GuidToString(const TGUID& g) {
    return Format("{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.D1, g.D2, g.D3, g.D4[0],
                  g.D4[1], g.D4[2], g.D4[3], g.D4[4], g.D4[5], g.D4[6], g.D4[7]);
}

bool TryStringToGuid(std::string_view t, TGUID& guid) {
    if (t.size() != 38 || t[0] != '{' || t[37] != '}' || t[9] != '-' || t[14] != '-' ||
        t[19] != '-' || t[24] != '-')
        return false;
    auto hex = [&t](size_t pos, int digits, uint64_t& out) {
        out = 0;
        for (int i = 0; i < digits; ++i) {
            char c = t[pos + static_cast<size_t>(i)];
            int v;
            if (c >= '0' && c <= '9')
                v = c - '0';
            else if (c >= 'a' && c <= 'f')
                v = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                v = c - 'A' + 10;
            else
                return false;
            out = out * 16 + static_cast<uint64_t>(v);
        }
        return true;
    };
    TGUID g;
    uint64_t v;
    if (!hex(1, 8, v)) return false;
    g.D1 = static_cast<uint32_t>(v);
    if (!hex(10, 4, v)) return false;
    g.D2 = static_cast<uint16_t>(v);
    if (!hex(15, 4, v)) return false;
    g.D3 = static_cast<uint16_t>(v);
    static const size_t d4pos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!hex(d4pos[i], 2, v)) return false;
        g.D4[i] = static_cast<uint8_t>(v);
    }
    guid = g;
    return true;
}

TGUID StringToGuid(std::string_view text) {
    TGUID g;
    if (!TryStringToGuid(text, g))
        throw EConvertError(Format("'%s' is not a valid GUID value", std::string(text).c_str()));
    return g;
}
