// The overlay's sizes for a drawable: one scale from the screen's size and its pixel density,
// every size of the HUD, text, scoreboard, tags and arrows from that scale.
#pragma once

// At 640 x 480 and one pixel per point every size is the game's first; larger screens scale
// it by the smaller of their width and height shares, so everything still fits both ways.
constexpr int LAYOUT_BASE_WIDTH  = 640;
constexpr int LAYOUT_BASE_HEIGHT = 480;

struct OverlayLayout {
    float scale;      // 1 at 640 x 480
    float aspect;     // the drawable's width over its height
    float hudScale;   // the eye-space HUD's size against what the projection alone gives it
    float textHeight; // overlay text: lines, scoreboard, name tags, in drawable pixels
    float margin;     // between the text and the edges
    float tagLift;    // a name tag stands this far above its ship
    float arrowSize;  // an edge arrow's length from its centre to its tip
    float edgeMargin; // the edge arrows keep this far in from the edges
    float flashBand;  // the hit flash's band along the edges
    float markInner;  // the hit mark's strokes, from the crosshair
    float markOuter;
    float waitingTextHeight; // "Connecting to..."
};

// pixelRatio is drawable pixels per window point (2 on a HiDPI screen): text never gets
// smaller there than 640 x 480 shows it in points. A drawable with no area counts as 1 x 1.
OverlayLayout overlayLayout(int drawableWidth, int drawableHeight, float pixelRatio);
