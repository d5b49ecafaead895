#pragma once
// Extra controls: bevel, panel, image and timer.
#include "gfx/Bitmap.h"
#include "ui/Bevel.h"
#include "ui/Controls.h"
#include "ui/Image.h"
#include "ui/Panel.h"
#include "ui/Timer.h"
