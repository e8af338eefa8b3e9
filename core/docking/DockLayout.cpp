#include "DockLayout_p.h"

#include <QCoreApplication>
#include <QDir>
#include <QIODevice>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <climits>

namespace Quill {
namespace UI {
namespace DockLayout {

namespace {

// The texts belong to the main window, which shows them.
QString tr(const char* text)
{
    return QCoreApplication::translate("Quill::UI::DockMainWindow", text);
}

QString notLayoutText()
{
    return tr("The file is not a Quill panel layout version 1.0 file.");
}

// Decimal integer; missing or malformed reads as 0, as does a value out of int range.
int number(const QXmlStreamAttributes& a, QLatin1String name)
{
    return a.value(name).toInt(nullptr, 10);
}

int bounded(int v, int lo, int hi)
{
    return std::clamp(v, lo, hi);
}

bool isLayoutStart(const QXmlStreamReader& xml)
{
    return xml.name() == QLatin1String("layout")
        && xml.attributes().value(QLatin1String("version")) == QLatin1String("1.0");
}

class Reader
{
public:
    ReadResult run()
    {
        while (!xml.atEnd()) {
            if (next() != QXmlStreamReader::StartElement)
                continue;
            if (isLayoutStart(xml))
                readLayout();
            else
                xml.raiseError(notLayoutText());
        }
        ReadResult r;
        if (xml.hasError()) {
            r.error = xml.errorString();
            r.line = xml.lineNumber();
            r.column = xml.columnNumber();
        } else {
            r.layout = std::move(out);
        }
        return r;
    }

    QXmlStreamReader xml;

private:
    // Every token goes through here, so that the bounds hold for elements the
    // reader skips as well as for those it reads.
    QXmlStreamReader::TokenType next()
    {
        const QXmlStreamReader::TokenType t = xml.readNext();
        if (t == QXmlStreamReader::StartElement) {
            ++depth;
            if (++elements > kMaxElements)
                xml.raiseError(tr("The layout has more than %1 elements.").arg(kMaxElements));
            else if (depth > kMaxDepth)
                xml.raiseError(tr("The layout is nested more than %1 levels deep.").arg(kMaxDepth));
        } else if (t == QXmlStreamReader::EndElement) {
            --depth;
        } else if (t == QXmlStreamReader::DTD) {
            // Layouts never declare a document type; declarations only bring entities.
            xml.raiseError(tr("A layout file must not contain a document type declaration."));
        }
        return xml.hasError() ? QXmlStreamReader::Invalid : t;
    }

    // Reads up to the end of the current element, handing each child element's
    // name to `child`, which must read that child up to its end.
    template <typename Fn>
    void children(Fn&& child)
    {
        const int level = depth;
        while (!xml.atEnd()) {
            const QXmlStreamReader::TokenType t = next();
            if (t == QXmlStreamReader::StartElement)
                child(xml.name());
            else if (t == QXmlStreamReader::EndElement && depth < level)
                return;
        }
    }

    // Recursion here is bounded: next() fails past kMaxDepth.
    void skip()
    {
        children([this](const QStringRef&) { skip(); });
    }

    void readLayout()
    {
        children([this](const QStringRef& name) {
            // A dock directly inside the layout belongs to no window: left out.
            if (name != QLatin1String("window"))
                return skip();
            if (out.windows.size() >= kMaxWindows)
                return xml.raiseError(tr("The layout has more than %1 windows.").arg(kMaxWindows));
            readWindow();
        });
    }

    void readWindow()
    {
        const QXmlStreamAttributes a = xml.attributes();
        Window w;
        w.x = number(a, QLatin1String("x"));
        w.y = number(a, QLatin1String("y"));
        w.w = bounded(number(a, QLatin1String("w")), 0, kMaxExtent);
        w.h = bounded(number(a, QLatin1String("h")), 0, kMaxExtent);
        w.screen = number(a, QLatin1String("screen"));
        w.maximized = number(a, QLatin1String("maximized")) != 0;
        w.fullscreen = number(a, QLatin1String("fullscreen")) != 0;
        children([this, &w](const QStringRef& name) {
            // A window has one root splitter; further ones are left out.
            if (name != QLatin1String("splitter") || w.splitter >= 0)
                return skip();
            w.splitter = readSplitter();
        });
        out.windows.append(w);
    }

    int readSplitter()
    {
        const int index = out.splitters.size();
        out.splitters.append(Splitter());
        out.splitters[index].horizontal = number(xml.attributes(), QLatin1String("orientation")) == Qt::Horizontal;
        QVector<Section> sections;
        // A `split` gives the size of the section that follows it; one with no
        // dock or splitter after it stood for a widget that is not saved.
        Section pending;
        auto place = [&](Section s) {
            s.size = pending.size;
            s.hasSize = pending.hasSize;
            s.stretch = pending.stretch;
            sections.append(s);
            pending = Section();
        };
        children([&](const QStringRef& name) {
            if (name == QLatin1String("split")) {
                const QXmlStreamAttributes a = xml.attributes();
                pending.hasSize = true;
                pending.size = bounded(number(a, QLatin1String("size")), 0, kMaxExtent);
                pending.stretch = bounded(number(a, QLatin1String("stretch")), 0, 255);
                skip();
            } else if (name == QLatin1String("splitter")) {
                Section s;
                s.splitter = readSplitter();
                place(s);
            } else if (name == QLatin1String("dock")) {
                Section s;
                s.dock = readDock();
                place(s);
            } else {
                skip();
            }
        });
        out.splitters[index].sections = sections;
        return index;
    }

    int readDock()
    {
        const QXmlStreamAttributes a = xml.attributes();
        Dock d;
        d.id = a.value(QLatin1String("id")).toString();
        d.hasActive = a.hasAttribute(QLatin1String("activePageId"));
        d.activePageId = a.value(QLatin1String("activePageId")).toString();
        d.focus = a.hasAttribute(QLatin1String("focus"));
        d.hideTitles = number(a, QLatin1String("hideTitles")) != 0;
        children([this, &d](const QStringRef& name) {
            if (name == QLatin1String("page")) {
                const QXmlStreamAttributes pa = xml.attributes();
                d.pages.append({pa.value(QLatin1String("id")).toString(), pa.value(QLatin1String("layout")).toString()});
            }
            skip();
        });
        out.docks.append(d);
        return out.docks.size() - 1;
    }

    Layout out;
    int depth = 0;
    int elements = 0;
};

// Object names may hold characters XML 1.0 cannot carry; written as they are they
// would make the whole file unreadable. They become U+FFFD instead.
QString xmlText(const QString& text)
{
    QString out = text;
    for (int i = 0; i < out.size(); ++i) {
        const ushort c = out.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < out.size() && out.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        const bool allowed = c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD);
        if (!allowed)
            out[i] = QChar::ReplacementCharacter;
    }
    return out;
}

void writeSplitter(QXmlStreamWriter& w, const Layout& layout, int index)
{
    const Splitter& s = layout.splitters.at(index);
    w.writeStartElement(QStringLiteral("splitter"));
    w.writeAttribute(QStringLiteral("orientation"),
                     QString::number(s.horizontal ? Qt::Horizontal : Qt::Vertical));
    for (const Section& section : s.sections) {
        w.writeStartElement(QStringLiteral("split"));
        w.writeAttribute(QStringLiteral("size"), QString::number(section.size));
        if (section.stretch != 0)
            w.writeAttribute(QStringLiteral("stretch"), QString::number(section.stretch));
        w.writeEndElement();
        if (section.splitter >= 0) {
            writeSplitter(w, layout, section.splitter);
        } else if (section.dock >= 0) {
            const Dock& d = layout.docks.at(section.dock);
            w.writeStartElement(QStringLiteral("dock"));
            w.writeAttribute(QStringLiteral("id"), xmlText(d.id));
            if (d.hideTitles)
                w.writeAttribute(QStringLiteral("hideTitles"), QStringLiteral("1"));
            if (d.hasActive) {
                w.writeAttribute(QStringLiteral("activePageId"), xmlText(d.activePageId));
                if (d.focus)
                    w.writeAttribute(QStringLiteral("focus"), QStringLiteral("true"));
            }
            for (const Page& p : d.pages) {
                w.writeStartElement(QStringLiteral("page"));
                w.writeAttribute(QStringLiteral("id"), xmlText(p.id));
                if (!p.state.isEmpty())
                    w.writeAttribute(QStringLiteral("layout"), xmlText(p.state));
                w.writeEndElement();
            }
            w.writeEndElement();
        }
    }
    w.writeEndElement();
}

} // namespace

ReadResult Read(QIODevice* device)
{
    Reader r;
    r.xml.setDevice(device);
    return r.run();
}

ReadResult Read(const QByteArray& data)
{
    Reader r;
    r.xml.addData(data);
    return r.run();
}

void Write(const Layout& layout, QIODevice* device)
{
    QXmlStreamWriter w(device);
    w.setAutoFormatting(true);
    w.writeStartDocument(QStringLiteral("1.0"));
    w.writeStartElement(QStringLiteral("layout"));
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    for (const Window& win : layout.windows) {
        w.writeStartElement(QStringLiteral("window"));
        w.writeAttribute(QStringLiteral("x"), QString::number(win.x));
        w.writeAttribute(QStringLiteral("y"), QString::number(win.y));
        w.writeAttribute(QStringLiteral("w"), QString::number(win.w));
        w.writeAttribute(QStringLiteral("h"), QString::number(win.h));
        if (win.maximized)
            w.writeAttribute(QStringLiteral("maximized"), QStringLiteral("1"));
        if (win.fullscreen)
            w.writeAttribute(QStringLiteral("fullscreen"), QStringLiteral("1"));
        w.writeAttribute(QStringLiteral("screen"), QString::number(win.screen));
        if (win.splitter >= 0)
            writeSplitter(w, layout, win.splitter);
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndDocument();
}

bool StartsWithLayout(QIODevice* device)
{
    if (!device || !device->isReadable())
        return false;
    // Enough for any prolog a layout has; peek() leaves the position alone.
    QXmlStreamReader xml(device->peek(1 << 20));
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            return isLayoutStart(xml);
    }
    return false;
}

QList<int> FitSizes(const QVector<Section>& sections)
{
    QList<int> out;
    qint64 sum = 0;
    for (const Section& s : sections) {
        if (!s.hasSize)
            return {};   // let the splitter share the room out itself
        out.append(bounded(s.size, 0, kMaxExtent));
        sum += out.last();
    }
    // QSplitter adds the sizes up in int.
    const qint64 limit = INT_MAX / 4;
    if (sum > limit) {
        for (int& v : out)
            v = int(v * limit / sum);
    }
    return out;
}

QString DumpPath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return dir.isEmpty() ? QString() : QDir(dir).filePath(QStringLiteral("layout.xml"));
}

} // namespace DockLayout
} // namespace UI
} // namespace Quill
