#pragma once
// File names as the program writes them ("textures\\ocean.bmp") mapped to the host's form.
// Every file the program opens goes through here.
#include <cstdio>
#include <string>

std::string HostPath(const char* name);
// fopen of the mapped name; null for a null name.
FILE* OpenFile(const char* name, const char* mode);
