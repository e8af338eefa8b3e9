#include <windowing/FloatingWindowRegistry.h>

#include <QWidget>
#include <QtTest>

using namespace Quill::UI;

namespace {

// Exposes the registry's list, which it deliberately offers no getter for.
struct ProbeRegistry : FloatingWindowRegistry {
    int countOf(QWidget* w) const { return m_windows.count(w); }
    int size() const { return m_windows.size(); }
};

struct ProbeWindow : QWidget {
    int destroyedReceivers() const { return receivers(SIGNAL(destroyed(QObject*))); }
};

} // namespace

class tst_FloatingWindowRegistry : public QObject
{
    Q_OBJECT
private slots:
    void membership_data()
    {
        // a = add, r = remove, d = destroy the window, x = destroy the registry
        QTest::addColumn<QString>("ops");
        QTest::addColumn<int>("expected");   // listings of the window and connections to it; -1: window gone
        QTest::newRow("add twice lists once") << "aa" << 1;
        QTest::newRow("add remove") << "ar" << 0;
        QTest::newRow("remove unknown") << "r" << 0;
        QTest::newRow("add remove add") << "ara" << 1;
        QTest::newRow("destroyed leaves") << "ad" << -1;
        QTest::newRow("registry dies first") << "axd" << -1;   // the window's end must not reach it
    }

    void membership()
    {
        QFETCH(QString, ops);
        QFETCH(int, expected);
        auto* registry = new ProbeRegistry;
        auto* window = new ProbeWindow;
        QWidget other;
        registry->addWindow(&other);
        for (QChar op : ops) {
            if (op == 'a')
                registry->addWindow(window);
            else if (op == 'r')
                registry->removeWindow(window);
            else if (op == 'x')
                delete std::exchange(registry, nullptr);
            else
                delete std::exchange(window, nullptr);
        }
        if (!registry)
            return;
        QCOMPARE(window ? registry->countOf(window) : -1, expected);
        QCOMPARE(window ? window->destroyedReceivers() : -1, expected);
        delete window;
        // Whatever happened, a destroyed window is never left behind.
        QCOMPARE(registry->size(), 1);
        QCOMPARE(registry->countOf(&other), 1);
        delete registry;
    }
};

QTEST_MAIN(tst_FloatingWindowRegistry)
#include "tst_floatingwindowregistry.moc"
