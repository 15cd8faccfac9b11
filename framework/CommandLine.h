// The command-line tail: the process command line without the program's own name and the blanks
// after it, found the way the C runtime's start-up code finds it.
#pragma once

const char* CommandLineTail(const char* commandLine);
