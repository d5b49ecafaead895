#pragma once
// ATK's process-wide functions that a toolkit provides: the root, the toolkit's name, and
// the global event listeners through which the AT-SPI adaptor hears every object's signals.
#include <atk/atk.h>

void InstallUtilHooks(AtkObject* (*root)());
