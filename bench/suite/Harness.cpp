#include "Harness.h"

#include <algorithm>
#include <exception>
#include <map>

namespace bench {

void Run::Report(double value) {
    if (reported_)
        throw std::logic_error("a measured function reported twice in one run");
    reported_ = true;
    value_ = value;
}

double Figures::Median() const {
    if (Values.empty())
        return 0;
    std::vector<double> sorted = Values;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t mid = sorted.size() / 2;
    return sorted.size() % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
}

double Figures::Min() const {
    return Values.empty() ? 0 : *std::min_element(Values.begin(), Values.end());
}

std::vector<Measured> Only(std::vector<Measured> table, const std::string &text) {
    if (text.empty())
        return table;
    std::vector<std::string> wanted;
    for (const Measured &m : table)
        if (m.Name.find(text) != std::string::npos) {
            wanted.push_back(m.Name);
            wanted.push_back(m.Baseline);
        }
    std::erase_if(table, [&](const Measured &m) {
        return std::find(wanted.begin(), wanted.end(), m.Name) == wanted.end();
    });
    return table;
}

std::vector<Figures> RunAll(const std::vector<Measured> &table, int runs, std::FILE *progress) {
    std::vector<Figures> rows;
    for (const Measured &m : table) {
        Figures f{m.Name, m.Baseline, m.Units, {}, {}};
        const int count = m.Runs > 0 ? std::min(m.Runs, runs) : runs;
        if (progress)
            std::fprintf(progress, "%-58s", m.Name.c_str());
        for (int i = 0; i < count && f.Failure.empty(); ++i) {
            Run run;
            try {
                m.Action(run);
                if (!run.Reported())
                    throw std::logic_error("the measured function measured nothing");
                f.Values.push_back(run.Value());
            } catch (const std::exception &e) {
                f.Failure = e.what();
            }
        }
        if (progress) {
            if (f.Failure.empty())
                std::fprintf(progress, " %10.2f\n", f.Median());
            else
                std::fprintf(progress, " FAILED: %s\n", f.Failure.c_str());
            std::fflush(progress);
        }
        rows.push_back(std::move(f));
    }
    return rows;
}

namespace {

std::string Number(double v, Unit unit) {
    char text[64];
    if (unit == Unit::Megabytes)
        std::snprintf(text, sizeof text, "%.1f MB", v);
    else if (v < 10)
        std::snprintf(text, sizeof text, "%.2f ms", v);
    else
        std::snprintf(text, sizeof text, "%.1f ms", v);
    return text;
}

} // namespace

std::string FormatTable(const std::vector<Figures> &rows) {
    std::map<std::string, const Figures *> byName;
    for (const Figures &f : rows)
        byName[f.Name] = &f;
    std::string out = "| Action | Median | Min | Runs | Against | Ratio |\n"
                      "|---|--:|--:|--:|---|--:|\n";
    for (const Figures &f : rows) {
        out += "| " + f.Name + " | ";
        if (!f.Failure.empty()) {
            out += "FAILED: " + f.Failure + " | | | | |\n";
            continue;
        }
        out += Number(f.Median(), f.Units) + " | " + Number(f.Min(), f.Units) + " | " +
               std::to_string(f.Values.size()) + " | ";
        const auto base = byName.find(f.Baseline);
        if (!f.Baseline.empty() && base != byName.end() && base->second->Failure.empty() &&
            base->second->Median() > 0) {
            char ratio[32];
            std::snprintf(ratio, sizeof ratio, "%.1f×", f.Median() / base->second->Median());
            out += f.Baseline + " | " + ratio + " |\n";
        } else {
            out += "| |\n";
        }
    }
    return out;
}

} // namespace bench
