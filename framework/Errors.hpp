#pragma once

#include <string>

// The two ways the program reports trouble. printError writes "ERROR: " and the
// message as a line on standard output and returns; fatalError shows a native
// error box and ends the process with exit code -1.

void printError(std::string message);

// Box titled and headed "ERROR" with the text as its body; never returns.
[[noreturn]] void fatalError(std::string text);

// The same box with another heading; never returns.
[[noreturn]] void fatalError(std::string text, std::string heading);
