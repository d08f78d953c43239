// Times the decode list's column sort on 10,000 rows against the list view's own LVM_SORTITEMS with the
// same keys computed beforehand and handed over as item data, median of five runs each, on random
// decodes and on keys that defeat a quicksort's middle pivot. Not a test: run it by hand under Wine,
//   scripts/wine-env.sh scripts/wine-run.sh build/windows/tests/bin/list_sort_timing.exe [RUNS]
#include "framework/Win32.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ListTestDialog.h"
#include "SortTables.h"
#include "text/NumberText.h"
#include "controls/RowSort.h"
#include "support/MessagePump.h"

namespace {

constexpr int kRows = 10000;
using Columns = std::vector<std::vector<std::string>>;

void Refill(CListTestDialog& dlg, const Columns& columns) {
    CListCtrlEx& list = dlg.m_list;
    list.SetRedraw(FALSE);
    list.DeleteAllItems();
    for (int row = 0; row < kRows; ++row) {
        const int i = list.InsertItem(list.GetItemCount(), columns[0][(size_t)row].c_str());
        for (int c = 1; c < 5; ++c) {
            list.SetItemText(i, c, columns[(size_t)c][(size_t)row].c_str());
        }
        list.SetItemData(i, columns[2][(size_t)row][0] == '-' ? 0 : 1);
    }
    list.SetRedraw(TRUE);
}

struct Key {
    std::string text;
    double value;
};

int CALLBACK CompareNumbers(LPARAM a, LPARAM b, LPARAM) {
    const double x = reinterpret_cast<const Key*>(a)->value, y = reinterpret_cast<const Key*>(b)->value;
    return x < y ? -1 : (x > y ? 1 : 0);
}

int CALLBACK CompareTexts(LPARAM a, LPARAM b, LPARAM) {
    return CompareBytes(reinterpret_cast<const Key*>(a)->text, reinterpret_cast<const Key*>(b)->text);
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

double Now() {
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
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
    const Columns random = RandomDecodeColumns(kRows);
    Columns adversarial = random;
    adversarial[1] = MiddleLastKeys(kRows, true, false);
    struct Case {
        const char* name;
        const Columns* table;
        int column;
    };
    int status = 0;
    for (const Case& c :
         {Case{"dB", &random, 1}, Case{"Message", &random, 4}, Case{"dB, adverse", &adversarial, 1}}) {
        const bool text = c.column == 4;
        std::vector<double> own, yardstick;
        for (int run = 0; run < runs; ++run) {
            Refill(dlg, *c.table);
            PumpMessages();
            double start = Now();
            dlg.m_list.SortByColumn(c.column); // ascending, as after the second click
            own.push_back(Now() - start);
            if (!IsSorted(dlg.m_list, c.column, text)) {
                std::printf("%s: own sort left the rows out of order\n", c.name);
                status = 1;
            }
            PumpMessages();

            Refill(dlg, *c.table);
            std::vector<Key> keys;
            for (const std::string& key : (*c.table)[(size_t)c.column]) {
                keys.push_back({key, ParseNumberText(key)});
            }
            // Straight to the list view: our list keeps its own bits of the item data.
            const auto proc = (WNDPROC)::GetClassLongPtrW(dlg.m_list, GCLP_WNDPROC);
            for (int i = 0; i < kRows; ++i) {
                LVITEMA item{};
                item.mask = LVIF_PARAM;
                item.iItem = i;
                item.lParam = (LPARAM)&keys[(size_t)i];
                ::CallWindowProcW(proc, dlg.m_list, LVM_SETITEMA, 0, (LPARAM)&item);
            }
            PumpMessages();
            start = Now();
            ::SendMessageA(dlg.m_list, LVM_SORTITEMS, 0, (LPARAM)(text ? &CompareTexts : &CompareNumbers));
            yardstick.push_back(Now() - start);
            std::printf("  %s run %d: %.1f ms, %.1f ms\n", c.name, run + 1, own.back() * 1e3,
                        yardstick.back() * 1e3);
            PumpMessages();
        }
        const double a = Median(own), b = Median(yardstick);
        std::printf("%-12s %d rows, median of %d: SortByColumn %.1f ms, LVM_SORTITEMS %.1f ms, ratio %.2f\n",
                    c.name, kRows, runs, a * 1e3, b * 1e3, a / b);
    }
    return status;
}
