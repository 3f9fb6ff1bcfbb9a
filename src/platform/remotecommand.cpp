#include "platform/remotecommand.h"

int remoteverbs::argumentcount(const QString& verb) {
    static const std::pair<const char*, int> verbs[] = {
        {Started, 0},  {Open, 1},    {Add, 4},  {List, 1},   {Start, 1}, {Stop, 1}, {Delete, 1},
        {StartAll, 0}, {StopAll, 0}, {Save, 0}, {SaveAs, 1}, {Show, 0},  {Quit, 0}};
    for (const auto& [name, count] : verbs)
        if (verb == QLatin1String(name)) return count;
    return -1;
}
