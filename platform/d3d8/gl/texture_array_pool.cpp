#include "platform/d3d8/gl/texture_array_pool.h"

#include <algorithm>

#include "platform/d3d8/resource_access.h"

namespace {

// Textures up to this size in either direction are small.
constexpr UINT kMaxSmallSize = 32;
// The most layers that OpenGL 3.3 and OpenGL ES 3.0 both promise.
constexpr UINT kLayers = 256;

}  // namespace

TextureClass TextureClass::Of(const IDirect3DTexture8& texture) {
  const D3DSURFACE_DESC& desc = ResourceAccess::Desc(ResourceAccess::LevelSurface(texture, 0));
  return {desc.Width, desc.Height, desc.Format};
}

TextureArrayPool::TextureArrayPool(GlStateCache& state, DeviceCounters& counters)
    : state_(state), counters_(counters) {}

TextureArrayPool::~TextureArrayPool() {
  for (auto& [textureClass, array] : arrays_) {
    state_.ForgetTexture(array.name);
    glDeleteTextures(1, &array.name);
  }
}

bool TextureArrayPool::CanHold(IDirect3DTexture8& texture) const {
  if (slots_.count(ResourceAccess::Id(texture))) return true;
  const TextureClass textureClass = TextureClass::Of(texture);
  if (ResourceAccess::IsRenderTarget(texture) || texture.GetLevelCount() != 1 ||
      textureClass.width > kMaxSmallSize || textureClass.height > kMaxSmallSize) {
    return false;
  }
  auto found = arrays_.find(textureClass);
  return found == arrays_.end() || std::find(found->second.used.begin(), found->second.used.end(),
                                             false) != found->second.used.end();
}

bool TextureArrayPool::IsStale(const IDirect3DTexture8& texture) const {
  auto found = slots_.find(ResourceAccess::Id(texture));
  return found != slots_.end() &&
         found->second.version != ResourceAccess::Version(ResourceAccess::LevelSurface(texture, 0));
}

float TextureArrayPool::Place(const IDirect3DTexture8& texture) {
  auto found = slots_.find(ResourceAccess::Id(texture));
  if (found == slots_.end()) {
    const TextureClass textureClass = TextureClass::Of(texture);
    LayeredArray& array = ArrayOf(textureClass);
    auto free = std::find(array.used.begin(), array.used.end(), false);
    *free = true;
    const auto layer = static_cast<UINT>(free - array.used.begin());
    found = slots_.emplace(ResourceAccess::Id(texture), Slot{textureClass, layer, 0}).first;
  }
  Slot& slot = found->second;
  const uint64_t version = ResourceAccess::Version(ResourceAccess::LevelSurface(texture, 0));
  if (slot.version != version) {
    Bind(slot.textureClass);
    Upload(texture, slot.layer);
    slot.version = version;
  }
  return static_cast<float>(slot.layer);
}

void TextureArrayPool::Bind(const TextureClass& textureClass) {
  state_.BindTexture(GL_TEXTURE_2D_ARRAY, ArrayOf(textureClass).name);
}

void TextureArrayPool::Forget(uint64_t textureId) {
  auto found = slots_.find(textureId);
  if (found == slots_.end()) return;
  arrays_[found->second.textureClass].used[found->second.layer] = false;
  slots_.erase(found);
}

TextureArrayPool::LayeredArray& TextureArrayPool::ArrayOf(const TextureClass& textureClass) {
  LayeredArray& array = arrays_[textureClass];
  if (array.name != 0) return array;
  const GlTexelFormat format = TexelConverter::UploadFormat(textureClass.format);
  glGenTextures(1, &array.name);
  state_.BindTexture(GL_TEXTURE_2D_ARRAY, array.name);
  glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAX_LEVEL, 0);
  glTexImage3D(GL_TEXTURE_2D_ARRAY, 0, format.internalFormat,
               static_cast<GLsizei>(textureClass.width), static_cast<GLsizei>(textureClass.height),
               kLayers, 0, format.format, format.type, nullptr);
  array.used.assign(kLayers, false);
  return array;
}

void TextureArrayPool::Upload(const IDirect3DTexture8& texture, UINT layer) {
  const IDirect3DSurface8& level = ResourceAccess::LevelSurface(texture, 0);
  const std::vector<uint8_t>& texels = converter_.Convert(level);
  const GlTexelFormat format = TexelConverter::UploadFormat(ResourceAccess::Desc(level).Format);
  glTexSubImage3D(GL_TEXTURE_2D_ARRAY, 0, 0, 0, static_cast<GLint>(layer),
                  static_cast<GLsizei>(ResourceAccess::Desc(level).Width),
                  static_cast<GLsizei>(ResourceAccess::Desc(level).Height), 1, format.format,
                  format.type, texels.data());
  ++counters_.textureUploads;
  counters_.bytesUploaded += texels.size();
}
