// The system's own words for the last failure, for the game's problem texts.
#pragma once

// Writes "what: the system's message (error N)" into problem.
void systemProblem(const char* what, char* problem, int problemSize);
