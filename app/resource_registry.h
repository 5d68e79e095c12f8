#pragma once
// Hands the program's icon (102) and cursor (104) to the window system.
void RegisterProgramResources();
