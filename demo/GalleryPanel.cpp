#include "GalleryPanel.h"

#include <algorithm>

namespace Gallery {

static QList<PanelInfo>& registry()
{
    static QList<PanelInfo> list;   // function-local: safe from static-init order
    return list;
}

bool registerPanel(const PanelInfo& info)
{
    registry().append(info);
    return true;
}

QList<PanelInfo> panels()
{
    QList<PanelInfo> list = registry();
    std::stable_sort(list.begin(), list.end(), [](const PanelInfo& a, const PanelInfo& b) {
        return a.order != b.order ? a.order < b.order : a.id < b.id;
    });
    return list;
}

const PanelInfo* findPanel(const QString& id)
{
    for (const PanelInfo& p : registry())
        if (p.id == id)
            return &p;
    return nullptr;
}

} // namespace Gallery
