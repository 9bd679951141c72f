// The OpenAL listener follows the local ship: its position, and its "at" along the ship's step.
#pragma once

// The listener at the origin, still, looking along +z with +y up.
void setupListener();
