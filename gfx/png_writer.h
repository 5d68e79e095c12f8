#pragma once
// Writes 8-bit RGBA pixels, top row first, as a PNG file.
#include <cstdint>
#include <string>

bool WritePng(const char* path, unsigned width, unsigned height, const uint8_t* rgba,
              std::string* error);
