#pragma once
// 16-byte GUIDs: new ones from the system generator and their text form
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (upper-case hex).
#include <cstdint>
#include <string>
#include <string_view>

struct TGUID {
    uint32_t D1 = 0;
    uint16_t D2 = 0;
    uint16_t D3 = 0;
    uint8_t D4[8] = {};
    bool operator==(const TGUID&) const = default;
};

TGUID NewGuid();
bool IsNullGuid(const TGUID& guid);
std::string GuidToString(const TGUID& guid);
// Accepts exactly the text form (hex digits of either case); anything else raises
// EConvertError "'%s' is not a valid GUID value".
TGUID StringToGuid(std::string_view text);
bool TryStringToGuid(std::string_view text, TGUID& guid);
