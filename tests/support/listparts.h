#pragma once

#include "schedule/listcontroller.h"
#include "schedule/secondticker.h"
#include "schedule/workspace.h"

// The parts under a list controller, which no window gets: the tests set up and look at
// the list through them where the program's owner of the controller would.
struct ListControllerParts {
    static Workspace& workspace(ListController& list) { return list.workspace(); }
    static SecondTicker& ticker(ListController& list) { return list.ticker(); }
};

inline Workspace& workspaceof(ListController& list) {
    return ListControllerParts::workspace(list);
}
inline SecondTicker& tickerof(ListController& list) {
    return ListControllerParts::ticker(list);
}
