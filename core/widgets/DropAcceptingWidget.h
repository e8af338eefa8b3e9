#pragma once

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QStringList>
#include <QUrl>
#include <QWidget>

namespace Quill {
namespace UI {

// Adds acceptance of dropped files to any widget class `Base`. A template carries no
// signals of its own, so drops are reported through the pure virtual droppedUrls();
// DropAcceptingListWidget turns it into a signal. Only drags that carry URLs are
// accepted, so the cursor shows whether a drop would be taken.
template <class Base>
class DropAcceptingWidget : public Base
{
public:
    enum AcceptedDropFlag { AcceptFileUrls = 1 };

    explicit DropAcceptingWidget(QWidget* parent = nullptr) : Base(parent) {}

    // Drops are enabled exactly when some flag is set.
    void setAcceptsDropsFlags(AcceptedDropFlag flags)
    {
        m_flags = flags;
        this->setAcceptDrops(flags != 0);
    }
    AcceptedDropFlag acceptsDropsFlags() const { return m_flags; }

    // One local path per URL, in order; URLs that are not local files give empty strings.
    virtual void droppedUrls(const QStringList& paths) = 0;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override { acceptIfWanted(event); }
    void dragMoveEvent(QDragMoveEvent* event) override { acceptIfWanted(event); }

    void dropEvent(QDropEvent* event) override
    {
        if (!wants(event)) {
            event->ignore();
            return;
        }
        QStringList paths;
        const QList<QUrl> urls = event->mimeData()->urls();
        paths.reserve(urls.size());
        for (const QUrl& url : urls)
            paths.append(url.toLocalFile());
        event->acceptProposedAction();
        droppedUrls(paths);
    }

private:
    bool wants(const QDropEvent* event) const
    {
        const QMimeData* mime = event->mimeData();
        return (m_flags & AcceptFileUrls) && mime && mime->hasUrls();
    }

    void acceptIfWanted(QDropEvent* event)
    {
        if (wants(event))
            event->acceptProposedAction();
        else
            event->ignore();
    }

    AcceptedDropFlag m_flags = AcceptedDropFlag(0);
};

} // namespace UI
} // namespace Quill
