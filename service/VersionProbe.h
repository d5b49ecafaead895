#pragma once
// The version probe: asks whether a URL answers 200 or 302, reading only the status.

#include "platform/Internet.h"
#include "rtl/Strings.h"

// The agent the probe presents.
constexpr const char* kVersionProbeAgent = "InetURL:/1.0";

// True when the URL answers with status 200 or 302. A URL without "http://" (in any case)
// gets that prefix. Every failure gives false. `timeoutMs` bounds connecting and each wait for
// data (0: no limit).
bool CheckUrlAvailable(const AnsiString& url, int timeoutMs = kInternetDefaultTimeoutMs);
