// The cursor that mouse look measures from. The mouse runs in relative mode, so the
// system cursor never moves; this keeps where it would be: it starts on the look centre,
// follows every motion, stays within the window and goes back to the centre each time a step
// takes the look turn.
#pragma once

void setLookArea(int width, int height); // the window's size; 640 x 480 until set
void moveLookCursor(int dx, int dy);
int lookOffsetX(); // the cursor's offset from the look centre
int lookOffsetY();
void centreCursor(); // the look is measured from the centre again
