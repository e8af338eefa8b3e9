// A host application built against an installed Quill UI.
#include <widgets/VerticalLayout.h>
#include <windowing/AppSettings.h>
#include <windowing/Initialise.h>

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Quill::UI::Initialise();
    QWidget window;
    auto* layout = new Quill::UI::VerticalLayout(&window, 4, 4);
    layout->addWidget(new QWidget);
    const QImage icon(QStringLiteral(":/ui/qrc/images/HSplit.png"));
    std::printf(icon.isNull() ? "resources missing\n" : "resources ok\n");
    return icon.isNull() ? 1 : 0;
}
