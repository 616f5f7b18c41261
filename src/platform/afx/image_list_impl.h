#pragma once
// What an image list holds, for the controls that show it.

#include <QIcon>
#include <vector>

#include "platform/afx/image_list.h"

namespace afx {

struct ImageList::Images {
    std::vector<QIcon> icons;

    QIcon At(int index) const {
        return index >= 0 && index < static_cast<int>(icons.size()) ? icons[index] : QIcon();
    }
};

}  // namespace afx
