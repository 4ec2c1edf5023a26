// Times program start-ups for scripts/startup_benchmark.py: from process creation until the
// program's dialog is visible with at least one item in its word list (12000). Runs the given
// programs in turn, one warm-up start each, and prints one line per timed start:
// "<index> <milliseconds>".
//   startup_probe RUNS EXE1 DIR1 [EXE2 DIR2 ...]
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver.h"

#include <shellapi.h>

namespace {

// Milliseconds until the dialog shows a result, or a negative value on failure.
double TimeOneStart(const std::wstring& exe, const std::wstring& dir) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    RunningProgram program;
    if (!LaunchProcess(exe, dir, program.process)) {
        return -1;
    }
    double elapsed = -1;
    for (;;) {
        QueryPerformanceCounter(&now);
        double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart);
        if (ms > 30000 || WaitForSingleObject(program.process.hProcess, 0) == WAIT_OBJECT_0) {
            break;
        }
        HWND dialog = FindLookupDialog(program.process.dwProcessId);
        DWORD_PTR count = 0;
        if (dialog &&
            SendMessageTimeoutW(GetDlgItem(dialog, 12000), LB_GETCOUNT, 0, 0, SMTO_NORMAL, 5000,
                                &count) &&
            static_cast<LRESULT>(count) > 0) {
            elapsed = ms;
            program.dialog = dialog;
            break;
        }
        Sleep(2);
    }
    StopProgram(program);
    return elapsed;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 4 || argc % 2 != 0) {
        fprintf(stderr, "usage: startup_probe RUNS EXE DIR [EXE DIR ...]\n");
        return 2;
    }
    int runs = _wtoi(argv[1]);
    std::vector<std::pair<std::wstring, std::wstring>> programs;
    for (int i = 2; i + 1 < argc; i += 2) {
        programs.emplace_back(argv[i], argv[i + 1]);
    }
    for (int run = -1; run < runs; ++run) {
        for (size_t i = 0; i < programs.size(); ++i) {
            double ms = TimeOneStart(programs[i].first, programs[i].second);
            if (ms < 0) {
                fprintf(stderr, "startup_probe: program %zu showed no result\n", i);
                return 1;
            }
            if (run >= 0) {
                printf("%zu %.1f\n", i, ms);
            }
            fflush(stdout);
        }
    }
    return 0;
}
