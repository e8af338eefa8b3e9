// Saving and restoring layout files of N pages (about 30 child widgets each, 10 pages
// per dock) in two shapes: a balanced tree of nested splitters, and a deep one where
// each dock splits the previous one (depth N / 10); both with 3 floating windows.
// The host hands back pages that already exist, as a host re-arranging its open
// panels does, so the figures measure the library. Run a Release build.

#include <docking/DockMainWindow.h>

#include "BenchPanel.h"
#include "QtBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QHash>

#include <algorithm>

using namespace Quill::UI;

namespace {

constexpr int kPagesPerDock = 10;
constexpr int kFloating = 3;

QWidget* makePanel(const QString& id)
{
    return MakeBenchPanel(id, id);
}

// The host: one table of its panels, each made on first request.
class Host : public DockMainWindow
{
public:
    QWidget* createPage(QString& id) override
    {
        QWidget*& page = m_pages[id];
        if (!page)
            page = makePanel(id);
        return page;
    }
    ~Host() override { qDeleteAll(m_pages); }

private:
    QHash<QString, QWidget*> m_pages;
};

QString dock(int index)
{
    QString out = QStringLiteral("<dock id=\"Dock.%1\" activePageId=\"Panel.%2\">").arg(index).arg(index * kPagesPerDock);
    for (int i = 0; i < kPagesPerDock; ++i)
        out += QStringLiteral("<page id=\"Panel.%1\"/>").arg(index * kPagesPerDock + i);
    return out + QStringLiteral("</dock>");
}

QString section(const QString& content)
{
    return QStringLiteral("<split size=\"100\"/>") + content;
}

QString balanced(int first, int count, bool horizontal)
{
    QString out = QStringLiteral("<splitter orientation=\"%1\">").arg(horizontal ? 1 : 2);
    if (count <= 3) {
        for (int i = 0; i < count; ++i)
            out += section(dock(first + i));
    } else {
        out += section(balanced(first, count / 2, !horizontal));
        out += section(balanced(first + count / 2, count - count / 2, !horizontal));
    }
    return out + QStringLiteral("</splitter>");
}

// Each dock splits the one before, alternating the direction: one level per dock.
QString deep(int first, int count, bool horizontal)
{
    QString out = QStringLiteral("<splitter orientation=\"%1\">").arg(horizontal ? 1 : 2) + section(dock(first));
    if (count > 1)
        out += section(deep(first + 1, count - 1, !horizontal));
    return out + QStringLiteral("</splitter>");
}

QByteArray layoutFile(int pages, bool isDeep)
{
    const int docks = pages / kPagesPerDock;
    const int inMain = docks - std::min(kFloating, docks - 1);
    QString xml = QStringLiteral("<layout version=\"1.0\"><window x=\"0\" y=\"0\" w=\"1600\" h=\"1000\" screen=\"0\">")
        + (isDeep ? deep(0, inMain, true) : balanced(0, inMain, true)) + QStringLiteral("</window>");
    for (int i = inMain; i < docks; ++i) {
        xml += QStringLiteral("<window x=\"%1\" y=\"100\" w=\"400\" h=\"300\" screen=\"0\">").arg(100 * (i - inMain))
            + balanced(i, 1, false) + QStringLiteral("</window>");
    }
    return (xml + QStringLiteral("</layout>")).toUtf8();
}

// As a host's event loop would: posted events (polish, layout) first, deferred
// deletions last.
void settle()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

bool restore(Host& host, const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return host.restoreLayout(&buffer, false);
}

void setPerPage(benchmark::State& state, int pages)
{
    state.counters["per_page"] = benchmark::Counter(
        double(pages), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// One restore of the workspace over the same workspace: from the call until the
// windows are shown and every event it caused is delivered, the replaced
// workspace's teardown included. call_ms, settle_ms and teardown_ms split it up.
void BM_RestoreLayout(benchmark::State& state)
{
    const int pages = int(state.range(0));
    const QByteArray data = layoutFile(pages, state.range(1) != 0);
    Host host;
    if (!restore(host, data)) {
        state.SkipWithError("layout did not restore");
        return;
    }
    settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    qint64 call = 0, events = 0, teardown = 0;
    QElapsedTimer clock;
    for (auto _ : state) {
        clock.start();
        restore(host, data);
        call += clock.nsecsElapsed();
        clock.restart();
        settle();
        events += clock.nsecsElapsed();
        clock.restart();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        teardown += clock.nsecsElapsed();
        settle();
    }
    const double n = double(state.iterations()) * 1e6;
    state.counters["call_ms"] = double(call) / n;
    state.counters["settle_ms"] = double(events) / n;
    state.counters["teardown_ms"] = double(teardown) / n;
    setPerPage(state, pages);
}

void BM_SaveLayout(benchmark::State& state)
{
    const int pages = int(state.range(0));
    Host host;
    restore(host, layoutFile(pages, state.range(1) != 0));
    settle();
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        host.saveLayout(&buffer, nullptr);
        bytes = buffer.size();
    }
    state.counters["bytes"] = double(bytes);
    setPerPage(state, pages);
}

} // namespace

BENCHMARK(BM_RestoreLayout)->ArgsProduct({{10, 100, 1000}, {0, 1}})->ArgNames({"pages", "deep"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveLayout)->ArgsProduct({{10, 100, 1000}, {0, 1}})->ArgNames({"pages", "deep"})
    ->Unit(benchmark::kMillisecond);

QUILL_BENCHMARK_MAIN()
