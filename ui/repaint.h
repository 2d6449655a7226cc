// The painter's one entry point that the game rules call: show the
// current state at once.
#pragma once

void RepaintNow();
