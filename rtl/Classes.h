#pragma once
// The framework's base classes: objects, streams, string lists, components, checked lists.
#include "rtl/Component.h"
#include "rtl/List.h"
#include "rtl/Object.h"
#include "rtl/Stream.h"
#include "rtl/StringList.h"
