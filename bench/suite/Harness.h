#pragma once
// The bench's harness: a table of measured actions, one function each, run several times
// and printed as one table with the median, the minimum and the ratio to a baseline.
//
// A measured function prepares what it needs, times exactly one action with Run::Time (or
// reports a figure measured otherwise with Run::Report) and tidies up. It throws
// std::runtime_error when the action did not do what it should; the row then shows the
// failure and the bench ends with a non-zero status.

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace bench {

enum class Unit { Milliseconds, Megabytes };

class Run {
public:
    // Times `action`: once in each run of a measured function.
    template <class F> void Time(F &&action) {
        const auto start = std::chrono::steady_clock::now();
        action();
        Report(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                   .count());
    }
    // A figure in the row's unit measured by other means (another process, memory).
    void Report(double value);

    bool Reported() const { return reported_; }
    double Value() const { return value_; }

private:
    bool reported_ = false;
    double value_ = 0;
};

struct Measured {
    Measured(std::string name, std::function<void(Run &)> action, std::string baseline = {},
             Unit units = Unit::Milliseconds, int runs = 0)
        : Name(std::move(name)), Action(std::move(action)), Baseline(std::move(baseline)),
          Units(units), Runs(runs) {}

    std::string Name;
    std::function<void(Run &)> Action;
    // The row (by name) whose median this one is compared with, or none.
    std::string Baseline;
    Unit Units = Unit::Milliseconds;
    // How often it runs; 0 for the suite's count.
    int Runs = 0;
};

// One row of the table as measured.
struct Figures {
    std::string Name;
    std::string Baseline;
    Unit Units = Unit::Milliseconds;
    std::vector<double> Values;
    std::string Failure;
    double Median() const;
    double Min() const;
};

// The entries whose names hold `text`, with the baselines they are compared with.
std::vector<Measured> Only(std::vector<Measured> table, const std::string &text);
// Runs every entry (`runs` times unless it says otherwise), printing progress to `progress`.
std::vector<Figures> RunAll(const std::vector<Measured> &table, int runs, std::FILE *progress);
// The table in Markdown; ratios are medians over the baseline's median.
std::string FormatTable(const std::vector<Figures> &rows);

} // namespace bench
