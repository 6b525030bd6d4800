// Runs the unit tables under the locale the environment names, so that a run under a
// comma-decimal locale proves number text never follows the user's locale.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <locale>

int main(int argc, char** argv)
{
    const bool required = std::getenv("TAVROL_REQUIRE_COMMA_LOCALE") != nullptr;
    const char* set = std::setlocale(LC_ALL, "");
    try {
        std::locale::global(std::locale(""));
    } catch (const std::exception&) {
        set = nullptr;
    }
    if (required && (set == nullptr || std::strcmp(std::localeconv()->decimal_point, ",") != 0)) {
        std::fprintf(stderr, "the environment's locale (%s) is missing or has no comma decimal point\n",
            std::getenv("LC_ALL") ? std::getenv("LC_ALL") : "unset");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
