#include "app/win_main.h"

#include "app/ambient_sound.h"
#include "app/app_globals.h"
#include "app/program_resources.h"
#include "app/run_monitor.h"
#include "app/scene_pass.h"
#include "app/startup.h"
#include "app/window_proc.h"
#include "services/frame_timer.h"

namespace {

bool RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kIconResource));
  wc.hCursor = LoadCursorA(instance, MAKEINTRESOURCEA(kCursorResource));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = "Vulcara";
  return RegisterClassA(&wc) != 0;
}

}  // namespace

bool CreateMainWindow(HINSTANCE instance, int cmdShow) {
  if (!RegisterWindowClass(instance)) return false;
  g_hWnd =
      CreateWindowExA(0, "Vulcara", "Vulcara", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  ShowWindow(g_hWnd, cmdShow);
  UpdateWindow(g_hWnd);
  return true;
}

void ProduceFrame() {
  g_timer->Update();
  UpdateAmbientSound();
  RenderFrame();
  g_fps = 1000 / g_timer->frameMs;
  if (g_runMonitor) g_runMonitor->FrameDone();
}

int WinMain(HINSTANCE instance, HINSTANCE /*previousInstance*/, LPSTR /*commandLine*/,
            int cmdShow) {
  if (!CreateMainWindow(instance, cmdShow)) {
    MessageBoxA(g_hWnd, "Error: RegisterClass", "Error", MB_OK);
    return kFatalExitCode;
  }

  g_timer = new FrameTimer();
  Startup();
  // The start-up's time goes into the demo clock, not into the first frame.
  g_timer->Update();
  if (g_runMonitor) g_runMonitor->LoopStarted();

  MSG msg{};
  while (msg.message != WM_QUIT) {
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } else {
      ProduceFrame();
    }
  }
  Shutdown();
  return static_cast<int>(msg.wParam);
}
