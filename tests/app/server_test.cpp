// The dedicated server's options and config file, and its event lines.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "server/event_log.h"
#include "server/server_options.h"

namespace {
std::string lineSays(std::vector<const char*> args, ServerOptions* options) {
    char problem[SERVER_PROBLEM_SIZE] = "";
    args.insert(args.begin(), "voranis-server");
    parseServerOptions(static_cast<int>(args.size()), args.data(), options, problem);
    return problem;
}
} // namespace

TEST(ServerOptions, BadFileLinesAndOptionsAreNamedAndTheCommandLineWinsOverTheFile) {
    const std::string path = testing::TempDir() + "voranis-" + std::to_string(getpid()) + ".conf";
    ServerOptions before{}, after{};
    const auto fileSays = [&](const std::string& text) {
        std::ofstream(path) << text;
        return lineSays({"--config", path.c_str()}, &before);
    };
    // clang-format off
    const std::pair<std::string, std::string> file[] = {
        {"\nport", "2: want"}, {"x = 3", "1: unknown"}, {"config = a", "1: unknown"},
        {"port = 0", "1: port"}, {"port = 65536", "1: port"}, {"port = 2x", "1: port"},
        {"bots = 8", "1: bots"}, {"skill = 4", "1: skill"}, {"score-limit = 1000", "1: score-"},
        {"name =", "1: name"}, {"name = A\tB", "1: name"}, {"arena = a/b", "1: arena"},
        {"name = " + std::string(64, 'n'), "1: name"}, {"# " + std::string(300, 'x'), "1: a line"},
        {"arena = " + std::string(21, 'a'), "1: arena"}, {std::string("a\0b", 3), "1: a NUL"},
    };
    const std::pair<std::vector<const char*>, std::string> line[] = {
        {{"--port", "99999"}, "--port wants"}, {{"--bots=9"}, "--bots want"}, {{"2"}, "unexpected"},
        {{"--skill"}, "--skill wants a"}, {{"--help=1"}, "--help takes"}, {{"-p"}, "unknown"},
        {{"--port="}, "--port wants a number"}, {{"--skill", "-1"}, "--skill wants a number"},
        {{"--time-limit", "99999999999999999999"}, "--time-limit wants a number"},
        {{"--config", "/none/s.conf"}, "cannot read /none/s.conf: No such file"},
        {{"--record", ""}, "--record wants a folder's path"},
    };
    // clang-format on
    for (const auto& [text, want] : file)
        EXPECT_EQ(fileSays(text).substr(0, path.size() + 1 + want.size()), path + ":" + want);
    for (const auto& [args, want] : line)
        EXPECT_EQ(lineSays(args, &before).substr(0, want.size()), want) << args[0];
    std::ofstream(path) << "# a\n\n  port = 2400 \r\nname = A = 2\narena = rotate\nbots = 3\nrecord = /srv/demos";
    lineSays({"--port=2500", "--config", path.c_str()}, &before);
    lineSays({"--config", path.c_str(), "--port", "2500"}, &after);
    EXPECT_EQ(before.port, 2500);
    EXPECT_EQ(after.port, 2500);
    EXPECT_EQ(after.bots, 3);
    EXPECT_STREQ(after.recordFolder, "/srv/demos");
    std::remove(path.c_str());
}

TEST(EventLog, ALineIsTheLocalTimeToTheSecondAndTheEventItsTextsPrintable) {
    std::tm t{};
    t.tm_year              = 2026 - 1900;
    t.tm_mon               = 11;
    t.tm_mday              = 7;
    t.tm_hour              = 22;
    t.tm_min               = 41;
    t.tm_sec               = 44;
    t.tm_isdst             = -1;
    const std::string path = testing::TempDir() + "voranis-" + std::to_string(getpid()) + ".log";
    FILE* f                = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    logChat(f, std::mktime(&t), 3, "BO\nB", "hi\tall");
    std::stringstream text; // read while the log is still open
    text << std::ifstream(path).rdbuf();
    EXPECT_EQ(text.str(), "2026-12-07 22:41:44 chat slot 3 BO?B: hi?all\n") << "flushed at once";
    std::fclose(f);
    std::remove(path.c_str());
}
