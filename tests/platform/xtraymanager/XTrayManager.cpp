// xtray_manager: the least an X system tray does, for tests/app/tray-check.sh. It owns the
// screen's _NET_SYSTEM_TRAY_S0 selection with a window of its own at (1000, 0), tells the
// screen (MANAGER), and embeds each window that asks to dock (SYSTEM_TRAY_REQUEST_DOCK) at
// (4, 4) in it, 24 x 24, over a white background. With --argb it names a visual with alpha
// for the icons (_NET_SYSTEM_TRAY_VISUAL), as a compositing tray does. Standard output:
// "ready", "docked ID". Standard input:
//   pixel X Y   prints "pixel 0xRRGGBB", what the docked icon shows at (X, Y), or
//               "pixel 0xAARRGGBB" for an icon with alpha
//   ignore      the next request to dock is only printed ("ignored ID"), as by a broken tray
//   destroy     the tray goes away (its window is destroyed; the program exits)
#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

namespace {

xcb_atom_t Atom(xcb_connection_t* x, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

void Say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    const bool argb = argc > 1 && std::strcmp(argv[1], "--argb") == 0;
    int screenNumber = 0;
    xcb_connection_t* x = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "xtray_manager: no X display\n");
        return 1;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const xcb_window_t tray = xcb_generate_id(x);
    const uint32_t values[] = {0xFFFFFF, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    xcb_create_window(x, XCB_COPY_FROM_PARENT, tray, screen->root, 1000, 0, 64, 32, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    xcb_map_window(x, tray);
    if (argb) {
        xcb_visualid_t visual = 0;
        for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem; xcb_depth_next(&d))
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
                if (d.data->depth == 32 && v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR)
                    visual = v.data->visual_id;
        if (!visual) {
            std::fprintf(stderr, "xtray_manager: the screen has no visual with alpha\n");
            return 1;
        }
        xcb_change_property(x, XCB_PROP_MODE_REPLACE, tray, Atom(x, "_NET_SYSTEM_TRAY_VISUAL"),
                            XCB_ATOM_VISUALID, 32, 1, &visual);
    }
    const xcb_atom_t selection =
        Atom(x, ("_NET_SYSTEM_TRAY_S" + std::to_string(screenNumber)).c_str());
    const xcb_atom_t opcode = Atom(x, "_NET_SYSTEM_TRAY_OPCODE");
    xcb_set_selection_owner(x, tray, selection, XCB_CURRENT_TIME);
    xcb_client_message_event_t manager{};
    manager.response_type = XCB_CLIENT_MESSAGE;
    manager.format = 32;
    manager.window = screen->root;
    manager.type = Atom(x, "MANAGER");
    manager.data.data32[0] = XCB_CURRENT_TIME;
    manager.data.data32[1] = selection;
    manager.data.data32[2] = tray;
    xcb_send_event(x, 0, screen->root, XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&manager));
    xcb_flush(x);
    Say("ready");

    xcb_window_t icon = XCB_NONE;
    bool ignoring = false;
    std::string input;
    pollfd fds[2] = {{xcb_get_file_descriptor(x), POLLIN, 0}, {0, POLLIN, 0}};
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            if ((event->response_type & 0x7F) == XCB_CLIENT_MESSAGE) {
                auto* m = reinterpret_cast<xcb_client_message_event_t*>(event);
                if (m->type == opcode && m->data.data32[1] == 0 && ignoring) {
                    Say("ignored " + std::to_string(m->data.data32[2]));
                    ignoring = false;
                } else if (m->type == opcode && m->data.data32[1] == 0) {
                    icon = m->data.data32[2];
                    xcb_reparent_window(x, icon, tray, 4, 4);
                    const uint32_t size[] = {24, 24};
                    xcb_configure_window(x, icon,
                                         XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
                    xcb_map_window(x, icon);
                    xcb_flush(x);
                    Say("docked " + std::to_string(icon));
                }
            }
            std::free(event);
        }
        if (xcb_connection_has_error(x)) return 1;
        if (poll(fds, 2, -1) < 0) return 1;
        if (!(fds[1].revents & (POLLIN | POLLHUP))) continue;
        char buffer[256];
        const ssize_t n = read(0, buffer, sizeof buffer);
        if (n <= 0) return 0;
        input.append(buffer, size_t(n));
        for (size_t end; (end = input.find('\n')) != std::string::npos; input.erase(0, end + 1)) {
            std::istringstream line(input.substr(0, end));
            std::string command;
            line >> command;
            if (command == "ignore") {
                ignoring = true;
                Say("ignoring");
            }
            if (command == "destroy") {
                xcb_destroy_window(x, tray);
                xcb_flush(x);
                Say("destroyed");
                return 0;
            }
            if (command == "pixel" && icon != XCB_NONE) {
                int px = 0, py = 0;
                line >> px >> py;
                xcb_get_image_reply_t* image =
                    xcb_get_image_reply(x,
                                        xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, icon,
                                                      int16_t(px), int16_t(py), 1, 1, ~0u),
                                        nullptr);
                uint32_t value = 0;
                const bool alpha = image && image->depth == 32;
                if (image && xcb_get_image_data_length(image) >= 4)
                    std::memcpy(&value, xcb_get_image_data(image), 4);
                std::free(image);
                char text[32];
                if (alpha)
                    std::snprintf(text, sizeof text, "pixel 0x%08x", value);
                else
                    std::snprintf(text, sizeof text, "pixel 0x%06x", value & 0xFFFFFF);
                Say(text);
            }
        }
    }
}
