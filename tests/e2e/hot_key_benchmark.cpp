// Times the hot key for scripts/hot_key_benchmark.py, as a user presses it over Notepad with a
// word selected: Ctrl+Alt+W down, up 60 ms later, then the time from the keys coming up until the
// lookup window's word box shows the word. Its peer, timed in the same rounds: this program's own
// Ctrl+Insert into the same Notepad, until the clipboard holds the selection (the round trip any
// copy of a selection costs). Prints one line per timed round and kind:
// "<0 hot key | 1 round trip> <milliseconds>".
//   hot_key_benchmark RUNS EXE DIR
#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver.h"
#include "resources/resource_ids.h"
#include "x_input.h"

#include <shellapi.h>

namespace {

constexpr DWORD kKeysHeldMs = 60;
constexpr double kGiveUpMs = 5000;

void Key(WORD virtualKey, bool release) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags =
        (release ? KEYEVENTF_KEYUP : 0) | (virtualKey == VK_INSERT ? KEYEVENTF_EXTENDEDKEY : 0);
    SendInput(1, &input, sizeof input);
}

// Notepad in front with the X focus, holding word, all of it selected.
bool SelectInNotepad(HWND notepad, HWND edit, const std::wstring& word) {
    SetControlText(edit, word);
    Send(edit, EM_SETSEL, 0, -1);
    return XFocus(notepad) && WaitUntil([&] { return GetForegroundWindow() == notepad; }, 3000);
}

bool ClipboardHolds(const std::wstring& word) {
    std::wstring text;
    return ReadClipboardUnicode(text) && text == word;
}

// Milliseconds from the hot key's keys coming up until the word box shows word; negative when it
// never does.
double TimeHotKey(HWND dialog, const std::wstring& word) {
    HWND box = GetDlgItem(dialog, IDC_WORD_BOX);
    Key(VK_CONTROL, false);
    Key(VK_MENU, false);
    Key('W', false);
    Sleep(kKeysHeldMs);
    Key('W', true);
    Key(VK_MENU, true);
    Key(VK_CONTROL, true);
    double up = NowMs();
    while (NowMs() - up < kGiveUpMs) {
        if (WindowText(box) == word) {
            return NowMs() - up;
        }
        Sleep(0);
    }
    return -1;
}

// Milliseconds from this program's Ctrl+Insert until the clipboard holds word; negative when it
// never does.
double TimeRoundTrip(const std::wstring& word) {
    DWORD before = GetClipboardSequenceNumber();
    double start = NowMs();
    Key(VK_CONTROL, false);
    Key(VK_INSERT, false);
    Key(VK_INSERT, true);
    Key(VK_CONTROL, true);
    while (NowMs() - start < kGiveUpMs) {
        if (GetClipboardSequenceNumber() != before && ClipboardHolds(word)) {
            return NowMs() - start;
        }
        Sleep(0);
    }
    return -1;
}

bool SeedHotKey() {
    const char* const hotKey[][2] = {
        {"HotKeyState", "0"}, {"Alt", "1"}, {"Control", "1"}, {"Shift", "0"}, {"ScanCode", "87"}};
    bool ok = WriteProgramSetting("State", "UseClipboard", "1");
    for (const auto& value : hotKey) {
        ok = WriteProgramSetting("HotKey", value[0], value[1]) && ok;
    }
    return ok;
}

int Fail(RunningProgram& program, PROCESS_INFORMATION& notepad, const char* what) {
    fprintf(stderr, "hot_key_benchmark: %s\n", what);
    StopProgram(program);
    if (notepad.hProcess) {
        TerminateProcess(notepad.hProcess, 0);
    }
    return 1;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 4) {
        fprintf(stderr, "usage: hot_key_benchmark RUNS EXE DIR\n");
        return 2;
    }
    int runs = _wtoi(argv[1]);
    PROCESS_INFORMATION notepad{};
    // The first start writes the first-run settings; the hot key goes over them.
    RunningProgram program;
    if (!StartProgram(argv[2], argv[3], program)) {
        fprintf(stderr, "hot_key_benchmark: the lookup window did not open\n");
        return 1;
    }
    StopProgram(program);
    if (!SeedHotKey()) {
        fprintf(stderr, "hot_key_benchmark: the hot key could not be set\n");
        return 1;
    }
    if (!StartProgram(argv[2], argv[3], program)) {
        fprintf(stderr, "hot_key_benchmark: the lookup window did not open again\n");
        return 1;
    }
    for (HWND other : OtherDialogs(program.process.dwProcessId, program.dialog)) {
        PostMessageW(other, WM_COMMAND, IDCANCEL, 0);
    }
    WaitIdle(program.dialog);

    if (!LaunchProcess(L"C:\\windows\\notepad.exe", L"", notepad)) {
        return Fail(program, notepad, "Notepad did not start");
    }
    HWND window = nullptr;
    if (!WaitUntil(
            [&] {
                window = VisibleWindows(notepad.dwProcessId, L"Notepad").empty()
                             ? nullptr
                             : VisibleWindows(notepad.dwProcessId, L"Notepad").front();
                return window != nullptr;
            },
            15000)) {
        return Fail(program, notepad, "Notepad did not show");
    }
    MoveWindow(window, 0, 620, 400, 300, TRUE);
    HWND edit = FindWindowExW(window, nullptr, L"Edit", nullptr);

    // Two words in turn: the same word twice would search nothing the second time.
    const std::wstring words[] = {L"house", L"water"};
    int status = 0;
    for (int run = -1; run < runs; ++run) {  // round -1 warms both up untimed
        const std::wstring& word = words[(run + 2) % 2];
        if (!SelectInNotepad(window, edit, word)) {
            status = Fail(program, notepad, "Notepad did not take the focus");
            break;
        }
        double hotKey = TimeHotKey(program.dialog, word);
        WaitIdle(program.dialog);
        if (!SelectInNotepad(window, edit, word)) {
            status = Fail(program, notepad, "Notepad did not take the focus");
            break;
        }
        double roundTrip = TimeRoundTrip(word);
        if (hotKey < 0 || roundTrip < 0) {
            status = Fail(program, notepad,
                          hotKey < 0 ? "the hot key did not look the word up"
                                     : "Ctrl+Insert did not copy the selection");
            break;
        }
        if (run >= 0) {
            printf("0 %.2f\n1 %.2f\n", hotKey, roundTrip);
            fflush(stdout);
        }
    }
    if (status == 0) {
        TerminateProcess(notepad.hProcess, 0);
        StopProgram(program);
    }
    return status;
}
