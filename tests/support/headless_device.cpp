#include "headless_device.h"

#include "platform/host.h"
#include "platform/win32.h"

namespace {

HWND g_window = nullptr;

}  // namespace

bool HeadlessDevice::OpenWindow(std::string* error) {
  RunDescription run;
  run.headless = true;
  if (!host::Start(std::move(run), error)) return false;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.lpszClassName = "HeadlessDevice";
  RegisterClassA(&windowClass);
  g_window =
      CreateWindowExA(0, "HeadlessDevice", "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
  if (!g_window) *error = "no window";
  return g_window != nullptr;
}

void HeadlessDevice::CloseWindow() {
  host::Stop();
  g_window = nullptr;
}

HeadlessDevice::~HeadlessDevice() {
  if (device_) device_->Release();
  if (d3d_) d3d_->Release();
}

bool HeadlessDevice::Create(UINT width, UINT height, D3DFORMAT format, bool depth) {
  d3d_ = Direct3DCreate8(D3D_SDK_VERSION);
  D3DPRESENT_PARAMETERS parameters{};
  parameters.BackBufferWidth = width;
  parameters.BackBufferHeight = height;
  parameters.BackBufferFormat = format;
  parameters.BackBufferCount = 1;
  parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
  parameters.hDeviceWindow = g_window;
  parameters.Windowed = TRUE;
  parameters.EnableAutoDepthStencil = depth ? TRUE : FALSE;
  parameters.AutoDepthStencilFormat = D3DFMT_D16;
  return d3d_ &&
         d3d_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, g_window,
                            D3DCREATE_HARDWARE_VERTEXPROCESSING, &parameters, &device_) == D3D_OK;
}
