#pragma once
// Small pictures that more than one scene shows.
#include "gfx/ImageList.h"

// Two 16 x 16 tab pictures: a globe and a ball.
void AddTabImages(TImageList& list);
