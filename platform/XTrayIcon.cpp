// The icon docked in an X screen's system tray.
#include "platform/XTrayIcon.h"

#include <glib-unix.h>
#include <glib.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

#include "platform/TrayIconPixels.h"

namespace {

constexpr uint32_t SystemTrayRequestDock = 0;
constexpr uint32_t XEmbedMapped = 1;
// The size asked for before the tray manager says what it gives.
constexpr int InitialSize = 22;
// A tray manager that has not embedded the icon by then never will: the window, which is
// hidden, is given back rather than lost behind an icon nobody shows (milliseconds).
constexpr unsigned EmbedTimeout = 3000;

class TXTrayIcon : public TTrayBackend {
public:
    TXTrayIcon(const TrayIconContent& content, TTrayEmit emit)
        : m_content(content), m_emit(std::move(emit)) {}

    ~TXTrayIcon() override {
        if (m_embedTimer) {
            g_source_destroy(m_embedTimer);
            g_source_unref(m_embedTimer);
        }
        if (m_source) {
            g_source_destroy(m_source);
            g_source_unref(m_source);
        }
        if (m_x) {
            if (m_window) xcb_destroy_window(m_x, m_window);
            if (m_colormap) xcb_free_colormap(m_x, m_colormap);
            xcb_flush(m_x);
            xcb_disconnect(m_x);
        }
    }

    const char* Protocol() const override { return "X tray"; }

    bool Start(std::string& why) {
        const char* name = std::getenv("DISPLAY");
        if (!name || !*name) {
            why = "no X display";
            return false;
        }
        int screenNumber = 0;
        m_x = xcb_connect(name, &screenNumber);
        if (xcb_connection_has_error(m_x)) {
            why = std::string("the X display ") + name + " cannot be opened";
            return false;
        }
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_x));
        for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
        if (!screens.rem) {
            why = "the X display has no such screen";
            return false;
        }
        m_screen = screens.data;
        const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(screenNumber);
        m_opcode = Atom("_NET_SYSTEM_TRAY_OPCODE");
        m_xembedInfo = Atom("_XEMBED_INFO");
        const xcb_atom_t trayAtom = Atom(selection.c_str());
        xcb_get_selection_owner_reply_t* owner =
            xcb_get_selection_owner_reply(m_x, xcb_get_selection_owner(m_x, trayAtom), nullptr);
        m_manager = owner ? owner->owner : XCB_NONE;
        free(owner);
        if (m_manager == XCB_NONE) {
            why = "no X tray manager owns " + selection;
            return false;
        }
        // The manager going away takes the icon with it: its destruction is watched.
        const uint32_t watch = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        if (xcb_request_check(m_x, xcb_change_window_attributes_checked(
                                       m_x, m_manager, XCB_CW_EVENT_MASK, &watch))) {
            why = "the X tray manager went away";
            return false;
        }
        ChooseVisual();
        CreateWindow();
        xcb_client_message_event_t dock{};
        dock.response_type = XCB_CLIENT_MESSAGE;
        dock.format = 32;
        dock.window = m_manager;
        dock.type = m_opcode;
        dock.data.data32[0] = XCB_CURRENT_TIME;
        dock.data.data32[1] = SystemTrayRequestDock;
        dock.data.data32[2] = m_window;
        xcb_send_event(m_x, 0, m_manager, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&dock));
        xcb_flush(m_x);
        if (xcb_connection_has_error(m_x)) {
            why = "the X connection broke while docking";
            return false;
        }
        Watch();
        m_embedTimer = g_timeout_source_new(EmbedTimeout);
        g_source_set_callback(m_embedTimer, &TXTrayIcon::NotEmbedded, this, nullptr);
        g_source_attach(m_embedTimer, g_main_context_get_thread_default());
        return true;
    }

private:
    xcb_atom_t Atom(const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            m_x, xcb_intern_atom(m_x, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return atom;
    }

    // A tray that composites names a visual with alpha for its icons (_NET_SYSTEM_TRAY_VISUAL);
    // the icon then keeps its soft edges. Otherwise it has the screen's visual.
    void ChooseVisual() {
        m_visual = m_screen->root_visual;
        m_depth = m_screen->root_depth;
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            m_x,
            xcb_get_property(m_x, 0, m_manager, Atom("_NET_SYSTEM_TRAY_VISUAL"), XCB_ATOM_VISUALID,
                             0, 1),
            nullptr);
        if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= 4) {
            const xcb_visualid_t wanted =
                *static_cast<const xcb_visualid_t*>(xcb_get_property_value(reply));
            if (IsArgb(wanted)) {
                m_visual = wanted;
                m_depth = 32;
            }
        }
        free(reply);
    }

    // A true-colour visual of depth 32 with red, green and blue where 0xAARRGGBB has them.
    bool IsArgb(xcb_visualid_t visual) const {
        for (auto d = xcb_screen_allowed_depths_iterator(m_screen); d.rem; xcb_depth_next(&d))
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
                if (v.data->visual_id == visual)
                    return d.data->depth == 32 && v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR &&
                           v.data->red_mask == 0xFF0000 && v.data->green_mask == 0xFF00 &&
                           v.data->blue_mask == 0xFF;
        return false;
    }

    void CreateWindow() {
        m_window = xcb_generate_id(m_x);
        const uint32_t events = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_STRUCTURE_NOTIFY |
                                XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE;
        if (m_depth == 32) {
            // Transparent where nothing is drawn; a window of another depth than its parent
            // needs a colormap and a border pixel of its own.
            m_colormap = xcb_generate_id(m_x);
            xcb_create_colormap(m_x, XCB_COLORMAP_ALLOC_NONE, m_colormap, m_screen->root, m_visual);
            const uint32_t values[] = {0, 0, events, m_colormap};
            xcb_create_window(m_x, 32, m_window, m_screen->root, 0, 0, InitialSize, InitialSize, 0,
                              XCB_WINDOW_CLASS_INPUT_OUTPUT, m_visual,
                              XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_EVENT_MASK |
                                  XCB_CW_COLORMAP,
                              values);
        } else {
            // The tray shows through where the icon is transparent.
            const uint32_t values[] = {XCB_BACK_PIXMAP_PARENT_RELATIVE, events};
            xcb_create_window(m_x, XCB_COPY_FROM_PARENT, m_window, m_screen->root, 0, 0,
                              InitialSize, InitialSize, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, m_visual,
                              XCB_CW_BACK_PIXMAP | XCB_CW_EVENT_MASK, values);
        }
        const uint32_t info[] = {0, XEmbedMapped};
        xcb_change_property(m_x, XCB_PROP_MODE_REPLACE, m_window, m_xembedInfo, m_xembedInfo, 32, 2,
                            info);
        const std::string& title = m_content.title;
        xcb_change_property(m_x, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING,
                            8, uint32_t(title.size()), title.data());
        const xcb_atom_t utf8 = Atom("UTF8_STRING");
        xcb_change_property(m_x, XCB_PROP_MODE_REPLACE, m_window, Atom("_NET_WM_NAME"), utf8, 8,
                            uint32_t(title.size()), title.data());
        // WM_CLASS: instance and class, each NUL-terminated.
        const std::string wmClass = m_content.id + '\0' + m_content.id + '\0';
        xcb_change_property(m_x, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_CLASS,
                            XCB_ATOM_STRING, 8, uint32_t(wmClass.size()), wmClass.data());
        m_width = m_height = InitialSize;
        m_gc = xcb_generate_id(m_x);
        xcb_create_gc(m_x, m_gc, m_window, 0, nullptr);
    }

    // The connection's descriptor in the thread's context: events are read when they come.
    void Watch() {
        m_source = g_unix_fd_source_new(xcb_get_file_descriptor(m_x), G_IO_IN);
        g_source_set_callback(m_source, G_SOURCE_FUNC(&TXTrayIcon::Readable), this, nullptr);
        g_source_attach(m_source, g_main_context_get_thread_default());
        // Events read while waiting for replies are already queued.
        Drain();
    }

    static gboolean NotEmbedded(gpointer data) {
        auto* self = static_cast<TXTrayIcon*>(data);
        if (!self->m_embedded) self->Lost();
        return G_SOURCE_REMOVE;
    }

    static gboolean Readable(int, GIOCondition, gpointer data) {
        return static_cast<TXTrayIcon*>(data)->Drain() ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
    }

    // Handles every event there is; false once the connection is gone.
    bool Drain() {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_x)) {
            Handle(event);
            free(event);
        }
        if (xcb_connection_has_error(m_x)) {
            Lost();
            return false;
        }
        xcb_flush(m_x);
        return true;
    }

    void Handle(const xcb_generic_event_t* event) {
        switch (event->response_type & 0x7F) {
        case XCB_EXPOSE:
            if (reinterpret_cast<const xcb_expose_event_t*>(event)->count == 0) Paint();
            break;
        case XCB_CONFIGURE_NOTIFY: {
            auto* e = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
            if (e->window == m_window && (e->width != m_width || e->height != m_height)) {
                m_width = e->width;
                m_height = e->height;
                Paint();
            }
            break;
        }
        case XCB_BUTTON_PRESS: {
            auto* e = reinterpret_cast<const xcb_button_press_event_t*>(event);
            if (e->detail == 3 && m_emit)
                m_emit(TrayEvent{TrayAction::ContextMenu, 0, e->root_x, e->root_y});
            if (e->detail == 1) m_pressed = true;
            break;
        }
        case XCB_BUTTON_RELEASE: {
            auto* e = reinterpret_cast<const xcb_button_release_event_t*>(event);
            const bool inside =
                e->event_x >= 0 && e->event_y >= 0 && e->event_x < m_width && e->event_y < m_height;
            if (e->detail == 1 && m_pressed && inside && m_emit)
                m_emit(TrayEvent{TrayAction::Activate, 0, e->root_x, e->root_y});
            if (e->detail == 1) m_pressed = false;
            break;
        }
        case XCB_REPARENT_NOTIFY: {
            auto* e = reinterpret_cast<const xcb_reparent_notify_event_t*>(event);
            if (e->window == m_window && e->parent != m_screen->root) m_embedded = true;
            break;
        }
        case XCB_DESTROY_NOTIFY:
            if (reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window == m_manager)
                Lost();
            break;
        default:
            break;
        }
    }

    void Lost() {
        if (m_lost) return;
        m_lost = true;
        if (m_emit) m_emit(TrayEvent{TrayAction::Lost, 0, 0, 0});
    }

    // With a visual of its own alpha the icon is drawn as it is (premultiplied, as such
    // visuals are composited). Otherwise the pixels at least half opaque are drawn over the
    // tray's own background, through a one-bit mask.
    void Paint() {
        if (m_width <= 0 || m_height <= 0) return;
        xcb_clear_area(m_x, 0, m_window, 0, 0, 0, 0);
        const TrayPicture* source = PictureForSize(m_content.pictures, std::min(m_width, m_height));
        if (!source || !PixelsAre32Bits()) return;
        const TrayPicture picture = FitPicture(*source, m_width, m_height);
        const xcb_setup_t* setup = xcb_get_setup(m_x);
        const bool swap = setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST;
        std::vector<uint32_t> pixels(picture.argb.size());
        for (size_t i = 0; i < pixels.size(); ++i) {
            const uint32_t px =
                m_depth == 32 ? Premultiplied(picture.argb[i]) : picture.argb[i] & 0xFFFFFF;
            pixels[i] = swap ? __builtin_bswap32(px) : px;
        }
        xcb_pixmap_t maskPixmap = XCB_NONE;
        if (m_depth != 32) {
            maskPixmap = Mask(picture);
            xcb_change_gc(m_x, m_gc, XCB_GC_CLIP_MASK, &maskPixmap);
        }
        xcb_put_image(m_x, XCB_IMAGE_FORMAT_Z_PIXMAP, m_window, m_gc, uint16_t(m_width),
                      uint16_t(m_height), 0, 0, 0, m_depth, uint32_t(pixels.size() * 4),
                      reinterpret_cast<const uint8_t*>(pixels.data()));
        if (maskPixmap != XCB_NONE) {
            const uint32_t none = XCB_NONE;
            xcb_change_gc(m_x, m_gc, XCB_GC_CLIP_MASK, &none);
            xcb_free_pixmap(m_x, maskPixmap);
        }
        xcb_flush(m_x);
    }

    static uint32_t Premultiplied(uint32_t px) {
        const uint32_t a = px >> 24;
        auto scale = [a](uint32_t c) { return (c * a + 127) / 255; };
        return a << 24 | scale((px >> 16) & 0xFF) << 16 | scale((px >> 8) & 0xFF) << 8 |
               scale(px & 0xFF);
    }

    // One bit a pixel, set where the picture is at least half opaque; rows padded as the
    // server pads bitmaps.
    xcb_pixmap_t Mask(const TrayPicture& picture) {
        const xcb_setup_t* setup = xcb_get_setup(m_x);
        const int pad = setup->bitmap_format_scanline_pad;
        const int stride = ((m_width + pad - 1) / pad) * pad / 8;
        std::vector<uint8_t> mask(size_t(stride) * m_height, 0);
        const bool lsbFirst = setup->bitmap_format_bit_order == XCB_IMAGE_ORDER_LSB_FIRST;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                if ((picture.argb[size_t(y) * m_width + x] >> 24) >= 0x80)
                    mask[size_t(y) * stride + x / 8] |=
                        uint8_t(lsbFirst ? 1u << (x % 8) : 0x80u >> (x % 8));
        const xcb_pixmap_t pixmap = xcb_generate_id(m_x);
        xcb_create_pixmap(m_x, 1, pixmap, m_window, uint16_t(m_width), uint16_t(m_height));
        const xcb_gcontext_t gc = xcb_generate_id(m_x);
        const uint32_t colours[] = {1, 0};
        xcb_create_gc(m_x, gc, pixmap, XCB_GC_FOREGROUND | XCB_GC_BACKGROUND, colours);
        xcb_put_image(m_x, XCB_IMAGE_FORMAT_XY_PIXMAP, pixmap, gc, uint16_t(m_width),
                      uint16_t(m_height), 0, 0, 0, 1, uint32_t(mask.size()), mask.data());
        xcb_free_gc(m_x, gc);
        return pixmap;
    }

    // Whether the window's pixels are 32 bits of 0x00RRGGBB (or 0xAARRGGBB at depth 32).
    bool PixelsAre32Bits() const {
        const xcb_setup_t* setup = xcb_get_setup(m_x);
        bool found = false;
        for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
            if (f.data->depth == m_depth) found = f.data->bits_per_pixel == 32;
        if (!found) return false;
        if (m_depth == 32) return true; // IsArgb checked the visual
        for (auto d = xcb_screen_allowed_depths_iterator(m_screen); d.rem; xcb_depth_next(&d))
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
                if (v.data->visual_id == m_visual)
                    return v.data->red_mask == 0xFF0000 && v.data->green_mask == 0xFF00 &&
                           v.data->blue_mask == 0xFF;
        return false;
    }

    TrayIconContent m_content;
    TTrayEmit m_emit;
    xcb_connection_t* m_x = nullptr;
    xcb_screen_t* m_screen = nullptr;
    xcb_window_t m_manager = XCB_NONE;
    xcb_window_t m_window = XCB_NONE;
    xcb_gcontext_t m_gc = XCB_NONE;
    xcb_visualid_t m_visual = 0;
    uint8_t m_depth = 0;
    xcb_colormap_t m_colormap = XCB_NONE;
    xcb_atom_t m_opcode = XCB_ATOM_NONE;
    xcb_atom_t m_xembedInfo = XCB_ATOM_NONE;
    GSource* m_source = nullptr;
    GSource* m_embedTimer = nullptr;
    bool m_embedded = false;
    int m_width = 0, m_height = 0;
    bool m_pressed = false;
    bool m_lost = false;
};

} // namespace

std::unique_ptr<TTrayBackend> MakeXTrayIcon(const TrayIconContent& content, TTrayEmit emit,
                                            std::string& why) {
    auto icon = std::make_unique<TXTrayIcon>(content, std::move(emit));
    if (!icon->Start(why)) return nullptr;
    return icon;
}
