#pragma once
// The error every picture decoder and encoder raises for input it cannot take.
#include "rtl/Exceptions.h"

class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};
