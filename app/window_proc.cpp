#include "app/window_proc.h"

#include "app/app_globals.h"
#include "app/startup.h"
#include "console/console.h"
#include "effects/demo_play_system.h"

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

// Any key counts for the demo's "Press Any Key"; the arrows assign, not add, one step of the
// exploring camera, used once by its next update.
void HandleKeyDown(WPARAM key) {
  if (g_demo) g_demo->SetKeyDown(true);
  constexpr float kStep = 0.1f;
  switch (key) {
    case VK_ESCAPE:
      PostQuitMessage(0);
      break;
    case VK_LEFT:
      g_move.x = -kStep;
      break;
    case VK_RIGHT:
      g_move.x = kStep;
      break;
    case VK_UP:
      g_move.z = kStep;
      break;
    case VK_DOWN:
      g_move.z = -kStep;
      break;
    default:
      break;
  }
}

// A fixed turn per message and axis, whatever the distance: the turning speed follows the rate of
// mouse messages. Right turns right, down tilts down.
void HandleMouseMove(LPARAM position) {
  constexpr float kLookStep = 0.075f;
  const auto x = static_cast<int32_t>(position & 0xFFFF);
  const auto y = static_cast<int32_t>((position >> 16) & 0xFFFF);
  if (x > g_lastMouseX) g_yaw += kLookStep;
  if (x < g_lastMouseX) g_yaw -= kLookStep;
  if (y > g_lastMouseY) g_pitch += kLookStep;
  if (y < g_lastMouseY) g_pitch -= kLookStep;
  g_lastMouseX = x;
  g_lastMouseY = y;
}

}  // namespace

LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      break;
    case WM_KEYDOWN:
      HandleKeyDown(wParam);
      break;
    case WM_KEYUP:
      if (g_demo) g_demo->SetKeyDown(false);
      break;
    case WM_CHAR:
      HandleCharacter(wParam);
      break;
    case WM_MOUSEMOVE:
      HandleMouseMove(lParam);
      break;
    default:
      break;
  }
  // Handled messages still reach the default procedure.
  return DefWindowProcA(hWnd, message, wParam, lParam);
}
