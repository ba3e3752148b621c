#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

// Per-call times of one run, reported as percentiles in microseconds.
class LookupTimings {
public:
    explicit LookupTimings(std::size_t expected) { m_micros.reserve(expected); }

    template <typename Fn> void time(Fn &&fn)
    {
        const auto start = std::chrono::steady_clock::now();
        fn();
        const auto end = std::chrono::steady_clock::now();
        m_micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }

    void report(benchmark::State &state)
    {
        if (m_micros.empty())
            return;
        std::sort(m_micros.begin(), m_micros.end());
        const auto at = [this](double q) {
            return m_micros[std::min(m_micros.size() - 1,
                                     std::size_t(q * double(m_micros.size())))];
        };
        state.counters["calls"] = double(m_micros.size());
        state.counters["p50_us"] = at(0.50);
        state.counters["p99_us"] = at(0.99);
        state.counters["max_us"] = m_micros.back();
    }

private:
    std::vector<double> m_micros;
};
