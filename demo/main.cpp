#include "GalleryWindow.h"
#include "GalleryPanel.h"

#include <windowing/AppSettings.h>
#include <windowing/Initialise.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quill-gallery"));
    Quill::UI::Initialise();
    Quill::UI::AppSettings::SetName("QuillGallery");

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows every component of the Quill UI library."));
    parser.addHelpOption();
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
        QStringLiteral("Render the main window to a PNG file and exit."), QStringLiteral("file"));
    QCommandLineOption panel(QStringLiteral("panel"),
        QStringLiteral("Open on the panel with this id (see --list)."), QStringLiteral("id"));
    QCommandLineOption only(QStringLiteral("only"),
        QStringLiteral("Show only the --panel panel."));
    QCommandLineOption list(QStringLiteral("list"), QStringLiteral("List the panel ids and exit."));
    parser.addOptions({screenshot, panel, only, list});
    parser.process(app);

    if (parser.isSet(list)) {
        for (const Gallery::PanelInfo& info : Gallery::panels())
            std::printf("%s\t%s\n", qPrintable(info.id), qPrintable(info.title));
        return 0;
    }

    const QString panelId = parser.value(panel);
    if (!panelId.isEmpty() && !Gallery::findPanel(panelId)) {
        std::fprintf(stderr, "quill-gallery: no panel \"%s\" (try --list)\n", qPrintable(panelId));
        return 2;
    }
    GalleryWindow window(parser.isSet(only) ? panelId : QString());
    if (!panelId.isEmpty())
        window.selectPanel(panelId);
    window.show();

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
