#include "console/bitmap_font.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "console/font_files.h"
#include "console/screen_space.h"
#include "gfx/d3dx_matrix.h"
#include "gfx/d3dx_texture.h"
#include "gfx/render_state_block.h"
#include "gfx/scene_vertex.h"
#include "platform/d3d8/format_info.h"
#include "platform/files.h"

namespace {

// Only the ink passes: ink texels have alpha 15 (255), the background 0, and the test cuts a
// magnified glyph's filtered edge back to a hard one.
constexpr DWORD kInkAlphaReference = 153;

constexpr D3DRENDERSTATETYPE kSavedRenderStates[] = {D3DRS_ALPHABLENDENABLE};
constexpr D3DTEXTURESTAGESTATETYPE kSavedStageStates[] = {D3DTSS_MINFILTER};

// Whether a texture for every glyph fits the device's texture memory left; says why not.
bool GlyphsFit(const FontFiles& files, const std::string& baseName, IDirect3DDevice8* device,
               std::string* error) {
  const uint64_t bytes = uint64_t(files.GlyphCount()) *
                         TextureBytes(files.CellWidth(), files.CellHeight(), 1, D3DFMT_A4R4G4B4);
  const std::string why = device ? TextureMemoryShortfall(device, bytes) : "";
  if (why.empty()) return true;
  *error = HostPath(baseName.c_str()) + ": its glyphs take " + why;
  return false;
}

bool ReadFontFiles(const std::string& baseName, FontFiles* files, std::string* error) {
  std::vector<uint8_t> image, description;
  if (!ReadWholeFile((baseName + ".bmp").c_str(), FontFiles::kMaxImageBytes, &image, error) ||
      !ReadWholeFile((baseName + ".fon").c_str(), FontFiles::kMaxDescriptionBytes, &description,
                     error)) {
    return false;
  }
  if (files->Parse(image, description, error)) return true;
  *error = HostPath(baseName.c_str()) + ": " + *error;
  return false;
}

// Alpha-tested, unblended glyphs; the colour stage stays as the caller left it.
void UseGlyphStates(IDirect3DDevice8* device) {
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
  device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
  device->SetRenderState(D3DRS_ALPHAREF, kInkAlphaReference);
  device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
  device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
  device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_NONE);
  device->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_NONE);
}

}  // namespace

BitmapFont::~BitmapFont() {
  ReleaseGlyphs();
}

void BitmapFont::ReleaseGlyphs() {
  for (IDirect3DTexture8*& glyph : glyphs_) SafeRelease(glyph);
  glyphs_.clear();
  byCharacter_.fill(nullptr);
}

bool BitmapFont::Load(const char* baseName, uint16_t color, IDirect3DDevice8* device) {
  ReleaseGlyphs();
  FontFiles files;
  std::string error;
  if (!baseName || !ReadFontFiles(baseName, &files, &error) ||
      !GlyphsFit(files, baseName, device, &error)) {
    ReportOnce(error);
    return false;
  }
  cellWidth_ = static_cast<float>(files.CellWidth());
  cellHeight_ = static_cast<float>(files.CellHeight());
  const uint16_t ink = color != 0 ? color : files.PaletteInk();
  for (int glyph = 0; glyph < files.GlyphCount(); ++glyph) {
    if (!AddGlyph(files, glyph, ink, device)) {
      ReleaseGlyphs();
      return false;
    }
  }
  return true;
}

bool BitmapFont::AddGlyph(const FontFiles& files, int glyph, uint16_t ink,
                          IDirect3DDevice8* device) {
  const int width = files.CellWidth(), height = files.CellHeight();
  IDirect3DTexture8* texture = nullptr;
  // One level keeps glyph draws on the device's merged path.
  if (FAILED(D3DXCreateTexture(device, width, height, 1, 0, D3DFMT_A4R4G4B4, D3DPOOL_MANAGED,
                               &texture))) {
    return false;
  }
  glyphs_.push_back(texture);
  D3DLOCKED_RECT locked{};
  if (FAILED(texture->LockRect(0, &locked, nullptr, 0))) return false;
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch);
    for (int x = 0; x < width; ++x) row[x] = files.Inked(glyph, x, y) ? ink : 0;
  }
  if (FAILED(texture->UnlockRect(0))) return false;
  IDirect3DTexture8*& slot = byCharacter_[static_cast<uint8_t>(files.Character(glyph))];
  if (!slot) slot = texture;
  return true;
}

bool BitmapFont::RenderText(const char* text, float x, float y, float scale,
                            IDirect3DDevice8* device) {
  if (!text || !*text) return true;
  x /= scale;
  y /= scale;
  {
    const RenderStateBlock saved(device, kSavedRenderStates, kSavedStageStates, kSceneTransforms);
    UseGlyphStates(device);
    const ScreenSpace screen = UseScreenProjection(device);
    D3DXMATRIX view, world;
    device->SetTransform(D3DTS_VIEW, D3DXMatrixScaling(&view, scale, scale, scale));
    const float left = x - screen.halfWidth / scale;
    const float bottom = (screen.halfHeight - cellHeight_) / scale + y;
    for (size_t i = 0; text[i] != '\0'; ++i) {
      const float cellLeft = static_cast<float>(i) * cellWidth_ + left;
      device->SetTransform(D3DTS_WORLD, D3DXMatrixTranslation(&world, cellLeft, bottom, 0.0f));
      DrawGlyph(byCharacter_[static_cast<uint8_t>(text[i])], device);
    }
  }
  // The alpha test is always switched off afterwards; no caller draws with it on.
  device->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
  device->SetTexture(0, nullptr);
  return true;
}

float BitmapFont::TextWidth(const char* text, float scale) const {
  return text ? static_cast<float>(std::strlen(text)) * cellWidth_ * scale : 0.0f;
}

void BitmapFont::DrawGlyph(IDirect3DTexture8* glyph, IDirect3DDevice8* device) const {
  device->SetTexture(0, glyph);
  if (!glyph) return;
  const SceneVertex quad[4] = {{0.0f, cellHeight_, 0.0f, 0xFFFFFFFF, 0.0f, 0.0f},
                               {0.0f, 0.0f, 0.0f, 0xFFFFFFFF, 0.0f, 1.0f},
                               {cellWidth_, cellHeight_, 0.0f, 0xFFFFFFFF, 1.0f, 0.0f},
                               {cellWidth_, 0.0f, 0.0f, 0xFFFFFFFF, 1.0f, 1.0f}};
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  device->SetVertexShader(kSceneVertexFormat);
  device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(SceneVertex));
}
