#include "rtl/Object.h"
#include "rtl/Exceptions.h"

void TPersistent::Assign(const TPersistent* source) {
    (void)source;
    throw EConvertError("Cannot assign");
}
