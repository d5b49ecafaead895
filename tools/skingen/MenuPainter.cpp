// The pictures of the popup menus and tool tips, and the inactive frame.
#include "tools/skingen/MenuLayout.h"
#include "tools/skingen/Painters.h"

using namespace skinlayout;

namespace {

// A rounded plate with a one-pixel border on a white key background (the mask cuts it).
Raster RoundedPlate(int width, int height, double radius, Rgb border, Rgb top, Rgb bottom,
                    int scale) {
    Raster r(width, height, White, scale);
    PaintPlate(r, Rect(0, 0, width, height), radius, border, top, bottom, White, 0.5);
    return r;
}

Raster RoundedMask(int width, int height, double radius) {
    Raster r(width, height, White);
    Shape inside = RoundRectShape(Rect(0, 0, width, height), radius);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (r.Coverage(inside, x, y) >= 0.5) r.Put(x, y, Rgb{0, 0, 0});
    return r;
}

// A flat face: the slicing repeats the middle of the picture, so a gradient would band.
Rgb MenuFace() {
    return Mix(White, PanelSurface, 0.5);
}

} // namespace

Rgb skinlayout::InactiveChrome(Rgb c) {
    const int gray = int(0.3 * c.r + 0.59 * c.g + 0.11 * c.b + 0.5);
    // Most of the colour goes, and the chrome steps back toward the desktop's light grey.
    return Lighter(Mix(c, Rgb{gray, gray, gray}, 0.6), 0.3);
}

Raster PaintInactiveFrame(int scale) {
    Raster r = PaintFrame(scale);
    const TRect client = r.DeviceRect(FrameClient);
    for (int y = 0; y < r.DeviceHeight(); ++y)
        for (int x = 0; x < r.DeviceWidth(); ++x)
            if (!client.Contains({x, y})) r.Put(x, y, InactiveChrome(r.Get(x, y)));
    return r;
}

void MuteInactiveButtonLooks(Raster& buttons) {
    auto mute = [&](const TRect& look) {
        const TRect d = buttons.DeviceRect(look);
        for (int y = d.Top; y < d.Bottom; ++y)
            for (int x = d.Left; x < d.Right; ++x)
                buttons.Put(x, y, InactiveChrome(buttons.Get(x, y)));
    };
    for (int column : {CloseColumn, MaxColumn, RestoreColumn, MinColumn})
        mute(CaptionButtonRect(column, Inactive));
    const TRect sys = SysMenuRect(Inactive);
    if (sys.Bottom <= buttons.Height()) mute(sys);
}

Raster PaintPopupWindow(int scale) {
    return RoundedPlate(PopupWidth, PopupHeight, PopupRadius, PopupBorder, MenuFace(), MenuFace(),
                        scale);
}

Raster PaintPopupMask() {
    return RoundedMask(PopupWidth, PopupHeight, PopupRadius);
}

Raster PaintHintWindow(int scale) {
    return RoundedPlate(HintWidth, HintHeight, 3.5, Line, HintFace, HintFace, scale);
}

Raster PaintHintMask() {
    return RoundedMask(HintWidth, HintHeight, 3.5);
}

Raster PaintMenuItems(int scale) {
    // An item's normal look is a piece of the popup's face.
    const Rgb face = MenuFace();
    Raster r(MenuItemWidth, MenuPictureHeight, face, scale);
    // Active: an azure plate a pixel inside the item.
    const Box plate = Box(MenuItemActive).Inset(1);
    PaintPlate(r, plate, 3.5, AccentDark, Lighter(Accent, 0.08), AccentDark, face, 0.3);
    // Divider: a soft line with a light line under it, ends left open.
    const int y = MenuDivider.Top + MenuDivider.Height() / 2;
    r.HLine(MenuDivider.Left + 4, MenuDivider.Right - 4, y - r.Px(), SoftLine);
    r.HLine(MenuDivider.Left + 4, MenuDivider.Right - 4, y, White);
    return r;
}
