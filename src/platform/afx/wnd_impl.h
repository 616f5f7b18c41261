#pragma once
// The marshalling behind every Wnd call, for the layer's own sources.

#include <QWidget>

#include "platform/afx/ui_thread.h"
#include "platform/afx/wnd.h"

namespace afx {

template <typename W, typename F>
void Wnd::WithWidget(F&& call) const {
    SendToUiThread([&] {
        if (auto* w = dynamic_cast<W*>(Widget())) {
            call(w);
        }
    });
}

template <typename W, typename R, typename F>
R Wnd::WithWidget(R fallback, F&& call) const {
    return OnUiThread([&]() -> R {
        if (auto* w = dynamic_cast<W*>(Widget())) {
            return call(w);
        }
        return fallback;
    });
}

}  // namespace afx
