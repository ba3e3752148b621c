#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

// Per-call times of one run, reported as percentiles in microseconds: the
// wall time, and the CPU time of the calling thread, which other programs
// sharing the cores do not inflate.
class LookupTimings {
public:
    explicit LookupTimings(std::size_t expected)
    {
        m_wall.reserve(expected);
        m_cpu.reserve(expected);
    }

    template <typename Fn> void time(Fn &&fn)
    {
        const double cpuStart = threadCpuMicros();
        const auto start = std::chrono::steady_clock::now();
        fn();
        const auto end = std::chrono::steady_clock::now();
        m_cpu.push_back(threadCpuMicros() - cpuStart);
        m_wall.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }

    void report(benchmark::State &state)
    {
        if (m_wall.empty())
            return;
        state.counters["calls"] = double(m_wall.size());
        std::sort(m_wall.begin(), m_wall.end());
        state.counters["p50_us"] = at(m_wall, 0.50);
        state.counters["p90_us"] = at(m_wall, 0.90);
        state.counters["p99_us"] = at(m_wall, 0.99);
        state.counters["max_us"] = m_wall.back();
        std::sort(m_cpu.begin(), m_cpu.end());
        state.counters["cpu_p50_us"] = at(m_cpu, 0.50);
        state.counters["cpu_p90_us"] = at(m_cpu, 0.90);
        state.counters["cpu_p99_us"] = at(m_cpu, 0.99);
        state.counters["cpu_max_us"] = m_cpu.back();
    }

private:
    static double threadCpuMicros()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1e3;
    }
    static double at(const std::vector<double> &sorted, double q)
    {
        return sorted[std::min(sorted.size() - 1, std::size_t(q * double(sorted.size())))];
    }

    std::vector<double> m_wall;
    std::vector<double> m_cpu;
};
