#include "DockTestUtil.h"

#include <QSignalSpy>

#include <docking/DockDragState_p.h>
#include <docking/DockPlaceHolder.h>
#include <docking/DockWindow.h>
#include <docking/HoverWidget.h>
#include <docking/TitleBarButton.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QStackedWidget>
#include <QtTest>

using namespace Quill::UI;

namespace {

// Fixes the small-icon size so that button sizes do not depend on the theme.
class SmallIconStyle : public QProxyStyle
{
public:
    explicit SmallIconStyle(int size) : QProxyStyle("Fusion"), m_size(size) {}
    int pixelMetric(PixelMetric m, const QStyleOption* o, const QWidget* w) const override
    {
        return m == PM_SmallIconSize ? m_size : QProxyStyle::pixelMetric(m, o, w);
    }

private:
    int m_size;
};

void sendEnter(QWidget* w)
{
    w->setAttribute(Qt::WA_UnderMouse, true);
    QEvent e(QEvent::Enter);
    QCoreApplication::sendEvent(w, &e);
}

void sendLeave(QWidget* w)
{
    w->setAttribute(Qt::WA_UnderMouse, false);
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

class tst_DockPane : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { deleteOrphanPages(); }

    void panelMenu()
    {
        TestWindow mw;
        Dock* d = makeDock(&mw, "d", {"p"});
        mw.addWidget(d);
        QMenu* menu = d->menu();
        QCOMPARE(menu->title(), QString("Panel"));
        QStringList texts;
        for (QAction* a : menu->actions()) {
            texts << (a->isSeparator() ? QString("-") : a->text());
            QVERIFY(a->shortcut().isEmpty());
        }
        QCOMPARE(texts, (QStringList{"Split Vertical", "Split Horizontal", "-", "Float Pane", "Close Pane",
                                     "Float Tab", "Close Tab", "Solo Tab", "Show Tabs", "-"}));
        // The split entries carry the library's images ("Split Vertical" shows the
        // horizontal divider), the menu button its own.
        auto image = [](const QIcon& icon) { return icon.pixmap(16, 16).toImage(); };
        const QIcon hsplit(":/ui/qrc/images/HSplit.png"), vsplit(":/ui/qrc/images/VSplit.png");
        QVERIFY(image(hsplit) != image(vsplit));
        QCOMPARE(image(menu->actions().at(0)->icon()), image(hsplit));
        QCOMPARE(image(menu->actions().at(1)->icon()), image(vsplit));
        QCOMPARE(d->menuButton()->menu(), menu);
        QVERIFY(!d->floatButton()->icon().isNull() && !d->closeButton()->icon().isNull());
        QCOMPARE(image(d->menuButton()->icon()), image(QIcon(":/ui/qrc/images/PanelMenu.png")));

        // The entries act on their dock.
        menu->actions().at(0)->trigger();   // Split Vertical: new dock below
        QCOMPARE(mw.docks().size(), 2);
        QCOMPARE(mw.rootSplitter()->orientation(), Qt::Vertical);
        menu->actions().at(1)->trigger();   // Split Horizontal: new dock right
        QCOMPARE(mw.docks().size(), 3);
        QCOMPARE(shape(mw.rootSplitter()).left(4), QString("V(H("));
        d->showTabsAction()->trigger();
        QVERIFY(!d->titleVisible() && d->menuButton()->isHidden() && d->tabBar()->isHidden());
        // The entry follows the dock without announcing a toggle of its own.
        QSignalSpy toggled(d->showTabsAction(), SIGNAL(toggled(bool)));
        d->setTitleVisible(true);
        QVERIFY(d->showTabsAction()->isChecked());
        QCOMPARE(toggled.count(), 0);
        menu->actions().at(5)->trigger();   // Float Tab
        QCOMPARE(mw.floatingWindows().size(), 1);
        QCOMPARE(d->count(), 0);
        menu->actions().at(4)->trigger();   // Close Pane
        flushDeletes();
        QCOMPARE(mw.docks().size(), 3);   // two left in the main window, one floating
        // With closable tabs each tab closes its own page; the title bar has no buttons.
        mw.setTabsAreClosable(true);
        Dock* c = makeDock(&mw, "c", {"p", "q"});
        mw.addWidget(c);
        QVERIFY(!c->closeButton() && !c->floatButton());
        qobject_cast<QAbstractButton*>(c->tabBar()->tabButton(1, QTabBar::RightSide))->click();
        QCOMPARE(c->count(), 1);
    }

    void revealHiddenTitle_data()
    {
        QTest::addColumn<int>("restMs");
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("shownAfterLeave");
        QTest::newRow("passing over quickly") << 50 << false << false << false;
        QTest::newRow("resting 200 ms reveals") << 400 << false << true << false;
        QTest::newRow("held button keeps it") << 400 << true << true << true;
    }

    void revealHiddenTitle()
    {
        QFETCH(int, restMs);
        QFETCH(bool, pressed);
        TestWindow mw;
        mw.resize(400, 300);
        Dock* d = makeDock(&mw, "d", {"a"});
        mw.addWidget(d);
        mw.show();
        d->setTitleVisible(false);
        DockTitleBar* bar = d->titleBar();
        QCOMPARE(bar->height(), 3);

        sendEnter(bar);
        QVERIFY(bar->isRevealPending());
        // The strip lights up at once.
        QCOMPARE(bar->grab().toImage().pixelColor(bar->width() / 2, 1), bar->palette().color(QPalette::Highlight));
        QFETCH(bool, shown);
        QElapsedTimer rested;
        rested.start();
        if (shown) {
            QTRY_VERIFY(d->titleVisible());
            QVERIFY(rested.elapsed() >= 190);   // not before the 200 ms (coarse timer)
        } else {
            QTest::qWait(restMs);
            QVERIFY(!d->titleVisible());
        }
        QCOMPARE(bar->isRevealed(), d->titleVisible());
        if (d->titleVisible())
            QVERIFY(bar->height() > 3);
        if (pressed)
            bar->setPressed(true);
        sendLeave(bar);
        QVERIFY(!bar->isRevealPending());
        QTEST(d->titleVisible(), "shownAfterLeave");
        // Releasing the button away from the title hides it again.
        bar->setPressed(false);
        QVERIFY(!d->titleVisible());
        QVERIFY(!bar->isRevealed());
        QTest::qWait(50);
        QVERIFY(!d->titleVisible());
    }

    void ctrlPressFloatsTab()
    {
        TestWindow mw;
        mw.resize(600, 300);
        Dock* d = makeDock(&mw, "d", {"a", "b"});
        mw.addWidget(d);
        mw.show();
        DockTabBar* bar = d->tabBar();
        QTest::mousePress(bar, Qt::LeftButton, Qt::ControlModifier, bar->dockTabRect(0).center());
        QTest::mouseRelease(bar, Qt::LeftButton, Qt::ControlModifier, bar->dockTabRect(0).center());
        QCOMPARE(mw.floatingWindows().size(), 1);
        QCOMPARE(d->count(), 1);
        QCOMPARE(d->widget(0)->objectName(), QString("b"));
        QVERIFY(!d->titleBar()->isPressed());
        // A plain press selects and focuses, nothing more.
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->dockTabRect(0).center());
        QCOMPARE(mw.floatingWindows().size(), 1);
    }

    void currentTabHighlight()
    {
        TestWindow mw;
        mw.resize(600, 300);
        Dock* d = makeDock(&mw, "d", {"alpha", "beta"});
        Dock* other = makeDock(&mw, "o", {"gamma"});
        mw.addWidget(d);
        mw.addWidget(other);
        mw.show();
        mw.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mw));
        QPalette pal = d->tabBar()->palette();
        pal.setColor(QPalette::Highlight, QColor(255, 0, 0));
        d->tabBar()->setPalette(pal);
        auto grab = [&]() { return d->tabBar()->grab().toImage(); };
        auto redPixels = [](const QImage& img) {
            int n = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) {
                    const QColor c = img.pixelColor(x, y);
                    n += c.red() > 150 && c.green() < 100 && c.blue() < 100;
                }
            return n;
        };

        other->currentWidget()->setFocus();
        QTRY_COMPARE(mw.activeDock(), other);
        const QImage plain = grab();
        QCOMPARE(redPixels(plain), 0);

        // Highlight off: focus inside makes no difference.
        d->currentWidget()->setFocus();
        QTRY_COMPARE(mw.activeDock(), d);
        QCOMPARE(redPixels(grab()), 0);

        // On: the current tab's text takes the highlight colour while the dock has focus.
        mw.setHighlightCurrentTab(true);
        QVERIFY(redPixels(grab()) > 0);
        other->currentWidget()->setFocus();
        QTRY_COMPARE(mw.activeDock(), other);
        QCOMPARE(redPixels(grab()), 0);
        // A tab dragged over the dock lightens it instead.
        emit d->mouseOver(true);
        const QImage hovered = grab();
        QCOMPARE(redPixels(hovered), 0);
        QVERIFY(hovered != plain);
        emit d->mouseOver(false);
        QCOMPARE(grab(), plain);
        mw.setHighlightCurrentTab(false);
        // The line under the tabs: the shadow colour at 23 % over the window colour.
        const QColor bg = d->palette().color(QPalette::Window), ink = d->palette().color(QPalette::Shadow);
        const QColor line = d->grab().toImage().pixelColor(d->width() / 2, d->height() - d->currentWidget()->parentWidget()->height() - 1);
        for (auto channel : {&QColor::red, &QColor::green, &QColor::blue})
            QVERIFY(qAbs((line.*channel)() - ((bg.*channel)() + ((ink.*channel)() - (bg.*channel)()) * 0.23 * ink.alphaF())) <= 2);
    }

    void hoverFeedback_data()
    {
        QTest::addColumn<bool>("splitByDragging");
        QTest::newRow("add as tab: top edge highlight") << false;
        QTest::newRow("split by dragging: overlay") << true;
    }

    void hoverFeedback()
    {
        QFETCH(bool, splitByDragging);
        TestWindow mw;
        mw.setSplitPanelsByDragging(splitByDragging);
        mw.resize(400, 300);
        Dock* d = makeDock(&mw, "d", {"a"});
        mw.addWidget(d);
        mw.show();
        QPalette pal = d->palette();
        pal.setColor(QPalette::Highlight, QColor(0, 255, 0));
        d->setPalette(pal);
        DockDragState& drag = DockDragState::instance();

        d->setHover(true);
        QVERIFY(d->isHover());
        const QImage img = d->grab().toImage();
        const bool topLit = img.pixelColor(d->width() / 2, 0) == QColor(0, 255, 0);
        QCOMPARE(topLit, !splitByDragging);
        QCOMPARE(drag.hoverWidget.isNull(), !splitByDragging);
        if (splitByDragging) {
            QCOMPARE(drag.hoverWidget->geometry(),
                     d->stack()->rect().translated(d->stack()->mapToGlobal(QPoint(0, 0))));
            QVERIFY(drag.hoverWidget->isVisible());
            // The overlay outlines the zone's half.
            drag.hoverWidget->setZone(int(DropZone::Right));
            const QImage overlay = drag.hoverWidget->grab().toImage();
            QVERIFY(overlay.pixelColor(overlay.width() - 2, overlay.height() / 2).alpha() > 0);
            QCOMPARE(overlay.pixelColor(overlay.width() / 4, 1).alpha(), 0);
            QVERIFY(overlay.pixelColor(overlay.width() * 3 / 4, 1).alpha() > 0);
        }
        d->setHover(false);
        QVERIFY(drag.hoverWidget.isNull());
        QVERIFY(d->grab().toImage().pixelColor(d->width() / 2, 0) != QColor(0, 255, 0));

        // A dock destroyed while hovered takes the overlay with it.
        d->setHover(true);
        drag.hoveredDock = d;
        delete d;
        QVERIFY(drag.hoverWidget.isNull());
        QVERIFY(drag.hoveredDock.isNull());
        drag.reset();
    }

    void focusFollowsTabChange()
    {
        TestWindow mw;
        mw.resize(500, 300);
        Dock* d = makeDock(&mw, "d");
        Dock* other = makeDock(&mw, "o", {"x"});
        mw.addWidget(d);
        mw.addWidget(other);
        auto* a = new QWidget;
        a->setObjectName("a");
        a->setAttribute(Qt::WA_DeleteOnClose);
        auto* aLabel = new QLabel("label", a);
        auto* aEdit = new QLineEdit(a);
        auto* b = new QWidget;
        b->setObjectName("b");
        b->setAttribute(Qt::WA_DeleteOnClose);
        new QLabel("label", b);
        auto* bFirst = new QLineEdit(b);
        auto* bSecond = new QLineEdit(b);
        aLabel->move(0, 0);
        aEdit->move(0, 30);
        bSecond->move(0, 60);
        d->addWidget(a);
        d->addWidget(b, false);
        mw.show();
        mw.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mw));
        aEdit->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(aEdit));
        // The focus moves to the new page's first focusable widget, stays in the dock...
        d->setCurrentTab(1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(bFirst));
        bSecond->setFocus();
        // ...and comes back to where it was on a page shown again.
        d->setCurrentTab(0);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(aEdit));
        d->setCurrentTab(1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(bSecond));
        // Without the focus in the dock, changing its tab leaves the focus alone.
        other->widget(0)->setFocus();
        QTRY_COMPARE(mw.activeDock(), other);
        d->setCurrentTab(0);
        QCOMPARE(mw.activeDock(), other);
    }

    void focusFollowsMouse()
    {
        TestWindow mw;
        mw.resize(500, 300);
        Dock* a = makeDock(&mw, "a", {"pa"});
        Dock* b = makeDock(&mw, "b", {"pb"});
        mw.addWidget(a);
        mw.addWidget(b);
        auto* typing = new QLineEdit;
        mw.setMenuWidget(typing);
        mw.show();
        mw.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mw));
        a->currentWidget()->setFocus();
        QTRY_COMPARE(mw.activeDock(), a);
        sendEnter(b);
        QCOMPARE(mw.activeDock(), b);
        QCOMPARE(QApplication::focusWidget(), b->currentWidget());
        // Typing elsewhere is not interrupted.
        typing->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(typing));
        sendEnter(a);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(typing));
        // makeActive gives the dock the focus unless it has it already.
        a->makeActive();
        QCOMPARE(mw.activeDock(), a);
        a->makeActive();
        QCOMPARE(mw.activeDock(), a);
    }

    // Dock and splitters keep their hints between layout passes: every change must reach
    // them at every level, at once, or (a page's own hint) once the stack reports it.
    void sizeHintFollowsPages()
    {
        DockMainWindow mw;
        auto* inner = new DockSplitter(Qt::Vertical);
        mw.rootSplitter()->addWidget(inner);
        Dock* dock = mw.createDock();
        inner->addWidget(dock);
        auto* page = new QLabel(QStringLiteral("Short"));
        dock->addWidget(page);
        dock->tabBar()->setIconSize(QSize(64, 64));
        mw.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mw));
        int height = dock->sizeHint().height();
        const int rootExtra = mw.rootSplitter()->sizeHint().height() - height;
        const auto grewFrom = [&](int h) {   // and the root splitter agrees
            return dock->sizeHint().height() > h
                && mw.rootSplitter()->sizeHint().height() == dock->sizeHint().height() + rootExtra;
        };
        page->setText(QStringLiteral("A\nmuch\ntaller\npage"));
        QTRY_VERIFY(grewFrom(height));
        height = dock->sizeHint().height();
        dock->addWidget(new QLabel(QStringLiteral("A\nmuch\nmuch\ntaller\npage")), false);
        QVERIFY(grewFrom(height));
        height = dock->sizeHint().height();
        QPixmap tall(96, 96);
        tall.fill(Qt::red);
        page->setWindowIcon(QIcon(tall));
        dock->updateTitles();
        QVERIFY(grewFrom(height));
        // Tab sizes are measured once per text and look, for the whole workspace.
        const int width = dock->tabBar()->tabRect(0).width();
        page->setWindowTitle(QStringLiteral("A much longer title"));
        dock->updateTitles();
        QVERIFY(dock->tabBar()->tabRect(0).width() > width);
        height = dock->tabBar()->sizeHint().height();
        QFont big = dock->tabBar()->font();
        big.setPixelSize(120);
        dock->tabBar()->setFont(big);
        QVERIFY(dock->tabBar()->sizeHint().height() > height);
    }
};

QTEST_MAIN(tst_DockPane)
#include "tst_dockpane.moc"
