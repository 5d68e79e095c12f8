#pragma once
// The drop-down console over the top half of the window: the newest printed lines above an
// input line with a ">" prompt, in the console's own font, on a backdrop that fades in to half
// opacity. Typed lines that start with a slash are commands; some hand their caller a code.
#include <array>
#include <cstdint>

#include "console/bitmap_font.h"
#include "console/console_lines.h"
#include "console/screen_space.h"
#include "platform/d3d8.h"

// What HandleChar asks of its caller.
enum ConsoleResult : int32_t {
  kConsoleNoAction = 0,
  kConsoleToggle = 1,  // the grave accent or the tilde: show or hide the console
  kConsoleHideFps = 101,
  kConsoleShowFps = 102,
  kConsoleWaterDetailLow = 103,
  kConsoleWaterDetailMed = 104,
  kConsoleWaterDetailHigh = 105,
};

class Console {
 public:
  static constexpr int kInputBytes = 128;  // the prompt, 126 typed characters and a zero

  Console() { ResetInput(); }
  ~Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // Opens the log (when named; one that can't be opened is no failure), loads the font and the
  // backdrop file (when named; the console then owns that texture). Hidden afterwards.
  bool Init(const char* fontBaseName, const char* backdropFile, uint16_t fontColor,
            const char* logFile, IDirect3DDevice8* device);
  // Draws the console when it is visible; last in the scene, over everything.
  bool Render(IDirect3DDevice8* device);
  // One typed character as a one-character string. Ignored (0) while the console is hidden.
  ConsoleResult HandleChar(const char* character);
  // Adds a line and logs it.
  bool Print(const char* text);
  void Clear() { lines_.Clear(); }
  // The backdrop from now on; it stays its owner's. False for none.
  bool SetBackgroundTexture(IDirect3DTexture8* texture);
  // False when already visible. Animated, the backdrop fades in over 250 ms.
  bool Show(bool animate);
  // False when already hidden. Animated, the console goes after drawing once more.
  bool Hide(bool animate);

  bool Visible() const { return visible_; }
  BitmapFont& Font() { return font_; }
  const ConsoleLines& Lines() const { return lines_; }
  const char* InputLine() const { return input_.data(); }

 private:
  ConsoleResult Submit();
  ConsoleResult RunCommand(const char* word);
  void ResetInput();
  void UpdateFade();
  void DrawBackdrop(IDirect3DDevice8* device, const ScreenSpace& screen) const;
  void DrawLines(IDirect3DDevice8* device, const ScreenSpace& screen);

  ConsoleLines lines_;
  std::array<char, kInputBytes> input_{};
  int inputLength_ = 1;
  uint32_t fadeStartMs_ = 0;
  bool opening_ = false;
  bool closing_ = false;
  uint8_t backdropAlpha_ = 0;
  BitmapFont font_;
  bool visible_ = false;
  IDirect3DTexture8* backdrop_ = nullptr;
  IDirect3DTexture8* ownedBackdrop_ = nullptr;  // loaded by Init
};
