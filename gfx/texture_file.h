#pragma once
// Textures that objects load from files and keep.
#include "platform/d3d8.h"

// Loads the file in place of the texture held. A file that is missing or doesn't load is no
// failure of the object: it keeps the texture it had (none at first). Returns whether it loaded.
bool ReloadTexture(IDirect3DDevice8* device, const char* fileName, IDirect3DTexture8** held);
