#include "app/window_proc.h"

#include "app/app_globals.h"
#include "app/startup.h"
#include "console/console.h"

namespace {

// A character for the console, and what its commands ask for.
void HandleCharacter(WPARAM code) {
  if (!g_console) return;
  // The console takes single-byte characters; a wider code is no text it can hold.
  if (code == 0 || code > 0xFF) return;
  const char text[2] = {static_cast<char>(code), '\0'};
  switch (g_console->HandleChar(text)) {
    case kConsoleHideFps:
      g_showFps = false;
      break;
    case kConsoleShowFps:
      g_showFps = true;
      break;
    case kConsoleWaterDetailLow:
      if (g_ocean) BuildOcean(25, 10);
      break;
    case kConsoleWaterDetailMed:
      if (g_ocean) BuildOcean(25, 25);
      break;
    case kConsoleWaterDetailHigh:
      if (g_ocean) BuildOcean(48, 100);
      break;
    default:
      break;
  }
  if (code != '`' && code != '~') return;
  if (g_console->Visible()) {
    g_console->Hide(true);
  } else {
    g_console->Show(true);
  }
}

}  // namespace

LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      break;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) PostQuitMessage(0);
      break;
    case WM_CHAR:
      HandleCharacter(wParam);
      break;
    default:
      break;
  }
  // Handled messages still reach the default procedure.
  return DefWindowProcA(hWnd, message, wParam, lParam);
}
