// Times the decode list's column sort on 10,000 rows against the list view's own LVM_SORTITEMSEX with
// the same key rules, median of five runs each. Not a test: run it by hand under Wine,
//   scripts/wine-run.sh build/windows/tests/bin/list_sort_timing.exe
#include "framework/Win32.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ListTestDialog.h"
#include "controls/NumberText.h"
#include "controls/RowSort.h"
#include "support/MessagePump.h"

namespace {

constexpr int kRows = 10000;

struct Row {
    std::string utc, db, dt, freq, message;
};

// Decodes as a busy band gives them: reports from -24 to +20 dB, DT within a few seconds, callsigns.
std::vector<Row> MakeRows() {
    unsigned state = 12345;
    auto next = [&state](unsigned range) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % range;
    };
    const char* words[] = {"CQ", "CQ DX", "CQ POTA", "73", "RR73", "RRR"};
    std::vector<Row> rows;
    char buffer[64];
    for (int i = 0; i < kRows; ++i) {
        Row row;
        std::snprintf(buffer, sizeof buffer, "%.2i%.2i%.2i", (int)next(24), (int)next(60), (int)next(4) * 15);
        row.utc = buffer;
        row.db = std::to_string((int)next(45) - 24);
        std::snprintf(buffer, sizeof buffer, "%.1f", ((int)next(61) - 30) / 10.0);
        row.dt = buffer;
        row.freq = std::to_string(200 + next(2800));
        std::snprintf(buffer, sizeof buffer, "%s %c%c%u%c%c%c %c%c%u%u", words[next(6)], 'A' + next(26),
                      'A' + next(26), next(10), 'A' + next(26), 'A' + next(26), 'A' + next(26),
                      'A' + next(18), 'A' + next(18), next(10), next(10));
        row.message = buffer;
        rows.push_back(row);
    }
    return rows;
}

void Refill(CListTestDialog& dlg, const std::vector<Row>& rows) {
    CListCtrlEx& list = dlg.m_list;
    list.SetRedraw(FALSE);
    list.DeleteAllItems();
    for (const Row& r : rows) {
        const int i = list.InsertItem(list.GetItemCount(), r.utc.c_str());
        list.SetItemText(i, 1, r.db.c_str());
        list.SetItemText(i, 2, r.dt.c_str());
        list.SetItemText(i, 3, r.freq.c_str());
        list.SetItemText(i, 4, r.message.c_str());
        list.SetItemData(i, r.dt[0] == '-' ? 0 : 1);
    }
    list.SetRedraw(TRUE);
}

struct SortContext {
    HWND list;
    int column;
    bool text;
};

// LVM_SORTITEMSEX hands over row indices; the texts are read from the list like the own sort does.
int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM param) {
    const auto* context = reinterpret_cast<const SortContext*>(param);
    char textA[256], textB[256];
    LVITEMA item{};
    item.iSubItem = context->column;
    item.cchTextMax = sizeof textA;
    item.pszText = textA;
    ::SendMessageA(context->list, LVM_GETITEMTEXTA, (WPARAM)a, (LPARAM)&item);
    item.pszText = textB;
    ::SendMessageA(context->list, LVM_GETITEMTEXTA, (WPARAM)b, (LPARAM)&item);
    if (context->text) {
        return CompareBytes(textA, textB);
    }
    const double x = ParseNumberText(textA), y = ParseNumberText(textB);
    return x < y ? -1 : (x > y ? 1 : 0);
}

bool IsSorted(const CListCtrlEx& list, int column, bool text) {
    for (int i = 1; i < list.GetItemCount(); ++i) {
        const std::string a = list.GetItemText(i - 1, column), b = list.GetItemText(i, column);
        const bool before = text ? CompareBytes(a, b) <= 0 : ParseNumberText(a) <= ParseNumberText(b);
        if (!before) {
            return false;
        }
    }
    return true;
}

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    // The number of runs per figure (5 by default); fewer for a quick look.
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    CListTestDialog dlg;
    if (!dlg.Open()) {
        std::printf("cannot create the list dialog\n");
        return 1;
    }
    const std::vector<Row> rows = MakeRows();
    int status = 0;
    for (const auto& [column, name] : {std::pair{1, "dB"}, std::pair{4, "Message"}}) {
        const bool text = column == 4;
        std::vector<double> own, yardstick;
        int yardstickWrong = 0;
        for (int run = 0; run < runs; ++run) {
            LARGE_INTEGER start, end;
            Refill(dlg, rows);
            ::QueryPerformanceCounter(&start);
            dlg.m_list.SortByColumn(column); // ascending, as after the second click
            ::QueryPerformanceCounter(&end);
            own.push_back(Seconds(start, end));
            if (!IsSorted(dlg.m_list, column, text)) {
                std::printf("%s: own sort left the rows out of order\n", name);
                status = 1;
            }
            PumpMessages();

            Refill(dlg, rows);
            SortContext context{dlg.m_list, column, text};
            ::QueryPerformanceCounter(&start);
            ::SendMessageA(dlg.m_list, LVM_SORTITEMSEX, (WPARAM)&context, (LPARAM)&CompareRows);
            ::QueryPerformanceCounter(&end);
            yardstick.push_back(Seconds(start, end));
            // Wine's list view hands the callback indices that move while it sorts, so texts read by
            // index can leave the rows out of order there.
            yardstickWrong += !IsSorted(dlg.m_list, column, text);
            std::printf("  %s run %d: %.3f s, %.3f s\n", name, run + 1, own.back(), yardstick.back());
            PumpMessages();
        }
        const double a = Median(own), b = Median(yardstick);
        std::printf(
            "%-8s %d rows, median of %d: SortByColumn %.3f s, LVM_SORTITEMSEX %.3f s (out of order in %d "
            "runs), ratio %.2f\n",
            name, kRows, runs, a, b, yardstickWrong, a / b);
    }
    return status;
}
