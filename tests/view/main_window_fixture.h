// The main window with fake ports, drawn by a QtFormView, offscreen.
#pragma once

#include "dice/random_source.h"
#include "platform/recording_ports.h"
#include "programs/frmCustom.h"
#include "shell/frmTavrol.h"
#include "view/control_widgets.h"
#include "view/main_window_keys.h"
#include "view/qt_form_view.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace tavrol::qt::testing {

// With no faces scripted, every draw is 0: each die lands on its lowest face.
using LowestFace = ScriptedFaces;

class MainWindowView : public ::testing::Test {
protected:
    MemorySettings settings;
    RecordingPrinter printer;
    RecordingMessageBox messages;
    NullModalHost modal;
    LowestFace random { {} };
    frmTavrol form { FormPorts { settings, printer, messages, modal, random } };
    QtFormView view { form };

    void showWindow()
    {
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    // The widget drawn for the control named `key`; fails the test when there is none.
    template <class W = QWidget> W* widget(const char* key)
    {
        W* found = view.findChild<W*>(QString::fromLatin1(key));
        EXPECT_NE(found, nullptr) << "no widget of the expected kind for " << key;
        return found;
    }

    // The dice list as drawn; fails the test when it is not the read-only list of lines.
    ModelListView* diceList()
    {
        auto* found = dynamic_cast<ModelListView*>(widget("DiceBox"));
        EXPECT_NE(found, nullptr) << "the dice list is not a read-only list of lines";
        return found;
    }
};

// The main window active, with its keyboard: keys typed go to the control with the focus.
class TypingOnTheWindow : public MainWindowView {
protected:
    MainWindowKeys keys { form, view };

    void SetUp() override
    {
        QGuiApplication::clipboard()->clear(); // what a test finds there, it copied itself
        view.show();
        QApplication::setActiveWindow(&view);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    }

    static void type(const char* text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    static void type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }

    // 12 + 30 = typed, Return for the equals key: 42 on the display.
    static void calculate()
    {
        type("12+30");
        type(Qt::Key_Return);
    }
};

} // namespace tavrol::qt::testing
