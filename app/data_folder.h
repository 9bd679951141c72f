// Finding the game's data: the working directory, the program's own folder (the build's
// game folder), or the installed data folder beside the program's bin folder.
#pragma once

#include <string>

// A file every game folder holds; its presence marks a folder as the data folder.
constexpr const char* DATA_MARKER_FILE = "universe.uni";
// Where an installed game keeps its data, from the folder holding the program.
constexpr const char* INSTALLED_DATA_FROM_PROGRAM = "../share/voranis";

// The folder to read the data from: "" when the working directory holds it already, else
// programFolder itself or its installed data folder, whichever holds it first; "" when
// none does (loading then fails as it would have).
std::string findDataFolder(const std::string& programFolder);

// Makes the data folder the working directory, so that files open by their plain names.
void enterDataFolder();
