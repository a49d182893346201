#include <cstdio>

#include "host/Cli.h"

int main(int argc, char** argv) {
    if (argc >= 2 && cli::IsSubcommand(argv[1])) return cli::Run(argc, argv);
    std::fputs("zorvant: the desktop program is not built yet; see 'zorvant help'\n", stderr);
    return 2;
}
