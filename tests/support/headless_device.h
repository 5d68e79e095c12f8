#pragma once
// A device on the OpenGL backend with a small back buffer, on the offscreen display, for
// pixel tests and benchmarks.
#include <string>

#include "platform/d3d8.h"

class HeadlessDevice {
 public:
  // Starts the offscreen display and opens the one window the devices draw into.
  static bool OpenWindow(std::string* error);
  static void CloseWindow();

  HeadlessDevice() = default;
  ~HeadlessDevice();
  HeadlessDevice(const HeadlessDevice&) = delete;
  HeadlessDevice& operator=(const HeadlessDevice&) = delete;

  // A windowed device with a width x height back buffer of that format, with or without a
  // 16-bit depth buffer.
  bool Create(UINT width, UINT height, D3DFORMAT format, bool depth);
  IDirect3DDevice8* operator->() const { return device_; }
  IDirect3DDevice8* Get() const { return device_; }

 private:
  IDirect3D8* d3d_ = nullptr;
  IDirect3DDevice8* device_ = nullptr;
};
