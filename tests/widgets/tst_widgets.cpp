#include <widgets/BubbleWidget.h>
#include <widgets/DisclosableWidget.h>
#include <widgets/DisclosureButton.h>
#include <widgets/DropAcceptingListWidget.h>
#include <widgets/FilenameField.h>
#include <widgets/FlatButton.h>
#include <widgets/SearchField.h>

#include "../../core/widgets/BubbleGeometry_p.h"
#include "../../core/widgets/SearchFieldLayout_p.h"

#include <QtTest>
#include <QtWidgets>

#include <algorithm>
#include <functional>

using namespace Quill::UI;

namespace {

// A widget that takes part in the disclosure decision.
struct Panel : QWidget, DisclosableWidget {
    bool want = true;
    bool wantsToBeVisible() const override { return want; }
};

} // namespace

class tst_Widgets : public QObject
{
    Q_OBJECT
private slots:
    void bubblePlacement_data()
    {
        QTest::addColumn<QRect>("avail");
        QTest::addColumn<QRect>("target");
        QTest::addColumn<int>("current");
        QTest::addColumn<QSize>("body");
        QTest::addColumn<int>("side");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("pinOffset");
        const QRect screen(0, 0, 1000, 800);
        const QSize body(100, 50);
        QTest::newRow("middle keeps the bottom pin") << screen << QRect(450, 400, 100, 20) << int(Qt::AlignBottom)
                                                     << body << int(Qt::AlignBottom) << QRect(449, 330, 100, 70) << 0;
        QTest::newRow("top edge flips below") << screen << QRect(450, 0, 100, 20) << int(Qt::AlignBottom) << body
                                              << int(Qt::AlignTop) << QRect(449, 19, 100, 70) << 0;
        QTest::newRow("bottom edge flips above") << screen << QRect(450, 780, 100, 20) << int(Qt::AlignTop) << body
                                                 << int(Qt::AlignBottom) << QRect(449, 710, 100, 70) << 0;
        QTest::newRow("right edge: flush, pin moves right") << screen << QRect(960, 400, 40, 20) << int(Qt::AlignBottom)
                                                            << body << int(Qt::AlignBottom) << QRect(900, 330, 100, 70) << 29;
        QTest::newRow("left edge: pin moves left") << screen << QRect(0, 400, 40, 20) << int(Qt::AlignBottom) << body
                                                   << int(Qt::AlignBottom) << QRect(0, 330, 100, 70) << -31;
        QTest::newRow("right pin flips to the left pin") << screen << QRect(10, 300, 20, 20) << int(Qt::AlignRight)
                                                         << body << int(Qt::AlignLeft) << QRect(29, 284, 120, 50) << 0;
        QTest::newRow("left pin, clamped up") << screen << QRect(10, 790, 20, 10) << int(Qt::AlignLeft) << body
                                              << int(Qt::AlignLeft) << QRect(29, 750, 120, 50) << 19;
        // Measured with a side pin, the bubble would seem to fit below (60 >= 50) and cover the target.
        QTest::newRow("horizontal to vertical measures the pin") << screen << QRect(0, 700, 1000, 40) << int(Qt::AlignLeft)
                                                                 << body << int(Qt::AlignBottom) << QRect(449, 630, 100, 70) << 0;
        QTest::newRow("larger than the screen: no pin") << screen << QRect(450, 400, 100, 20) << int(Qt::AlignBottom)
                                                        << QSize(1200, 900) << 0 << QRect(-200, -100, 1200, 900) << 509;
        QTest::newRow("second screen") << QRect(1000, 0, 800, 600) << QRect(1000, 300, 40, 20) << int(Qt::AlignBottom)
                                       << body << int(Qt::AlignBottom) << QRect(1000, 230, 100, 70) << -31;
    }

    void bubblePlacement()
    {
        QFETCH(QRect, avail);
        QFETCH(QRect, target);
        QFETCH(int, current);
        QFETCH(QSize, body);
        const BubbleGeometry::Placement p =
            BubbleGeometry::Place(target, avail, Qt::Alignment(current), body, 20);
        QTEST(int(p.side), "side");
        QTEST(QRect(p.pos, p.size), "geometry");
        QTEST(p.pinOffset, "pinOffset");
    }

    void outline_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("pinOffset");
        QTest::addColumn<QRectF>("bounds");
        QTest::addColumn<QList<QPointF>>("pin");
        using P = QList<QPointF>;
        QTest::newRow("top, centred") << int(Qt::AlignTop) << 0 << QRectF(2, 7, 196, 91)
                                      << P{{85, 22}, {100, 7}, {115, 22}};
        QTest::newRow("top, kept off the right corner") << int(Qt::AlignTop) << 500 << QRectF(2, 7, 196, 91)
                                                        << P{{160, 22}, {175, 7}, {190, 22}};
        QTest::newRow("top, kept off the left corner") << int(Qt::AlignTop) << -500 << QRectF(2, 7, 196, 91)
                                                       << P{{10, 22}, {25, 7}, {40, 22}};
        QTest::newRow("bottom") << int(Qt::AlignBottom) << 0 << QRectF(2, 2, 196, 91)
                                << P{{115, 78}, {100, 93}, {85, 78}};
        QTest::newRow("left") << int(Qt::AlignLeft) << 0 << QRectF(7, 2, 191, 96) << P{{22, 65}, {7, 50}, {22, 35}};
        QTest::newRow("right, shifted") << int(Qt::AlignRight) << 10 << QRectF(2, 2, 191, 96)
                                        << P{{178, 45}, {193, 60}, {178, 75}};
        QTest::newRow("no pin") << 0 << 0 << QRectF(2, 2, 196, 96) << P{};
    }

    // The rounded body 2 pixels inside the widget, the pinned side 20 in, and a pin
    // 30 wide and 15 high whose centre stays 8 + 15 clear of the corners.
    void outline()
    {
        QFETCH(int, side);
        QFETCH(int, pinOffset);
        BubbleGeometry::Shape shape;
        shape.side = Qt::Alignment(side);
        shape.pinOffset = pinOffset;
        const QPainterPath path = BubbleGeometry::Outline(QRect(0, 0, 200, 100), shape);
        QTEST(path.boundingRect(), "bounds");
        QCOMPARE(path.pointAtPercent(0), path.pointAtPercent(1));   // closed
        QList<QPointF> lines;
        for (int i = 0; i < path.elementCount(); ++i) {
            if (path.elementAt(i).isLineTo())
                lines.append(QPointF(path.elementAt(i).x, path.elementAt(i).y));
        }
        // Each arc joins with a line, and the path closes with one: the pin adds three.
        QFETCH(QList<QPointF>, pin);
        QCOMPARE(lines.size(), 4 + pin.size());
        QVERIFY(std::search(lines.begin(), lines.end(), pin.begin(), pin.end()) != lines.end());
    }

    // The widget measures its body without pin room and takes the chosen side's margins,
    // and no pin leaves plain margins.
    void bubblePopup()
    {
        BubbleWidget bubble;
        auto* content = new QWidget(&bubble);
        content->setFixedSize(100, 50);
        auto* layout = new QVBoxLayout(&bubble);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(content);
        const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
        bubble.setPinAlignment(Qt::AlignLeft);
        bubble.popup(QRect(avail.left(), avail.top(), avail.width(), 10));
        QCOMPARE(bubble.pinAlignment(), Qt::AlignTop);
        QCOMPARE(bubble.geometry(), QRect(avail.center().x() - 58, avail.top() + 9, 116, 86));
        QCOMPARE(bubble.contentsMargins(), QMargins(8, 28, 8, 8));
        bubble.popup(avail.adjusted(-10, 10, 10, -10));
        QCOMPARE(bubble.pinAlignment(), Qt::Alignment());
        QCOMPARE(bubble.size(), QSize(116, 66));
        QCOMPARE(bubble.contentsMargins(), QMargins(8, 8, 8, 8));
    }
};

QTEST_MAIN(tst_Widgets)
#include "tst_widgets.moc"
