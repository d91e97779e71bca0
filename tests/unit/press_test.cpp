// The press state machine, with a clock passed in.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "core/held_choices.h"
#include "remote/press.h"

namespace {

// Events "c5@110/500": code 5 handled at 110, done with at 500; "t@900": a
// look with no code. Runs "time:slots", r a held repeat, o the press before;
// "+ms" when the press asks for a look without a code.
struct PressCase {
    int choice;    // of every key
    const char* events;
    const char* runs;
};

const PressCase PressCases[] = {
    { ChoiceAutomatic, "c5@0 c5@110 c5@220", "0:f 110:fr 220:fr" },
    { ChoiceAutomatic, "c5@0 c5@600", "0:f 600:f" },                  // two presses
    { ChoiceAutomatic, "c5@0/500 c5@650", "0:f 650:fr" },             // gap from the slow action's end
    { ChoiceAutomatic, "c5@0 c6@110 c5@220", "0:f 110:f 220:f" },     // another key between
    { ChoiceRepeat, "c5@0 c5@110", "0:f 110:f" },
    { ChoiceOnce, "c5@0 c5@110 c5@220", "0:f" },
    { ChoiceLongPress, "c5@0 t@199 t@200 t@900", "+200 +1 200:3o" },    // short: 1, 2 at its end
    { ChoiceLongPress, "c5@0 c5@150 c5@300 c5@450 t@600 c5@620 t@900", "+200 +200 +200 +150 600:co" },
    { ChoiceLongPress, "c5@0 c6@100", "+200 100:3o +200" },              // cut short by another key
    { ChoiceLongPress, "c5@0 c5@150 c5@300 c5@450 c5@640", "+200 +200 +200 +150 640:co" },    // seen late
};

std::string Trace(const PressCase& c)
{
    const PressTimes t = PressTimesOf(200, 600);
    PressState p = {};
    std::string out;
    std::string events = c.events;
    for (char* e = strtok(&events[0], " "); e; e = strtok(NULL, " ")) {
        int code = 0;
        unsigned at = 0, done = ~0u;
        bool isCode = e[0] == 'c';
        if (isCode ? sscanf(e, "c%d@%u/%u", &code, &at, &done) < 2 : sscanf(e, "t@%u", &at) < 1)
            return "bad event " + std::string(e);
        done = done == ~0u ? at : done;
        PressStep s = isCode ? PressCode(&p, code, c.choice, at, t) : PressTime(&p, at, t);
        for (int i = 0; i < s.count; ++i)
            out += (out.empty() ? "" : " ") + std::to_string(at) + ":" +
                   "0123456789abcdef"[s.runs[i].slots] + (s.runs[i].heldRepeat ? "r" : "") +
                   (s.runs[i].pressBefore ? "o" : "");
        if (isCode)
            PressCodeDone(&p, done);
        if (PressDueIn(p, done, t) != INFINITE)
            out += (out.empty() ? "+" : " +") + std::to_string(PressDueIn(p, done, t));
    }
    return out;
}

}  // namespace

TEST(PressMachine, CodesAndTimesGiveTheSlotsOfTheTable)
{
    for (const PressCase& c : PressCases)
        EXPECT_EQ(c.runs, Trace(c)) << c.events;
    EXPECT_EQ(50u, PressTimesOf(0, -5).longPress);
}
