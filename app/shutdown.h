// Puts network, sound, display mode and cursor back; safe to run more than once.
#pragma once

void shutdownGame();
