#include "platform/HeadlessDisplay.h"

#include <algorithm>
#include <cstring>

HeadlessDisplay::HeadlessDisplay(int screenWidth, int screenHeight, int scale)
    : m_screenW(screenWidth), m_screenH(screenHeight), m_scale(std::clamp(scale, 1, 3)) {}

int HeadlessDisplay::CreateWindow(const DisplayRect& bounds, bool popup) {
    int id = m_nextId++;
    Window& w = m_windows[id];
    w.bounds = bounds;
    w.popup = popup;
    w.scale = m_scale;
    w.pixels.assign(size_t(std::max(0, w.DeviceWidth())) * size_t(std::max(0, w.DeviceHeight())),
                    0);
    m_zorder.push_back(id);
    return id;
}

void HeadlessDisplay::DestroyWindow(int id) {
    m_windows.erase(id);
    m_zorder.erase(std::remove(m_zorder.begin(), m_zorder.end(), id), m_zorder.end());
    if (m_active == id) m_active = 0;
    if (m_grab == id) m_grab = 0;
}

void HeadlessDisplay::SetWindowBounds(int id, const DisplayRect& bounds) {
    auto it = m_windows.find(id);
    if (it == m_windows.end()) return;
    Window& w = it->second;
    if (bounds.w != w.bounds.w || bounds.h != w.bounds.h) {
        const int s = w.scale;
        const int nw = std::max(0, bounds.w) * s, nh = std::max(0, bounds.h) * s;
        std::vector<uint32_t> resized(size_t(nw) * size_t(nh), 0);
        int cw = std::min(nw, w.DeviceWidth()), ch = std::min(nh, w.DeviceHeight());
        for (int y = 0; y < ch; ++y)
            for (int x = 0; x < cw; ++x)
                resized[size_t(y) * nw + x] = w.pixels[size_t(y) * w.DeviceWidth() + x];
        w.pixels.swap(resized);
    }
    w.bounds = bounds;
}

void HeadlessDisplay::ShowWindow(int id, bool show, bool activate) {
    auto it = m_windows.find(id);
    if (it == m_windows.end()) return;
    it->second.visible = show;
    if (show) {
        RaiseWindow(id);
        if (activate && !it->second.popup) {
            if (m_active && m_active != id) {
                DisplayEvent e;
                e.kind = DisplayEventKind::Deactivate;
                e.window = m_active;
                Push(e);
            }
            m_active = id;
            DisplayEvent e;
            e.kind = DisplayEventKind::Activate;
            e.window = id;
            Push(e);
        }
    } else if (m_active == id) {
        m_active = 0;
    }
}

void HeadlessDisplay::SetWindowTitle(int id, const std::string& utf8) {
    auto it = m_windows.find(id);
    if (it != m_windows.end()) it->second.title = utf8;
}

void HeadlessDisplay::SetWindowIcon(int id, const uint32_t* argb, int w, int h) {
    auto it = m_windows.find(id);
    if (it == m_windows.end()) return;
    Window& win = it->second;
    const bool valid = argb && w > 0 && h > 0;
    win.iconWidth = valid ? w : 0;
    win.iconHeight = valid ? h : 0;
    win.icon.assign(argb, argb + (valid ? size_t(w) * size_t(h) : 0));
}

void HeadlessDisplay::SetWindowShape(int id, const std::vector<DisplayRect>& rects) {
    auto it = m_windows.find(id);
    if (it != m_windows.end()) it->second.shape = rects;
}

void HeadlessDisplay::MinimizeWindow(int id) {
    auto it = m_windows.find(id);
    if (it == m_windows.end() || it->second.minimized) return;
    it->second.minimized = true;
    DisplayEvent e;
    e.kind = DisplayEventKind::Minimized;
    e.window = id;
    Push(e);
}

void HeadlessDisplay::RestoreWindow(int id) {
    auto it = m_windows.find(id);
    if (it == m_windows.end() || !it->second.minimized) return;
    it->second.minimized = false;
    DisplayEvent e;
    e.kind = DisplayEventKind::Restored;
    e.window = id;
    Push(e);
}

void HeadlessDisplay::RaiseWindow(int id) {
    auto it = std::find(m_zorder.begin(), m_zorder.end(), id);
    if (it == m_zorder.end()) return;
    m_zorder.erase(it);
    m_zorder.push_back(id);
}

void HeadlessDisplay::Present(int id, const uint32_t* pixels, int w, int h,
                              const DisplayRect& dirty) {
    auto it = m_windows.find(id);
    if (it == m_windows.end()) return;
    Window& win = it->second;
    // A surface of another size than the window's makes the window that size, in whole points.
    if (w != win.DeviceWidth() || h != win.DeviceHeight()) {
        win.bounds.w = w / win.scale;
        win.bounds.h = h / win.scale;
        win.pixels.assign(size_t(win.DeviceWidth()) * size_t(win.DeviceHeight()), 0);
    }
    const int stride = w; // of the surface handed in
    w = win.DeviceWidth();
    h = win.DeviceHeight();
    int x0 = std::max(0, dirty.x), y0 = std::max(0, dirty.y);
    int x1 = std::min(w, dirty.x + dirty.w), y1 = std::min(h, dirty.y + dirty.h);
    // Kept as they come, alpha bits and all, as a screen's memory would: the screen ignores
    // them, and so does PixelAt. A plain copy is the fastest there is.
    if (x1 > x0)
        for (int y = y0; y < y1; ++y)
            std::memcpy(win.pixels.data() + size_t(y) * size_t(w) + x0,
                        pixels + size_t(y) * size_t(stride) + x0,
                        size_t(x1 - x0) * sizeof(uint32_t));
    ++win.presents;
    win.lastDirty = dirty;
}

bool HeadlessDisplay::PollEvent(DisplayEvent& event) {
    if (m_queue.empty()) return false;
    event = std::move(m_queue.front());
    m_queue.pop_front();
    return true;
}

bool HeadlessDisplay::WaitEvent(DisplayEvent& event, int timeoutMs) {
    if (PollEvent(event)) return true;
    if (timeoutMs > 0) m_now += uint64_t(timeoutMs);
    return false;
}

void HeadlessDisplay::CursorPos(int& x, int& y) {
    x = m_mouseX;
    y = m_mouseY;
}

bool HeadlessDisplay::KeyDown(int vk) {
    if (vk == 1) return (m_buttons & 1) != 0;
    if (vk == 2) return (m_buttons & 2) != 0;
    if (vk == 4) return (m_buttons & 4) != 0;
    auto it = m_keys.find(vk);
    return it != m_keys.end() && it->second;
}

void HeadlessDisplay::SetCursor(CursorShape shape) {
    m_cursor = shape;
    m_cursorImage = 0;
}

int HeadlessDisplay::CreateCursorImage(const uint32_t*, int, int, int, int) {
    return m_nextCursor++;
}

void HeadlessDisplay::SetCursorImage(int cursorId) {
    m_cursorImage = cursorId;
}

const HeadlessDisplay::Window* HeadlessDisplay::FindWindow(int id) const {
    auto it = m_windows.find(id);
    return it == m_windows.end() ? nullptr : &it->second;
}

std::vector<int> HeadlessDisplay::Windows() const {
    return m_zorder;
}

uint32_t HeadlessDisplay::PixelAt(int id, int x, int y) const {
    const Window* w = FindWindow(id);
    if (!w || x < 0 || y < 0 || x >= w->bounds.w || y >= w->bounds.h) return 0;
    return DevicePixelAt(id, x * w->scale, y * w->scale);
}

uint32_t HeadlessDisplay::DevicePixelAt(int id, int x, int y) const {
    const Window* w = FindWindow(id);
    if (!w || x < 0 || y < 0 || x >= w->DeviceWidth() || y >= w->DeviceHeight()) return 0;
    return w->pixels[size_t(y) * w->DeviceWidth() + x] & 0x00FFFFFFu; // the screen has no alpha
}

int HeadlessDisplay::WindowAt(int x, int y) const {
    for (auto it = m_zorder.rbegin(); it != m_zorder.rend(); ++it) {
        const Window& w = m_windows.at(*it);
        if (!w.visible || w.minimized) continue;
        int lx = x - w.bounds.x, ly = y - w.bounds.y;
        if (lx < 0 || ly < 0 || lx >= w.bounds.w || ly >= w.bounds.h) continue;
        if (!w.shape.empty()) {
            bool inside = false;
            for (const DisplayRect& r : w.shape)
                if (lx >= r.x && ly >= r.y && lx < r.x + r.w && ly < r.y + r.h) inside = true;
            if (!inside) continue;
        }
        return *it;
    }
    return 0;
}

void HeadlessDisplay::Push(DisplayEvent e) {
    m_queue.push_back(std::move(e));
}

namespace {
unsigned ModsOf(const std::map<int, bool>& keys) {
    auto held = [&](int vk) {
        auto it = keys.find(vk);
        return it != keys.end() && it->second;
    };
    return (held(0x10) ? ModShift : 0) | (held(0x11) ? ModCtrl : 0) | (held(0x12) ? ModAlt : 0);
}
} // namespace

void HeadlessDisplay::MouseMove(int x, int y) {
    m_mouseX = x;
    m_mouseY = y;
    DisplayEvent e;
    e.kind = DisplayEventKind::MouseMove;
    e.window = m_buttons && m_grab ? m_grab : WindowAt(x, y);
    e.x = x;
    e.y = y;
    e.mods = ModsOf(m_keys);
    Push(e);
}

void HeadlessDisplay::MouseDown(int button) {
    int target = WindowAt(m_mouseX, m_mouseY);
    if (!m_buttons) m_grab = target;
    m_buttons |= 1u << (button - 1);
    if (target && target != m_active && !m_windows[target].popup) {
        if (m_active) {
            DisplayEvent d;
            d.kind = DisplayEventKind::Deactivate;
            d.window = m_active;
            Push(d);
        }
        m_active = target;
        RaiseWindow(target);
        DisplayEvent a;
        a.kind = DisplayEventKind::Activate;
        a.window = target;
        Push(a);
    }
    DisplayEvent e;
    e.kind = DisplayEventKind::MouseDown;
    e.window = m_grab ? m_grab : target;
    e.x = m_mouseX;
    e.y = m_mouseY;
    e.button = button;
    e.mods = ModsOf(m_keys);
    Push(e);
}

void HeadlessDisplay::MouseUp(int button) {
    DisplayEvent e;
    e.kind = DisplayEventKind::MouseUp;
    e.window = m_grab ? m_grab : WindowAt(m_mouseX, m_mouseY);
    e.x = m_mouseX;
    e.y = m_mouseY;
    e.button = button;
    e.mods = ModsOf(m_keys);
    m_buttons &= ~(1u << (button - 1));
    if (!m_buttons) m_grab = 0;
    Push(e);
}

void HeadlessDisplay::Click(int x, int y, int button) {
    MouseMove(x, y);
    MouseDown(button);
    MouseUp(button);
}

void HeadlessDisplay::Wheel(int notches) {
    DisplayEvent e;
    e.kind = DisplayEventKind::Wheel;
    e.window = WindowAt(m_mouseX, m_mouseY);
    e.x = m_mouseX;
    e.y = m_mouseY;
    e.wheel = notches;
    e.mods = ModsOf(m_keys);
    Push(e);
}

void HeadlessDisplay::KeyDownOnly(int vk, unsigned mods) {
    if (mods & ModShift) m_keys[0x10] = true;
    if (mods & ModCtrl) m_keys[0x11] = true;
    if (mods & ModAlt) m_keys[0x12] = true;
    DisplayEvent e;
    e.kind = DisplayEventKind::KeyDown;
    e.window = m_active;
    e.key = vk;
    e.repeat = KeyDown(vk);
    m_keys[vk] = true;
    e.mods = ModsOf(m_keys);
    Push(e);
}

void HeadlessDisplay::KeyUpOnly(int vk, unsigned mods) {
    m_keys[vk] = false;
    DisplayEvent e;
    e.kind = DisplayEventKind::KeyUp;
    e.window = m_active;
    e.key = vk;
    e.mods = ModsOf(m_keys);
    Push(e);
    if (mods & ModShift) m_keys[0x10] = false;
    if (mods & ModCtrl) m_keys[0x11] = false;
    if (mods & ModAlt) m_keys[0x12] = false;
}

void HeadlessDisplay::KeyPress(int vk, unsigned mods) {
    KeyDownOnly(vk, mods);
    // Printable keys also produce text, as a keyboard layout would (US layout).
    if (!(mods & (ModCtrl | ModAlt))) {
        std::string text;
        bool shift = (mods & ModShift) != 0;
        if (vk >= 'A' && vk <= 'Z')
            text = std::string(1, char(shift ? vk : vk + 32));
        else if (vk >= '0' && vk <= '9' && !shift)
            text = std::string(1, char(vk));
        else if (vk == 0x20)
            text = " ";
        if (!text.empty()) {
            DisplayEvent t;
            t.kind = DisplayEventKind::Text;
            t.window = m_active;
            t.text = text;
            Push(t);
        }
    }
    KeyUpOnly(vk, mods);
}

void HeadlessDisplay::Type(const std::string& utf8) {
    DisplayEvent t;
    t.kind = DisplayEventKind::Text;
    t.window = m_active;
    t.text = utf8;
    Push(t);
}

void HeadlessDisplay::RequestClose(int id) {
    DisplayEvent e;
    e.kind = DisplayEventKind::Close;
    e.window = id;
    Push(e);
}

bool HeadlessDisplay::SetWindowOpacity(int id, int alpha) {
    auto it = m_windows.find(id);
    if (it == m_windows.end()) return false;
    it->second.opacity = std::clamp(alpha, 0, 255);
    return true;
}

bool HeadlessDisplay::CopyScreenArea(const DisplayRect& area, std::vector<uint32_t>& pixels) {
    if (area.w <= 0 || area.h <= 0) return false;
    pixels.assign(std::size_t(area.w) * std::size_t(area.h), DesktopColor);
    for (int id : m_zorder) {
        const Window& w = m_windows.at(id);
        if (!w.visible || w.minimized || w.pixels.empty()) continue;
        const int a = w.opacity;
        for (int y = 0; y < area.h; ++y) {
            const int wy = area.y + y - w.bounds.y;
            if (wy < 0 || wy >= w.bounds.h) continue;
            for (int x = 0; x < area.w; ++x) {
                const int wx = area.x + x - w.bounds.x;
                if (wx < 0 || wx >= w.bounds.w) continue;
                if (!w.shape.empty()) {
                    bool inside = false;
                    for (const DisplayRect& r : w.shape)
                        if (wx >= r.x && wy >= r.y && wx < r.x + r.w && wy < r.y + r.h)
                            inside = true;
                    if (!inside) continue;
                }
                // One pixel a point: the top-left device pixel of the point's block.
                const uint32_t top =
                    w.pixels[std::size_t(wy) * w.scale * std::size_t(w.DeviceWidth()) +
                             std::size_t(wx) * w.scale] &
                    0xFFFFFF;
                uint32_t& under = pixels[std::size_t(y) * area.w + x];
                if (a == 255) {
                    under = top;
                    continue;
                }
                uint32_t mixed = 0;
                for (int shift = 0; shift <= 16; shift += 8) {
                    const int t = int(top >> shift) & 0xFF, u = int(under >> shift) & 0xFF;
                    mixed |= uint32_t((t * a + u * (255 - a) + 127) / 255) << shift;
                }
                under = mixed;
            }
        }
    }
    return true;
}
