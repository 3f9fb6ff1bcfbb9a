#include "ui/appglobals.h"

#include "platform/dialogs.h"

void AppGlobals::infobox(const QString& text) {
    platform.dialogs->infobox(text);
}
