// Opening the tray module when the first icon is wanted, and an icon over its entries.
#include "platform/TrayIcon.h"

#include <mutex>

#include "platform/Process.h"
#include "platform/SharedModule.h"
#include "platform/TrayModuleApi.h"

namespace {

struct TModule {
    decltype(&brelvan_tray_show) show = nullptr;
    decltype(&brelvan_tray_remove) remove = nullptr;
    decltype(&brelvan_tray_protocol) protocol = nullptr;
    std::string error; // why it could not be opened
};

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// Opened once and kept: icons come and go, the module's code stays mapped.
const TModule& Module() {
    static std::once_flag once;
    static TModule module;
    std::call_once(once, [] {
        const std::string name = "/libbrelvan-tray.so";
        // Where the package installs it beside the program, then where the build puts it.
        const std::string paths[] = {FolderOf(ExecutablePath()) + "/" BRELVAN_TRAY_INSTALLED + name,
                                     BRELVAN_TRAY_BUILT + name};
        void* handle = nullptr;
        std::string error;
        for (const std::string& path : paths) {
            handle = OpenSharedModule(path, error);
            if (handle) break;
        }
        if (!handle) {
            module.error = "the tray module cannot be opened: " + error;
            return;
        }
        module.show = reinterpret_cast<decltype(module.show)>(
            SharedModuleSymbol(handle, "brelvan_tray_show"));
        module.remove = reinterpret_cast<decltype(module.remove)>(
            SharedModuleSymbol(handle, "brelvan_tray_remove"));
        module.protocol = reinterpret_cast<decltype(module.protocol)>(
            SharedModuleSymbol(handle, "brelvan_tray_protocol"));
        if (!module.show || !module.remove || !module.protocol) {
            module.show = nullptr;
            module.error = "the tray module has no entry";
        }
    });
    return module;
}

class TModuleTrayIcon : public TrayIcon {
public:
    TModuleTrayIcon(const TModule& module, void* icon, std::unique_ptr<TrayEventHandler> handler)
        : m_module(module), m_icon(icon), m_handler(std::move(handler)) {}
    ~TModuleTrayIcon() override { m_module.remove(m_icon); }
    std::string Protocol() const override { return m_module.protocol(m_icon); }

private:
    const TModule& m_module;
    void* m_icon;
    std::unique_ptr<TrayEventHandler> m_handler; // the module's context: outlives its events
};

void Deliver(void* context, int action, int item, int x, int y) {
    auto& handler = *static_cast<TrayEventHandler*>(context);
    if (handler) handler(TrayEvent{TrayAction(action), item, x, y});
}

} // namespace

std::unique_ptr<TrayIcon> ShowTrayIcon(const TrayIconContent& content, TrayEventHandler onEvent,
                                       std::string& why) {
    const TModule& module = Module();
    if (!module.show) {
        why = module.error;
        return nullptr;
    }
    std::vector<BrelvanTrayPicture> pictures;
    for (const TrayPicture& p : content.pictures)
        if (p.width > 0 && p.height > 0 && p.argb.size() == size_t(p.width) * size_t(p.height))
            pictures.push_back({p.width, p.height, p.argb.data()});
    std::vector<BrelvanTrayEntry> entries;
    for (const TrayMenuEntry& e : content.menu)
        entries.push_back({e.id, e.caption.c_str(), e.enabled ? 1 : 0});
    const BrelvanTrayContent c{content.id.c_str(), content.title.c_str(), content.toolTip.c_str(),
                               pictures.data(),    int(pictures.size()),  entries.data(),
                               int(entries.size())};
    auto handler = std::make_unique<TrayEventHandler>(std::move(onEvent));
    char reason[512] = {};
    void* icon = module.show(&c, Deliver, handler.get(), reason, sizeof reason);
    if (!icon) {
        why = reason[0] ? reason : "the desktop has no status area";
        return nullptr;
    }
    return std::make_unique<TModuleTrayIcon>(module, icon, std::move(handler));
}
