#pragma once
// What a whole start-up prints on the console, and so logs, line by line.
#include <string>
#include <vector>

inline const std::vector<std::string> kStartUpLines = {"***Orvanta Entry By Delcour***",
                                                       "Type '/help' for a list of commands",
                                                       "DirectAudio Init: OK",
                                                       "Console Fire Init: OK",
                                                       "Sky Dome Init: OK",
                                                       "Particle System Init: OK",
                                                       "Ocean Animation System Init: OK",
                                                       "Volcano Terrain Generation: OK",
                                                       "Explosion System Init: OK",
                                                       "Demo Play System Init: OK"};
