#include "linuxplatform/activationtoken.h"

#include <algorithm>

namespace {
// Where launchers put the token, and where Qt's Wayland platform takes it from.
constexpr const char* kVariable = "XDG_ACTIVATION_TOKEN";
} // namespace

bool activationtoken::valid(const QString& token) {
    return !token.isEmpty() && token.size() <= kMaxBytes &&
           std::all_of(token.begin(), token.end(),
                       [](QChar c) { return c.unicode() > u' ' && c.unicode() < 127; });
}

QString activationtoken::own() {
    const QString token = qEnvironmentVariable(kVariable);
    return valid(token) ? token : QString();
}

LentActivationToken::LentActivationToken(const QString& token) {
    if (!activationtoken::valid(token)) return;
    if (qEnvironmentVariableIsSet(kVariable)) before_ = qgetenv(kVariable);
    lent_ = qputenv(kVariable, token.toLatin1());
}

LentActivationToken::~LentActivationToken() {
    if (!lent_) return;
    if (before_)
        qputenv(kVariable, *before_);
    else
        qunsetenv(kVariable);
}
