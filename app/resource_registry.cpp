#include "app/resource_registry.h"

#include "app/program_resources.h"
#include "platform/host.h"

namespace {

host::ResourceImage IconImage(const IconPixels& icon) {
  host::ResourceImage image;
  image.width = image.height = IconPixels::kSize;
  for (uint8_t index : icon.index) image.argb.push_back(icon.palette[index & 0x0F]);
  return image;
}

host::ResourceImage CursorImage(const CursorPixels& cursor) {
  host::ResourceImage image;
  image.width = image.height = CursorPixels::kSize;
  image.hotX = cursor.hotX;
  image.hotY = cursor.hotY;
  for (uint8_t pixel : cursor.pixel) {
    image.argb.push_back(pixel == CursorPixels::kBlack   ? 0xFF000000
                         : pixel == CursorPixels::kWhite ? 0xFFFFFFFF
                                                         : 0x00000000);
  }
  return image;
}

}  // namespace

void RegisterProgramResources() {
  host::RegisterResource(kIconResource, IconImage(kVolcanoIcon));
  host::RegisterResource(kCursorResource, CursorImage(kArrowCursor));
}
