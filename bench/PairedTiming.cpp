#include "PairedTiming.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

double timed(const std::function<void()>& work)
{
    const double start = cpuMs();
    work();
    return cpuMs() - start;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
} // namespace

PairedFigures timePairs(int pairs, const std::function<void()>& floor, const std::function<void()>& program)
{
    floor();
    program();
    std::vector<double> a, b, ratios;
    for (int i = 0; i < pairs; ++i) {
        // Which goes first alternates too, so neither always finds the caches warm.
        double f = 0, p = 0;
        if (i % 2 == 0) {
            f = timed(floor);
            p = timed(program);
        } else {
            p = timed(program);
            f = timed(floor);
        }
        a.push_back(f);
        b.push_back(p);
        ratios.push_back(f > 0 ? p / f : 0);
    }
    return {median(a), median(b), median(ratios), pairs};
}

void printPairs(const QString& name, qint64 rows, const PairedFigures& f)
{
    std::printf("%-28s %9lld rows  floor %9.2f ms  program %9.2f ms  ratio %5.2f (%d pairs)\n",
                qPrintable(name), static_cast<long long>(rows), f.floorMs, f.programMs, f.ratio, f.pairs);
    std::fflush(stdout);
}

double medianCpuMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(timed(work));
    return median(times);
}
