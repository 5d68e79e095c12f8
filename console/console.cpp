#include "console/console.h"

#include <algorithm>
#include <cstring>

#include "console/screen_space.h"
#include "gfx/d3dx_matrix.h"
#include "gfx/render_state_block.h"
#include "gfx/scene_vertex.h"
#include "gfx/surface_drawing.h"
#include "gfx/texture_file.h"
#include "platform/win32.h"

namespace {

constexpr int kMaxColumns = 128;
constexpr float kFadePerMs = 0.004f;          // 250 ms to full
constexpr float kFullBackdropAlpha = 128.0f;  // half opaque

constexpr const char* kHelpLines[] = {
    "Commands:",
    "/quit            -return to operating system",
    "/clear           -clears console",
    "/help            -prints list of commands",
    "/showfps         -shows FPS in upper right corner",
    "/hidefps         -hides FPS counter if it is visible",
    "/waterdetaillow  -changes the ocean water detail to its lowest setting",
    "/waterdetailmed  -changes the ocean water detail to its medium setting",
    "/waterdetailhigh -changes the ocean water detail to its highest setting",
};

struct CodeCommand {
  const char* name;
  ConsoleResult code;
};
constexpr CodeCommand kCodeCommands[] = {
    {"showfps", kConsoleShowFps},
    {"hidefps", kConsoleHideFps},
    {"waterdetaillow", kConsoleWaterDetailLow},
    {"waterdetailmed", kConsoleWaterDetailMed},
    {"waterdetailhigh", kConsoleWaterDetailHigh},
};

// A slot as one row shows it: its first columns characters, the last three of them dots, so a
// line that reaches them ends in "...". Fewer than three columns hold only dots.
void CutToColumns(const char* slot, int columns, char* row) {
  std::copy_n(slot, columns, row);
  for (int i = std::max(columns - 3, 0); i < columns; ++i) row[i] = '.';
  row[columns] = '\0';
}

}  // namespace

Console::~Console() {
  SafeRelease(ownedBackdrop_);
}

bool Console::Init(const char* fontBaseName, const char* backdropFile, uint16_t fontColor,
                   const char* logFile, IDirect3DDevice8* device) {
  if (logFile) lines_.OpenLog(logFile);
  lines_.Clear();
  ResetInput();
  visible_ = false;
  if (!font_.Load(fontBaseName, fontColor, device)) return false;
  if (!backdropFile) return true;
  if (!ReloadTexture(device, backdropFile, &ownedBackdrop_)) return false;
  backdrop_ = ownedBackdrop_;
  return true;
}

bool Console::Print(const char* text) {
  lines_.Print(text);
  return true;
}

bool Console::SetBackgroundTexture(IDirect3DTexture8* texture) {
  if (!texture) return false;
  backdrop_ = texture;
  return true;
}

bool Console::Show(bool animate) {
  if (visible_) return false;
  visible_ = true;
  if (animate) {
    opening_ = true;
    fadeStartMs_ = timeGetTime();
  }
  return true;
}

bool Console::Hide(bool animate) {
  if (!visible_) return false;
  if (animate) {
    closing_ = true;
  } else {
    visible_ = false;
  }
  return true;
}

ConsoleResult Console::HandleChar(const char* character) {
  if (!visible_ || !character || character[0] == '\0' || character[1] != '\0') {
    return kConsoleNoAction;
  }
  switch (const char c = character[0]) {
    case '\b':
      // The prompt can't be deleted.
      if (inputLength_ > 1) --inputLength_;
      input_[inputLength_] = '\0';
      return kConsoleNoAction;
    case '\r':
      return Submit();
    case '`':
    case '~':
      return kConsoleToggle;
    default:
      // Every other code is stored alike, control characters and codes above 127 included.
      if (inputLength_ < kInputBytes - 1) input_[inputLength_++] = c;
      return kConsoleNoAction;
  }
}

ConsoleResult Console::Submit() {
  if (input_[1] == '/') {
    const ConsoleResult code = RunCommand(&input_[2]);
    // A command with a code for the caller is not echoed.
    if (code != kConsoleNoAction) {
      ResetInput();
      return code;
    }
  }
  Print(input_.data());
  ResetInput();
  return kConsoleNoAction;
}

ConsoleResult Console::RunCommand(const char* word) {
  if (std::strcmp(word, "quit") == 0) {
    Print("Quiting.....");
    PostQuitMessage(0);
  } else if (std::strcmp(word, "clear") == 0) {
    Clear();
  } else if (std::strcmp(word, "help") == 0) {
    for (const char* line : kHelpLines) Print(line);
  } else {
    for (const CodeCommand& command : kCodeCommands) {
      if (std::strcmp(word, command.name) == 0) return command.code;
    }
    Print("Error Processing Command");
  }
  return kConsoleNoAction;
}

void Console::ResetInput() {
  input_.fill('\0');
  input_[0] = '>';
  inputLength_ = 1;
}

void Console::UpdateFade() {
  if (opening_) {
    float f = static_cast<float>(timeGetTime() - fadeStartMs_) * kFadePerMs;
    if (f > 1.0f) {
      f = 1.0f;
      opening_ = false;
    }
    backdropAlpha_ = static_cast<uint8_t>(f * kFullBackdropAlpha);
  }
  // A pending hide takes effect now, after this last drawing.
  if (closing_) {
    visible_ = false;
    closing_ = false;
  }
}

bool Console::Render(IDirect3DDevice8* device) {
  if (!visible_) return true;
  const RenderStateBlock saved(device, {}, {}, kSceneTransforms);
  UpdateFade();
  const ScreenSpace screen = UseScreenProjection(device);
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  device->SetTransform(D3DTS_WORLD, &identity);
  device->SetTransform(D3DTS_VIEW, &identity);
  // Blending and stage 0 stay set afterwards: the text drawn next takes its colour from the
  // texture through this stage setup.
  UseAlphaBlending(device);
  if (backdrop_) device->SetTexture(0, backdrop_);
  UseTextureColourDiffuseAlpha(device);
  DrawBackdrop(device, screen);
  DrawLines(device, screen);
  return true;
}

void Console::DrawBackdrop(IDirect3DDevice8* device, const ScreenSpace& screen) const {
  const float halfWidth = screen.halfWidth, halfHeight = screen.halfHeight;
  const D3DCOLOR diffuse = D3DCOLOR{backdropAlpha_} << 24 | 0xFFFFFF;
  const SceneVertex quad[4] = {{-halfWidth, halfHeight, 0.0f, diffuse, 0.0f, 0.0f},
                               {-halfWidth, 0.0f, 0.0f, diffuse, 0.0f, 1.0f},
                               {halfWidth, halfHeight, 0.0f, diffuse, 1.0f, 0.0f},
                               {halfWidth, 0.0f, 0.0f, diffuse, 1.0f, 1.0f}};
  device->SetVertexShader(kSceneVertexFormat);
  device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(SceneVertex));
}

void Console::DrawLines(IDirect3DDevice8* device, const ScreenSpace& screen) {
  const float cellWidth = font_.CellWidth(), cellHeight = font_.CellHeight();
  if (cellWidth <= 0.0f || cellHeight <= 0.0f) return;
  const int columns = std::min(static_cast<int>(screen.width / cellWidth), kMaxColumns);
  const int rows = std::min(static_cast<int>(screen.halfHeight / cellHeight), ConsoleLines::kSlots);
  char row[kMaxColumns + 1];
  // Slot 0 on the bottom row, older lines above it.
  for (int k = 0; k < rows; ++k) {
    CutToColumns(lines_.Slot(k), columns, row);
    font_.RenderText(row, 0.0f, -static_cast<float>(rows - 1 - k) * cellHeight, 1.0f, device);
  }
  // The input line is not cut.
  font_.RenderText(input_.data(), 0.0f, -static_cast<float>(rows - 1) * cellHeight, 1.0f, device);
}
