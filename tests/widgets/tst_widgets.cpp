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

Q_DECLARE_METATYPE(QMargins)

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
        QTest::newRow("right pin in the middle") << screen << QRect(450, 400, 100, 20) << int(Qt::AlignRight)
                                                 << body << int(Qt::AlignRight) << QRect(330, 384, 120, 50) << 0;
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

        bubble.setMovable(true);
        const QPoint start = bubble.pos();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), QPointF(start + QPoint(10, 10)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), QPointF(start + QPoint(40, 50)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&bubble, &press);
        QCoreApplication::sendEvent(&bubble, &move);
        QCOMPARE(bubble.pos(), start + QPoint(30, 40));
    }

    void flatButtonModes_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("hovered");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("normal") << true << false << false << QColor(Qt::red);
        QTest::newRow("hovered") << true << true << false << QColor(Qt::green);
        QTest::newRow("disabled, hovered") << false << true << false << QColor(Qt::blue);
        QTest::newRow("checked") << true << false << true << QColor(Qt::yellow);
    }

    // The icon form follows enabled state, hover and check state; nothing else is drawn.
    void flatButtonModes()
    {
        QFETCH(bool, enabled);
        QFETCH(bool, hovered);
        QFETCH(bool, checked);
        QIcon icon;
        auto add = [&icon](Qt::GlobalColor colour, QIcon::Mode mode, QIcon::State state) {
            QPixmap pixmap(16, 16);
            pixmap.fill(colour);
            icon.addPixmap(pixmap, mode, state);
        };
        add(Qt::red, QIcon::Normal, QIcon::Off);
        add(Qt::green, QIcon::Active, QIcon::Off);
        add(Qt::blue, QIcon::Disabled, QIcon::Off);
        add(Qt::yellow, QIcon::Normal, QIcon::On);
        FlatButton button(icon);
        button.resize(button.sizeHint());
        button.setCheckable(true);
        button.setChecked(checked);
        button.setEnabled(enabled);
        button.setAttribute(Qt::WA_UnderMouse, hovered);
        const QImage image = button.grab().toImage();
        QTEST(image.pixelColor(11, 11), "colour");
        QCOMPARE(image.pixelColor(1, 1), button.palette().color(QPalette::Window));
    }

    void searchFieldLayout_data()
    {
        QTest::addColumn<QRect>("left");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QMargins>("margins");
        QTest::addColumn<QPoint>("prompt");
        QTest::newRow("bare") << QRect() << false << QMargins(6, 0, 8, 0) << QPoint(7, 5);
        QTest::newRow("left widget and cancel button") << QRect(6, 4, 16, 16) << true << QMargins(23, 0, 20, 0)
                                                       << QPoint(25, 5);
    }

    void searchFieldLayout()
    {
        QFETCH(QRect, left);
        QFETCH(bool, cancel);
        QTEST(SearchFieldLayout::TextMargins(left, cancel), "margins");
        const auto p = SearchFieldLayout::Place(QRect(0, 0, 200, 24), left.size(), QSize(50, 14), QSize(14, 14));
        QTEST(p.prompt, "prompt");
        QCOMPARE(p.cancelButton, QPoint(181, 5));
    }

    // Decorations placed as soon as they are added, and shown by text and focus.
    void searchFieldDecorations()
    {
        QWidget window;
        auto* field = new SearchField(&window);
        auto* other = new QLineEdit(&window);
        field->setGeometry(0, 0, 200, 24);
        other->setGeometry(0, 30, 200, 24);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        field->setPrompt(QStringLiteral("Find"));
        field->setHasCancelButton(true);
        auto* prompt = field->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
        auto* cancel = field->findChild<FlatButton*>();
        QCOMPARE(prompt->x(), 7);
        QCOMPARE(cancel->geometry(), QRect(181, 5, 14, 14));
        auto* icon = new QLabel(field);
        icon->resize(16, 16);
        field->setLeftWidget(icon);
        QCOMPARE(icon->pos(), QPoint(6, 4));
        QCOMPARE(prompt->x(), 25);
        QCOMPARE(field->textMargins(), QMargins(23, 0, 20, 0));

        auto shown = [&] { return QPair<bool, bool>(prompt->isVisible(), cancel->isVisible()); };
        QCOMPARE(shown(), qMakePair(true, false));
        field->setFocus();
        QCOMPARE(shown(), qMakePair(false, false));
        QTest::keyClicks(field, QStringLiteral("abc"));
        QCOMPARE(shown(), qMakePair(false, true));
        other->setFocus();
        QCOMPARE(shown(), qMakePair(false, false));
        field->setText(QString());
        QCOMPARE(shown(), qMakePair(true, false));
        field->setText(QStringLiteral("set by the program"));
        QCOMPARE(shown(), qMakePair(false, false));

        field->setFocus();
        int pressed = 0;
        connect(field, &SearchField::cancelPressed, [&] {
            ++pressed;
            QVERIFY(field->text().isEmpty() && !cancel->isVisible());
        });
        QTest::mouseClick(cancel, Qt::LeftButton);
        QCOMPARE(pressed, 1);
    }

    // Every button on the way to a widget must be checked and visible, whatever order
    // the objects were allocated in (the order of their addresses) and the order of the
    // toggles, also when the buttons were checked before the window was first shown.
    void disclosureNested_data()
    {
        QTest::addColumn<int>("allocation");   // permutation index of outer, inner, leaf
        QTest::addColumn<bool>("checkFirst");
        for (int a = 0; a < 6; ++a) {
            QTest::addRow("allocation %d", a) << a << false;
            QTest::addRow("allocation %d, checked before shown", a) << a << true;
        }
    }

    void disclosureNested()
    {
        QFETCH(int, allocation);
        QFETCH(bool, checkFirst);
        std::array<int, 3> order{0, 1, 2};
        for (int i = 0; i < allocation; ++i)
            std::next_permutation(order.begin(), order.end());
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        QWidget* objects[3] = {};
        for (int which : order)
            objects[which] = which == 2 ? new QLabel(QStringLiteral("leaf"), &window)
                                        : static_cast<QWidget*>(new DisclosureButton(&window));
        auto* outer = static_cast<DisclosureButton*>(objects[0]);
        auto* inner = static_cast<DisclosureButton*>(objects[1]);
        auto* sibling = new QLabel(QStringLiteral("sibling"), &window);
        for (QWidget* w : {objects[0], objects[1], objects[2], static_cast<QWidget*>(sibling)})
            layout->addWidget(w);
        for (DisclosureButton* b : {outer, inner})
            connect(b, SIGNAL(toggled(bool)), b, SLOT(showOrHideWidgets()));
        outer->addWidget(inner);
        outer->addWidget(sibling);
        inner->addWidget(objects[2]);
        if (checkFirst) {
            inner->setChecked(true);
            outer->setChecked(true);
        }
        window.show();
        auto check = [&] {
            QCOMPARE(objects[2]->isVisible(), outer->isChecked() && inner->isChecked());
            QCOMPARE(sibling->isVisible(), outer->isChecked());
            QCOMPARE(inner->isVisible(), outer->isChecked());
        };
        check();
        for (DisclosureButton* b : {outer, inner, outer, inner, inner, outer, inner, outer}) {
            b->toggle();
            check();
        }
        if (outer->isChecked()) {   // a button the host hides takes its widgets with it
            inner->hide();
            QVERIFY(!objects[2]->isVisible());
            inner->show();
            check();
        }
        window.hide();
        outer->setChecked(!outer->isChecked());
        window.show();
        check();
    }

    // A widget under two buttons follows the last update, takes part through
    // wantsToBeVisible, and outlives or is outlived by its buttons safely.
    void disclosureShared()
    {
        QWidget window;
        auto* a = new DisclosureButton(&window);
        auto* b = new DisclosureButton(&window);
        auto* hidden = new DisclosureButton(&window, false);
        auto* panel = new Panel;
        panel->setParent(&window);
        auto* plain = new QLabel(&window);
        window.show();
        a->setChecked(true);
        hidden->setChecked(true);
        hidden->addWidget(plain);
        QVERIFY(plain->isHidden());   // checked, but not initially visible
        a->addWidget(panel);
        QVERIFY(panel->isVisible());
        b->addWidget(panel);
        QVERIFY(panel->isHidden());   // unchecked
        QVERIFY(!panel->isDisclosed());
        a->showOrHideWidgets();
        QVERIFY(panel->isVisible());   // the last update wins
        b->setChecked(true);
        QVERIFY(panel->isDisclosed());
        panel->want = false;
        b->showOrHideWidgets();
        QVERIFY(panel->isHidden());

        b->setChecked(false);
        delete b;   // still registered with the panel
        QVERIFY(panel->isDisclosed());
        delete plain;
        QCOMPARE(hidden->widgets(), QList<QWidget*>());
        hidden->showOrHideWidgets();
        delete panel;
        QCOMPARE(a->widgets(), QList<QWidget*>());
        a->toggle();
        a->showOrHideWidgets();
        Panel orphan;
        QVERIFY(orphan.isDisclosed());
    }

    // Signals for typed names and for names chosen in the Qt dialog, which the test
    // drives; a cancelled dialog changes nothing; a host that deletes the field while
    // the dialog runs is safe.
    void filenameField()
    {
        QWidget window;
        auto* field = new FilenameField(&window, QFileDialog::AnyFile, false);
        auto* other = new QLineEdit(&window);
        (new QVBoxLayout(&window))->addWidget(field);
        window.layout()->addWidget(other);
        field->setPrompt(QStringLiteral("Pick a file"));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* prompt = field->findChild<QLineEdit*>()->findChild<QLabel*>();
        other->setFocus();
        QStringList log;
        connect(field, &FilenameField::filenameChanged, [&] { log << "changed:" + field->filename(); });
        connect(field, &FilenameField::filenameSet, [&] { log << "set:" + field->filename(); });
        QVERIFY(prompt->isVisible());
        field->setFocus();
        QVERIFY(!prompt->isVisible());
        QTest::keyClicks(field->focusWidget(), QStringLiteral("ab"));
        QTest::keyClick(field->focusWidget(), Qt::Key_Return);
        QCOMPARE(log, QStringList({"changed:a", "changed:ab", "set:ab"}));

        QTemporaryDir dir;
        const QString chosen = dir.filePath(QStringLiteral("chosen.txt"));
        std::function<void(QFileDialog*)> answer;
        connect(field, &FilenameField::fileDialogShown, [&](QFileDialog* dialog) {
            QCOMPARE(dialog->fileMode(), QFileDialog::AnyFile);
            QVERIFY(dialog->selectedFiles().value(0).endsWith('/' + QFileInfo(field->filename()).fileName()));
            QTimer::singleShot(0, dialog, [&answer, dialog] { answer(dialog); });
        });
        other->setFocus();
        log.clear();
        answer = [&](QFileDialog* dialog) { dialog->reject(); };
        field->openFileDialog();
        answer = [&](QFileDialog* dialog) {
            dialog->selectFile(chosen);
            static_cast<QDialog*>(dialog)->accept();   // QFileDialog's own accept() checks the name
        };
        field->openFileDialog();
        QCOMPARE(log, QStringList({"changed:" + chosen, "set:" + chosen}));

        QPointer<FilenameField> gone(field);
        answer = [&](QFileDialog*) { delete field; };
        field->openFileDialog();
        QVERIFY(!gone);
    }

    void drops_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("dropped");
        const QUrl file = QUrl::fromLocalFile(QStringLiteral("/tmp/a b.txt"));
        const QUrl web(QStringLiteral("https://example.org/x"));
        QTest::newRow("files") << 1 << QList<QUrl>{file, file} << true << QStringList{"/tmp/a b.txt", "/tmp/a b.txt"};
        QTest::newRow("mixed") << 1 << QList<QUrl>{web, file} << true << QStringList{"", "/tmp/a b.txt"};
        QTest::newRow("text only") << 1 << QList<QUrl>{} << false << QStringList();
        QTest::newRow("drops off") << 0 << QList<QUrl>{file} << false << QStringList();
    }

    // Drag and drop events as the window system delivers them, to the viewport.
    void drops()
    {
        QFETCH(int, flags);
        QFETCH(QList<QUrl>, urls);
        DropAcceptingListWidget list;
        list.setAcceptsDropsFlags(DropAcceptingListWidget::AcceptedDropFlag(flags));
        QCOMPARE(list.acceptDrops(), flags != 0);
        QSignalSpy spy(&list, &DropAcceptingListWidget::droppedUrls);
        QMimeData mime;
        mime.setText(QStringLiteral("text"));
        if (!urls.isEmpty())
            mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QDragMoveEvent move(QPoint(6, 6), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop(QPointF(6, 6), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        for (QDropEvent* e : std::initializer_list<QDropEvent*>{&enter, &move, &drop}) {
            QCoreApplication::sendEvent(list.viewport(), e);
            QTEST(e->isAccepted(), "accepted");
        }
        QTEST(spy.isEmpty() ? QStringList() : spy.at(0).at(0).toStringList(), "dropped");
        QVERIFY(spy.size() <= 1);
    }
};

QTEST_MAIN(tst_Widgets)
#include "tst_widgets.moc"
