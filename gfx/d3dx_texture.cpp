#include "gfx/d3dx_texture.h"

#include <algorithm>
#include <vector>

#include "gfx/image_decoder.h"
#include "gfx/image_file.h"
#include "gfx/image_texture.h"
#include "platform/d3d8/format_info.h"
#include "platform/files.h"

namespace {

constexpr UINT kEmptyTextureSize = 256;

bool IsDefault(UINT value) {
  return value == 0 || value == D3DX_DEFAULT;
}

UINT MipLevels(UINT requested, UINT width, UINT height) {
  const UINT full = FullMipChain(width, height);
  return IsDefault(requested) ? full : std::min(requested, full);
}

bool IsValidFilter(DWORD filter) {
  if (filter == D3DX_DEFAULT) return true;
  const DWORD kind = filter & 0xFF;
  return kind >= D3DX_FILTER_NONE && kind <= D3DX_FILTER_BOX &&
         (filter & ~(0xFF | D3DX_FILTER_MIRROR | D3DX_FILTER_DITHER)) == 0;
}

// The picture of an image file whose texture fits the device's memory left; false with a
// reason naming the file.
bool ReadPicture(IDirect3DDevice8* device, const char* name, DecodedImage* image,
                 std::string* error) {
  std::vector<uint8_t> file;
  ImageSize size;
  if (!ReadImageFile(name, &file, &size, error)) return false;
  if (const std::string why = TextureMemoryShortfall(device, LoadedTextureBytes(size));
      !why.empty()) {
    *error = HostPath(name) + ": its texture takes " + why;
    return false;
  }
  if (DecodeImage(file, image)) return true;
  *error = HostPath(name) + ": its picture is damaged or cut short";
  return false;
}

void ApplyColorKey(D3DCOLOR key, DecodedImage* image) {
  for (D3DCOLOR& pixel : image->pixels) {
    if (pixel == key) {
      pixel = 0;
      image->hasAlpha = true;
    }
  }
}

D3DFORMAT FormatFor(const DecodedImage& image) {
  return image.hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
}

}  // namespace

std::string TextureMemoryShortfall(IDirect3DDevice8* device, uint64_t bytes) {
  const UINT left = device->GetAvailableTextureMem();
  if (bytes <= left) return {};
  return InMiB(bytes) + ", more than the " + InMiB(left) + " left of the " +
         InMiB(kTextureMemoryBytes) + " all textures may take";
}

HRESULT D3DXCreateTexture(IDirect3DDevice8* device, UINT width, UINT height, UINT mipLevels,
                          DWORD usage, D3DFORMAT format, D3DPOOL pool,
                          IDirect3DTexture8** texture) {
  if (!device || !texture) return D3DERR_INVALIDCALL;
  if (IsDefault(width)) width = IsDefault(height) ? kEmptyTextureSize : height;
  if (IsDefault(height)) height = width;
  if (format == D3DFMT_UNKNOWN) format = D3DFMT_A8R8G8B8;
  return device->CreateTexture(width, height, MipLevels(mipLevels, width, height), usage, format,
                               pool, texture);
}

HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice8* device, const char* fileName,
                                   IDirect3DTexture8** texture) {
  return D3DXCreateTextureFromFileExA(device, fileName, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                      D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT,
                                      0, nullptr, nullptr, texture);
}

HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice8* device, const char* fileName, UINT width,
                                     UINT height, UINT mipLevels, DWORD usage, D3DFORMAT format,
                                     D3DPOOL pool, DWORD filter, DWORD mipFilter, D3DCOLOR colorKey,
                                     D3DXIMAGE_INFO* srcInfo, PALETTEENTRY* palette,
                                     IDirect3DTexture8** texture) {
  if (!device || !fileName || !texture || !IsValidFilter(filter) || !IsValidFilter(mipFilter)) {
    return D3DERR_INVALIDCALL;
  }
  DecodedImage image;
  std::string error;
  if (!ReadPicture(device, fileName, &image, &error)) {
    ReportOnce(error);
    return D3DXERR_INVALIDDATA;
  }

  const D3DFORMAT decodedFormat = FormatFor(image);
  if (colorKey != 0) ApplyColorKey(colorKey, &image);
  TextureLayout layout;
  layout.width = IsDefault(width) ? image.width : width;
  layout.height = IsDefault(height) ? image.height : height;
  if (!IsAcceptableSize(layout.width, layout.height)) return D3DERR_INVALIDCALL;
  layout.levels = MipLevels(mipLevels, layout.width, layout.height);
  layout.usage = usage;
  layout.format = format == D3DFMT_UNKNOWN ? FormatFor(image) : format;  // after the key
  layout.pool = pool;
  const HRESULT hr = CreateTextureFromImage(device, image, layout, texture);
  if (FAILED(hr)) {
    ReportOnce(HostPath(fileName) + ": the device cannot make its texture");
    return hr;
  }

  if (srcInfo) {
    *srcInfo = {image.width, image.height, 1, 1, decodedFormat, D3DRTYPE_TEXTURE, image.fileFormat};
  }
  if (palette && !image.palette.empty())
    std::copy(image.palette.begin(), image.palette.end(), palette);
  return D3D_OK;
}
