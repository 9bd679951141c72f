// A whole file as text, for tests that compare what the programs wrote.
#pragma once

#include <string>

std::string fileText(const std::string& path); // all of it, or empty
