// The Direct3D object: display modes, format support and device creation.
#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/d3d8.h"
#include "platform/d3d8/format_info.h"
#include "platform/d3d8/gl/gl_backend.h"
#include "platform/host.h"
#include "platform/window/window_system.h"

namespace {

constexpr UINT kMaxBackBufferSize = 16384;

D3DFORMAT FormatOfPixels(Uint32 sdlFormat) {
  return SDL_BITSPERPIXEL(sdlFormat) == 16 ? D3DFMT_R5G6B5 : D3DFMT_X8R8G8B8;
}

// Switches the window to a full-screen mode of exactly that size from the display's list.
// A listed mode without a size (an offscreen display's) stands for the desktop's own mode.
bool EnterFullScreen(SDL_Window* window, UINT width, UINT height) {
  int display = std::max(SDL_GetWindowDisplayIndex(window), 0);
  SDL_DisplayMode desktop{};
  SDL_GetDesktopDisplayMode(display, &desktop);
  for (int i = 0; i < SDL_GetNumDisplayModes(display); ++i) {
    SDL_DisplayMode mode{};
    if (SDL_GetDisplayMode(display, i, &mode) != 0) continue;
    if (mode.w == 0 || mode.h == 0) mode = desktop;
    if (mode.w != static_cast<int>(width) || mode.h != static_cast<int>(height)) continue;
    return SDL_SetWindowDisplayMode(window, &mode) == 0 &&
           SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) == 0;
  }
  return false;
}

HRESULT Unavailable(const char* why, UINT width, UINT height) {
  std::fprintf(stderr, "cannot create the device: %s (%ux%u)\n", why, width, height);
  return D3DERR_NOTAVAILABLE;
}

}  // namespace

IDirect3D8* Direct3DCreate8(UINT sdkVersion) {
  if (sdkVersion != D3D_SDK_VERSION) return nullptr;
  return new IDirect3D8();
}

HRESULT IDirect3D8::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) {
  if (adapter != D3DADAPTER_DEFAULT || !mode) return D3DERR_INVALIDCALL;
  SDL_DisplayMode desktop{};
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return D3DERR_NOTAVAILABLE;
  mode->Width = static_cast<UINT>(desktop.w);
  mode->Height = static_cast<UINT>(desktop.h);
  mode->RefreshRate = static_cast<UINT>(desktop.refresh_rate);
  mode->Format = FormatOfPixels(desktop.format);
  return D3D_OK;
}

HRESULT IDirect3D8::CheckDeviceFormat(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat,
                                      DWORD usage, D3DRESOURCETYPE resourceType,
                                      D3DFORMAT checkFormat) {
  if (adapter != D3DADAPTER_DEFAULT || deviceType != D3DDEVTYPE_HAL ||
      !IsRenderTargetFormat(adapterFormat)) {
    return D3DERR_INVALIDCALL;
  }
  if (usage & D3DUSAGE_DEPTHSTENCIL) {
    return resourceType == D3DRTYPE_SURFACE && IsDepthFormat(checkFormat) ? D3D_OK
                                                                          : D3DERR_NOTAVAILABLE;
  }
  if (usage & D3DUSAGE_RENDERTARGET) {
    return IsRenderTargetFormat(checkFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
  }
  bool image = resourceType == D3DRTYPE_TEXTURE || resourceType == D3DRTYPE_SURFACE;
  return image && IsTextureFormat(checkFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT IDirect3D8::CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow,
                                 DWORD /*behaviorFlags*/, D3DPRESENT_PARAMETERS* parameters,
                                 IDirect3DDevice8** device) {
  if (adapter != D3DADAPTER_DEFAULT || deviceType != D3DDEVTYPE_HAL || !parameters || !device) {
    return D3DERR_INVALIDCALL;
  }
  HWND handle = parameters->hDeviceWindow ? parameters->hDeviceWindow : focusWindow;
  SDL_Window* window = window::SdlWindow(handle);
  if (!window || !IsRenderTargetFormat(parameters->BackBufferFormat) ||
      (parameters->EnableAutoDepthStencil && !IsDepthFormat(parameters->AutoDepthStencilFormat))) {
    return D3DERR_INVALIDCALL;
  }

  BackBufferSpec spec;
  spec.width = parameters->BackBufferWidth;
  spec.height = parameters->BackBufferHeight;
  spec.colorFormat = parameters->BackBufferFormat;
  spec.depthFormat =
      parameters->EnableAutoDepthStencil ? parameters->AutoDepthStencilFormat : D3DFMT_UNKNOWN;
  spec.fullScreen = !parameters->Windowed;
  spec.vsync = spec.fullScreen &&
               parameters->FullScreen_PresentationInterval != D3DPRESENT_INTERVAL_IMMEDIATE;
  if (parameters->Windowed) {
    int width = 0, height = 0;
    window::ClientSize(handle, &width, &height);
    if (spec.width == 0) spec.width = static_cast<UINT>(width);
    if (spec.height == 0) spec.height = static_cast<UINT>(height);
  }
  if (spec.width == 0 || spec.height == 0 || spec.width > kMaxBackBufferSize ||
      spec.height > kMaxBackBufferSize) {
    return Unavailable("back buffer size out of range", spec.width, spec.height);
  }
  // A headless run or a video draws at the run's size, or at the program's own; a window at its
  // drawable size, which the backend follows.
  const RunDescription& run = host::Run();
  if (run.DrawsAtFixedSize()) {
    spec.drawnWidth = run.drawnWidth ? run.drawnWidth : spec.width;
    spec.drawnHeight = run.drawnHeight ? run.drawnHeight : spec.height;
  }
  spec.samples = run.msaaSamples;
  if (spec.fullScreen && !EnterFullScreen(window, spec.width, spec.height)) {
    return Unavailable("the display has no such full-screen mode", spec.width, spec.height);
  }

  std::string error;
  std::unique_ptr<DeviceBackend> backend = GlBackend::Create(window, spec, &error);
  if (!backend) {
    if (spec.fullScreen) SDL_SetWindowFullscreen(window, 0);
    return Unavailable(error.c_str(), spec.width, spec.height);
  }
  // The program's device: it draws with GL into the SDL window, and each frame it presents moves
  // the program's clock on when that clock is virtual.
  *device = new IDirect3DDevice8(this, std::move(backend), *parameters, spec.width, spec.height,
                                 host::AdvanceVirtualClock);
  return D3D_OK;
}
