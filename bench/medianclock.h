#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <time.h>
#include <vector>

// The processor time the calling thread has used; on a shared machine the wall-clock time
// also counts the waits for a processor.
inline double threadCpuMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// Wall-clock time of each iteration, with the median and the 95th percentile as counters: a few
// slow paints (the settings file, the page cache) should not hide what a typical step costs, nor
// should the typical step hide them. Benchmarks that use it run with UseManualTime(). prepare,
// when given, runs untimed before each step.
template<typename Prepare, typename Step>
void measureMedian(benchmark::State &state, Prepare prepare, Step step)
{
    std::vector<double> milliseconds;
    std::vector<double> cpuMilliseconds;
    for (auto _ : state) {
        prepare();
        const double cpuStart = threadCpuMilliseconds();
        const auto start = std::chrono::steady_clock::now();
        step();
        const std::chrono::duration<double, std::milli> elapsed
            = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count() / 1000.0);
        milliseconds.push_back(elapsed.count());
        cpuMilliseconds.push_back(threadCpuMilliseconds() - cpuStart);
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::sort(cpuMilliseconds.begin(), cpuMilliseconds.end());
    if (milliseconds.empty())
        return;
    state.counters["median_ms"] = milliseconds[milliseconds.size() / 2];
    state.counters["p95_ms"] = milliseconds[(milliseconds.size() * 95 + 99) / 100 - 1];
    state.counters["cpu_median_ms"] = cpuMilliseconds[cpuMilliseconds.size() / 2];
}

template<typename Step>
void measureMedian(benchmark::State &state, Step step)
{
    measureMedian(
        state, [] {}, step);
}
