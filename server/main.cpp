// voranis-server: a game to join that nobody has to play on, for the LAN and beyond.
//
//   voranis-server [--port N] [--name NAME] [--bots N --skill S] [--score-limit N]
//                  [--time-limit MINUTES] [--arena NAME|rotate] [--config FILE] [--quiet]
#include <cstdio>

#include "server/server_loop.h"
#include "server/server_options.h"
#include "step/options.h"

int main(int argc, char** argv) {
    ServerOptions options = defaultServerOptions();
    char problem[SERVER_PROBLEM_SIZE];
    if (!parseServerOptions(argc, argv, &options, problem)) {
        std::fprintf(stderr, "voranis-server: %s\nTry voranis-server --help.\n", problem);
        return EXIT_USAGE;
    }
    if (printHelpOrVersion(options.help, options.version, "voranis-server", printServerUsage))
        return 0;
    return runServer(options, options.quiet ? nullptr : stdout);
}
