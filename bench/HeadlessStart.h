#pragma once
// The benchmarks' application on a fresh headless display of 1280 x 1024, as a program starts
// it: whatever the previous case left is reset first.
#include "platform/HeadlessDisplay.h"
#include "ui/Forms.h"

#include <memory>

inline HeadlessDisplay* StartHeadless() {
    Application->Reset();
    auto* display = new HeadlessDisplay(1280, 1024);
    SetDisplay(std::unique_ptr<Display>(display));
    Application->Initialize();
    return display;
}
