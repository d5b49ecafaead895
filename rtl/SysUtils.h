#pragma once
// The runtime's utilities in one include: exceptions, number and date text, files, random.
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/FileUtils.h"
#include "rtl/FormatSettings.h"
#include "rtl/NumberText.h"
#include "rtl/Random.h"
#include "rtl/Strings.h"
