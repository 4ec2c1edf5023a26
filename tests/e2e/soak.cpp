// The soak: drives the real wordmere.exe through many lookups of random headwords, as a user
// would, and watches that it neither crashes nor shows an error box, and that its private
// memory and handle counts stay flat once it has warmed up.
//
//   e2e_soak DIST_DIR WORK_DIR WORDS [SEED]
//
// DIST_DIR is the staged program directory (Wine paths or Unix paths), WORK_DIR a directory of
// the run's own where the program is copied. Each word comes from the list the program itself
// shows for a random letter of the dictionary or pair in use, and is then looked up in one of
// three ways in turn: typed into the word box and Enter, a letter button, or the clipboard
// button. Every 10 words another dictionary list entry is chosen, every 50 the form is
// switched. Every 100 words (and at the end) a line of figures is printed. Exit status 0
// when all went well, 1 on a crash, an error box, a lookup that found nothing or memory or
// handles that kept growing.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <random>
#include <string>
#include <vector>

#include "driver.h"
#include "resources/resource_ids.h"

namespace {

struct Figures {
    int words = 0;
    SIZE_T privateBytes = 0;
    DWORD handles = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
};

Figures Measure(HANDLE process, int words) {
    Figures f;
    f.words = words;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        f.privateBytes = memory.PrivateUsage;
    }
    GetProcessHandleCount(process, &f.handles);
    f.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    f.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    return f;
}

void Print(const Figures& f) {
    std::printf("words %5d  private %8zu KB  handles %5lu  GDI %5lu  USER %5lu\n", f.words,
                static_cast<size_t>(f.privateBytes / 1024), f.handles, f.gdiObjects, f.userObjects);
    std::fflush(stdout);
}

std::wstring Path(const char* text) {
    std::string path = text;
    return path[0] == '/' ? WinePath(path) : std::wstring(path.begin(), path.end());
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    return folder + L"\\" + name;
}

// The program's files copied into the run's own directory, the tip of the day off.
bool CopyProgram(const std::wstring& dist, const std::wstring& work) {
    CreateDirectoryW(work.c_str(), nullptr);
    int dictionaries = 0;
    for (const wchar_t* pattern : {L"wordmere.exe", L"*.dic", L"*.ind", L"vbrtexts.res"}) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(Join(dist, pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) {
            continue;
        }
        do {
            if (!CopyFileW(Join(dist, found.cFileName).c_str(), Join(work, found.cFileName).c_str(),
                           FALSE)) {
                FindClose(search);
                return false;
            }
            dictionaries += lstrcmpW(pattern, L"*.dic") == 0;
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    WritePrivateProfileStringW(L"Tips", L"ShowTips", L"0", Join(work, L"vbrtexts.res").c_str());
    return dictionaries > 0;
}

class Soak {
public:
    Soak(const std::wstring& work, unsigned seed) : work_(work), random_(seed) {}

    bool Start() {
        ResetProgramSettings();
        if (!StartProgram(Join(work_, L"wordmere.exe"), work_, program_)) {
            return Fail("the lookup window did not show");
        }
        return true;
    }

    // One word: fetch a headword from a random letter's list, then look it up.
    bool Step(int n) {
        if (n % 50 == 49 && !SwitchForm()) {
            return false;
        }
        if (n % 10 == 0 && !ChooseDictionary()) {
            return false;
        }
        std::wstring word = RandomHeadword();
        if (!Healthy()) {
            return false;
        }
        if (word.empty()) {
            ++emptyLetters_;
            return true;
        }
        const wchar_t* how = L"typed";
        switch (n % 3) {
            case 0:
                TypeWord(word);
                break;
            case 1:
                // The button of the word's first letter, where the form has letter buttons.
                if (Control(IDC_LETTER_FIRST) && ClickLetterOf(word)) {
                    how = L"letter button";
                } else {
                    TypeWord(word);
                }
                break;
            default:
                // The clipboard lookup drops hyphens ("X-benen" is looked up as "xbenen"), so a
                // hyphenated headword is typed instead.
                if (word.find(L'-') == std::wstring::npos) {
                    how = L"clipboard";
                    PasteWord(word);
                } else {
                    TypeWord(word);
                }
                break;
        }
        WaitIdle(program_.dialog);
        if (!Healthy()) {
            return false;
        }
        bool listed =
            WaitUntil([&] { return !ListBoxItems(Control(IDC_WORD_LIST)).empty(); }, 10000);
        if (!listed) {
            std::fwprintf(stderr,
                          L"soak: nothing listed for \"%ls\" (%ls) in \"%ls\"; the word box "
                          L"shows \"%ls\", the status line \"%ls\"\n",
                          word.c_str(), how, WindowText(program_.dialog).c_str(),
                          WindowText(Control(IDC_WORD_BOX)).c_str(),
                          WindowText(Control(IDC_STATUS_LINE)).c_str());
            ++misses_;
        }
        ++lookups_;
        return true;
    }

    HANDLE Process() const { return program_.process.hProcess; }
    int Misses() const { return misses_; }
    int Lookups() const { return lookups_; }
    int EmptyLetters() const { return emptyLetters_; }
    int Stop() { return StopProgram(program_); }

private:
    HWND Control(int id) const { return GetDlgItem(program_.dialog, id); }

    bool Fail(const char* what) {
        std::fprintf(stderr, "soak: %s\n", what);
        return false;
    }

    // The program runs and shows nothing but its lookup window.
    bool Healthy() {
        if (WaitForSingleObject(program_.process.hProcess, 0) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(program_.process.hProcess, &code);
            std::fprintf(stderr, "soak: the program ended (exit code 0x%lX)\n", code);
            return false;
        }
        for (HWND other : OtherDialogs(program_.process.dwProcessId, program_.dialog)) {
            std::fwprintf(stderr, L"soak: a window \"%ls\" came up\n", WindowText(other).c_str());
            return false;
        }
        return true;
    }

    bool SwitchForm() {
        Command(program_.dialog, CMD_SWITCH_FORM);
        if (!WaitForReopenedDialog(program_)) {
            return Fail("the form switch reopened nothing");
        }
        return Healthy();
    }

    bool ChooseDictionary() {
        std::vector<std::wstring> entries = ComboItems(Control(IDC_DICTIONARY_LIST));
        if (entries.empty()) {
            return Fail("the dictionary list is empty");
        }
        int index = static_cast<int>(random_() % entries.size());
        SelectComboItem(program_.dialog, IDC_DICTIONARY_LIST, index);
        return Healthy();
    }

    // A random letter of one of the two keyboards, through its letter button when the form has
    // them and typed otherwise; then a random word of what the program lists.
    std::wstring RandomHeadword() {
        bool greek = random_() % 2 == 0;
        if (Control(IDC_LETTER_FIRST)) {
            BringToFront(program_.dialog);
            Click(Control(greek ? IDC_KEYBOARD_LANG2 : IDC_KEYBOARD_LANG1));
            WaitIdle(program_.dialog);
            int letters = greek ? 24 : 26;
            Click(Control(IDC_LETTER_FIRST + static_cast<int>(random_() % letters)));
        } else {
            const wchar_t* alphabet =
                greek ? L"αβγδεζηθικλμνξοπρστυφχψω" : L"abcdefghijklmnopqrstuvwxyz";
            TypeWord(std::wstring(1, alphabet[random_() % wcslen(alphabet)]));
        }
        WaitIdle(program_.dialog);
        std::vector<std::wstring> words = ListBoxItems(Control(IDC_WORD_LIST));
        return words.empty() ? L"" : words[random_() % words.size()];
    }

    // Clicks the letter button of the word's first letter (without accents), on the keyboard
    // of its script; false for a first letter that has no button.
    bool ClickLetterOf(const std::wstring& word) {
        wchar_t plain[8] = {};
        wchar_t first[2] = {word[0], 0};
        CharLowerW(first);
        FoldStringW(MAP_COMPOSITE, first, 1, plain, 7);
        const std::wstring latin = L"abcdefghijklmnopqrstuvwxyz";
        const std::wstring greek = L"αβγδεζηθικλμνξοπρστυφχψω";
        wchar_t letter = plain[0] == L'ς' ? L'σ' : plain[0];
        size_t at = latin.find(letter);
        bool isGreek = at == std::wstring::npos;
        if (isGreek) {
            at = greek.find(letter);
        }
        if (at == std::wstring::npos) {
            return false;
        }
        BringToFront(program_.dialog);
        Click(Control(isGreek ? IDC_KEYBOARD_LANG2 : IDC_KEYBOARD_LANG1));
        WaitIdle(program_.dialog);
        Click(Control(IDC_LETTER_FIRST + static_cast<int>(at)));
        return true;
    }

    void TypeWord(const std::wstring& word) {
        // A word the box did not take shows in the report of a lookup that lists nothing.
        TypeInWordBox(program_.dialog, word, 2000);
        PressKey(VK_RETURN);
    }

    void PasteWord(const std::wstring& word) {
        SetClipboardUnicode(word);
        HWND paste = Control(IDC_CLIPBOARD) ? Control(IDC_CLIPBOARD) : Control(IDC_SMALL_CLIPBOARD);
        if (!paste) {
            TypeWord(word);
            return;
        }
        BringToFront(program_.dialog);
        Click(paste);
    }

    std::wstring work_;
    std::mt19937 random_;
    RunningProgram program_;
    int misses_ = 0;
    int lookups_ = 0;
    int emptyLetters_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: e2e_soak DIST_DIR WORK_DIR WORDS [SEED]\n");
        return 2;
    }
    std::wstring dist = Path(argv[1]);
    std::wstring work = Path(argv[2]);
    int words = std::atoi(argv[3]);
    unsigned seed = argc > 4 ? static_cast<unsigned>(std::strtoul(argv[4], nullptr, 10)) : 1;
    if (!CopyProgram(dist, work)) {
        std::fprintf(stderr, "soak: no program or no dictionaries in %s\n", argv[1]);
        return 2;
    }
    Soak soak(work, seed);
    if (!soak.Start()) {
        return 1;
    }
    std::vector<Figures> figures{Measure(soak.Process(), 0)};
    Print(figures.back());
    bool ok = true;
    for (int n = 0; n < words && ok; ++n) {
        ok = soak.Step(n);
        if ((n + 1) % 100 == 0 || n + 1 == words || !ok) {
            figures.push_back(Measure(soak.Process(), n + 1));
            Print(figures.back());
        }
    }
    std::printf("lookups %d, nothing listed %d, letters with no words %d\n", soak.Lookups(),
                soak.Misses(), soak.EmptyLetters());
    // Flat after the first hundred: from there to the end, memory may grow by a little and
    // handles by a few, never with every lookup.
    if (ok && figures.size() >= 4) {
        const Figures& warm = figures[1];
        const Figures& last = figures.back();
        double growth = warm.privateBytes == 0
                            ? 0
                            : (double(last.privateBytes) - double(warm.privateBytes)) /
                                  double(warm.privateBytes);
        long handleGrowth = long(last.handles) - long(warm.handles);
        long gdiGrowth = long(last.gdiObjects) - long(warm.gdiObjects);
        long userGrowth = long(last.userObjects) - long(warm.userObjects);
        if (last.privateBytes == 0 && last.handles == 0) {
            std::printf("Windows reports no memory or handle figures for another process here\n");
        } else {
            std::printf("from word %d to %d: private %+.1f%%, handles %+ld, GDI %+ld, USER %+ld\n",
                        warm.words, last.words, growth * 100, handleGrowth, gdiGrowth, userGrowth);
        }
        if (growth > 0.10 || handleGrowth > 20 || gdiGrowth > 20 || userGrowth > 20) {
            std::fprintf(stderr, "soak: memory or handles keep growing\n");
            ok = false;
        }
    }
    int exitCode = soak.Stop();
    if (ok && exitCode != 0) {
        std::fprintf(stderr, "soak: the program ended with %d at close\n", exitCode);
        ok = false;
    }
    if (soak.Misses() > 0) {
        ok = false;
    }
    std::printf("%s\n", ok ? "soak: passed" : "soak: FAILED");
    return ok ? 0 : 1;
}
