#pragma once
// A measuring aid, off unless the environment names a file in ZT_TRACE: each presented frame,
// each key press as it reaches the program and each change in the number of game keys held is
// written there as one line, "present NS", "keydown NS" or "keys NS COUNT", NS being the wall
// clock in nanoseconds. bench/perf.sh reads it.

// Writes one line when tracing is on; `count` is left out when negative.
void sdlTrace(const char* what, int count = -1);
