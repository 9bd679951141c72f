#include "tests/support/portable/file_text.h"

#include <fstream>
#include <sstream>

std::string fileText(const std::string& path) {
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}
