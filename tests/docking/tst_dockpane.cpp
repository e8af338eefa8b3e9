#include "DockTestUtil.h"

#include <QSignalSpy>

#include <docking/DockDragState.h>
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

QIcon squareIcon(int side)
{
    QPixmap pm(side, side);
    pm.fill(Qt::blue);
    return QIcon(pm);
}

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
    void initTestCase() { DockTestDetail::installQuietHandler(); }
    void cleanup() { deleteOrphanPages(); }

    void panelMenu();
    void menuGoesWithDock();
    void optionsAtConstruction_data();
    void optionsAtConstruction();
    void titleBarButtonSize_data();
    void titleBarButtonSize();
    void narrowTitleHidesButtons();
    void revealHiddenTitle_data();
    void revealHiddenTitle();
    void visibleTitleNeverHiddenByLeaving();
    void tabRectAndInsertion();
    void ctrlPressFloatsTab();
    void currentTabHighlight();
    void mouseOverDock();
    void hoverFeedback_data();
    void hoverFeedback();
    void placeHolderPaint();
    void focusFollowsTabChange();
    void findDockAt();
    void focusFollowsMouse();
    void fullscreenAndContextMenu();
    void sizeHintFollowsPages();
};

void tst_DockPane::panelMenu()
{
    DockMainWindow mw;
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
    QVERIFY(menu->actions().at(3)->icon().isNull());
    QVERIFY(d->showTabsAction()->isCheckable());
    QVERIFY(d->showTabsAction()->isChecked());
    QVERIFY(d->menuButton());
    QCOMPARE(d->menuButton()->menu(), menu);
    QCOMPARE(image(d->menuButton()->icon()), image(QIcon(":/ui/qrc/images/PanelMenu.png")));
    QVERIFY(!d->menuButton()->icon().isNull());

    // The entries act on their dock.
    menu->actions().at(0)->trigger();   // Split Vertical: new dock below
    QCOMPARE(mw.docks().size(), 2);
    QCOMPARE(mw.rootSplitter()->orientation(), Qt::Vertical);
    menu->actions().at(1)->trigger();   // Split Horizontal: new dock right
    QCOMPARE(mw.docks().size(), 3);
    QCOMPARE(shape(mw.rootSplitter()).left(4), QString("V(H("));
    d->showTabsAction()->trigger();
    QVERIFY(!d->titleVisible());
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
}

void tst_DockPane::menuGoesWithDock()
{
    DockMainWindow mw;
    Dock* d = makeDock(&mw, "d", {"p"});
    mw.addWidget(d);
    QPointer<QMenu> menu = d->menu();
    QPointer<QAction> showTabs = d->showTabsAction();
    QVERIFY(d->close());
    flushDeletes();
    QVERIFY(menu.isNull());
    QVERIFY(showTabs.isNull());
}

void tst_DockPane::optionsAtConstruction_data()
{
    QTest::addColumn<bool>("panelMenu");
    QTest::addColumn<bool>("closableTabs");
    QTest::newRow("defaults") << true << false;
    QTest::newRow("no panel menu") << false << false;
    QTest::newRow("closable tabs") << true << true;
    QTest::newRow("closable tabs, no menu") << false << true;
}

void tst_DockPane::optionsAtConstruction()
{
    QFETCH(bool, panelMenu);
    QFETCH(bool, closableTabs);
    DockMainWindow mw;
    mw.setHasPanelMenu(panelMenu);
    mw.setTabsAreClosable(closableTabs);
    Dock* d = makeDock(&mw, "d", {"a", "b"});
    mw.addWidget(d);
    QCOMPARE(d->menuButton() != nullptr, panelMenu);
    QCOMPARE(d->closeButton() != nullptr, !closableTabs);
    QCOMPARE(d->floatButton() != nullptr, !closableTabs);
    QCOMPARE(d->tabBar()->tabsClosable(), closableTabs);
    QCOMPARE(d->tabBar()->focusPolicy(), Qt::NoFocus);
    QVERIFY(!d->tabBar()->drawBase());
    if (closableTabs) {
        emit d->tabBar()->tabCloseRequested(0);
        QCOMPARE(d->count(), 1);
        QCOMPARE(d->widget(0)->objectName(), QString("b"));
    } else {
        QCOMPARE(d->closeButton()->toolTip(), QString("Close the current tab"));
        QCOMPARE(d->floatButton()->toolTip(), QString("Float the current tab"));
        QCOMPARE(d->closeButton()->focusPolicy(), Qt::NoFocus);
        QVERIFY(d->closeButton()->isFlat());
        d->closeButton()->click();   // closes the current tab, b
        QCOMPARE(d->count(), 1);
        QCOMPARE(d->widget(0)->objectName(), QString("a"));
        d->floatButton()->click();
        QCOMPARE(mw.floatingWindows().size(), 1);
    }
    // Changing the options later does not rebuild existing docks.
    mw.setHasPanelMenu(!panelMenu);
    Dock* e = makeDock(&mw, "e");
    QCOMPARE(e->menuButton() != nullptr, !panelMenu);
    QCOMPARE(d->menuButton() != nullptr, panelMenu);
    delete e;
}

void tst_DockPane::titleBarButtonSize_data()
{
    QTest::addColumn<int>("metric");
    QTest::addColumn<int>("iconSide");
    QTest::addColumn<int>("expected");
    QTest::newRow("16 icon at 16") << 16 << 16 << 20;
    QTest::newRow("32 icon scaled to 16") << 16 << 32 << 20;
    QTest::newRow("12 icon at 16 keeps its size") << 16 << 12 << 16;
    QTest::newRow("24 icon at 24") << 24 << 24 << 28;
    QTest::newRow("no icon") << 16 << 0 << 4;
}

void tst_DockPane::titleBarButtonSize()
{
    QFETCH(int, metric);
    QFETCH(int, iconSide);
    QFETCH(int, expected);
    SmallIconStyle style(metric);
    TitleBarButton button;
    button.setStyle(&style);
    if (iconSide > 0)
        button.setIcon(squareIcon(iconSide));
    QCOMPARE(button.sizeHint(), QSize(expected, expected));
    QCOMPARE(button.minimumSizeHint(), button.sizeHint());
    QCOMPARE(button.sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(button.sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(TitleBarButton::sideForIcon(QSize(iconSide, iconSide)), iconSide + 4);
}

void tst_DockPane::narrowTitleHidesButtons()
{
    DockMainWindow mw;
    Dock* d = makeDock(&mw, "d", {"a"});
    d->resize(400, 200);
    d->show();
    const int margin = d->style()->pixelMetric(QStyle::PM_DockWidgetTitleMargin, nullptr, d);
    const int need = d->closeButton()->sizeHint().width() + d->floatButton()->sizeHint().width()
        + 2 * margin + 22;
    QVERIFY(d->closeButton()->isVisible());
    QVERIFY(d->floatButton()->isVisible());
    // Right-aligned, close outermost.
    QVERIFY(d->closeButton()->x() > d->floatButton()->x());
    QVERIFY(d->closeButton()->geometry().right() < d->width());
    d->resize(need - 1, 200);
    QVERIFY(!d->closeButton()->isVisible());
    QVERIFY(!d->floatButton()->isVisible());
    d->resize(need, 200);
    QVERIFY(d->closeButton()->isVisible());
    QVERIFY(d->floatButton()->isVisible());
    // The tabs start after the menu button's room, where the menu button sits at
    // its size hint, centred on the strip; the stack fills the rest.
    QCOMPARE(d->tabBar()->x(), 22);
    const QRect menu = d->menuButton()->geometry();
    QCOMPARE(menu.size(), d->menuButton()->sizeHint());
    QVERIFY(menu.left() >= 0 && menu.right() < 22);
    QVERIFY(qAbs(menu.center().y() - d->titleBar()->rect().center().y()) <= 1);
    QCOMPARE(d->stack()->geometry().bottom(), d->height() - 1);
    QCOMPARE(d->stack()->y(), d->titleBar()->height());
    QVERIFY(d->tabBarHeight() >= d->fontMetrics().lineSpacing());
    delete d;
}

void tst_DockPane::revealHiddenTitle_data()
{
    QTest::addColumn<int>("restMs");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("shownAfterLeave");
    QTest::newRow("passing over quickly") << 50 << false << false << false;
    QTest::newRow("resting 200 ms reveals") << 400 << false << true << false;
    QTest::newRow("held button keeps it") << 400 << true << true << true;
}

void tst_DockPane::revealHiddenTitle()
{
    QFETCH(int, restMs);
    QFETCH(bool, pressed);
    DockMainWindow mw;
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

void tst_DockPane::visibleTitleNeverHiddenByLeaving()
{
    DockMainWindow mw;
    Dock* d = makeDock(&mw, "d", {"a"});
    mw.addWidget(d);
    mw.show();
    sendEnter(d->titleBar());
    QVERIFY(!d->titleBar()->isRevealPending());
    sendLeave(d->titleBar());
    QVERIFY(d->titleVisible());
}

void tst_DockPane::tabRectAndInsertion()
{
    DockMainWindow mw;
    mw.resize(600, 300);
    Dock* d = makeDock(&mw, "d", {"first", "second"});
    mw.addWidget(d);
    mw.show();
    DockTabBar* bar = d->tabBar();
    const QRect r0 = bar->dockTabRect(0);
    const QRect r1 = bar->dockTabRect(1);
    QVERIFY(r0.height() >= bar->fontMetrics().lineSpacing());
    QCOMPARE(d->tabBarHeight(), r0.height());
    QCOMPARE(bar->insertionIndexAt(QPoint(r0.left() + 1, r0.center().y())), 0);
    QCOMPARE(bar->insertionIndexAt(QPoint(r1.right() - 1, r1.center().y())), 2);
    QCOMPARE(bar->insertionIndexAt(QPoint(bar->width() + 50, 1)), -1);

    // Inserting at a point: the right half of tab 0 puts the page between the two.
    auto* third = new Page("third");
    d->insertWidget(QPoint(r0.right() - 1, r0.center().y()), third);
    QCOMPARE(d->widget(1), static_cast<QWidget*>(third));
    QCOMPARE(bar->tabText(1), QString("third"));
    QCOMPARE(d->count(), 3);
    QCOMPARE(bar->count(), 3);
    // Far outside every tab: appended.
    auto* fourth = new Page("fourth");
    d->insertWidget(QPoint(-100, -100), fourth);
    QCOMPARE(d->widget(3), static_cast<QWidget*>(fourth));
    QCOMPARE(d->currentTab(), bar->currentIndex());
    QVERIFY(!fourth->isVisible());   // inserting does not select
}

void tst_DockPane::ctrlPressFloatsTab()
{
    DockMainWindow mw;
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
    QCOMPARE(bar->draggedTab(), -1);
}

void tst_DockPane::currentTabHighlight()
{
    DockMainWindow mw;
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
}

void tst_DockPane::mouseOverDock()
{
    DockMainWindow mw;
    Dock* d = makeDock(&mw, "d", {"a"});
    QVERIFY(!d->tabBar()->isMouseOverDock());
    emit d->mouseOver(true);
    QVERIFY(d->tabBar()->isMouseOverDock());
    emit d->mouseOver(false);
    QVERIFY(!d->tabBar()->isMouseOverDock());
    delete d;
}

void tst_DockPane::hoverFeedback_data()
{
    QTest::addColumn<bool>("splitByDragging");
    QTest::newRow("add as tab: top edge highlight") << false;
    QTest::newRow("split by dragging: overlay") << true;
}

void tst_DockPane::hoverFeedback()
{
    QFETCH(bool, splitByDragging);
    DockMainWindow mw;
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
        QVERIFY(drag.hoverWidget->testAttribute(Qt::WA_TranslucentBackground));
        // The overlay outlines the zone's half.
        drag.zone = DropZone::Right;
        const QImage overlay = drag.hoverWidget->grab().toImage();
        const int w = overlay.width();
        QVERIFY(overlay.pixelColor(w - 2, overlay.height() / 2).alpha() > 0);
        QCOMPARE(overlay.pixelColor(2, overlay.height() / 2).alpha(), 0);
        drag.zone = DropZone::None;
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

void tst_DockPane::placeHolderPaint()
{
    DockPlaceHolder ph;
    ph.resize(200, 100);
    QVERIFY(ph.testAttribute(Qt::WA_DeleteOnClose));
    QImage img(ph.size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    ph.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    QCOMPARE(img, [&] { QImage e(ph.size(), QImage::Format_ARGB32_Premultiplied); e.fill(Qt::transparent); return e; }());
    ph.setWindowTitle("Viewer");
    img.fill(Qt::transparent);
    ph.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    int grey = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            grey += qAlpha(img.pixel(x, y)) > 0;
    QVERIFY(grey > 50);
}

void tst_DockPane::focusFollowsTabChange()
{
    DockMainWindow mw;
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

void tst_DockPane::findDockAt()
{
    DockMainWindow mw;
    mw.setGeometry(100, 100, 600, 400);
    Dock* a = makeDock(&mw, "a", {"pa"});
    Dock* b = makeDock(&mw, "b", {"pb"});
    mw.rootSplitter()->setOrientation(Qt::Horizontal);
    mw.addWidget(a);
    mw.addWidget(b);
    mw.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mw));
    QCOMPARE(mw.findDockAt(a->mapToGlobal(a->rect().center())), a);
    QCOMPARE(mw.findDockAt(b->mapToGlobal(QPoint(5, 5))), b);   // the title bar counts
    QCOMPARE(mw.findDockAt(QPoint(5000, 5000)), nullptr);
    // A visible floating window over the main window wins.
    DockWindow* w = mw.addNewFloatingDock(new Page("f"));
    Dock* f = Dock::dockForWidget(w->findChild<QWidget*>("f"));
    w->setGeometry(QRect(a->mapToGlobal(QPoint(0, 0)), QSize(200, 150)));
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(mw.findDockAt(f->mapToGlobal(f->rect().center())), f);
    w->hide();
    QCOMPARE(mw.findDockAt(f->mapToGlobal(f->rect().center())), a);

    // The dock under the cursor takes the focus; with none, the main window does.
    QTest::qWait(20);   // let the hidden window's deactivation pass first
    mw.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&mw));
    QCursor::setPos(b->mapToGlobal(b->rect().center()));
    if (QCursor::pos() != b->mapToGlobal(b->rect().center()))
        QSKIP("the platform cannot move the cursor");
    QCOMPARE(mw.focusWidgetUnderCursor(), b);
    QCOMPARE(mw.activeDock(), b);
    QCursor::setPos(QPoint(5000, 5000));
    QCOMPARE(mw.focusWidgetUnderCursor(), nullptr);
    QCOMPARE(mw.activeDock(), nullptr);
}

void tst_DockPane::focusFollowsMouse()
{
    DockMainWindow mw;
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

void tst_DockPane::fullscreenAndContextMenu()
{
    DockMainWindow mw;
    mw.resize(400, 300);
    Dock* d = makeDock(&mw, "d", {"p"});
    mw.addWidget(d);
    mw.show();
    QVERIFY(!d->isFullscreenDock());
    d->fullscreenDock();
    QVERIFY(d->isFullscreenDock());
    QVERIFY(mw.windowState() & Qt::WindowFullScreen);
    d->fullscreenDock();
    QVERIFY(!d->isFullscreenDock());

    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(10, 40), d->mapToGlobal(QPoint(10, 40)));
    QCoreApplication::sendEvent(d, &e);
    QTRY_VERIFY(d->menu()->isVisible());
    d->menu()->close();
    QVERIFY(!d->menu()->isVisible());
}

// Dock and splitters keep their hints between layout passes: every change must reach
// them at every level, at once, or (a page's own hint) once the stack reports it.
void tst_DockPane::sizeHintFollowsPages()
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
    page->setWindowIcon(squareIcon(96));
    dock->updateTitles();
    QVERIFY(grewFrom(height));
}

QTEST_MAIN(tst_DockPane)
#include "tst_dockpane.moc"
