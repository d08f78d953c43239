#pragma once
// Key tables for the list sort's tests, benchmark and Wine timing program.
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

// The five columns (time, SNR, DT, audio frequency, message) of `rows` decodes as a busy band gives
// them: many equal keys, and number texts that differ but are equal values ("1" and "1.0").
inline std::vector<std::vector<std::string>> RandomDecodeColumns(int rows) {
    std::mt19937 random(2237);
    auto next = [&random](unsigned range) {
        return (int)(random() % range);
    };
    const char* words[] = {"CQ", "CQ DX", "73", "RR73", "RRR"};
    std::vector<std::vector<std::string>> columns(5);
    char text[64];
    for (int i = 0; i < rows; ++i) {
        std::snprintf(text, sizeof text, "%.2i%.2i%.2i", next(24), next(60), next(4) * 15);
        columns[0].push_back(text);
        columns[1].push_back(std::to_string(next(45) - 24));
        std::snprintf(text, sizeof text, "%.1f", (next(61) - 30) / 10.0);
        columns[2].push_back(next(9) == 0 ? std::to_string(next(3) - 1) : text);
        columns[3].push_back(std::to_string(200 + next(2800)));
        std::snprintf(text, sizeof text, "%s %c%c%d%c%c", words[next(5)], 'A' + next(3), 'A' + next(2),
                      next(3), 'A' + next(2), 'A' + next(2));
        columns[4].push_back(text);
    }
    return columns;
}

// Keys 0 .. n-1 that put the row sorting last in the middle of its range at every step, so a quicksort
// around the middle row's key peels off one row per pass. Zero-padded when `text`, so that they sort
// the same as bytes.
inline std::vector<std::string> MiddleLastKeys(int n, bool ascending, bool text) {
    std::vector<int> rows(n), values(n);
    for (int i = 0; i < n; ++i) {
        rows[i] = i;
    }
    for (int high = n - 1; high > 0; --high) {
        values[rows[high / 2]] = ascending ? high : n - 1 - high;
        std::swap(rows[high / 2], rows[high]);
    }
    values[rows[0]] = ascending ? 0 : n - 1;
    std::vector<std::string> keys;
    char buffer[16];
    for (const int v : values) {
        std::snprintf(buffer, sizeof buffer, text ? "%06d" : "%d", v);
        keys.push_back(buffer);
    }
    return keys;
}
