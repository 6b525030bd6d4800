// The main window: its controls, its state and its handlers. Every handler is a member named as
// the user-facing behaviour is described (btnDigit_Click, Display_Change, ...); each is defined
// in the folder of the subsystem that owns it.
#pragma once

#include "platform/control.h"
#include "platform/form.h"
#include "platform/ports.h"
#include "programs/key_code.h"
#include "tape/line_model.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrol {

class frmCustom;
class frmTavrol;

// Hears of every press of a dice key, an operator key or a programmable key: before the press
// changes anything, and once it is done, with the window as it then stands. The session's log
// listens here. The presses a programmed key plays are told too, inside its own.
class PressObserver {
public:
    virtual ~PressObserver() = default;
    virtual void pressStarts(const frmTavrol& window, KeyPress key) = 0;
    virtual void pressEnds(const frmTavrol& window, KeyPress key) = 0;
};

// A control array of keys, addressed by its own kind of key: btnDice[DiceKey::Reroll].
template <class Key, std::size_t N> class KeyRow {
public:
    CommandButton*& operator[](Key key) { return buttons_[static_cast<std::size_t>(key)]; }
    CommandButton* operator[](Key key) const { return buttons_[static_cast<std::size_t>(key)]; }
    static constexpr std::size_t size() { return N; }
    auto begin() const { return buttons_.begin(); }
    auto end() const { return buttons_.end(); }
    // The key at `index`, or null outside the array.
    CommandButton* at(int index) const
    {
        return index >= 0 && static_cast<std::size_t>(index) < N ? buttons_[static_cast<std::size_t>(index)] : nullptr;
    }

private:
    std::array<CommandButton*, N> buttons_ {};
};

struct FormPorts {
    SettingsStore& settings;
    LinePrinter& printer;
    MessageBox& messages;
    ModalHost& modal;
    RandomSource& random;
};

class frmTavrol : public Form {
public:
    explicit frmTavrol(FormPorts ports);
    ~frmTavrol() override;

    // Control arrays; declared before the single controls because building the window, which
    // binds `pauser`, fills them.
    KeyRow<CustomKey, std::size(kCustomKeys)> btnCustom;
    KeyRow<DiceKey, std::size(kDiceKeys)> btnDice;
    KeyRow<ClearKey, std::size(kClearKeys)> btnClear;
    KeyRow<DigitKey, std::size(kDigitKeys)> btnDigit;
    KeyRow<MemoryKey, std::size(kMemoryKeys)> btnMemory;
    KeyRow<OperatorKey, std::size(kOperatorKeys)> btnOperator;
    // Single controls.
    Timer& pauser;
    TextBox& DiceBox;
    PictureToggle& btnPrint;
    Label& Mem;
    Label& statuswatch;
    Label& Display;

    // State. The evaluator starts at rest so that a calculation made during the start-up banner
    // is already right.
    bool DecimalEntered = false;
    std::string LastKey;
    std::string MemoryText;
    double HeldSum = 0;
    std::string HeldOp = "+";
    double RunValue = 0;
    std::string PendingOp = "+";
    std::string CommandLine;
    std::vector<std::int16_t> DiceArray; // element 0 is the count; empty until the first roll

    // Window events (shell/).
    void Form_Load();
    void Form_DblClick();
    void pauser_Timer();
    void Form_Unload(); // the program ends: the main window is closed

    // Tape (tape/).
    void btnPrint_Click();

    // Calculator (calculator/).
    void btnDigit_Click(DigitKey Index);
    void Display_Change();
    void btnOperator_Click(OperatorKey Index);
    double compute(double v1, double v2, const std::string& op);
    void btnMemory_Click(MemoryKey Index);
    void btnClear_Click(ClearKey Index);

    // Dice (dice/).
    void btnDice_Click(DiceKey Index);
    std::int16_t RandomRange(int lobound, int upbound);
    double DiceBoxFill(double Iter, int lob, int upb);
    void DiceBoxSort(int Direction);
    long long DiceArraytoDiceBox(double& Iter);
    // A roll's list: `dice` elements of 0 after the count in element 0.
    void sizeDiceList(int dice);

    // Programmable keys (programs/).
    void btnCustom_Click(CustomKey Index);
    void keyplay(std::string& equation);
    void LoadCustom();
    // Runs after LoadCustom has set the programmable keys, so that what describes them can follow.
    std::function<void()> onCustomLoaded;
    // The programming window while it is loaded, or null; loading it runs its load step.
    frmCustom* customWindow() const;
    frmCustom& loadCustomWindow();

    // The button of a key of the tables; null for an index outside its array.
    CommandButton* key(KeyPress press) const;

    // The display read as a number; text that does not read as one (the banner, a lone ".")
    // counts as 0.
    double displayValue() const;

    FormPorts& ports() { return ports_; }
    // Null while nobody listens (the headless driver, the odds' own windows).
    PressObserver* pressObserver = nullptr;
    bool tapeOn() const; // the tape prints while btnPrint's Tag is "Pon"

private:
    // Tells the press observer of a press for as long as it lives: one at the top of a handler.
    class ToldPress {
    public:
        ToldPress(frmTavrol& window, KeyPress key);
        ~ToldPress();
        ToldPress(const ToldPress&) = delete;
        ToldPress& operator=(const ToldPress&) = delete;

    private:
        frmTavrol& window_;
        KeyPress key_;
    };

    Timer& buildControls();
    template <class Key, std::size_t N, class StyleOf> void addKeys(KeyRow<Key, N>& row, StyleOf styleOf);
    void addDiceListAndTapeToggle();
    void addLabels();
    void wireHandlers();
    void showOverflow();
    // The dice keys' branches (dice/).
    bool restoreReroll(DiceKey& Index); // false, with "Not Defined", when nothing is remembered
    double rollGroups(double count, int dice, int lob, int upb);
    double rollAverageDice(double count);
    double pressXDn();
    void printTapeLine(double value, const std::string& text);

    FormPorts ports_;
    std::unique_ptr<frmCustom> custom_;
    bool toldStoreUnreadable_ = false;
    TapeWriter tape_; // the tape's lines, laid out in columns, on their way to the printer
};

// What the reroll key's record remembers: the dice key and the count it goes on to press; nothing
// when it remembers no roll.
struct RememberedRoll {
    DiceKey key;
    std::string count; // as the display is given it
};
std::optional<RememberedRoll> rememberedRoll(std::string_view record);

// Texts the window shows that are not tied to one handler.
namespace texts {
inline constexpr const char* kDesignCaption = "Tavrol32 Beta 1";
inline constexpr const char* kBanner = "Tavrol 32";
// The status line while the display shows an overflow.
inline constexpr const char* kOverflowStatus = "==== Error ====";
extern const char* const kCreditLine;
extern const char* const kAboutTitle;
std::string aboutText();
} // namespace texts

} // namespace tavrol
