#pragma once
// The program's manual page (section 6, roff): what it is, its run options, taken from the same
// table as the usage text, its controls, files and exit status.
#include <string>

std::string ManualPage(const char* version);
