#pragma once

// The two program-wide flags that hold back timed work. The main window owns
// them and shares them by reference with everything driven by its timers.
struct ProgramFlags {
    // Set while changed settings are applied (all fetches are called off
    // then): no refresh, polling or flipping.
    bool Suspended = false;
    // Set for the duration of a user interaction (a splitter or tree drag, a
    // command-bar menu): no refresh countdown and no flipping.
    bool UserBusy = false;
};
