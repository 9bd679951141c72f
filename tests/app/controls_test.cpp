// The binding rules: an input belongs to one action at most, and says which it left; the
// command line's text read or refused whole.
#include <gtest/gtest.h>

#include "app/controls/controls.h"

TEST(Controls, AnInputMovesFromTheActionItLeavesWhichIsNamed) {
    ControlSettings c;
    EXPECT_EQ(bindInput(c, Action::FORWARD, 1, InputCode::MOUSE_LEFT), Action::FIRE);
    EXPECT_EQ(actionOfInput(c, InputCode::MOUSE_LEFT), Action::FORWARD);
    EXPECT_EQ(c.bindings[static_cast<int>(Action::FIRE)][0], InputCode::NONE);
    EXPECT_EQ(bindInput(c, Action::FORWARD, 0, InputCode::MOUSE_LEFT), Action::COUNT) << "its own";
    EXPECT_EQ(bindInput(c, Action::FIRE, 0, InputCode::F12), Action::COUNT);
    EXPECT_EQ(actionOfInput(c, InputCode::F12), Action::COUNT) << "the screenshot key stays";
    restoreDefaultBindings(c);
    EXPECT_EQ(actionOfInput(c, InputCode::MOUSE_LEFT), Action::FIRE);
}

TEST(Controls, BindTextsAreReadWholeOrRefusedNamingWhatIsWrong) {
    const struct {
        const char* text;
        const char* bound; // the action's inputs after it, or what the refusal names
    } TEXTS[] = {
        {"fire=,,mouse x2", ",,Mouse X2"                  },
        {"chat=",           ""                            },
        {"fire=W,A,S",      "more than 2"                 },
        {"jump=W",          "unknown action \"jump\""     },
        {"fire",            "not ACTION=INPUT"            },
        {"fire=Mouse Nine", "unknown input \"Mouse Nine\""},
        {"fire=Space,F12",  "\"F12\" cannot be bound"     },
    };
    for (const auto& t : TEXTS) {
        ControlSettings c;
        char problem[CONTROLS_PROBLEM_SIZE] = {}, bound[BINDING_TEXT_SIZE] = {};
        const bool read = parseBinding(c, t.text, problem);
        formatBinding(c, t.text[0] == 'c' ? Action::CHAT : Action::FIRE, bound);
        EXPECT_NE(std::string(read ? bound : problem).find(t.bound), std::string::npos)
            << t.text << ": " << bound << problem;
        EXPECT_TRUE(read || std::string(bound) == "Mouse Left") << t.text << ": unchanged";
    }
}
