// The toolbar images compiled into libcore: present once the library is
// loaded, the right sizes, and found by QIcon at double resolution.

#include <QDir>
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QtTest>

namespace {

const char* const kImages[] = {
    // ui.qrc
    "TCPlayForwardActive", "ColorSwatches", "Warning", "TCKeyForward", "FontFileNameToggle",
    "PlayStop", "ArrowWhiteRight", "PlayBounce", "FrameSkipForwards", "ArrowWhiteLeft",
    "FontOpenType", "TabCloseDown", "TCKeyBackward", "FontTrueType", "VSplit", "HSplit",
    "SearchFieldCancel", "Unlock", "Lock", "TCPlayBackward", "FrameSkipBackwards", "ColorWheel",
    "TCStart", "TCPlayForward", "PanelMenu", "TCFrameForward", "TCIntervalForward",
    "TCFrameBackward", "TCStop", "TCPlayBackwardActive", "TCEnd", "TabClose", "PlayRepeat",
    "PlayContinue", "TCIntervalBackward", "TBColorSampleTool",
    // texteditor.qrc
    "TextEditorUnderline", "TextEditorBold", "TextEditorRight", "TextEditorItalic",
    "TextEditorLeft", "TextEditorJustify", "TextEditorCentre",
};

const QString kPrefix = QStringLiteral(":/ui/qrc/images/");

// Mean alpha in [0, 1]: the share of the square the glyph covers.
double coverage(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            sum += qAlpha(argb.pixel(x, y));
    return sum / (255.0 * argb.width() * argb.height());
}

// The pixels alone, for comparing images whatever their format and pixel ratio.
QImage pixels(const QImage& image)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    result.setDevicePixelRatio(1);
    return result;
}

bool hasTransparentPixel(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(argb.pixel(x, y)) == 0)
                return true;
    return false;
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void image_data();
    void image();
    void listing();
};

void TestResources::initTestCase()
{
    // main() asks for a 2x screen so that QIcon has a reason to pick the @2x files.
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
}

void TestResources::image_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : kImages)
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestResources::image()
{
    QFETCH(QString, name);
    const QString path = kPrefix + name + QStringLiteral(".png");
    const QString path2x = kPrefix + name + QStringLiteral("@2x.png");

    const QImage base(path);
    QVERIFY2(!base.isNull(), qPrintable(path));
    QCOMPARE(base.size(), QSize(16, 16));
    QVERIFY(base.hasAlphaChannel());
    QVERIFY2(coverage(base) > 0.02, "nearly or fully transparent");
    QVERIFY2(hasTransparentPixel(base), "glyphs sit on a transparent background");

    const QImage large(path2x);
    QVERIFY2(!large.isNull(), qPrintable(path2x));
    QCOMPARE(large.size(), QSize(32, 32));
    QVERIFY(hasTransparentPixel(large));
    // Both files are renderings of the same glyph, so they cover the same share of their square.
    QVERIFY2(qAbs(coverage(large) - coverage(base)) < 0.08,
             qPrintable(QStringLiteral("coverage %1 vs %2").arg(coverage(large)).arg(coverage(base))));

    // QIcon finds the @2x file next to the base name by itself.
    const QIcon icon(path);
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
    const QImage expected = pixels(large);
    const QPixmap exact = icon.pixmap(QSize(32, 32));
    QCOMPARE(exact.size(), QSize(32, 32));
    QCOMPARE(pixels(exact.toImage()), expected);
    // On the 2x screen a 16-point request is served by the @2x file, unscaled.
    const QPixmap hiDpi = icon.pixmap(QSize(16, 16));
    QCOMPARE(hiDpi.size(), QSize(32, 32));
    QCOMPARE(hiDpi.devicePixelRatio(), 2.0);
    QCOMPARE(pixels(hiDpi.toImage()), expected);
}

void TestResources::listing()
{
    const QStringList files = QDir(kPrefix).entryList(QDir::Files, QDir::Name);
    QSet<QString> base, doubled;
    for (const QString& f : files) {
        QVERIFY2(f.endsWith(QLatin1String(".png")), qPrintable(f));
        if (f.endsWith(QLatin1String("@2x.png")))
            doubled.insert(f.chopped(7));
        else
            base.insert(f.chopped(4));
    }
    QSet<QString> expected;
    for (const char* name : kImages)
        expected.insert(QString::fromLatin1(name));
    QCOMPARE(base.size(), 43);
    QCOMPARE(base, expected);
    QCOMPARE(doubled, expected);
}

int main(int argc, char** argv)
{
    // A high-DPI screen: the offscreen platform honours the scale factor.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    TestResources test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_resources.moc"
