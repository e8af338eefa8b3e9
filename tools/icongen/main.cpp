// quill-icongen: paints the toolbar images that libcore compiles in.
//
// Every icon is drawn with vectors on a 16-unit grid and rendered twice: at
// 16 px and at 32 px (the "@2x" file that QIcon picks on high-DPI screens).
// Horizontal and vertical edges sit on whole units, and 1-unit strokes on half
// units, so both sizes come out crisp.
//
//   quill-icongen <outdir> [--qrc <dir>] [--sheet <file.png>]
//
// writes <name>.png and <name>@2x.png for every icon into <outdir>; --qrc also
// writes the two resource bundles (ui.qrc, texteditor.qrc) into <dir>, naming
// the files as "images/<file>"; --sheet renders a contact sheet for review.

#include <QColor>
#include <QCommandLineParser>
#include <QConicalGradient>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QTextStream>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <utility>

namespace {

const QColor kInk(64, 64, 64);        // glyphs for light UIs
const QColor kActive(36, 150, 64);    // highlighted transport buttons
const QColor kWhite(255, 255, 255);

using Glyph = void (*)(QPainter&, const QColor&);

// ---- shared shapes --------------------------------------------------------

QPainterPath poly(std::initializer_list<QPointF> pts)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QVector<QPointF>(pts)));
    path.closeSubpath();
    return path;
}

// A triangle with a vertical base at x = base and its tip at x = tip (pointing
// right when tip > base), centred on y = cy.
QPainterPath tri(qreal base, qreal tip, qreal half = 5, qreal cy = 8)
{
    return poly({{base, cy - half}, {tip, cy}, {base, cy + half}});
}

QPainterPath box(qreal x, qreal y, qreal w, qreal h)
{
    QPainterPath path;
    path.addRect(x, y, w, h);
    return path;
}

QPainterPath rounded(qreal x, qreal y, qreal w, qreal h, qreal r)
{
    QPainterPath path;
    path.addRoundedRect(x, y, w, h, r, r);
    return path;
}

QPainterPath circle(qreal cx, qreal cy, qreal r)
{
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), r, r);
    return path;
}

QPainterPath diamond(qreal cx, qreal cy, qreal r)
{
    return poly({{cx, cy - r}, {cx + r, cy}, {cx, cy + r}, {cx - r, cy}});
}

QPainterPath line(QPointF a, QPointF b)
{
    QPainterPath path(a);
    path.lineTo(b);
    return path;
}

void fill(QPainter& p, const QPainterPath& path, const QColor& c) { p.fillPath(path, c); }

void stroke(QPainter& p, const QPainterPath& path, const QColor& c, qreal width = 2,
            Qt::PenCapStyle cap = Qt::FlatCap, Qt::PenJoinStyle join = Qt::MiterJoin)
{
    p.strokePath(path, QPen(c, width, Qt::SolidLine, cap, join));
}

QColor faded(QColor c, qreal alpha)
{
    c.setAlphaF(c.alphaF() * alpha);
    return c;
}

// A horizontal arrow with a 2-unit shaft from x0 and a solid head ending at x1.
void hArrow(QPainter& p, qreal x0, qreal x1, qreal y, const QColor& c, qreal head = 4, qreal half = 4)
{
    const qreal headBase = x1 > x0 ? x1 - head : x1 + head;
    fill(p, box(std::min(x0, headBase), y - 1, std::abs(headBase - x0), 2), c);
    fill(p, tri(headBase, x1, half, y), c);
}

// A cross of two diagonal strokes centred on (8, 8).
void cross(QPainter& p, const QColor& c, qreal r, qreal width)
{
    QPainterPath path = line({8 - r, 8 - r}, {8 + r, 8 + r});
    path.addPath(line({8 + r, 8 - r}, {8 - r, 8 + r}));
    stroke(p, path, c, width, Qt::RoundCap);
}

// Text lines 2 units high on a 4-unit pitch; each pair is (x, width).
void textLines(QPainter& p, const QColor& c, std::initializer_list<std::pair<qreal, qreal>> lines)
{
    qreal y = 1;
    for (const auto& l : lines) {
        fill(p, box(l.first, y, l.second, 2), c);
        y += 4;
    }
}

// ---- glyphs shared by several icons (backward twins are mirrored) ----------

void playForward(QPainter& p, const QColor& c) { fill(p, tri(5, 13), c); }

void toEnd(QPainter& p, const QColor& c)
{
    fill(p, tri(2, 7, 4.5), c);
    fill(p, tri(7, 12, 4.5), c);
    fill(p, box(12, 3.5, 2, 9), c);
}

void frameForward(QPainter& p, const QColor& c)
{
    fill(p, tri(4, 10, 4.5), c);
    fill(p, box(10, 3.5, 2, 9), c);
}

void keyForward(QPainter& p, const QColor& c)
{
    fill(p, tri(1, 5, 4), c);
    fill(p, diamond(10.5, 8, 4.5), c);
}

void intervalForward(QPainter& p, const QColor& c)
{
    hArrow(p, 2, 14, 5.5, c, 4.5, 3.5);
    // A bracket underneath: the span one step covers.
    fill(p, box(2, 13, 12, 1), c);
    fill(p, box(2, 10, 1, 4), c);
    fill(p, box(13, 10, 1, 4), c);
}

void skipForward(QPainter& p, const QColor& c)
{
    fill(p, tri(2, 8, 5), c);
    fill(p, tri(8, 14, 5), c);
}

// A white block arrow with a soft dark rim so it reads on light and dark backgrounds.
void whiteArrow(QPainter& p, const QColor& c)
{
    const QPainterPath arrow = poly({{2.5, 6.5}, {7.5, 6.5}, {7.5, 2.5}, {13.5, 8},
                                     {7.5, 13.5}, {7.5, 9.5}, {2.5, 9.5}});
    stroke(p, arrow, QColor(0, 0, 0, 150), 1.0, Qt::FlatCap, Qt::RoundJoin);
    fill(p, arrow, c);
}

void padlock(QPainter& p, const QColor& c, bool open)
{
    // The shackle is the centre line of a 2-unit stroke; open, it rises and
    // its left leg leaves the body.
    const qreal top = open ? 4 : 5;
    QPainterPath shackle({11, 8});
    shackle.lineTo(11, top);
    shackle.arcTo(QRectF(5, top - 3, 6, 6), 0, 180);
    shackle.lineTo(5, open ? 5.5 : 8);
    stroke(p, shackle, c);
    QPainterPath keyhole = circle(8, 10.5, 1.25);
    keyhole.addRect(7.5, 10.5, 1, 2.5);
    fill(p, rounded(3, 8, 10, 7, 1.5).subtracted(keyhole), c);
}

// A pane (1-unit frame) cut in two by a 2-unit splitter; the new half is tinted.
void split(QPainter& p, const QColor& c, bool horizontalLine)
{
    stroke(p, box(1.5, 1.5, 13, 13), c, 1.0);
    if (horizontalLine) {
        fill(p, box(2, 9, 12, 5), faded(c, 0.3));
        fill(p, box(2, 7, 12, 2), c);
    } else {
        fill(p, box(9, 2, 5, 12), faded(c, 0.3));
        fill(p, box(7, 2, 2, 12), c);
    }
}

// ---- the icon table -------------------------------------------------------

struct Icon {
    const char* name;
    Glyph glyph;
    bool mirrored;   // drawn flipped left to right
    QColor ink;
};

const Icon kUiIcons[] = {
    {"TCPlayForwardActive", playForward, false, kActive},
    {"ColorSwatches", [](QPainter& p, const QColor&) {
         static const QRgb colours[] = {0xe0403a, 0xf08c28, 0xf2c81e, 0x4cae4c, 0x2bb3c0,
                                        0x3c6fd8, 0x8a4fc8, 0xd84a9c, 0x808080};
         for (int i = 0; i < 9; ++i)
             fill(p, box(1 + 5 * (i % 3), 1 + 5 * (i / 3), 4, 4), QColor(colours[i]));
     }, false, kInk},
    {"Warning", [](QPainter& p, const QColor& c) {
         const QPainterPath t = poly({{8, 1.5}, {14.5, 14.5}, {1.5, 14.5}});
         stroke(p, t, QColor(176, 128, 0), 1.0, Qt::FlatCap, Qt::RoundJoin);
         fill(p, t, QColor(250, 200, 30));
         fill(p, rounded(7, 5, 2, 5.5, 0.8), c);
         fill(p, circle(8, 12.25, 1.1), c);
     }, false, QColor(40, 40, 40)},
    {"TCKeyForward", keyForward, false, kInk},
    {"FontFileNameToggle", [](QPainter& p, const QColor& c) {
         QPainterPath page({3.5, 1.5});
         page.lineTo(9.5, 1.5);
         page.lineTo(12.5, 4.5);
         page.lineTo(12.5, 14.5);
         page.lineTo(3.5, 14.5);
         page.closeSubpath();
         fill(p, page, kWhite);
         stroke(p, page, c, 1.0);
         QPainterPath fold({9.5, 1.5});
         fold.lineTo(9.5, 4.5);
         fold.lineTo(12.5, 4.5);
         stroke(p, fold, c, 1.0);
         // A small "A": the file holds a font.
         QPainterPath a({5.5, 13});
         a.lineTo(8, 6);
         a.lineTo(10.5, 13);
         stroke(p, a, c, 1.5);
         fill(p, box(6.5, 10, 3, 1), c);
     }, false, kInk},
    {"PlayStop", [](QPainter& p, const QColor& c) {
         hArrow(p, 1, 11, 8, c);
         fill(p, box(12, 3, 2, 10), c);
     }, false, kInk},
    {"ArrowWhiteRight", whiteArrow, false, kWhite},
    {"PlayBounce", [](QPainter& p, const QColor& c) {
         hArrow(p, 8, 15, 8, c, 4);
         hArrow(p, 8, 1, 8, c, 4);
     }, false, kInk},
    {"FrameSkipForwards", skipForward, false, kInk},
    {"ArrowWhiteLeft", whiteArrow, true, kWhite},
    {"FontOpenType", [](QPainter& p, const QColor& c) {
         // A stressed "O": a tilted inner counter gives thick and thin strokes.
         QPainterPath counter;
         counter.addEllipse(QPointF(0, 0), 2.6, 4.4);
         counter = QTransform().translate(8, 8).rotate(-25).map(counter);
         QPainterPath o;
         o.addEllipse(QPointF(8, 8), 5.75, 6.5);
         fill(p, o.subtracted(counter), c);
     }, false, kInk},
    {"TabCloseDown", [](QPainter& p, const QColor& c) {
         fill(p, circle(8, 8, 6.5), c);
         cross(p, kWhite, 2.5, 1.5);
     }, false, kInk},
    {"TCKeyBackward", keyForward, true, kInk},
    {"FontTrueType", [](QPainter& p, const QColor& c) {
         // Two overlapping "T"s, the rear one lighter.
         fill(p, box(1, 2, 8, 2).united(box(4, 2, 2, 10)), faded(c, 0.5));
         fill(p, box(7, 5, 8, 2).united(box(10, 5, 2, 10)), c);
     }, false, kInk},
    {"VSplit", [](QPainter& p, const QColor& c) { split(p, c, false); }, false, kInk},
    {"HSplit", [](QPainter& p, const QColor& c) { split(p, c, true); }, false, kInk},
    {"SearchFieldCancel", [](QPainter& p, const QColor& c) {
         fill(p, circle(8, 8, 7), c);
         cross(p, kWhite, 2.75, 1.75);
     }, false, QColor(150, 150, 150)},
    {"Unlock", [](QPainter& p, const QColor& c) { padlock(p, c, true); }, false, kInk},
    {"Lock", [](QPainter& p, const QColor& c) { padlock(p, c, false); }, false, kInk},
    {"TCPlayBackward", playForward, true, kInk},
    {"FrameSkipBackwards", skipForward, true, kInk},
    {"ColorWheel", [](QPainter& p, const QColor&) {
         QConicalGradient hue(8, 8, 90);
         for (int i = 0; i <= 6; ++i)
             hue.setColorAt(i / 6.0, QColor::fromHsvF(std::fmod(i / 6.0, 1.0), 0.85, 0.95));
         p.fillPath(circle(8, 8, 7).subtracted(circle(8, 8, 3.5)), hue);
     }, false, kInk},
    {"TCStart", toEnd, true, kInk},
    {"TCPlayForward", playForward, false, kInk},
    {"PanelMenu", [](QPainter& p, const QColor& c) {
         for (qreal y : {3.0, 7.0, 11.0})
             fill(p, box(2, y, 12, 2), c);
     }, false, kInk},
    {"TCFrameForward", frameForward, false, kInk},
    {"TCIntervalForward", intervalForward, false, kInk},
    {"TCFrameBackward", frameForward, true, kInk},
    {"TCStop", [](QPainter& p, const QColor& c) { fill(p, box(4, 4, 8, 8), c); }, false, kInk},
    {"TCPlayBackwardActive", playForward, true, kActive},
    {"TCEnd", toEnd, false, kInk},
    {"TabClose", [](QPainter& p, const QColor& c) { cross(p, c, 3, 1.75); }, false, kInk},
    {"PlayRepeat", [](QPainter& p, const QColor& c) {
         // Two runs of a loop, each ending in a head: right along the top, back along the bottom.
         QPainterPath top({2, 9.5});
         top.lineTo(2, 7);
         top.quadTo(2, 4, 5, 4);
         top.lineTo(10, 4);
         stroke(p, top, c);
         fill(p, tri(10, 14, 3, 4), c);
         stroke(p, QTransform(-1, 0, 0, -1, 16, 16).map(top), c);
         fill(p, tri(6, 2, 3, 12), c);
     }, false, kInk},
    {"PlayContinue", [](QPainter& p, const QColor& c) {
         // The arrow carries on past the end mark.
         fill(p, box(7, 3, 2, 10), faded(c, 0.5));
         fill(p, box(1, 7, 5, 2), c);
         hArrow(p, 10, 15, 8, c, 4);
     }, false, kInk},
    {"TCIntervalBackward", intervalForward, true, kInk},
    {"TBColorSampleTool", [](QPainter& p, const QColor& c) {
         // An eyedropper lying on the diagonal, tip at the lower left.
         p.save();
         p.translate(8, 8);
         p.rotate(-45);
         fill(p, rounded(4, -2.5, 5.5, 5, 2.5), c);              // bulb
         fill(p, rounded(2.5, -3.5, 2, 7, 0.5), c);              // collar
         fill(p, poly({{2.5, -1.75}, {2.5, 1.75}, {-7, 1}, {-9.5, 0}, {-7, -1}}), c);
         p.restore();
     }, false, kInk},
};

const Icon kTextEditorIcons[] = {
    {"TextEditorUnderline", [](QPainter& p, const QColor& c) {
         const QPainterPath outer = rounded(4, -5, 8, 16, 4).intersected(box(0, 1, 16, 15));
         fill(p, outer.subtracted(rounded(6, -5, 4, 14, 2)), c);
         fill(p, box(3, 13, 10, 2), c);
     }, false, kInk},
    {"TextEditorBold", [](QPainter& p, const QColor& c) {
         QPainterPath counters = rounded(7, 4, 2, 3, 1);
         counters.addPath(rounded(7, 9, 3, 3, 1));
         fill(p, box(4, 2, 3, 12).united(rounded(4, 2, 7, 7, 3)).united(rounded(4, 7, 8, 7, 3))
                     .subtracted(counters), c);
     }, false, kInk},
    {"TextEditorRight", [](QPainter& p, const QColor& c) {
         textLines(p, c, {{1, 14}, {7, 8}, {1, 14}, {7, 8}});
     }, false, kInk},
    {"TextEditorItalic", [](QPainter& p, const QColor& c) {
         fill(p, box(7, 2, 6, 2), c);
         fill(p, box(3, 12, 6, 2), c);
         fill(p, poly({{5, 14}, {7.5, 14}, {11, 2}, {8.5, 2}}), c);
     }, false, kInk},
    {"TextEditorLeft", [](QPainter& p, const QColor& c) {
         textLines(p, c, {{1, 14}, {1, 8}, {1, 14}, {1, 8}});
     }, false, kInk},
    {"TextEditorJustify", [](QPainter& p, const QColor& c) {
         textLines(p, c, {{1, 14}, {1, 14}, {1, 14}, {1, 8}});
     }, false, kInk},
    {"TextEditorCentre", [](QPainter& p, const QColor& c) {
         textLines(p, c, {{1, 14}, {4, 8}, {1, 14}, {4, 8}});
     }, false, kInk},
};

struct Bundle {
    const char* file;
    const Icon* begin;
    const Icon* end;
};

const Bundle kBundles[] = {
    {"ui.qrc", std::begin(kUiIcons), std::end(kUiIcons)},
    {"texteditor.qrc", std::begin(kTextEditorIcons), std::end(kTextEditorIcons)},
};

// ---- output ---------------------------------------------------------------

QImage render(const Icon& icon, int px)
{
    QImage image(px, px, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(px / 16.0, px / 16.0);
    if (icon.mirrored) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    icon.glyph(p, icon.ink);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QString fileName(const Icon& icon, int scale)
{
    return QString::fromLatin1(icon.name) + (scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png"));
}

bool writeQrc(const QDir& dir, const Bundle& bundle)
{
    QSaveFile file(dir.filePath(QString::fromLatin1(bundle.file)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n"
        << "<!-- Generated by tools/icongen; edit the generator, not this file. -->\n"
        << "<qresource prefix=\"/ui/qrc/images\">\n";
    for (const Icon* icon = bundle.begin; icon != bundle.end; ++icon)
        for (int scale : {1, 2})
            out << "    <file alias=\"" << fileName(*icon, scale) << "\">images/"
                << fileName(*icon, scale) << "</file>\n";
    out << "</qresource>\n</RCC>\n";
    out.flush();
    return file.commit();
}

// Each icon magnified (16 px at 4x, 32 px at 2x, nearest neighbour) and at
// its real sizes on a light and a dark strip, with its name.
QImage contactSheet()
{
    const int cellW = 240, cellH = 92, columns = 4;
    int count = 0;
    for (const Bundle& b : kBundles)
        count += int(b.end - b.begin);
    QImage sheet(cellW * columns, cellH * ((count + columns - 1) / columns), QImage::Format_ARGB32);
    sheet.fill(QColor(236, 236, 236));
    QPainter p(&sheet);
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    int index = 0;
    for (const Bundle& b : kBundles) {
        for (const Icon* icon = b.begin; icon != b.end; ++icon, ++index) {
            const QPoint at(cellW * (index % columns) + 6, cellH * (index / columns) + 4);
            const QImage small = render(*icon, 16), large = render(*icon, 32);
            p.fillRect(QRect(at, QSize(64, 64)), Qt::white);
            p.fillRect(QRect(at + QPoint(68, 0), QSize(64, 64)), Qt::white);
            p.drawImage(at, small.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::FastTransformation));
            p.drawImage(at + QPoint(68, 0), large.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::FastTransformation));
            p.fillRect(QRect(at + QPoint(136, 0), QSize(92, 32)), QColor(250, 250, 250));
            p.fillRect(QRect(at + QPoint(136, 32), QSize(92, 32)), QColor(50, 50, 50));
            for (int row : {0, 32}) {
                p.drawImage(at + QPoint(140, row + 8), small);
                p.drawImage(at + QPoint(160, row), large);
                p.drawImage(at + QPoint(196, row + 8), small);
            }
            p.setPen(Qt::black);
            p.drawText(QRect(at + QPoint(0, 66), QSize(cellW - 8, 18)), Qt::AlignLeft | Qt::AlignVCenter,
                       QString::fromLatin1(icon->name));
        }
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv)
{
    // Painting needs no display; the contact sheet's captions need fonts only.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Paints the Quill UI toolbar images."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("outdir"), QStringLiteral("Directory for the PNG files."));
    const QCommandLineOption qrcOption(QStringLiteral("qrc"),
        QStringLiteral("Also write ui.qrc and texteditor.qrc into <dir>."), QStringLiteral("dir"));
    const QCommandLineOption sheetOption(QStringLiteral("sheet"),
        QStringLiteral("Also render a contact sheet to <file>."), QStringLiteral("file"));
    parser.addOption(qrcOption);
    parser.addOption(sheetOption);
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    QDir out(parser.positionalArguments().constFirst());
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "quill-icongen: cannot create %s\n", qPrintable(out.path()));
        return 1;
    }
    int written = 0;
    for (const Bundle& b : kBundles) {
        for (const Icon* icon = b.begin; icon != b.end; ++icon) {
            for (int scale : {1, 2}) {
                const QString path = out.filePath(fileName(*icon, scale));
                if (!render(*icon, 16 * scale).save(path, "PNG")) {
                    std::fprintf(stderr, "quill-icongen: cannot write %s\n", qPrintable(path));
                    return 1;
                }
                ++written;
            }
        }
    }
    if (parser.isSet(qrcOption)) {
        const QDir qrcDir(parser.value(qrcOption));
        for (const Bundle& b : kBundles) {
            if (!writeQrc(qrcDir, b)) {
                std::fprintf(stderr, "quill-icongen: cannot write %s\n", qPrintable(qrcDir.filePath(b.file)));
                return 1;
            }
        }
    }
    if (parser.isSet(sheetOption) && !contactSheet().save(parser.value(sheetOption))) {
        std::fprintf(stderr, "quill-icongen: cannot write %s\n", qPrintable(parser.value(sheetOption)));
        return 1;
    }
    std::printf("quill-icongen: wrote %d images to %s\n", written, qPrintable(out.path()));
    return 0;
}
