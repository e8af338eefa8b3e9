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
        // a = add, r = remove, d = destroy the window; receivers -1: window gone
        QTest::addColumn<QString>("ops");
        QTest::addColumn<int>("expectedCount");
        QTest::addColumn<int>("expectedReceivers");
        QTest::newRow("add twice lists once") << "aa" << 1 << 1;
        QTest::newRow("add remove") << "ar" << 0 << 0;
        QTest::newRow("remove unknown") << "r" << 0 << 0;
        QTest::newRow("add remove add") << "ara" << 1 << 1;
        QTest::newRow("destroyed leaves") << "ad" << 0 << -1;
    }

    void membership()
    {
        QFETCH(QString, ops);
        QFETCH(int, expectedCount);
        QFETCH(int, expectedReceivers);
        ProbeRegistry registry;
        auto* window = new ProbeWindow;
        QWidget other;
        registry.addWindow(&other);
        for (QChar op : ops) {
            if (op == 'a')
                registry.addWindow(window);
            else if (op == 'r')
                registry.removeWindow(window);
            else
                delete std::exchange(window, nullptr);
        }
        QCOMPARE(window ? registry.countOf(window) : 0, expectedCount);
        QCOMPARE(window ? window->destroyedReceivers() : -1, expectedReceivers);
        delete window;
        // Whatever happened, a destroyed window is never left behind.
        QCOMPARE(registry.size(), 1);
        QCOMPARE(registry.countOf(&other), 1);
    }

    void registryDiesFirst()
    {
        auto* registry = new ProbeRegistry;
        QWidget window;
        registry->addWindow(&window);
        delete registry;   // the window's later destruction must not reach the dead registry
    }
};

QTEST_MAIN(tst_FloatingWindowRegistry)
#include "tst_floatingwindowregistry.moc"
