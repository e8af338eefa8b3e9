#pragma once

#include <QuillCoreExport.h>

#include <QList>
#include <QString>
#include <QVector>

class QIODevice;

namespace Quill {
namespace UI {

// The workspace arrangement as plain data, and its XML form (root `layout`,
// version "1.0"). Reading and writing touch no widget: a file is read completely
// and checked before anything is built from it, so a bad file changes nothing.
namespace DockLayout {

// Bounds that keep a hostile file's cost in memory and time small. The deepest
// nesting counts every element level from `layout` down; a workspace split a
// hundred times inside itself needs about 105.
constexpr int kMaxDepth = 200;
constexpr int kMaxWindows = 256;
constexpr int kMaxElements = 1000000;
// Window extents and section sizes beyond the largest widget size are limited to it.
constexpr int kMaxExtent = 16777215;

struct Page {
    QString id;
    QString state;   // `layout` attribute: the page's layoutState property
};

struct Dock {
    QString id;
    bool hideTitles = false;
    bool hasActive = false;
    QString activePageId;
    bool focus = false;
    QVector<Page> pages;
};

// One section of a splitter: its size and stretch, and what fills it. Sections
// filled by neither (a widget of the host's own) are written but never read back.
struct Section {
    int size = 0;
    bool hasSize = false;
    int stretch = 0;
    int splitter = -1;   // index into Layout::splitters
    int dock = -1;       // index into Layout::docks
};

struct Splitter {
    bool horizontal = false;
    QVector<Section> sections;
};

struct Window {
    int x = 0, y = 0, w = 0, h = 0;
    int screen = 0;
    bool maximized = false;
    bool fullscreen = false;
    int splitter = -1;   // the root splitter, -1 for none
};

struct Layout {
    QVector<Window> windows;   // the main window first
    QVector<Splitter> splitters;
    QVector<Dock> docks;
};

struct ReadResult {
    Layout layout;
    QString error;     // empty when the file was read without fault
    qint64 line = 0;
    qint64 column = 0;
    bool ok() const { return error.isEmpty(); }
};

// Reads a whole layout document from `device` (opened for reading). Malformed XML,
// a root other than `layout` version "1.0", a document type declaration, nesting
// deeper than kMaxDepth, more than kMaxWindows windows or kMaxElements elements
// fail with a translated message and its position.
QUILL_CORE_AUTOTEST_EXPORT ReadResult Read(QIODevice* device);
QUILL_CORE_AUTOTEST_EXPORT ReadResult Read(const QByteArray& data);

// Writes `layout` as an indented document.
QUILL_CORE_AUTOTEST_EXPORT void Write(const Layout& layout, QIODevice* device);

// True when the first element after the current position is `layout` version
// "1.0". Reads ahead without consuming: the device stays where it was.
QUILL_CORE_AUTOTEST_EXPORT bool StartsWithLayout(QIODevice* device);

// Section sizes for QSplitter::setSizes: each within [0, kMaxExtent], scaled down
// together when their sum would not fit the int arithmetic of the splitter.
QUILL_CORE_AUTOTEST_EXPORT QList<int> FitSizes(const QVector<Section>& sections);

// Where Dock::dumpLayout writes: layout.xml in the user's private runtime
// directory, never a shared one.
QUILL_CORE_AUTOTEST_EXPORT QString DumpPath();

} // namespace DockLayout
} // namespace UI
} // namespace Quill
