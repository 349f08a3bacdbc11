#pragma once

#include <QString>

#include <functional>

// Two pieces of work timed in turns in one process, A B A B ..., by the CPU
// time of the process, so that a drift of the machine's speed touches both
// alike. The figures are medians; the ratio is the median of each pair's ratio.
struct PairedFigures
{
    double floorMs = 0;
    double programMs = 0;
    double ratio = 0;
    int pairs = 0;
};

// `floor` is what the work cannot beat, `program` the work itself. One
// untimed turn of each comes first.
PairedFigures timePairs(int pairs, const std::function<void()>& floor, const std::function<void()>& program);

// "name  rows  floor 12.3 ms  program 15.0 ms  ratio 1.22 (7 pairs)" on stdout.
void printPairs(const QString& name, qint64 rows, const PairedFigures& figures);

// Milliseconds of CPU time one call of `work` takes (median of `runs`).
double medianCpuMs(int runs, const std::function<void()>& work);
