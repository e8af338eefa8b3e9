#pragma once

// main() for Google Benchmark programs that need a QApplication (widgets, painting,
// an event loop). Runs on the offscreen platform unless the caller chose another.
#include <QApplication>
#include <benchmark/benchmark.h>

#define QUILL_BENCHMARK_MAIN()                                   \
    int main(int argc, char** argv)                              \
    {                                                            \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))      \
            qputenv("QT_QPA_PLATFORM", "offscreen");             \
        QApplication app(argc, argv);                            \
        ::benchmark::Initialize(&argc, argv);                    \
        ::benchmark::RunSpecifiedBenchmarks();                   \
        return 0;                                                \
    }
