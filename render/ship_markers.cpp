// Name tags over the ships in view and arrows at the edge toward the others.
#include "render/ship_markers.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

#include "render/render.h"
#include "render/text.h"
#include "world/roster.h"
#include "world/step_simulation.h"
#include "world/vector.h"

namespace {
constexpr float ARROW_ALPHA = 0.85f;
constexpr int TAG_TEXT_SIZE = 16;

float degreesToRadians(float d) {
    return d * DEG_TO_RAD;
}

// The point in eye space: turned by yaw about y, then by pitch about x, as the camera is.
void eyeSpace(const Player& viewer, const float point[3], float eye[3]) {
    const float d[3] = {point[0] - viewer.pos[0], point[1] - viewer.pos[1],
                        point[2] - viewer.pos[2]};
    const float cy   = std::cos(degreesToRadians(viewer.yaw)),
                sy   = std::sin(degreesToRadians(viewer.yaw));
    const float cp   = std::cos(degreesToRadians(viewer.pitch)),
                sp   = std::sin(degreesToRadians(viewer.pitch));
    const float x    = d[0] * cy + d[2] * sy;
    const float z    = -d[0] * sy + d[2] * cy;
    eye[0]           = x;
    eye[1]           = d[1] * cp - z * sp;
    eye[2]           = d[1] * sp + z * cp;
}

void drawArrow(float x, float y, float dx, float dy, float size, const float colour[3]) {
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(colour[0], colour[1], colour[2], ARROW_ALPHA);
    glBegin(GL_TRIANGLES);
    glVertex2f(x + dx * size, y + dy * size);
    glVertex2f(x - dx * size * 0.5f - dy * size * 0.6f, y - dy * size * 0.5f + dx * size * 0.6f);
    glVertex2f(x - dx * size * 0.5f + dy * size * 0.6f, y - dy * size * 0.5f - dx * size * 0.6f);
    glEnd();
}
} // namespace

ScreenSpot spotOnScreen(const Player& viewer, const float point[3], int width, int height,
                        float fovDegrees) {
    ScreenSpot s{false, 0.0f, 0.0f, 0.0f, 1.0f};
    float eye[3];
    eyeSpace(viewer, point, eye);
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    const float f = 1.0f / std::tan(degreesToRadians(fovDegrees / 2.0f));
    if (eye[2] < 0.0f) {
        const float ndcX = f * (h / w) * eye[0] / -eye[2];
        const float ndcY = f * eye[1] / -eye[2];
        s.x              = (ndcX + 1.0f) * 0.5f * w;
        s.y              = (1.0f - ndcY) * 0.5f * h;
        s.inView         = std::fabs(ndcX) <= 1.0f && std::fabs(ndcY) <= 1.0f;
    }
    // The way to turn: right for a point to the right, down for one below; straight behind
    // with nothing to tell, down.
    const float length = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1]);
    if (length > 0.0f && std::isfinite(length)) {
        s.dx = eye[0] / length;
        s.dy = -eye[1] / length;
    }
    return s;
}

void drawShipMarkers(const WorldState& world, const Player& viewer, uint32_t nowMs) {
    const float w = static_cast<float>(drawable.width), h = static_cast<float>(drawable.height);
    const float textHeight = drawable.layout.textHeight;
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        const Player& ship = world.players[i];
        if (i == world.localPlayer || ship.slot < 0 || ship.health <= 0) continue;
        const TrackPose pose = drawnShipPose(world, i, nowMs);
        const ScreenSpot s =
            spotOnScreen(viewer, pose.pos, drawable.width, drawable.height, drawable.fovDegrees);
        if (!std::isfinite(s.x) || !std::isfinite(s.y)) continue;
        if (s.inView) {
            char name[PLAYER_NAME_BYTES + 1];
            playerName(world, i, name);
            // Name and distance apart: the name's line is drawn from the cache frame after
            // frame, and only the short distance changes as the ships move.
            char distance[TAG_TEXT_SIZE];
            std::snprintf(distance, sizeof distance, " %d",
                          static_cast<int>(std::lround(::distance(pose.pos, viewer.pos))));
            const float width = textWidth(name, textHeight) + textWidth(distance, textHeight);
            const float left  = s.x - width / 2.0f;
            const float top   = s.y - drawable.layout.tagLift - textHeight;
            drawText(left, top, textHeight, name, slotTextColours[i]);
            drawText(left + textWidth(name, textHeight), top, textHeight, distance,
                     slotTextColours[i]);
            continue;
        }
        const float margin = drawable.layout.edgeMargin;
        const float reachX = s.dx != 0.0f ? (w / 2.0f - margin) / std::fabs(s.dx) : INFINITY;
        const float reachY = s.dy != 0.0f ? (h / 2.0f - margin) / std::fabs(s.dy) : INFINITY;
        const float reach  = std::fmin(reachX, reachY);
        drawArrow(w / 2.0f + s.dx * reach, h / 2.0f + s.dy * reach, s.dx, s.dy,
                  drawable.layout.arrowSize, slotColours[i]);
    }
}
