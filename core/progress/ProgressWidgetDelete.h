#pragma once

#include <QuillCoreExport.h>

#include <QEvent>
#include <QPointer>
#include <QWidget>

// Posted to the progress dialog to delete a task widget once the refresh that
// removed it has finished. The widget is held weakly: if something else deletes
// it first, the event does nothing. GUI thread only.
class QUILL_CORE_EXPORT ProgressWidgetDelete : public QEvent
{
public:
    static constexpr QEvent::Type kType = QEvent::Type(3718);

    explicit ProgressWidgetDelete(QWidget* widget)
        : QEvent(kType)
        , widget(widget)
    {
    }

    QPointer<QWidget> widget;
};
