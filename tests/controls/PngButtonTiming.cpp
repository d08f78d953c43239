// Times CPngButton::LoadImages (three decodes, four bitmaps) for one button and the decode alone, first
// call and median of 200. Not a test: run it by hand under Wine,
//   scripts/wine-run.sh build/windows/tests/bin/png_button_timing.exe
#include "framework/Win32.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "StaticControlsTestDialog.h"
#include "controls/win/PngButton.h"
#include "controls/win/PngResource.h"
#include "res/resource.h"

namespace {

double Microseconds(const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    work();
    ::QueryPerformanceCounter(&end);
    return (double)(end.QuadPart - start.QuadPart) * 1e6 / (double)frequency.QuadPart;
}

void Report(const char* what, const std::function<void()>& work) {
    const double first = Microseconds(work);
    std::vector<double> runs;
    for (int i = 0; i < 200; ++i) {
        runs.push_back(Microseconds(work));
    }
    std::sort(runs.begin(), runs.end());
    std::printf("%-36s first %8.1f us   median %8.1f us   fastest %8.1f us\n", what, first,
                runs[runs.size() / 2], runs.front());
}

} // namespace

int main() {
    CStaticHostDialog<CPngButton> dlg(IDC_TEST_IMAGE_BUTTON);
    if (!dlg.Open()) {
        std::printf("no dialog\n");
        return 1;
    }
    Report("LoadImages(134), one button", [&] { dlg.m_control.LoadImages(IDB_PNG_TIME); });
    Report("LoadPngResource(134, Plain)",
           [] { PngImagePtr(LoadPngResource(IDB_PNG_TIME, PngVariant::Plain)); });
    return 0;
}
