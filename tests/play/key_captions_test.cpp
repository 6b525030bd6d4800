// The main window's key captions as play tokens: every key by its caption and its aliases, none
// of the programmable keys, and the captions the keys showed when they were taken.
#include "app/play/tokens.h"
#include "platform/recording_ports.h"
#include "shell/frmTavrol.h"

#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <utility>

namespace tavrol::play {
namespace {

class NoModal : public ModalHost {
public:
    void showModal(Form&) override { ADD_FAILURE() << "no window is shown modally here"; }
};

class NoRandom : public RandomSource {
public:
    void reseedFromClock() override { }
    float next() override
    {
        ADD_FAILURE() << "nothing draws here";
        return 0;
    }
};

struct MainWindow {
    MemorySettings settings;
    RecordingPrinter printer;
    RecordingMessageBox messages;
    NoModal modal;
    NoRandom random;
    frmTavrol window { FormPorts { settings, printer, messages, modal, random } };
    MainWindow() { window.Form_Load(); }
};

struct CaptionRow {
    const char* token;
    const char* key;
};

class KeyCaption : public testing::TestWithParam<CaptionRow> { };

TEST_P(KeyCaption, namesTheKeyShowingItAtStart)
{
    MainWindow main;
    const KeyCaptions captions;
    const KeyPress* key = captions.find(GetParam().token);
    ASSERT_NE(key, nullptr) << GetParam().token;
    const CommandButton* button = main.window.key(*key);
    ASSERT_NE(button, nullptr) << GetParam().token;
    EXPECT_EQ(button->key(), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(KeyCaptions, KeyCaption,
    testing::Values(CaptionRow { "0", "btnDigit(0)" }, CaptionRow { "1", "btnDigit(1)" },
        CaptionRow { "2", "btnDigit(2)" }, CaptionRow { "3", "btnDigit(3)" }, CaptionRow { "4", "btnDigit(4)" },
        CaptionRow { "5", "btnDigit(5)" }, CaptionRow { "6", "btnDigit(6)" }, CaptionRow { "7", "btnDigit(7)" },
        CaptionRow { "8", "btnDigit(8)" }, CaptionRow { "9", "btnDigit(9)" }, CaptionRow { ".", "btnDigit(10)" },
        CaptionRow { "\u00B1", "btnOperator(0)" }, CaptionRow { "%", "btnOperator(1)" },
        CaptionRow { "\u00D7", "btnOperator(2)" }, CaptionRow { "\u00F7", "btnOperator(3)" },
        CaptionRow { "+", "btnOperator(4)" }, CaptionRow { "-", "btnOperator(5)" },
        CaptionRow { "=", "btnOperator(6)" }, CaptionRow { "MC", "btnMemory(0)" }, CaptionRow { "MR", "btnMemory(1)" },
        CaptionRow { "M-", "btnMemory(2)" }, CaptionRow { "M+", "btnMemory(3)" }, CaptionRow { "AC", "btnClear(0)" },
        CaptionRow { "CE", "btnClear(1)" }, CaptionRow { "d4", "btnDice(0)" }, CaptionRow { "d6", "btnDice(1)" },
        CaptionRow { "d8", "btnDice(2)" }, CaptionRow { "d10", "btnDice(3)" }, CaptionRow { "d12", "btnDice(4)" },
        CaptionRow { "d20", "btnDice(5)" }, CaptionRow { "d%", "btnDice(6)" }, CaptionRow { "3d6", "btnDice(7)" },
        CaptionRow { "fudge", "btnDice(8)" }, CaptionRow { "dAvg", "btnDice(9)" }, CaptionRow { "xDn", "btnDice(10)" },
        CaptionRow { "best", "btnDice(11)" }, CaptionRow { "worst", "btnDice(12)" },
        CaptionRow { "reroll", "btnDice(13)" }, CaptionRow { "Program", "btnCustom(6)" }),
    [](const auto& row) {
        std::string name;
        for (const char c : std::string_view(row.param.key))
            if (std::isalnum(static_cast<unsigned char>(c)))
                name += c;
        return name;
    });

TEST(KeyCaptions, aliasesNameTheSameKeysAsTheirCaptions)
{
    MainWindow main;
    const KeyCaptions captions;
    for (const auto& [alias, caption] : { std::pair { "*", "\u00D7" }, { "/", "\u00F7" }, { "+/-", "\u00B1" } }) {
        ASSERT_NE(captions.find(alias), nullptr) << alias;
        ASSERT_NE(captions.find(caption), nullptr) << caption;
        EXPECT_EQ(*captions.find(alias), *captions.find(caption)) << alias;
    }
}

TEST(KeyCaptions, leaveOutProgrammableKeysAndOtherText)
{
    MainWindow main;
    const KeyCaptions captions;
    for (int i = 0; i < kProgrammableKeys; ++i)
        EXPECT_EQ(captions.find(main.window.btnCustom[programmableKey(i)]->caption()), nullptr) << i;
    for (const char* token : { "Tavrol 32", "x", "", "btnDigit(1)", "\u00D7\u00D7" })
        EXPECT_EQ(captions.find(token), nullptr) << token;
}

TEST(KeyCaptions, keepTheCaptionsTheKeysShowedWhenTaken)
{
    MainWindow main;
    const KeyCaptions captions;
    main.window.btnDice[DiceKey::D4]->setCaption("d4!");
    main.window.btnCustom[programmableKey(0)]->setCaption("Roll");
    ASSERT_NE(captions.find("d4"), nullptr);
    EXPECT_EQ(*captions.find("d4"), KeyPress::of(DiceKey::D4));
    EXPECT_EQ(captions.find("d4!"), nullptr);
    EXPECT_EQ(captions.find("Roll"), nullptr);
}

} // namespace
} // namespace tavrol::play
