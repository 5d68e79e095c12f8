#include "platform/d3d8/gl/texture_cache.h"

#include "platform/d3d8/resource_access.h"

TextureCache::TextureCache(GlStateCache& state, DeviceCounters& counters)
    : state_(state), counters_(counters) {}

TextureCache::~TextureCache() {
  for (const auto& [id, copy] : copies_) Delete(copy);
}

GLuint TextureCache::Sampled(IDirect3DTexture8& texture) {
  Copy& copy = Find(texture);
  state_.BindTexture(GL_TEXTURE_2D, copy.name);
  if (ResourceAccess::IsRenderTarget(texture)) return copy.name;
  const GlTexelFormat format = TexelConverter::UploadFormat(ResourceAccess::Format(texture));
  for (UINT level = 0; level < copy.levelVersions.size(); ++level) {
    const IDirect3DSurface8& surface = ResourceAccess::LevelSurface(texture, level);
    if (copy.levelVersions[level] == ResourceAccess::Version(surface)) continue;
    Upload(surface, format);
    copy.levelVersions[level] = ResourceAccess::Version(surface);
  }
  return copy.name;
}

GLuint TextureCache::Target(IDirect3DTexture8& texture) {
  return Find(texture).name;
}

void TextureCache::Forget(uint64_t textureId) {
  auto found = copies_.find(textureId);
  if (found == copies_.end()) return;
  Delete(found->second);
  copies_.erase(found);
}

TextureCache::Copy& TextureCache::Find(IDirect3DTexture8& texture) {
  Copy& copy = copies_[ResourceAccess::Id(texture)];
  if (copy.name == 0) Allocate(texture, &copy);
  return copy;
}

// Storage for every level up front, so that the texture is complete whatever the mip filter.
void TextureCache::Allocate(IDirect3DTexture8& texture, Copy* copy) {
  const GlTexelFormat format = ResourceAccess::IsRenderTarget(texture)
                                   ? TexelConverter::TargetFormat(ResourceAccess::Format(texture))
                                   : TexelConverter::UploadFormat(ResourceAccess::Format(texture));
  const UINT levels = texture.GetLevelCount();
  glGenTextures(1, &copy->name);
  state_.BindTexture(GL_TEXTURE_2D, copy->name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels) - 1);
  for (UINT level = 0; level < levels; ++level) {
    const D3DSURFACE_DESC& desc =
        ResourceAccess::Desc(ResourceAccess::LevelSurface(texture, level));
    glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), format.internalFormat,
                 static_cast<GLsizei>(desc.Width), static_cast<GLsizei>(desc.Height), 0,
                 format.format, format.type, nullptr);
  }
  copy->levelVersions.assign(levels, 0);
}

void TextureCache::Upload(const IDirect3DSurface8& level, const GlTexelFormat& format) {
  const std::vector<uint8_t>& texels = converter_.Convert(level);
  const D3DSURFACE_DESC& desc = ResourceAccess::Desc(level);
  glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(ResourceAccess::Level(level)), 0, 0,
                  static_cast<GLsizei>(desc.Width), static_cast<GLsizei>(desc.Height),
                  format.format, format.type, texels.data());
  ++counters_.textureUploads;
  counters_.bytesUploaded += texels.size();
}

void TextureCache::Delete(const Copy& copy) {
  state_.ForgetTexture(copy.name);
  glDeleteTextures(1, &copy.name);
}
