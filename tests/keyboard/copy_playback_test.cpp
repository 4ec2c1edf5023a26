#include "keyboard/copy_playback.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "keyboard/keyboard_driver.h"

namespace {

// A scripted system: a window that copies its selection on Ctrl+Insert, a user who may hold
// modifiers, and a system that may refuse key events.
struct FakeSystem : CopyPlaybackSystem {
    bool modifiersHeld = false;
    bool sourceAlive = true;
    bool comesForward = true;  // the window is in front once asked
    bool inFront = false;
    bool refuseCtrlPress = false;
    bool refuseInsertPress = false;
    bool copiesSelection = true;  // the clipboard changes on Ctrl+Insert
    uint32_t clipboard = 7;
    bool ctrl = false;
    bool insert = false;
    std::vector<std::string> events;
    int lookups = 0;

    bool ModifiersHeld() override { return modifiersHeld; }
    bool SourceUsable() override { return sourceAlive; }
    void BringSourceForward() override {
        events.push_back("front");
        inFront = comesForward;
    }
    bool SourceInFront() override { return inFront; }
    bool SendKey(unsigned virtualKey, bool release) override {
        if (!release && ((virtualKey == kVkControl && refuseCtrlPress) ||
                         (virtualKey == kVkInsert && refuseInsertPress))) {
            return false;
        }
        std::string name = virtualKey == kVkControl  ? "ctrl"
                           : virtualKey == kVkInsert ? "ins"
                                                     : "?";
        events.push_back(name + (release ? " up" : " down"));
        bool& key = virtualKey == kVkControl ? ctrl : insert;
        key = !release;
        if (virtualKey == kVkInsert && !release && ctrl && !modifiersHeld && copiesSelection) {
            ++clipboard;
        }
        return true;
    }
    uint32_t ClipboardSequence() override { return clipboard; }
    void PostLookup() override {
        events.push_back("773");
        ++lookups;
    }
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

// A whole copy: the window comes forward, gets Ctrl+Insert pressed and released, and the
// lookup follows.
const Events kWholeCopy = {"front", "ctrl down", "ins down", "ins up", "ctrl up", "773"};

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
    EXPECT_EQ(system.events, (Events{"773"}));
    EXPECT_GE(end - 0xFFFFFF00u, kPlaybackModifierWait);
    EXPECT_LT(end - 0xFFFFFF00u, kPlaybackModifierWait + 100);
}

TEST(CopyPlayback, LooksUpAfterTheBoundWhenTheClipboardNeverChanges) {
    FakeSystem system;
    system.copiesSelection = false;  // nothing selected in the other program
    CopyPlayback playback;
    ASSERT_TRUE(StartCopyPlayback(playback, system, 0));
    for (uint32_t now = 15; now < kPlaybackClipboardWait - 15; now += 15) {
        StepCopyPlayback(playback, system, now);
        ASSERT_EQ(system.lookups, 0) << "at " << now << " ms";
    }
    RunOut(playback, system, kPlaybackClipboardWait - 15);
    EXPECT_EQ(system.lookups, 1);
}

TEST(CopyPlayback, AVanishedOrMinimisedWindowGetsNoKeys) {
    FakeSystem system;
    system.modifiersHeld = true;
    CopyPlayback playback;
    ASSERT_TRUE(StartCopyPlayback(playback, system, 0));
    system.sourceAlive = false;
    system.modifiersHeld = false;
    RunOut(playback, system, 0);
    EXPECT_EQ(system.events, (Events{"773"}));
}

TEST(CopyPlayback, AWindowThatDoesNotComeForwardGetsNoKeys) {
    FakeSystem system;
    system.comesForward = false;
    CopyPlayback playback;
    ASSERT_TRUE(StartCopyPlayback(playback, system, 0));
    uint32_t end = RunOut(playback, system, 0);
    EXPECT_EQ(system.events, (Events{"front", "773"}));
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
        {"ctrl refused", true, false, {"front", "773"}},
        {"insert refused", false, true, {"front", "ctrl down", "ctrl up", "773"}},
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
    EXPECT_EQ(system.lookups, 1);
    EXPECT_EQ(std::count(system.events.begin(), system.events.end(), "ctrl down"), 1);

    ASSERT_TRUE(StartCopyPlayback(playback, system, 2000));
    RunOut(playback, system, 2000);
    EXPECT_EQ(system.lookups, 2);
}

}  // namespace
