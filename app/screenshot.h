// F12: the frame being drawn, overlay included, saved at the drawable's size as a PNG file
// named by the date and time in the player's screenshots folder; the overlay then names it.
#pragma once

#include <cstdint>
#include <ctime>

constexpr int SCREENSHOT_NAME_SIZE         = 48;            // a name with its copy number
constexpr const char* SCREENSHOT_KIND      = "screenshots"; // the data folder's kind
constexpr int MOST_SCREENSHOTS_IN_A_SECOND = 100;

void requestScreenshot(); // the next frame drawn is saved

// After a frame is drawn, before it is shown: when asked, reads the frame and hands it to a
// writer thread, so that compressing it costs the frame nothing; a press while a file is being
// written waits for it. A written file shows "Screenshot saved: NAME" for NOTICE_MS from the
// frame that sees it done; a failure shows one line saying what failed, there and on standard
// error, and never ends the game.
void screenshotAfterDrawing(uint32_t nowMs);

// At shutdown: waits for a file still being written.
void finishScreenshot();

// "voranis-2026-12-08_07-15-03.png" for the first shot in that second, then
// "voranis-2026-12-08_07-15-03-2.png" for copy 2, and so on.
void screenshotName(const std::tm& when, int copy, char name[SCREENSHOT_NAME_SIZE]);
