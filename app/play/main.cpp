// tavrol32-play: the main window without a display, driven by tokens from the command line.
#include "app/play/arguments.h"
#include "app/play/session.h"

#include <clocale>
#include <csignal>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // Take the user's locale from the environment as the desktop program's toolkit does, so
    // that a locale-dependent number format would show here too.
    std::setlocale(LC_ALL, "");
    // A write past a file-size limit then fails with EFBIG, which the settings store reports,
    // instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);

    const auto arguments = tavrol::play::parseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!arguments.error.empty()) {
        std::cerr << "tavrol32-play: " << arguments.error << std::endl;
        return tavrol::play::kUsageError;
    }
    try {
        tavrol::play::Session session(arguments.options);
        return session.run(arguments.tokens, std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "tavrol32-play: internal error: " << error.what() << std::endl;
        return 1;
    }
}
