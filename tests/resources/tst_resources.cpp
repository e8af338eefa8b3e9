// The toolbar images compiled into libcore: exactly the 43 names, each at 16 and 32
// pixels, and QIcon serving the 32-pixel file on a 2x screen.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QtTest>

class TestResources : public QObject
{
    Q_OBJECT
private slots:
    void images()
    {
        const QString names = QStringLiteral(
            "ArrowWhiteLeft ArrowWhiteRight ColorSwatches ColorWheel FontFileNameToggle FontOpenType FontTrueType "
            "FrameSkipBackwards FrameSkipForwards HSplit Lock PanelMenu PlayBounce PlayContinue PlayRepeat PlayStop "
            "SearchFieldCancel TBColorSampleTool TCEnd TCFrameBackward TCFrameForward TCIntervalBackward "
            "TCIntervalForward TCKeyBackward TCKeyForward TCPlayBackward TCPlayBackwardActive TCPlayForward "
            "TCPlayForwardActive TCStart TCStop TabClose TabCloseDown TextEditorBold TextEditorCentre "
            "TextEditorItalic TextEditorJustify TextEditorLeft TextEditorRight TextEditorUnderline Unlock VSplit "
            "Warning");
        QStringList expected;
        for (const QString& name : names.split(QLatin1Char(' ')))
            expected << name + QStringLiteral(".png") << name + QStringLiteral("@2x.png");
        expected.sort();
        QDir dir(QStringLiteral(":/ui/qrc/images/"));
        QCOMPARE(dir.entryList(QDir::Files, QDir::Name), expected);
        for (const QString& file : expected) {
            const QImage image(dir.filePath(file));
            QCOMPARE(image.size(), file.endsWith(QLatin1String("@2x.png")) ? QSize(32, 32) : QSize(16, 16));
            QVERIFY2(image.hasAlphaChannel() && image.pixelColor(0, 0).alpha() < 255, qPrintable(file));
            if (file.endsWith(QLatin1String("@2x.png")))
                continue;
            const QPixmap hiDpi = QIcon(dir.filePath(file)).pixmap(QSize(16, 16));
            QCOMPARE(hiDpi.devicePixelRatio(), 2.0);
            QCOMPARE(hiDpi.toImage().convertToFormat(QImage::Format_ARGB32),
                     QImage(dir.filePath(file).replace(QLatin1String(".png"), QLatin1String("@2x.png")))
                         .convertToFormat(QImage::Format_ARGB32));
        }
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2");   // a 2x screen, so QIcon has a reason to pick @2x
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    TestResources test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_resources.moc"
