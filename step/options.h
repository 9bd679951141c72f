// What the three programs share of their command lines.
#pragma once

constexpr int EXIT_USAGE = 2; // a wrong option or value
