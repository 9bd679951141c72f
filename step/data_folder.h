// Finding the game's data: the working directory, the program's own folder (the build's
// game folder), or the installed data folder beside the program's bin/ or games/ folder.
#pragma once

#include <string>

// A file every game folder holds; its presence marks a folder as the data folder.
constexpr const char* DATA_MARKER_FILE = "universe.uni";
// Where the data may lie, from the folder holding the program, in the order tried: the
// build's game folder holds both; an install keeps the data in share/voranis beside bin/,
// a Debian package in share/games/voranis beside games/ (cmake/packaging.cmake).
constexpr const char* DATA_FROM_PROGRAM[] = {".", "../share/voranis", "../share/games/voranis"};

// The folder to read the data from: "" when the working directory holds it already, else
// the first of the places above that holds it; "" when none does (loading then fails as it
// would have).
std::string findDataFolder(const std::string& programFolder);

// Makes the data folder the working directory, so that files open by their plain names.
void enterDataFolder();
