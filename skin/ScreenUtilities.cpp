#include "skin/ScreenUtilities.h"

#include "platform/Display.h"
#include "ui/Form.h"

#include <algorithm>
#include <vector>

bool LayeredWindowsAvailable() {
    return HasDisplay() && CurrentDisplay().SupportsWindowOpacity();
}

bool SetWindowAlpha(TCustomForm* form, int alpha) {
    if (!form || !HasDisplay() || form->DisplayWindow() == 0) return false;
    return CurrentDisplay().SetWindowOpacity(form->DisplayWindow(), std::clamp(alpha, 0, 255));
}

bool CopyScreenImage(const TRect& screenRect, TBitmap& bitmap) {
    if (!HasDisplay() || screenRect.IsEmpty()) return false;
    const DisplayRect area{screenRect.Left, screenRect.Top, screenRect.Width(),
                           screenRect.Height()};
    std::vector<uint32_t> pixels;
    if (!CurrentDisplay().CopyScreenArea(area, pixels) ||
        pixels.size() != std::size_t(area.w) * std::size_t(area.h))
        return false;
    bitmap.SetScale(1);
    bitmap.SetSize(area.w, area.h);
    for (int y = 0; y < area.h; ++y)
        for (int x = 0; x < area.w; ++x)
            bitmap.ScanLine(y)[x] = 0xFF000000u | pixels[std::size_t(y) * area.w + x];
    return true;
}
