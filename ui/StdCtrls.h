#pragma once
// Standard controls: labels, push buttons and the single-line edit window.
#include "ui/Button.h"
#include "ui/Controls.h"
#include "ui/Edit.h"
#include "ui/Label.h"
