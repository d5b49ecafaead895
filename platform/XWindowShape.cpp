#include "platform/XWindowShape.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/extensions/shape.h>
#include <dlfcn.h>

#include <algorithm>
#include <climits>

namespace {

using CombineRectanglesFn = decltype(&XShapeCombineRectangles);
using CombineMaskFn = decltype(&XShapeCombineMask);
using QueryExtensionFn = decltype(&XShapeQueryExtension);

struct ShapeApi {
    CombineRectanglesFn combineRectangles = nullptr;
    CombineMaskFn combineMask = nullptr;
    QueryExtensionFn queryExtension = nullptr;
};

// The extension's library is the one SDL itself draws X11 windows with, so it is already
// loaded wherever there is an X11 window to shape; nothing extra is linked for it.
const ShapeApi& Api() {
    static const ShapeApi api = [] {
        ShapeApi a;
        void* lib = dlopen("libXext.so.6", RTLD_LAZY | RTLD_NOLOAD);
        if (!lib) lib = dlopen("libXext.so.6", RTLD_LAZY);
        if (!lib) return a;
        a.combineRectangles =
            reinterpret_cast<CombineRectanglesFn>(dlsym(lib, "XShapeCombineRectangles"));
        a.combineMask = reinterpret_cast<CombineMaskFn>(dlsym(lib, "XShapeCombineMask"));
        a.queryExtension = reinterpret_cast<QueryExtensionFn>(dlsym(lib, "XShapeQueryExtension"));
        return a;
    }();
    return api;
}

short ClampShort(int v) {
    return static_cast<short>(std::clamp(v, SHRT_MIN, SHRT_MAX));
}

unsigned short ClampExtent(int v) {
    return static_cast<unsigned short>(std::clamp(v, 0, USHRT_MAX));
}

} // namespace

bool SetXWindowShape(SDL_Window* window, const std::vector<XShapeRect>& rects) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    const ShapeApi& api = Api();
    if (!api.combineRectangles || !api.combineMask || !api.queryExtension) return false;
    ::Display* display = info.info.x11.display;
    int eventBase = 0, errorBase = 0;
    if (!api.queryExtension(display, &eventBase, &errorBase)) return false;
    if (rects.empty()) {
        api.combineMask(display, info.info.x11.window, ShapeBounding, 0, 0, None, ShapeSet);
    } else {
        std::vector<XRectangle> xrects;
        xrects.reserve(rects.size());
        for (const XShapeRect& r : rects)
            if (r.w > 0 && r.h > 0)
                xrects.push_back(XRectangle{ClampShort(r.x), ClampShort(r.y), ClampExtent(r.w),
                                            ClampExtent(r.h)});
        api.combineRectangles(display, info.info.x11.window, ShapeBounding, 0, 0, xrects.data(),
                              static_cast<int>(xrects.size()), ShapeSet, Unsorted);
    }
    // Queued before whatever the window is asked next (its mapping above all), so it takes
    // effect in order without a round trip of its own.
    return true;
}
