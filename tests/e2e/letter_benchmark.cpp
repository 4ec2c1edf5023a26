// Times the letter buttons for scripts/letter_benchmark.py. Starts the program (its full form,
// which has the alphabetical index), clicks every letter button once to find the letter with
// the largest block, then clicks that letter RUNS times and times each click from the command
// until the dialog has handled it. The same letter twice searches nothing, so another letter
// comes between two timed clicks. Its peer, timed in the same rounds: a bare list box of this
// process filled with the same texts the least way a program can (storage reserved, redraw
// held). Prints one line per timed round and kind: "<0 letter | 1 peer> <milliseconds>".
//   letter_benchmark RUNS EXE DIR
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver.h"
#include "resources/resource_ids.h"

#include <shellapi.h>

namespace {

// Milliseconds until the dialog has handled a click of the letter button, or a negative value
// when it did not answer.
double TimeClick(HWND dialog, int id) {
    double start = NowMs();
    DWORD_PTR result;
    if (!SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)), SMTO_NORMAL, 10000,
                             &result)) {
        return -1;
    }
    double elapsed = NowMs() - start;
    // The repaint that follows belongs to no click: it is done before the next one (the
    // dialog's thread paints at once when asked to by another thread).
    WaitIdle(dialog);
    RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return elapsed;
}

int WordCount(HWND dialog) {
    return static_cast<int>(Send(GetDlgItem(dialog, IDC_WORD_LIST), LB_GETCOUNT, 0, 0, 0));
}

// The peer's fill: what the lookup dialog's letter button does to its list, and nothing else.
double TimeBareFill(HWND list, const std::vector<std::wstring>& texts) {
    double start = NowMs();
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_INITSTORAGE, texts.size(), texts.size() * 16 * sizeof(wchar_t));
    for (const std::wstring& text : texts) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    double elapsed = NowMs() - start;
    UpdateWindow(list);
    return elapsed;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 4) {
        fprintf(stderr, "usage: letter_benchmark RUNS EXE DIR\n");
        return 2;
    }
    int runs = _wtoi(argv[1]);
    RunningProgram program;
    if (!StartProgram(argv[2], argv[3], program)) {
        fprintf(stderr, "letter_benchmark: the lookup window did not open\n");
        return 1;
    }
    // A tip of the day would only stand in front.
    for (HWND other : OtherDialogs(program.process.dwProcessId, program.dialog)) {
        PostMessageW(other, WM_COMMAND, IDCANCEL, 0);
    }
    WaitIdle(program.dialog);
    HWND dialog = program.dialog;
    if (!GetDlgItem(dialog, IDC_LETTER_FIRST)) {
        fprintf(stderr, "letter_benchmark: the lookup window has no letter buttons\n");
        StopProgram(program);
        return 1;
    }

    int largest = 0;
    int smallest = 0;
    int largestCount = -1;
    int smallestCount = 0;
    for (int id = IDC_LETTER_FIRST; id <= IDC_LETTER_LAST; ++id) {
        if (TimeClick(dialog, id) < 0) {
            fprintf(stderr, "letter_benchmark: letter button %d was not answered\n", id);
            StopProgram(program);
            return 1;
        }
        int count = WordCount(dialog);
        if (count > largestCount) {
            largest = id;
            largestCount = count;
        }
        if (count > 0 && (smallestCount == 0 || count < smallestCount)) {
            smallest = id;
            smallestCount = count;
        }
    }
    TimeClick(dialog, largest);
    std::vector<std::wstring> texts = ListBoxItems(GetDlgItem(dialog, IDC_WORD_LIST));
    fprintf(stderr, "letter_benchmark: letter button %d lists %d words\n", largest, largestCount);

    HWND bare =
        CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | WS_VISIBLE | WS_BORDER | WS_VSCROLL, 0, 0,
                        300, 400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    // One round without timing each, so neither side pays a first use.
    TimeClick(dialog, smallest);
    TimeClick(dialog, largest);
    TimeBareFill(bare, texts);
    int status = 0;
    for (int run = 0; run < runs; ++run) {
        TimeClick(dialog, smallest);
        double ms = TimeClick(dialog, largest);
        if (ms < 0) {
            fprintf(stderr, "letter_benchmark: letter button %d was not answered\n", largest);
            status = 1;
            break;
        }
        printf("0 %.2f\n", ms);
        printf("1 %.2f\n", TimeBareFill(bare, texts));
        fflush(stdout);
    }
    DestroyWindow(bare);
    StopProgram(program);
    return status;
}
