#include "DragDemo.h"
#include "GalleryWindow.h"
#include "GalleryPanel.h"

#include <windowing/AppSettings.h>
#include <windowing/Initialise.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("quill-gallery"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows every component of the Quill UI library."));
    const QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
        QStringLiteral("Render the main window to a PNG file and exit."), QStringLiteral("file"));
    QCommandLineOption panel(QStringLiteral("panel"),
        QStringLiteral("Open on the panel with this id (see --list)."), QStringLiteral("id"));
    QCommandLineOption only(QStringLiteral("only"),
        QStringLiteral("Show only the --panel panel."));
    QCommandLineOption list(QStringLiteral("list"), QStringLiteral("List the panel ids and exit."));
    QCommandLineOption demoDrag(QStringLiteral("demo-drag"),
        QStringLiteral("Drag a tab through the workspace, save a picture of each step into the directory and exit."),
        QStringLiteral("dir"));
    parser.addOptions({screenshot, panel, only, list, demoDrag});

    // --help and --list need no window system, and a QApplication aborts where no
    // display is reachable: answer them first. Qt's own options (-platform ...) are
    // not known yet, so a failed parse here is not an error.
    QStringList rawArgs;
    for (int i = 0; i < argc; ++i)
        rawArgs << QString::fromLocal8Bit(argv[i]);
    parser.parse(rawArgs);
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")) || parser.isSet(list)) {
        QCoreApplication app(argc, argv);
        if (!parser.isSet(list)) {
            if (parser.unknownOptionNames().isEmpty())
                parser.process(app);   // prints the help (--help-all with Qt's options) and exits
            parser.showHelp(0);
        }
        for (const Gallery::PanelInfo& info : Gallery::panels())
            std::printf("%s\t%s\n", qPrintable(info.id), qPrintable(info.title));
        return 0;
    }

    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    Quill::UI::Initialise();
    Quill::UI::AppSettings::SetName("QuillGallery");
    parser.process(app);

    const QString panelId = parser.value(panel);
    if (!panelId.isEmpty() && !Gallery::findPanel(panelId)) {
        std::fprintf(stderr, "quill-gallery: no panel \"%s\" (try --list)\n", qPrintable(panelId));
        return 2;
    }
    GalleryWindow window(parser.isSet(only) ? panelId : QString());
    // The arrangement is kept between interactive runs; screenshots start afresh.
    if (!parser.isSet(screenshot) && !parser.isSet(only)) {
        const QFileInfo settings(Quill::UI::AppSettings().fileName());
        QDir().mkpath(settings.absolutePath());
        window.setLastLayoutFile(settings.dir().filePath(settings.completeBaseName() + QStringLiteral("-layout.xml")));
        window.restoreLastLayout();
    }
    if (!panelId.isEmpty())
        window.selectPanel(panelId);
    window.show();

    if (parser.isSet(demoDrag))
        return Gallery::RunDragDemo(window, parser.value(demoDrag));

    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        int rc = 0;
        // Let layouts settle and any delayed first paint happen before grabbing.
        QTimer::singleShot(300, &window, [&]() {
            if (!window.grab().save(file, "PNG")) {
                std::fprintf(stderr, "quill-gallery: cannot write %s\n", qPrintable(file));
                rc = 1;
            }
            app.quit();
        });
        app.exec();
        return rc;
    }
    return app.exec();
}
