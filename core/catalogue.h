// The 66 action types a slot can hold, with their display names. A list row
// in the Configuration dialog equals the type.
#pragma once

enum { ActionTypeCount = 66, ActionNameWidth = 32 };

// Action types with a meaning of their own outside the dispatcher's switch.
enum ActionType {
    ActionNone = 0,
    ActionExecuteProgram = 31,
    ActionSendMessage = 32,
    ActionVirtualKey = 60,
};

extern const char ActionCatalogue[ActionTypeCount][ActionNameWidth];
