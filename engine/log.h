#pragma once
// The debug log: one text file written by every engine module during start-up and shutdown.
// Every write is a no-op while no log is open, so modules log unconditionally.
#include <cstdint>
#include <string>

// Opens (creates or truncates) the log. Writes go nowhere if the file cannot be created.
void klOpen(const char* path);
// Writes "\nEnd of Log.\n" and closes the log; later writes do nothing.
void klClose();
bool klIsOpen();

void klWrite(const char* text);
void klWrite(const std::string& text);
// label followed by the value in decimal and a line end, e.g. " ksmCount = 0\n".
void klValue(const char* label, long long value);
// label followed by the value in lower-case hexadecimal and a line end.
void klHex(const char* label, uint64_t value);
// label followed by the value as printed by "%g" and a line end.
void klFloat(const char* label, double value);
