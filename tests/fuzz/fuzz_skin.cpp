// Skin files are outside input: the parser, the attribute readers and the builder must take
// anything without crashing or leaking.

#include <QApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/dui/builder.h"
#include "platform/dui/image.h"
#include "platform/dui/paint_manager.h"
#include "platform/dui/skin_parser.h"

namespace {

void ReadValues(const dui::SkinNode& node) {
    for (const auto& [name, value] : node.attributes) {
        dui::ImageDescription image;
        dui::ParseImageDescription(value, image);
        dui::ParseAttributeList(value);
    }
    for (const dui::SkinNode& child : node.children) {
        ReadValues(child);
    }
}

void BuildWindow(const dui::SkinNode& root) {
    QWidget window;
    dui::CPaintManagerUI manager;
    manager.Init(&window);
    dui::CDialogBuilder builder;
    builder.SetPreloadPictures(true);
    if (dui::CControlUI* control = builder.Create(root, nullptr, &manager)) {
        manager.AttachDialog(control);
    }
    manager.DestroyRoot();
    dui::ClearImageCache();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string xml(reinterpret_cast<const char*>(data), size);
    auto root = dui::ParseSkin(xml);
    if (!root) {
        return 0;
    }
    ReadValues(*root);
    BuildWindow(*root);
    // No event loop runs here. Widgets deleted later would pile up input after input, and the
    // events a dead widget took with it stay as holes in the queue until a full pass sweeps them.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::sendPostedEvents();
    return 0;
}
