#pragma once
// Reading decimals that may have been written under either decimal mark: the odds arrive
// with "." and are stored with ",", and preset files travel between locales. The locale's
// own separator is tried first, then "." and ",".

#include "rtl/Strings.h"

#include <string_view>

bool TryReadDecimal(std::string_view text, double& value);
bool TryReadDecimal(std::u16string_view text, double& value);
