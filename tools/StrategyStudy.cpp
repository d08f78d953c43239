// tavrel-strategy-study: what each offset strategy is worth, measured on simulated WSJT-X decodes.
//   tavrel-strategy-study                 prints the table (Markdown)
//   tavrel-strategy-study --check FILE    exit 1 unless FILE holds exactly this table between its markers
//   tavrel-strategy-study --update FILE   writes the table into FILE between its markers
// The user guide's table is this program's output; its test runs --check.
//
// One trial: n decodes from a crowd of stations whose own timing is normal (mean, sd), seen through a
// clock that is `clockError` seconds ahead, plus decoder noise (sd 0.05 s); a share of the decodes are
// outliers 1.5 to 2.5 s away on either side; every DT is rounded to 0.1 s as WSJT-X reports it. The
// error of a trial is the strategy's estimate minus the mean DT the crowd really has (clock error plus
// crowd mean): no method that sees only DT values can tell a late crowd from a fast clock.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "estimate/DtWindow.h"
#include "estimate/OffsetStrategies.h"

namespace {

constexpr int kTrials = 10000;
constexpr double kDecoderNoise = 0.05;
constexpr std::int32_t kStrategies = static_cast<std::int32_t>(kStrategyCount);
constexpr const char* kBeginMarker = "<!-- strategy table: begin (tavrel-strategy-study --update) -->";
constexpr const char* kEndMarker = "<!-- strategy table: end -->";

struct Crowd {
    const char* name;
    double mean;
    double sd;
};

// The same numbers on every platform: mt19937_64 is fixed by the standard, the distributions are not,
// so uniform and normal values are made here.
class Random {
public:
    double Uniform() { return static_cast<double>(m_engine() >> 11) * 0x1.0p-53; }
    double Normal() {
        if (m_haveSpare) {
            m_haveSpare = false;
            return m_spare;
        }
        const double radius = std::sqrt(-2.0 * std::log(1.0 - Uniform()));
        const double angle = 2.0 * std::numbers::pi * Uniform();
        m_spare = radius * std::sin(angle);
        m_haveSpare = true;
        return radius * std::cos(angle);
    }
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Uniform() * static_cast<double>(n)); }

private:
    std::mt19937_64 m_engine{20230823};
    double m_spare = 0.0;
    bool m_haveSpare = false;
};

struct Spread {
    double sum = 0.0;
    double sumOfSquares = 0.0;
    void Add(double v) {
        sum += v;
        sumOfSquares += v * v;
    }
    double Mean() const { return sum / kTrials; }
    double Sd() const { return std::sqrt(std::max(0.0, sumOfSquares / kTrials - Mean() * Mean())); }
};

std::string Signed(double v, int decimals) {
    char text[32];
    // -0.00 reads as a bias where there is none.
    const double rounded = std::round(v * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
    std::snprintf(text, sizeof text, "%+.*f", decimals, rounded == 0.0 ? 0.0 : rounded);
    return text;
}

std::string Table() {
    const double clockErrors[] = {0.0, 0.5, -0.8, 1.5};
    const int decodeCounts[] = {10, 50};
    const Crowd crowds[] = {{"tight", 0.0, 0.1}, {"realistic", 0.4, 0.3}};
    const int outlierPercents[] = {0, 10};

    std::ostringstream out;
    out << "| clock error | decodes | crowd | outliers";
    for (const char* name : kStrategyNames)
        out << " | " << name;
    out << " |\n|---:|---:|---|---:";
    for (std::int32_t s = 0; s < kStrategies; ++s)
        out << "|:---:";
    out << "|\n";

    Random random;
    DtWindow window;
    std::vector<std::size_t> positions;
    for (double clockError : clockErrors) {
        for (int n : decodeCounts) {
            for (const Crowd& crowd : crowds) {
                for (int percent : outlierPercents) {
                    const std::size_t outliers = static_cast<std::size_t>(n * percent / 100);
                    const double truth = clockError + crowd.mean;
                    Spread spread[kStrategyCount];
                    for (int trial = 0; trial < kTrials; ++trial) {
                        std::vector<double> dts(n);
                        for (double& dt : dts)
                            dt = truth + crowd.sd * random.Normal() + kDecoderNoise * random.Normal();
                        // The outliers take random places among the decodes.
                        positions.resize(n);
                        for (std::size_t i = 0; i < positions.size(); ++i)
                            positions[i] = i;
                        for (std::size_t k = 0; k < outliers; ++k) {
                            std::swap(positions[k], positions[k + random.Below(n - k)]);
                            const double away = 1.5 + random.Uniform();
                            dts[positions[k]] = truth + (random.Uniform() < 0.5 ? -away : away);
                        }
                        window.RemoveAll();
                        for (double dt : dts)
                            window.Append(std::round(dt * 10.0) / 10.0);
                        for (std::int32_t s = 0; s < kStrategies; ++s)
                            spread[s].Add(CalculateOffset(window, s) - truth);
                    }
                    out << "| " << Signed(clockError, 1) << " s | " << n << " | " << crowd.name << " | "
                        << percent << " %";
                    for (const Spread& each : spread)
                        out << " | " << Signed(each.Mean(), 2) << " ± " << Signed(each.Sd(), 2).substr(1);
                    out << " |\n";
                }
            }
        }
    }
    return out.str();
}

// Splits FILE around its markers; false when they are missing.
bool SplitAtMarkers(const std::string& text, std::string& head, std::string& table, std::string& tail) {
    const std::size_t begin = text.find(kBeginMarker);
    const std::size_t end = text.find(kEndMarker);
    if (begin == std::string::npos || end == std::string::npos || end < begin)
        return false;
    const std::size_t tableStart = text.find('\n', begin) + 1;
    head = text.substr(0, tableStart);
    table = text.substr(tableStart, end - tableStart);
    tail = text.substr(end);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const std::string table = Table();
    if (argc == 1) {
        std::fputs(table.c_str(), stdout);
        return 0;
    }
    const std::string option = argv[1];
    if (argc != 3 || (option != "--check" && option != "--update")) {
        std::fprintf(stderr, "usage: tavrel-strategy-study [--check FILE | --update FILE]\n");
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    std::string head, current, tail;
    if (!in || !SplitAtMarkers(content.str(), head, current, tail)) {
        std::fprintf(stderr, "tavrel-strategy-study: %s has no strategy table markers\n", argv[2]);
        return 1;
    }
    if (option == "--check") {
        if (current == table)
            return 0;
        std::fprintf(stderr, "tavrel-strategy-study: the table in %s is not this program's output:\n%s",
                     argv[2], table.c_str());
        return 1;
    }
    std::ofstream(argv[2], std::ios::binary) << head << table << tail;
    return 0;
}
