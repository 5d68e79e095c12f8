#include "tools/assetgen/formats/image.h"

namespace assetgen {

Image::Image(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {}

}  // namespace assetgen
