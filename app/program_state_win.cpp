#include "app/program_state_win.h"

ProgramState& Program() {
    static ProgramState state;
    return state;
}
