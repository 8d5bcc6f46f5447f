// Writing texts meant for a person (Shift-JIS inside) to the terminal: as
// UTF-8 on Linux; on Windows through the wide console API when the stream
// is a console, else as UTF-8.
#pragma once

#include <cstdio>
#include <string>

namespace quorn {

void WriteForPerson(std::FILE* stream, const std::string& shiftJis);

// Makes standard output and error write bytes as given (no CR added before
// LF on Windows), so the output reads the same on every platform.
void UseBinaryStreams();

// Whether the stream is a terminal (a console on Windows).
bool IsTerminal(std::FILE* stream);

}  // namespace quorn
