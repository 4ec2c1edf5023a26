// Every key of "DialogGreekTokens" that a dialog, the notice, the status lines or the
// dictionary list reads, and every help id that has a balloon. Key 14504 is not among them:
// it clears the search status line and must stay empty.
#pragma once

#include <vector>

inline std::vector<unsigned> GreekTextKeys() {
    std::vector<unsigned> keys = {
        25000, 25001, 25002,                              // lookup window captions
        16500, 16502, 16503, 16504, 16505, 16506, 16507,  // About
        17500, 2004,  2005,  2006,  2007,  2008,  2012,  2013,  2022,
        2023,  2024,  2025,  2026,  17501, 17502, 17503, 17504, 17505,  // program adjustments
        14507, 15001,                                                   // information notice
        17000, 17001, 17002, 17003, 17004, 17005, 17006, 17007, 17008,  // user dictionary
        18000, 18001, 18002, 18003,                                     // tip of the day
        14501, 14502, 14503, 14505, 14506, 14508, 14509, 14510, 14511,
        14512, 14540, 14530, 14531, 14532, 14533, 14534, 15518,  // hot key and paste back
    };
    for (unsigned id = 14000; id <= 14014; ++id) {
        keys.push_back(id);
    }
    for (unsigned id = 15500; id <= 15517; ++id) {
        keys.push_back(id);
    }
    for (unsigned id = 14601; id <= 14608; ++id) {  // names for screen readers
        keys.push_back(id);
    }
    for (unsigned id = 16000; id <= 16010; ++id) {
        keys.push_back(id);
    }
    return keys;
}

// Help ids whose control has an offset, so a balloon can be shown for them.
inline std::vector<unsigned> BalloonKeys() {
    std::vector<unsigned> keys = {14001, 14002, 14004, 14005, 14007, 14008,
                                  14009, 14010, 14012, 14013, 14014};
    for (unsigned id = 15501; id <= 15517; ++id) {
        keys.push_back(id);
    }
    keys.push_back(15518);
    for (unsigned id = 16001; id <= 16010; ++id) {
        keys.push_back(id);
    }
    return keys;
}
