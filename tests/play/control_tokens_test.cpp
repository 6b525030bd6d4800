// Control tokens: a click on a control by its name, and text typed into a box by its name.
#include "app/play/tokens.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrol::play {
namespace {

// A window with one control of every kind, recording which controls were clicked.
class TestWindow : public Form {
public:
    TestWindow()
        : Form("frmTest", "Test", Rect {})
    {
        clickable(add<CommandButton>("btnGo", -1, Rect {}, Style {}, "Go"));
        clickable(add<CommandButton>("btnOff", -1, Rect {}, Style {}, "Off")).setEnabled(false);
        clickable(add<CommandButton>("btnHidden", -1, Rect {}, Style {}, "Hidden")).setVisible(false);
        clickable(add<OptionButton>("optPick", 0, Rect {}, Style {}, "A"));
        clickable(add<OptionButton>("optPick", 1, Rect {}, Style {}, "B"));
        auto& toggle = add<PictureToggle>("picToggle", Rect {}, Style {});
        toggle.onClick = [this] { clicks.push_back("picToggle"); };
        add<Label>("lblInfo", Rect {}, Style {}, "info");
        add<GroupBox>("frameBox", Rect {}, Style {}, "box");
        add<Timer>("tmrTick", 100).setEnabled(true);
        add<TextBox>("txtName", Rect {}, Style {}, "old");
        Style locked;
        locked.readOnly = true;
        add<TextBox>("txtLocked", Rect {}, locked, "old");
        add<TextBox>("txtOff", Rect {}, Style {}, "old").setEnabled(false);
        // Takes no digits, as a box that filters what is typed.
        add<TextBox>("txtLetters", Rect {}, Style {}, "old").inputFilter = [](std::string text) {
            std::erase_if(text, [](char c) { return c >= '0' && c <= '9'; });
            return text;
        };
    }
    std::string textOf(const char* key) const { return static_cast<const TextBox&>(*find(key)).text(); }
    std::vector<std::string> clicks;

private:
    Clickable& clickable(Clickable& control)
    {
        control.onClick = [this, &control] { clicks.push_back(control.key()); };
        return control;
    }
};

struct ClickRow {
    const char* behaviour;
    const char* token;
    TokenResult result;
    std::vector<std::string> clicks;
};

class ClickToken : public testing::TestWithParam<ClickRow> { };

TEST_P(ClickToken, clicksOnlyWhatTheUserCouldClick)
{
    TestWindow window;
    EXPECT_EQ(applyControlToken(window, GetParam().token), GetParam().result);
    EXPECT_EQ(window.clicks, GetParam().clicks);
}

using enum TokenResult;

INSTANTIATE_TEST_SUITE_P(ControlToken, ClickToken,
    testing::Values(ClickRow { "commandButton", "btnGo", Handled, { "btnGo" } },
        ClickRow { "arrayElement", "optPick(1)", Handled, { "optPick(1)" } },
        ClickRow { "pictureToggle", "picToggle", Handled, { "picToggle" } },
        ClickRow { "disabledDoesNothing", "btnOff", Handled, {} },
        ClickRow { "hiddenDoesNothing", "btnHidden", Handled, {} },
        ClickRow { "labelTakesNoClick", "lblInfo", Unknown, {} },
        ClickRow { "groupBoxTakesNoClick", "frameBox", Unknown, {} },
        ClickRow { "timerTakesNoClick", "tmrTick", Unknown, {} },
        ClickRow { "textBoxTakesNoClick", "txtName", Unknown, {} },
        ClickRow { "arrayWithoutIndex", "optPick", Unknown, {} },
        ClickRow { "indexOutOfRange", "optPick(2)", Unknown, {} },
        ClickRow { "indexWithLeadingZero", "optPick(01)", Unknown, {} },
        ClickRow { "indexOnSingleControl", "btnGo(0)", Unknown, {} },
        ClickRow { "namesAreCaseSensitive", "btngo", Unknown, {} }, ClickRow { "captionIsNotAName", "Go", Unknown, {} },
        ClickRow { "unknownName", "btnNone", Unknown, {} }),
    [](const auto& row) { return std::string(row.param.behaviour); });

struct TypeRow {
    const char* behaviour;
    const char* token;
    TokenResult result;
    const char* box;
    const char* text;
};

class TypeToken : public testing::TestWithParam<TypeRow> { };

TEST_P(TypeToken, replacesTheTextOfAnEditableBox)
{
    TestWindow window;
    EXPECT_EQ(applyControlToken(window, GetParam().token), GetParam().result);
    EXPECT_EQ(window.textOf(GetParam().box), GetParam().text);
    EXPECT_TRUE(window.clicks.empty());
}

INSTANTIATE_TEST_SUITE_P(ControlToken, TypeToken,
    testing::Values(TypeRow { "replaces", "txtName=Roll", Handled, "txtName", "Roll" },
        TypeRow { "keepsLaterEquals", "txtName=3+x=", Handled, "txtName", "3+x=" },
        TypeRow { "empties", "txtName=", Handled, "txtName", "" },
        TypeRow { "keepsUtf8", "txtName=\u00D7\u00F7", Handled, "txtName", "\u00D7\u00F7" },
        TypeRow { "readOnlyIgnoresTyping", "txtLocked=x", Handled, "txtLocked", "old" },
        TypeRow { "disabledIgnoresTyping", "txtOff=x", Handled, "txtOff", "old" },
        TypeRow { "filterApplies", "txtLetters=a1b2", Handled, "txtLetters", "ab" },
        TypeRow { "labelTakesNoText", "lblInfo=x", Unknown, "txtName", "old" },
        TypeRow { "buttonTakesNoText", "btnGo=x", Unknown, "txtName", "old" },
        TypeRow { "unknownBox", "txtNone=x", Unknown, "txtName", "old" },
        TypeRow { "noName", "=x", Unknown, "txtName", "old" }),
    [](const auto& row) { return std::string(row.param.behaviour); });

} // namespace
} // namespace tavrol::play
