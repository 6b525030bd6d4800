// Start-up: the banner and credit, the pause timer that clears them once, keys pressed meanwhile;
// and the about box a double click shows.
#include "harness.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace tavrol::testing {
namespace {

TEST(StartUp, showsBannerCreditAndArmsTimer)
{
    Window window(false);
    frmTavrol& f = window.form;
    EXPECT_EQ(f.Display.caption(), "Tavrol 32");
    EXPECT_EQ(f.caption(), texts::kCreditLine);
    EXPECT_TRUE(f.pauser.enabled());
    EXPECT_EQ(f.pauser.interval(), 5000);
    EXPECT_EQ(f.MemoryText, "0");
    EXPECT_FALSE(f.statuswatch.visible());
    EXPECT_EQ(f.Mem.caption(), "");
    EXPECT_FALSE(f.btnMemory[MemoryKey::Clear]->enabled());
    EXPECT_FALSE(f.btnMemory[MemoryKey::Recall]->enabled());
    EXPECT_TRUE(f.btnCustom[CustomKey::Program]->enabled());
    EXPECT_EQ(f.btnPrint.tag(), "Poff");
    EXPECT_EQ(f.btnPrint.picture(), "");
}

TEST(StartUp, timerTickClearsOnceAndRestoresCaption)
{
    Window window(false);
    frmTavrol& f = window.form;
    window.pressAll("4 2");
    f.pauser.tick();
    EXPECT_EQ(f.Display.caption(), "0.");
    EXPECT_EQ(f.caption(), texts::kDesignCaption);
    EXPECT_EQ(f.CommandLine, "");
    EXPECT_FALSE(f.pauser.enabled());
    window.press("7");
    f.pauser.tick(); // disabled now: no second clear
    EXPECT_EQ(f.Display.caption(), "7.");
}

TEST(StartUp, allClearDuringBannerStopsTimer)
{
    Window window(false);
    window.press("AC");
    EXPECT_FALSE(window.form.pauser.enabled());
    EXPECT_EQ(window.form.caption(), texts::kDesignCaption);
}

// Keys work during the banner, and a calculation made then is right from the first key.
TEST(StartUp, calculationDuringBannerIsRight)
{
    const struct {
        const char* keys;
        const char* shown;
    } rows[] = { { "2 + 3 =", "5." }, { "2 \u00D7 3 + 1 =", "7." }, { "6 \u00F7 4 =", "1.5" } };
    for (const auto& row : rows) {
        Window window(false);
        window.pressAll(row.keys);
        EXPECT_EQ(window.display(), row.shown) << row.keys;
    }
}

TEST(StartUp, bannerReadsAsZeroForEveryKeyThatTakesANumber)
{
    const struct {
        const char* key;
        const char* shown;
    } rows[] = { { "+", "0." }, { "=", "0." }, { "%", "0." }, { "\u00B1", "0." }, { "\u00D7", "0." },
        { "M+", "Tavrol 32" } };
    for (const auto& row : rows) {
        Window window(false);
        window.press(row.key);
        EXPECT_EQ(window.display(), row.shown) << row.key;
        EXPECT_EQ(window.form.MemoryText, "0") << row.key;
    }
}

TEST(About, doubleClickShowsAboutBox)
{
    Window window;
    window.form.doubleClick();
    ASSERT_EQ(window.messages.shown.size(), 1u);
    EXPECT_EQ(window.messages.shown[0].title, "about Tavrol32...");
    const std::string& text = window.messages.shown[0].text;
    EXPECT_TRUE(text.starts_with("Tavrol 32bit Beta 1\r"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 3);
    EXPECT_EQ(text.find('\n'), std::string::npos);
}

} // namespace
} // namespace tavrol::testing
