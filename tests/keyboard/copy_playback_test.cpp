#include "keyboard/copy_playback.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "keyboard/keyboard_driver.h"

namespace {

// A scripted system: a window that copies its selection on Ctrl+Insert (or only on Ctrl+C), a
// user who may hold modifiers, and a system that may refuse key events.
struct FakeSystem : CopyPlaybackSystem {
    bool modifiersHeld = false;
    bool sourceAlive = true;
    bool comesForward = true;  // the window is in front once asked
    bool inFront = false;
    bool terminal = false;
    bool refuseCtrlPress = false;
    bool refuseInsertPress = false;
    bool copiesOnInsert = true;  // the clipboard changes on Ctrl+Insert
    bool copiesOnC = true;       // and on Ctrl+C
    bool pastesOnInsert = true;  // Shift+Insert takes the clipboard's text
    bool pastesOnV = true;
    // The copy empties the clipboard at once; its text follows this many ticks later.
    int textDelayTicks = 0;
    int textCountdown = -1;
    bool text = true;
    bool pasted = false;
    uint32_t clipboard = 7;
    bool ctrl = false;
    bool shift = false;
    bool insert = false;
    std::vector<std::string> events;
    std::vector<PlaybackOutcome> outcomes;

    bool ModifiersHeld() override { return modifiersHeld; }
    bool SourceUsable() override { return sourceAlive; }
    void BringSourceForward() override {
        events.push_back("front");
        inFront = comesForward;
    }
    bool SourceInFront() override { return inFront; }
    bool SourceIsTerminal() override { return terminal; }
    static std::string Name(unsigned virtualKey) {
        switch (virtualKey) {
            case kVkControl:
                return "ctrl";
            case kVkShift:
                return "shift";
            case kVkInsert:
                return "ins";
            case kVkC:
                return "c";
            case kVkV:
                return "v";
        }
        return "?";
    }
    void Copy() {
        ++clipboard;
        text = textDelayTicks == 0;
        textCountdown = textDelayTicks;
    }
    bool SendKey(unsigned virtualKey, bool release) override {
        if (!release && ((virtualKey == kVkControl && refuseCtrlPress) ||
                         (virtualKey == kVkInsert && refuseInsertPress))) {
            return false;
        }
        events.push_back(Name(virtualKey) + (release ? " up" : " down"));
        if (virtualKey == kVkControl) {
            ctrl = !release;
        } else if (virtualKey == kVkShift) {
            shift = !release;
        } else if (virtualKey == kVkInsert) {
            insert = !release;
        }
        if (release || modifiersHeld) {
            return true;
        }
        if (ctrl &&
            ((virtualKey == kVkInsert && copiesOnInsert) || (virtualKey == kVkC && copiesOnC))) {
            Copy();
        }
        if ((shift && virtualKey == kVkInsert && pastesOnInsert) ||
            (ctrl && virtualKey == kVkV && pastesOnV)) {
            pasted = true;
        }
        return true;
    }
    uint32_t ClipboardSequence() override { return clipboard; }
    bool ClipboardTextReady() override {
        if (textCountdown > 0 && --textCountdown == 0) {
            text = true;
        }
        return text;
    }
    bool PasteTaken() override { return pasted; }
    void PostDone(PlaybackOutcome outcome) override {
        events.push_back("done");
        outcomes.push_back(outcome);
    }
    int lookups() const { return static_cast<int>(outcomes.size()); }
};

// Steps every 15 ms from start until the playback ends or maxMs passes; returns the end time.
uint32_t RunOut(CopyPlayback& playback, FakeSystem& system, uint32_t start, uint32_t maxMs = 5000) {
    uint32_t now = start;
    while (CopyPlaybackRunning(playback) && now - start < maxMs) {
        now += 15;
        StepCopyPlayback(playback, system, now);
    }
    return now;
}

using Events = std::vector<std::string>;
using Outcomes = std::vector<PlaybackOutcome>;

// A whole copy: the window comes forward, gets Ctrl+Insert pressed and released, and the
// lookup follows.
const Events kWholeCopy = {"front", "ctrl down", "ins down", "ins up", "ctrl up", "done"};

TEST(CopyPlayback, PlaysCtrlInsertIntoTheWindowThenLooksUpOnce) {
    FakeSystem system;
    CopyPlayback playback;
    ASSERT_TRUE(StartCopyPlayback(playback, system, 100));
    // The clipboard changed at once, so the lookup comes with the next tick.
    RunOut(playback, system, 100);
    EXPECT_EQ(system.events, kWholeCopy);
    EXPECT_FALSE(CopyPlaybackRunning(playback));
}

TEST(CopyPlayback, WaitsForTheHotKeysModifiersWithoutSendingAnything) {
    FakeSystem system;
    system.modifiersHeld = true;
    CopyPlayback playback;
    ASSERT_TRUE(StartCopyPlayback(playback, system, 0));
    for (uint32_t now = 15; now < 600; now += 15) {
        StepCopyPlayback(playback, system, now);
    }
    EXPECT_TRUE(system.events.empty());
    system.modifiersHeld = false;
    RunOut(playback, system, 600);
    EXPECT_EQ(system.events, kWholeCopy);
}

TEST(CopyPlayback, ModifiersStillHeldAtTheBoundSendNoKeyAtAll) {
    FakeSystem system;
    system.modifiersHeld = true;
    CopyPlayback playback;
    ASSERT_TRUE(StartCopyPlayback(playback, system, 0xFFFFFF00u));  // across the counter's wrap
    uint32_t end = RunOut(playback, system, 0xFFFFFF00u);
    EXPECT_EQ(system.events, (Events{"done"}));
    EXPECT_GE(end - 0xFFFFFF00u, kPlaybackModifierWait);
    EXPECT_LT(end - 0xFFFFFF00u, kPlaybackModifierWait + 100);
}

TEST(CopyPlayback, LooksUpAfterTheBoundWhenTheClipboardNeverChanges) {
    FakeSystem system;
    system.copiesOnInsert = system.copiesOnC = false;  // nothing selected
    CopyPlayback playback;
    ASSERT_TRUE(StartCopyPlayback(playback, system, 0));
    for (uint32_t now = 15; now < kPlaybackAnswerWait - 15; now += 15) {
        StepCopyPlayback(playback, system, now);
        ASSERT_EQ(system.lookups(), 0) << "at " << now << " ms";
    }
    RunOut(playback, system, kPlaybackAnswerWait - 15);
    EXPECT_EQ(system.outcomes, (Outcomes{kPlaybackUnanswered}));
}

// Which chords go out, in which order, and what the window's answer makes of the end.
TEST(CopyPlayback, TheLetterChordFollowsOnlyWhenTheInsertChordBringsNothing) {
    struct Case {
        const char* name;
        PlaybackKind kind;
        bool startWithLetter;
        bool answersInsert;  // copies on Ctrl+Insert, pastes on Shift+Insert
        bool answersLetter;  // copies on Ctrl+C, pastes on Ctrl+V
        bool terminal;
        Events keys;
        PlaybackOutcome outcome;
    };
    const Events copyInsert = {"ctrl down", "ins down", "ins up", "ctrl up"};
    const Events copyBoth = {"ctrl down", "ins down", "ins up", "ctrl up",
                             "ctrl down", "c down",   "c up",   "ctrl up"};
    const Events pasteInsert = {"shift down", "ins down", "ins up", "shift up"};
    const Events pasteLetter = {"ctrl down", "v down", "v up", "ctrl up"};
    Events pasteBoth = pasteInsert;
    pasteBoth.insert(pasteBoth.end(), pasteLetter.begin(), pasteLetter.end());
    const Case cases[] = {
        {"Notepad copy", PlaybackKind::kCopy, false, true, true, false, copyInsert,
         kPlaybackAnsweredInsert},
        {"WordPad copy", PlaybackKind::kCopy, false, false, true, false, copyBoth,
         kPlaybackAnsweredLetter},
        {"nothing selected", PlaybackKind::kCopy, false, false, false, false, copyBoth,
         kPlaybackUnanswered},
        {"terminal copy", PlaybackKind::kCopy, false, false, true, true, copyInsert,
         kPlaybackUnanswered},
        {"Notepad paste", PlaybackKind::kPaste, false, true, true, false, pasteInsert,
         kPlaybackAnsweredInsert},
        {"WordPad paste", PlaybackKind::kPaste, false, false, true, false, pasteBoth,
         kPlaybackAnsweredLetter},
        {"paste known to need Ctrl+V", PlaybackKind::kPaste, true, false, true, false, pasteLetter,
         kPlaybackAnsweredLetter},
        {"terminal paste", PlaybackKind::kPaste, false, true, true, true, pasteInsert,
         kPlaybackAnsweredInsert},
    };
    for (const Case& c : cases) {
        FakeSystem system;
        system.copiesOnInsert = system.pastesOnInsert = c.answersInsert;
        system.copiesOnC = system.pastesOnV = c.answersLetter;
        system.terminal = c.terminal;
        CopyPlayback playback;
        ASSERT_TRUE(StartKeyPlayback(playback, system, c.kind, c.startWithLetter, 0)) << c.name;
        uint32_t letterAt = 0;
        uint32_t now = 0;
        while (CopyPlaybackRunning(playback) && now < 5000) {
            now += 15;
            size_t before = system.events.size();
            StepCopyPlayback(playback, system, now);
            if (letterAt == 0 && !c.startWithLetter && system.events.size() > before) {
                letterAt = now;
            }
        }
        Events expected = c.keys;
        expected.insert(expected.begin(), "front");
        expected.push_back("done");
        EXPECT_EQ(system.events, expected) << c.name;
        EXPECT_EQ(system.outcomes, (Outcomes{c.outcome})) << c.name;
        if (c.keys.size() == 8) {
            EXPECT_GE(letterAt, kPlaybackLetterChordDelay) << c.name;
            EXPECT_LT(letterAt, kPlaybackLetterChordDelay + 30) << c.name;
        }
        if (c.outcome == kPlaybackUnanswered) {
            EXPECT_GE(now, kPlaybackAnswerWait) << c.name;
            EXPECT_LT(now, kPlaybackAnswerWait + 30) << c.name;
        }
    }
}

TEST(CopyPlayback, WaitsForTheTextNotForTheSequenceNumber) {
    FakeSystem system;
    system.textDelayTicks = 4;  // emptied at once, the text 60 ms later
    CopyPlayback playback;
    ASSERT_TRUE(StartCopyPlayback(playback, system, 0));
    RunOut(playback, system, 0);
    EXPECT_EQ(system.events, kWholeCopy) << "text within the short wait needs no Ctrl+C";
    EXPECT_EQ(system.outcomes, (Outcomes{kPlaybackAnsweredInsert}));
    EXPECT_TRUE(system.text);
}

TEST(CopyPlayback, TerminalClassesAreKnownWhateverTheirCase) {
    const std::pair<const char*, bool> cases[] = {
        {"ConsoleWindowClass", true},
        {"consolewindowclass", true},
        {"CASCADIA_HOSTING_WINDOW_CLASS", true},
        {"mintty", true},
        {"PuTTY", true},
        {"Notepad", false},
        {"WordPadClass", false},
        {"ConsoleWindowClassX", false},
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsTerminalWindowClass(c.first), c.second) << c.first;
    }
}

TEST(CopyPlayback, AVanishedOrMinimisedWindowGetsNoKeys) {
    FakeSystem system;
    system.modifiersHeld = true;
    CopyPlayback playback;
    ASSERT_TRUE(StartCopyPlayback(playback, system, 0));
    system.sourceAlive = false;
    system.modifiersHeld = false;
    RunOut(playback, system, 0);
    EXPECT_EQ(system.events, (Events{"done"}));
}

TEST(CopyPlayback, AWindowThatDoesNotComeForwardGetsNoKeys) {
    FakeSystem system;
    system.comesForward = false;
    CopyPlayback playback;
    ASSERT_TRUE(StartCopyPlayback(playback, system, 0));
    uint32_t end = RunOut(playback, system, 0);
    EXPECT_EQ(system.events, (Events{"front", "done"}));
    EXPECT_LT(end, kPlaybackFrontWait + 100);
}

TEST(CopyPlayback, ARefusedPressLeavesNoKeyDownAndStillLooksUp) {
    struct Case {
        const char* name;
        bool refuseCtrl;
        bool refuseInsert;
        Events expected;
    };
    const Case cases[] = {
        {"ctrl refused", true, false, {"front", "done"}},
        {"insert refused", false, true, {"front", "ctrl down", "ctrl up", "done"}},
    };
    for (const Case& c : cases) {
        FakeSystem system;
        system.refuseCtrlPress = c.refuseCtrl;
        system.refuseInsertPress = c.refuseInsert;
        CopyPlayback playback;
        ASSERT_TRUE(StartCopyPlayback(playback, system, 0));
        // Nothing went out to change the clipboard: no waiting for it.
        EXPECT_FALSE(CopyPlaybackRunning(playback)) << c.name;
        EXPECT_FALSE(system.ctrl) << c.name;
        EXPECT_EQ(system.events, c.expected) << c.name;
    }
}

TEST(CopyPlayback, RefusedReleasesAreRetriedUntilTheyGoOut) {
    struct RefusingReleases : FakeSystem {
        int releasesToRefuse = 3;
        bool SendKey(unsigned virtualKey, bool release) override {
            if (release && releasesToRefuse > 0) {
                --releasesToRefuse;
                return false;
            }
            return FakeSystem::SendKey(virtualKey, release);
        }
    };
    RefusingReleases system;
    CopyPlayback playback;
    ASSERT_TRUE(StartCopyPlayback(playback, system, 0));
    EXPECT_TRUE(system.ctrl);
    RunOut(playback, system, 0);
    EXPECT_FALSE(system.ctrl);
    EXPECT_FALSE(system.insert);
    EXPECT_EQ(system.events, kWholeCopy);
}

TEST(CopyPlayback, ASecondStartWhileRunningIsRefusedAndAFinishedOneCanRunAgain) {
    FakeSystem system;
    system.modifiersHeld = true;
    CopyPlayback playback;
    ASSERT_TRUE(StartCopyPlayback(playback, system, 0));
    EXPECT_FALSE(StartCopyPlayback(playback, system, 30));
    system.modifiersHeld = false;
    RunOut(playback, system, 30);
    EXPECT_EQ(system.lookups(), 1);
    EXPECT_EQ(std::count(system.events.begin(), system.events.end(), "ctrl down"), 1);

    ASSERT_TRUE(StartCopyPlayback(playback, system, 2000));
    RunOut(playback, system, 2000);
    EXPECT_EQ(system.lookups(), 2);
}

}  // namespace
