// What window_place and the menu probe inside the game share: a named
// block of text, one line per menu entry, and an event set when it is
// written.
#pragma once

#define PROBE_TEXT_NAME "GlombMenuProbeText"
#define PROBE_DONE_NAME "GlombMenuProbeDone"
#define PROBE_TEXT_SIZE 4096
