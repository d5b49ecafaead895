#pragma once
// Common controls: the tab control with its pages.
#include "ui/PageControl.h"
