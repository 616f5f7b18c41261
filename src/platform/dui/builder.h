#pragma once
// Builds a window's controls from its skin: the <Window> settings (size, caption, size box,
// fonts, default attributes by class) and the control tree. Elements whose class the layer
// does not know go to the window's builder callback; nullptr from it skips the element.

#include <string>

#include "platform/dui/control.h"
#include "platform/dui/notify.h"
#include "platform/dui/skin_parser.h"

namespace dui {

class CPaintManagerUI;

// A new control of a class the layer knows ("Button", "VerticalLayout", ...), or nullptr.
CControlUI* CreateBuiltinControl(const std::wstring& className);

class CDialogBuilder {
  public:
    // A window about to be shown has its pictures decoded meanwhile on other threads; one
    // built hidden reads them when it first paints.
    void SetPreloadPictures(bool preload) { m_preloadPictures = preload; }
    // Reads the skin file from the resource path; nullptr when it cannot be read or parsed.
    CControlUI* Create(const std::wstring& xmlFile, IDialogBuilderCallback* callback,
                       CPaintManagerUI* manager);
    CControlUI* Create(const SkinNode& window, IDialogBuilderCallback* callback,
                       CPaintManagerUI* manager);

  private:
    CControlUI* Build(const SkinNode& node, IDialogBuilderCallback* callback,
                      CPaintManagerUI* manager, int depth);

    bool m_preloadPictures = false;
};

}  // namespace dui
