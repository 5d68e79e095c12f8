#include "services/fatal_error.h"

void FatalError(const char* text, const char* caption, HWND owner, bool quit) {
  MessageBoxA(owner, text, caption, MB_OK);
  // A run that failed must not look like one that succeeded.
  if (quit) PostQuitMessage(kFatalExitCode);
}
