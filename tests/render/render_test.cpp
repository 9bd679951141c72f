// The frame, overlay and text read back from a real Mesa context; flat stand-in art in marked
// colours, the generated font.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/controls/controls.h"
#include "assets/asset_loading.h"
#include "assets/textures.h"
#include "render/people_overlay.h"
#include "render/render.h"
#include "render/text.h"
#include "tests/support/game_driver.h"
#include "tests/support/gl_frame.h"
#include "tests/support/portable/world_setup.h"
#include "tests/support/test_paths.h"
#include "world/messages.h"
#include "world/random.h"
#include "world/roster.h"
#include "world/world_state.h"

namespace {
// This program's own world, as each program owns its own.
WorldState testWorld;

constexpr int W = 640, H = 480, SKY = 51, NO_DIGIT = -1;
constexpr int CROSS_BLUE = 200, DEAD_BLUE = 90, SCORE_GREEN = 100, HEALTH_GREEN = 200;
constexpr float NAN_ = NAN, INF = HUGE_VALF;
const float RED[3] = {1, 0, 0}, GREEN[3] = {0, 1, 0}, BLUE[3] = {0, 0, 1}, MAGENTA[3] = {1, 0, 1};

constexpr int GREY = SKY * 0x10101, INK_WHITE = 0xffffff; // colours as 0xRRGGBB
constexpr int SLOT_TEXT[] = {0xff6666, 0x8099ff, 0x66ff66, 0xffff66};

int channel(int rgb, int k) {
    return rgb >> (16 - 8 * k) & 0xff;
}
::testing::AssertionResult looks(const uint8_t* p, int want) {
    for (int k = 0; k < 3; ++k)
        if (std::abs(p[k] - channel(want, k)) > 3)
            return ::testing::AssertionFailure()
                   << int(p[0]) << "," << int(p[1]) << "," << int(p[2]);
    return ::testing::AssertionSuccess();
}

// Where an eye-space point lands through the game's 60-degree projection.
const uint8_t* at(const Picture& f, float x, float y, float z) {
    const double half = -z * std::tan(M_PI / 6.0);
    return f.at(int(std::floor((x / (half * W / H) + 1.0) * 0.5 * W)),
                H - 1 - int(std::floor((y / half + 1.0) * 0.5 * H)));
}

// A flat unlit square about (x, 0, z) in the colour given (or the one current).
void square(unsigned list, float half, const float* colour = nullptr, float z = 0, float x = 0) {
    glNewList(list, GL_COMPILE);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    if (colour) glColor3fv(colour);
    glBegin(GL_QUADS);
    const float corners[] = {x - half, -half, x + half, -half, x + half, half, x - half, half};
    for (int i = 0; i < 8; i += 2)
        glVertex3f(corners[i], corners[i + 1], z);
    glEnd();
    glEndList();
}
// The sky: the grey the frame clears to, and a magenta mark ahead and to the right at yaw 0.
void sky() {
    glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
    square(LIST_SKY, 5, MAGENTA, -45, 20);
}

int texture(int w, int (*texel)(int x)) {
    std::vector<uint8_t> rgb;
    for (int i = 0; i < 12 * w; ++i)
        rgb.push_back(uint8_t(channel(texel(i / 3 % w), i % 3)));
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, w, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return int(name);
}

// Text in a colour over grey at 60 % coverage or more: grey plus a share of the colour; white
// ink is any bright grey.
bool tinted(const uint8_t* p, int c) {
    const int want[3] = {channel(c, 0), channel(c, 1), channel(c, 2)};
    const int hi      = int(std::max_element(want, want + 3) - want);
    const int lo      = int(std::min_element(want, want + 3) - want);
    if (want[hi] - want[lo] < 25)
        return std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]}) <= 8 &&
               p[0] >= 0.75 * want[0];
    const double a = double(p[hi] - p[lo]) / (want[hi] - want[lo]);
    if (a < 0.6 || a > 1.1) return false;
    const double grey = a > 0.98 ? 0 : (p[lo] - a * want[lo]) / (1 - a);
    for (int k = 0; k < 3; ++k)
        if (std::abs(p[k] - (a * want[k] + (1 - a) * grey)) > 10) return false;
    return true;
}

struct Ink {
    int count = 0, left = W, top = H, right = -1, bottom = -1;
};
Ink inkOf(const Picture& f, int want, int x0 = 0, int y0 = 0, int x1 = W, int y1 = H) {
    Ink ink;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (tinted(f.at(x, y), want)) {
                ++ink.count;
                ink.left   = std::min(ink.left, x);
                ink.right  = std::max(ink.right, x + 1);
                ink.top    = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
    return ink;
}

class Render : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static GameDriver screen; // a display of the test's own, whatever else runs
        setenv("DISPLAY", screen.display().c_str(), 1);
        std::string error;
        static GlWindow* window = openGlWindow(W, H, &error); // kept for the whole suite
        ASSERT_NE(window, nullptr) << error;
        setupScene(W, H, FOV_DEFAULT);
        initTextures(TEXTURE_TABLE_SIZE);
        OverlayTextures& o = overlayTextures;
        o.fontTexture      = loadTexture((gameDir() + "/font.bmp").c_str()) - 1;
        ASSERT_GT(readTexture(o.fontTexture).width, PLACEHOLDER_SIDE) << "no font in " << gameDir();
        // Digit cell k shows red 15k + 15; caption halves and centre pictures levels of their own.
        o.numbersTexture = texture(256, [](int x) { return (x / 16 * 15 + 15) << 16; });
        o.textTexture =
            texture(64, [](int x) { return (x < 32 ? SCORE_GREEN : HEALTH_GREEN) << 8; });
        o.crossTexture = texture(4, [](int) { return CROSS_BLUE; });
        o.deadTexture  = texture(4, [](int) { return DEAD_BLUE; });
    }
    void SetUp() override {
        freshWorld(testWorld);
        placeLocal(testWorld, 0, {0, 0, 0});
        sky();
        for (unsigned list : {LIST_SHIP, LIST_ROCKET, LIST_EXPLOSION})
            square(list, 0.5f);
    }
    Picture frame(const OverlayView& view = OverlayView{}) {
        renderFrame(testWorld, view);
        return readFrame(W, H);
    }
};
} // namespace

TEST_F(Render, TheSkyTurnsWithTheViewGoesWithTheViewerAndLiesBehindEverything) {
    square(LIST_STONE0, 1, RED);
    placePlanet(testWorld, {8, 0, -60}, 2); // beyond the sky, inside the far plane
    const Picture f = frame();
    EXPECT_TRUE(looks(at(f, 20, 0, -45), 0xff00ff));
    EXPECT_TRUE(looks(at(f, 8, 0, -60), 0xff0000));
    EXPECT_TRUE(looks(at(f, -20, 15, -45), GREY));
    testWorld.players[0].pos[0] = 500; // far away: the sky goes with the viewer
    EXPECT_TRUE(looks(at(frame(), 20, 0, -45), 0xff00ff));
    testWorld.players[0].yaw = 90; // looking along +x: the mark is off to the left
    EXPECT_TRUE(looks(at(frame(), 20, 0, -45), GREY));
}

// The finest mesh closer than the diameter, the coarsest beyond 22 (seen above the crosshair).
TEST_F(Render, PlanetsTakeTheirMeshByTheViewersDistance) {
    square(LIST_STONE0, 10, RED);
    square(LIST_STONE1, 10, GREEN);
    square(LIST_STONE2, 10, BLUE);
    // clang-format off
    const struct { float radius, distance; int mesh; } cases[] = {
        {5, 9, 0x0000ff}, {5, 10, 0x00ff00}, {1, 22, 0x00ff00},
        {5, 23, 0xff0000}, {12, 23, 0x0000ff}, {1, 60, 0xff0000}};
    // clang-format on
    for (const auto& c : cases) {
        testWorld.planetCount = 0;
        placePlanet(testWorld, {0, 0, -c.distance}, c.radius);
        EXPECT_TRUE(looks(at(frame(), 0, 0.15f * c.distance, -c.distance), c.mesh)) << c.radius;
    }
}

// Red, blue, green, yellow; the local ship is never drawn, its rockets are.
TEST_F(Render, ShipsAndRocketsWearTheirSlotColoursAndTurnTheWayTheyLook) {
    const int slots[] = {0xff0000, 0x0000ff, 0x00ff00, 0xffff00};
    square(LIST_SHIP, 0.4f, nullptr, -3); // a mark three ahead of the ship
    square(LIST_ROCKET, 0.4f);
    for (int s = 0; s < 4; ++s) {
        if (s > 0) placeShip(testWorld, s, {-9.0f + 2.0f * s, -2, -20});
        placeRocket(testWorld, s, 19, 300, {-9.0f + 2.0f * s, 3, -23});
    }
    const Picture f = frame();
    for (int s = 0; s < 4; ++s)
        EXPECT_TRUE((s == 0 || looks(at(f, -9.0f + 2.0f * s, -2, -23), slots[s])) &&
                    looks(at(f, -9.0f + 2.0f * s, 3, -23), slots[s]))
            << s;
    EXPECT_TRUE(looks(at(f, 0.3f, 0, -3), GREY));
    testWorld.players[3].yaw = 45; // the mark three ahead turns towards +x
    EXPECT_TRUE(looks(at(frame(), -0.88f, -2, -22.12f), slots[3]));
}

// Peers may send any bits: such things are not drawn, explosions still take their draws.
TEST_F(Render, ImpossibleNumbersFromPeersDrawNothingAndStopNothing) {
    square(LIST_STONE0, 1, RED);
    placeShip(testWorld, 1, {NAN_, 0, -5});
    placeShip(testWorld, 3, {0, 0, -5}, INF);
    placeShip(testWorld, 5, {2, 0, -8});
    placeRocket(testWorld, 1, 0, 300, {INF, -INF, 0});
    placeRocket(testWorld, 1, 1, 60, {NAN_, NAN_, NAN_});
    placeRocket(testWorld, 1, 2, 20, {-3e38f, 1e30f, 3e38f});
    placePlanet(testWorld, {NAN_, 0, 0}, 1);
    placePlanet(testWorld, {0, 0, -30}, INF);
    placePlanet(testWorld, {0, 6, -40}, 1);
    testWorld.planets.texture[2] = INT32_MAX; // past every name
    testWorld.planetTextureBase  = 5;
    gameSrand(5);
    const Picture f = frame();
    EXPECT_TRUE(looks(at(f, 2, 0, -8), 0x00ffff)); // the good ship
    EXPECT_TRUE(looks(at(f, 0.6f, 0, -5), GREY));
    const int next = gameRand();
    gameSrand(5);
    EXPECT_EQ(next, gameRand()) << "the explosions drew from the game's own generator";
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// Score caps at 999, health shows 0 to 100; the dead picture replaces the crosshair at 0.
TEST_F(Render, TheOverlayShowsScoreHealthAndCrosshairOrDeadPicture) {
    constexpr int _ = NO_DIGIT;
    // clang-format off
    const struct { int score, health; std::vector<int> digits; int centre, beside; } cases[] = {
        {0, 100, {0, _, _, 1, 0, 0, _}, CROSS_BLUE, 0},   {42, 7, {4, 2, _, 7, _, _, _}, CROSS_BLUE, 0},
        {1000, 250, {9, 9, 9, 1, 0, 0, _}, CROSS_BLUE, 0}, {2147483647, -5, {9, 9, 9, 0, _, _, _}, CROSS_BLUE, 0},
        {3, 0, {3, _, _, 0, _, _, _}, DEAD_BLUE, DEAD_BLUE}};
    // clang-format on
    glClearColor(0, 0, 0, 1);
    for (const auto& c : cases) {
        testWorld.localScore        = c.score;
        testWorld.players[0].health = c.health;
        glClear(GL_COLOR_BUFFER_BIT);
        drawOverlay(testWorld);
        const Picture f = readFrame(W, H);
        std::vector<int> digits; // the score's cells, then the health's
        for (float pen : {-4.2f, 3.0f})
            for (int n = 0; n < (pen < 0 ? 3 : 4); ++n) {
                const int red = at(f, pen + 0.3f * float(n), -3.1f, -6)[0];
                digits.push_back(red ? (red - 8) / 15 : NO_DIGIT);
            }
        EXPECT_EQ(digits, c.digits) << c.score << " " << c.health;
        EXPECT_TRUE(looks(at(f, -3.9f, -2.75f, -6), SCORE_GREEN << 8) &&
                    looks(at(f, 3.34f, -2.75f, -6), HEALTH_GREEN << 8)); // the captions
        EXPECT_TRUE(looks(at(f, 0, 0, -10), c.centre) && looks(at(f, 0.6f, 0, -5), c.beside));
    }
}

TEST_F(Render, AJoinerWaitingSeesWhereItConnectsToCentred) {
    glClearColor(0, 0, 0, 1);
    renderWaitingScreen("127.0.0.1:2345");
    const Ink ink     = inkOf(readFrame(W, H), 0xcce6ff);
    const float width = textWidth("Connecting to 127.0.0.1:2345...", 0.04f * H);
    EXPECT_NEAR(ink.left, (W - width) / 2, 3);
    const int capital = 14; // a capital's ink at 0.04 H, centred on the middle row
    EXPECT_NEAR(ink.top, H / 2 - capital / 2, 3);
    EXPECT_NEAR(ink.bottom, H / 2 + capital / 2, 3);
}

// On Tab: by kills, then fewer deaths; no numbers count 0 and 0; the local row is lighter.
TEST_F(Render, TheScoreboardRanksPlayersAndMarksTheLocalRow) {
    testWorld.localScore         = 1;
    testWorld.roster.localDeaths = 3;
    for (int s = 1; s <= 3; ++s)
        placeShip(testWorld, s, {0, 0, -20}).health = 0;
    setPlayerInfo(testWorld.roster, 1, 5, 2, "ACE");
    setPlayerInfo(testWorld.roster, 2, 1, 0, "BEE");
    OverlayView view{};
    view.scoreboard = true;
    const Picture f = frame(view);
    int tops[4];
    for (int s = 0; s < 4; ++s) // in the names' column
        tops[s] = inkOf(f, SLOT_TEXT[s], int(W * 0.2f) - 2, 0, int(W * 0.416f)).top;
    EXPECT_TRUE(tops[1] < tops[2] && tops[2] < tops[0] && tops[0] < tops[3]);
    for (int s = 1; s < 4; ++s)
        EXPECT_GT(f.at(W / 2, tops[0] + 2)[0], f.at(W / 2, tops[s] + 2)[0] + 30) << s;
    EXPECT_EQ(inkOf(frame(), SLOT_TEXT[1]).count, 0);
}

// "KILLER destroyed VICTIM" top left; chat above the score, the typed line below it.
TEST_F(Render, KillsAndChatShowAsColouredLines) {
    addKillLine(testWorld.messages, 0, 1, 2);
    addChatLine(testWorld.messages, 0, 3, "hello");
    OverlayView view{};
    view.chatOpen = true;
    std::strcpy(view.chatText, "abc");
    const Picture f  = frame(view);
    const Ink killer = inkOf(f, SLOT_TEXT[1], 0, 0, W, H / 10);
    const Ink victim = inkOf(f, SLOT_TEXT[2], 0, 0, W, H / 10);
    const Ink talker = inkOf(f, SLOT_TEXT[3], 0, H / 2, W, int(H * 0.8f));
    ASSERT_TRUE(killer.count && victim.count && talker.count);
    EXPECT_GT(inkOf(f, INK_WHITE, killer.right, 0, victim.left, H / 10).count, 0);
    EXPECT_GT(inkOf(f, INK_WHITE, talker.right, talker.top, W, talker.top + 14).count, 0);
    EXPECT_GT(inkOf(f, INK_WHITE, 0, talker.top + 12, W, int(H * 0.8f)).count, 0);
}

// A ship in view is named; one out of view gets a blue arrow on the edge to turn to.
TEST_F(Render, OtherShipsAreNamedInViewAndPointedToOutOfIt) {
    setPlayerInfo(testWorld.roster, 1, 0, 0, "ACE");
    placeShip(testWorld, 1, {0, 0, -20});
    EXPECT_GT(inkOf(frame(), SLOT_TEXT[1], W / 2 - 60, H / 2 - 60, W / 2 + 60, H / 2).count, 0);
    const int strips[]   = {W - 60, 0, W, H, 0, 0, 60, H, 0, 0, W, 60, 0, H - 60, W, H};
    const float toward[] = {20, 0, 0, -20, 0, 0, 0, 20, 0, 0, 0, 20}; // right, left, up, behind
    for (int side = 0; side < 4; ++side) {
        placeShip(testWorld, 1, {toward[3 * side], toward[3 * side + 1], toward[3 * side + 2]});
        const Picture f = frame();
        for (int k = 0; k < 4; ++k) {
            const int* s = strips + 4 * k;
            EXPECT_EQ(inkOf(f, 0x0808e0, s[0], s[1], s[2], s[3]).count > 10, k == side) << side;
        }
    }
}

TEST_F(Render, HitsFlashTheEdgesAndMarkTheCrosshair) {
    const int x = W / 2 + int(H * 0.035f), y = H / 2 + int(H * 0.035f);
    for (float strength : {0.0f, 1.0f}) {
        OverlayView view{};
        view.hitFlash = view.hitMark = strength;
        const Picture f              = frame(view);
        EXPECT_EQ(looks(f.at(3, H / 2), 0xad2323), strength > 0);
        EXPECT_EQ(inkOf(f, INK_WHITE, x - 4, y - 4, x + 4, y + 4).count > 0, strength > 0);
    }
}

// One scale for every screen: text at least as large in points as at 640 x 480 yet no more
// than a thirtieth of the height, and the widest kill line, the names' column and a full
// scoreboard inside the drawable; the HUD never larger than the projection alone makes it.
TEST(OverlayLayout, TextStaysReadableAndEverythingFitsAtEverySize) {
    const struct {
        int w, h;
        float ratio;
    } sizes[] = {
        {640,  480,  1},
        {1024, 768,  1},
        {1920, 1080, 1},
        {3840, 2160, 1},
        {1280, 960,  2},
        {640,  1080, 1}
    };
    const char* killLine = "ABCDEFGHIJKLMNO destroyed ABCDEFGHIJKLMNO";
    for (const auto& s : sizes) {
        SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h));
        const OverlayLayout l = overlayLayout(s.w, s.h, s.ratio);
        EXPECT_GE(l.textHeight / s.ratio, 14.0f);
        EXPECT_LE(l.textHeight, s.h / 30.0f);
        EXPECT_LE(2 * l.margin + textWidth(killLine, l.textHeight), s.w);
        EXPECT_LE(textWidth("ABCDEFGHIJKLMNO", l.textHeight), s.w * 0.6f * 0.62f);
        EXPECT_LE(s.h * 0.15f + (MAX_PLAYERS + 2) * 1.4f * l.textHeight, s.h);
        EXPECT_LE(l.hudScale, 1.0f);
    }
}
