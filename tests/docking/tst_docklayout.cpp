#include "DockTestUtil.h"

#include <docking/DockLayout_p.h>
#include <docking/DockWindow.h>
#include <windowing/WindowPlacement_p.h>

#include <QBuffer>
#include <QDir>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <numeric>

#include "../../fuzz/fuzz_layout.cpp"

using namespace Quill::UI;

namespace {

const QString kLayouts = QStringLiteral(QUILL_LAYOUTS_DIR);

// A host whose pages are widgets named by their ids, made once; ids starting with
// "gone" stand for panels it no longer has.
struct Host : TestWindow {
    QStringList asked;
    QHash<QString, QPointer<Page>> pages;
    QWidget* createPage(QString& id) override
    {
        asked << id;
        if (id.startsWith("gone"))
            return nullptr;
        QPointer<Page>& p = pages[id];
        return p ? p.data() : (p = new Page(id)).data();
    }
    QByteArray save()
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        saveLayout(&buffer, pages.value(getFocusPage()));
        return buffer.data();
    }
    // Restores `data`; the title and text of a message box shown meanwhile land in `box`.
    QString box;
    bool restore(const QByteArray& data, bool fit = false)
    {
        QBuffer buffer;
        buffer.setData(data);
        buffer.open(QIODevice::ReadOnly);
        QTimer closer;
        closer.callOnTimeout([this] {
            if (auto* m = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                box = m->windowTitle() + '|' + m->text();
                m->accept();
            }
        });
        closer.start(0);
        const bool ok = restoreLayout(&buffer, fit);
        QCoreApplication::processEvents();   // window states settle
        return ok;
    }
    // Every widget of the workspace with its parent, name, visibility and geometry.
    QString tree() const
    {
        QStringList out{QString::number(quintptr(centralWidget()))};
        for (DockWindow* w : floatingWindows())
            out << QString::number(quintptr(w));
        for (QWidget* w : findChildren<QWidget*>())
            out << QStringLiteral("%1 %2 %3 %4 %5").arg(quintptr(w)).arg(quintptr(w->parent())).arg(w->objectName())
                       .arg(w->isVisible()).arg(QVariant(w->geometry()).toString());
        return out.join('\n');
    }
};

QByteArray fileData(const QString& name)
{
    QFile f(kLayouts + '/' + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray masked(QByteArray xml)
{
    return QString::fromUtf8(xml).replace(QRegularExpression(" size=\"\\d+\""), " size=\"*\"").toUtf8();
}

QByteArray repeat(const char* part, int n) { return QByteArray(part).repeated(n); }

} // namespace

class tst_DockLayout : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { deleteOrphanPages(); }

    // Restoring a file and saving it again gives the expected document (the file
    // itself, or NAME.out.xml next to it), whatever hideSingleTabs says; the host
    // is asked for exactly the pages of the file's windows, in document order.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& f : QDir(kLayouts).entryList({"*.xml"}))
            if (!f.endsWith(".out.xml"))
                QTest::newRow(qPrintable(f)) << f.chopped(4);
    }
    void roundTrip()
    {
        QFETCH(QString, name);
        const QByteArray in = fileData(name + ".xml");
        QByteArray expected = fileData(name + ".out.xml");
        expected = masked(expected.isEmpty() ? in : expected);
        QStringList ids;
        for (const DockLayout::Dock& d : DockLayout::Read(in).layout.docks)
            for (const DockLayout::Page& p : d.pages)
                ids << p.id;
        for (bool hideSingle : {false, true}) {
            Host host;
            host.setHideSingleTabs(hideSingle);
            QVERIFY(host.restore(in));
            QCOMPARE(host.asked, ids);
            const QByteArray once = host.save();
            QCOMPARE(masked(once), expected);
            host.asked.clear();
            QVERIFY(host.restore(once));
            QCOMPARE(host.save(), once);
        }
    }

    // A split stands for the section after it: a split with nothing after it and
    // stretch values out of range change no other section.
    void sectionsStayAligned()
    {
        const DockLayout::ReadResult r = DockLayout::Read(fileData("handwritten.xml"));
        QVERIFY(r.ok());
        QString sections;
        for (const DockLayout::Splitter& s : r.layout.splitters)
            for (const DockLayout::Section& c : s.sections)
                sections += QStringLiteral("%1:%2:%3 ").arg(c.dock >= 0 ? r.layout.docks.at(c.dock).id : "S").arg(c.size).arg(c.stretch);
        QCOMPARE(sections, QStringLiteral("S:10:0 S:10:0 one:100:3 S:5:9 two:100:0 "));
        const DockLayout::Section huge{DockLayout::kMaxExtent, true};
        const QList<int> sizes = DockLayout::FitSizes(QVector<DockLayout::Section>(1000, huge));
        QVERIFY(sizes.first() > 0 && std::accumulate(sizes.begin(), sizes.end(), qint64(0)) <= INT_MAX / 4);
    }

    // A file that cannot be read changes nothing: no page asked for, no widget
    // moved, and a message box with the position of the fault.
    void badFile_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("message");
        const QString notLayout = "Parse error at line 2, column 9:\nThe file is not a Quill panel layout version 1.0 file.";
        QTest::newRow("other root") << QByteArray("<?xml version=\"1.0\"?>\n<panels/>") << notLayout;
        QTest::newRow("other version") << QByteArray("<?xml version=\"1.0\"?>\n<layout version=\"1.1\"/>") << "version 1.0 file";
        QTest::newRow("empty") << QByteArray() << "Premature end";
        QTest::newRow("cut short after a good window")
            << QByteArray("<layout version=\"1.0\"><window><splitter><split/><dock id=\"d\"><page id=\"p\"/></dock></splitter></window><window>")
            << "Premature end";
        QTest::newRow("junk after the layout") << QByteArray("<layout version=\"1.0\"/><more/>") << "Extra content";
        QTest::newRow("entities") << QByteArray("<!DOCTYPE l [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>"
                                                "<layout version=\"1.0\"><window><splitter><dock id=\"&b;\"/></splitter></window></layout>")
                                  << "document type";
        QTest::newRow("deep") << "<layout version=\"1.0\"><window>" + repeat("<splitter>", 300) << "200 levels";
        QTest::newRow("windows") << "<layout version=\"1.0\">" + repeat("<window/>", 257) + "</layout>" << "256 windows";
        QTest::newRow("elements") << "<layout version=\"1.0\">" + repeat("<x/>", 1000000) + "</layout>" << "1000000 elements";
    }
    void badFile()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, message);
        Host host;
        QVERIFY(host.restore(fileData("workspace.xml")));
        const QString before = host.tree();
        const QByteArray saved = host.save();
        host.asked.clear();
        QVERIFY(!host.restore(data));
        QVERIFY2(host.box.startsWith("Dock Layout|") && host.box.contains(message), qPrintable(host.box));
        QVERIFY(host.asked.isEmpty());
        QCOMPARE(host.tree(), before);
        QCOMPARE(host.save(), saved);
        QVERIFY(host.isInLayout("b") && host.getFocusPage() == "b");
    }

    // Checking a device leaves it where it was; each restore sets the focus page
    // afresh; a fitted main window fills its screen.
    void restoreState()
    {
        Host host;
        QBuffer buffer;
        buffer.setData(fileData("workspace.xml"));
        buffer.open(QIODevice::ReadOnly);
        QVERIFY(DockMainWindow::IsLayoutValid(&buffer));
        QCOMPARE(buffer.pos(), 0);
        QVERIFY(host.restoreLayout(&buffer, false));
        QCOMPARE(host.getFocusPage(), QStringLiteral("b"));
        QVERIFY(host.restore("<layout version=\"1.0\"><window/></layout><!-- -->", true));
        QCOMPARE(host.getFocusPage(), QString());
        QCOMPARE(host.floatingWindows().size(), 0);
        QCOMPARE(host.frameGeometry(), QGuiApplication::primaryScreen()->availableGeometry());
        QVERIFY(!host.isInLayout("b"));
        host.rootSplitter()->addWidget(makeDock(&host, "d", {QString("a\x01") + QChar(0xd800) + 'b'}));
        QVERIFY(host.restore(host.save()) && host.asked.last() == QString("a\ufffd\ufffdb"));
        auto valid = [](QByteArray data) {
            QBuffer b(&data);
            return b.open(QIODevice::ReadOnly) && DockMainWindow::IsLayoutValid(&b);
        };
        QVERIFY(valid("<?xml version=\"1.0\"?><!-- x --><layout version=\"1.0\"><broken") && !valid("<layout version=\"1.00\"/>"));
    }

    // A previous floating window the host hands back keeps its docks, whole, with
    // the pages the file does not name.
    void handedBackWindow()
    {
        struct Reuser : Host {
            QPointer<DockWindow> reuse;
            DockWindow* createWindow() override { return reuse ? reuse.data() : Host::createWindow(); }
        } host;
        QVERIFY(host.restore(fileData("workspace.xml")));
        host.reuse = host.floatingWindows().first();
        Dock* old = host.docks().at(4);
        auto* kept = new Page("kept");
        old->addWidget(kept, false);
        QVERIFY(host.restore(fileData("workspace.xml")));
        QVERIFY(host.floatingWindows().contains(host.reuse) && host.docks().contains(old) && old->count() == 1);
        QVERIFY(old->currentWidget() == kept && old->tabBar()->currentIndex() == 0 && kept->isVisible());
        QString breach;
        QVERIFY2(host.checkSanity(&breach), qPrintable(breach));
    }

    // The debugging dump goes to the private runtime directory and never through a link.
    void dumpLayout()
    {
        QTemporaryDir dir;
        qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
        QFile victim(dir.filePath("victim"));
        QVERIFY(victim.open(QIODevice::WriteOnly) && victim.write("keep") == 4);
        victim.close();
        const QString path = DockLayout::DumpPath();
        QVERIFY(path == dir.filePath("layout.xml") && QFile::link(victim.fileName(), path));
        Host host;
        Dock* dock = makeDock(&host, "d", {"p"});
        host.addWidget(dock);
        dock->dumpLayout();
        QVERIFY(victim.open(QIODevice::ReadOnly) && victim.readAll() == "keep");
        QFile::remove(path);
        dock->dumpLayout();
        QFile dump(path);
        QVERIFY(dump.open(QIODevice::ReadOnly) && dump.readAll().contains("<page id=\"p\"/>"));
    }

    // Placement of a restored window over one to three screens, offset screens,
    // screen numbers out of range and extreme rectangles.
    void placement()
    {
        struct Row { int x, y, w, h, screen, flags, screens; QRect frame; bool fullscreen; };   // flags: 1 max, 2 full, 4 fit
        const int M = INT_MAX, N = INT_MIN;
        const Row rows[] = {
            {10, 20, 300, 200, 0, 0, 1, {10, 20, 300, 200}, false}, {0, 0, 3000, 3000, 0, 0, 1, {0, 0, 1000, 800}, false},
            // Width limited only with one screen or maximized; above: only pulled down.
            {0, 0, 3000, 3000, 0, 0, 2, {0, 0, 3000, 800}, false}, {0, 0, 3000, 3000, 0, 1, 2, {0, 0, 1000, 800}, false},
            {-50, -500, 100, 600, 0, 0, 1, {-50, 0, 100, 600}, false}, {0, 0, 0, 0, 0, 0, 1, {0, 0, 0, 0}, false},
            // Off the area: bottom, left, right, then top pulled in.
            {5000, 5000, 100, 100, 0, 0, 1, {900, 700, 100, 100}, false}, {-5000, -5000, 100, 900, 0, 0, 1, {0, 0, 100, 800}, false},
            {0, 0, 200, 100, 1, 0, 2, {1000, 100, 200, 100}, false}, {-1500, -200, 100, 100, 2, 0, 3, {-1500, -200, 100, 100}, false},
            // Full screen: middle two thirds, not applied past the last screen or below the first.
            {0, 0, 10, 10, 1, 2, 2, {1200, 250, 800, 600}, true}, {0, 0, 10, 10, 7, 2, 3, {-1600, -150, 800, 600}, false},
            {0, 0, 10, 10, -1, 2, 2, {166, 133, 666, 533}, false}, {5, 5, 10, 10, 1, 7, 2, {1000, 100, 1200, 900}, true},
            {M, M, M, M, 0, 0, 2, {1000 - M, 0, M, 800}, false}, {N, N, M, M, 1, 0, 3, {2200 - M, 100, M, 900}, false},
        };
        const QVector<QRect> all{{0, 0, 1000, 800}, {1000, 100, 1200, 900}, {-1800, -300, 1200, 900}};
        for (const Row& r : rows) {
            const WindowPlacement::RestoredWindow p = WindowPlacement::PlaceRestored(
                r.x, r.y, r.w, r.h, r.screen, r.flags & 1, r.flags & 2, r.flags & 4, all.mid(0, r.screens));
            QCOMPARE(p.frame, r.frame);
            QCOMPARE(p.fullscreen, r.fullscreen);
        }
    }

    // Every input the fuzzer kept reads or is rejected cleanly, and round-trips.
    void fuzzCorpus()
    {
        for (const QFileInfo& f : QDir(QUILL_FUZZ_CORPUS).entryInfoList(QDir::Files)) {
            QFile file(f.filePath());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray data = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size()));
        }
    }
};

QTEST_MAIN(tst_DockLayout)
#include "tst_docklayout.moc"
