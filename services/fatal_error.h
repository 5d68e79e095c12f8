#pragma once
// How the program reports a failure it cannot go on from: a message box, then the quit request.
#include "platform/win32.h"

// Exit status of a run that ended on a fatal error.
constexpr int kFatalExitCode = 1;

// Shows text in a message box and, when quit is set, asks the main loop to end.
void FatalError(const char* text, const char* caption, HWND owner, bool quit);
