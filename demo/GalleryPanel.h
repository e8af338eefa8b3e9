#pragma once

#include <QString>
#include <QList>
#include <functional>

class QWidget;

namespace Gallery {

// One page of the gallery. Panels register themselves from their own .cpp file
// (QUILL_GALLERY_PANEL below), so adding a component's demo touches no shared file.
struct PanelInfo {
    QString id;      // object name of the panel widget; stable, used by --panel
    QString title;   // tab title shown to the user
    int order;       // panels are listed by ascending order, then by id
    std::function<QWidget*(QWidget* parent)> create;
};

bool registerPanel(const PanelInfo& info);
QList<PanelInfo> panels();   // sorted
const PanelInfo* findPanel(const QString& id);

} // namespace Gallery

#define QUILL_GALLERY_CONCAT_(a, b) a##b
#define QUILL_GALLERY_CONCAT(a, b) QUILL_GALLERY_CONCAT_(a, b)
// QUILL_GALLERY_PANEL("sliders", QObject::tr("Sliders"), 40, [](QWidget* p) { return new SlidersPanel(p); });
#define QUILL_GALLERY_PANEL(id, title, order, factory)                                     \
    static const bool QUILL_GALLERY_CONCAT(galleryPanelRegistered_, __LINE__) =             \
        ::Gallery::registerPanel(::Gallery::PanelInfo{QStringLiteral(id), title, order, factory})
