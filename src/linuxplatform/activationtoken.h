#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Wayland's xdg-activation token: a launcher gives one to the program it starts, and a
// compositor brings a window forward only for a token. A later start hands its own to
// the running copy, whose window presents it when it comes forward.
namespace activationtoken {

inline constexpr int kMaxBytes = 255;

// Visible ASCII only (no space, no control character), 1 to kMaxBytes bytes.
bool valid(const QString& token);
// This process's own, from its launcher; empty when it has none or none that is valid.
QString own();

} // namespace activationtoken

// Lends a later start's token to Qt's Wayland platform, which presents it (and uses it
// up) when a window asks to come forward, for as long as this lives. What was not used
// goes with it, so neither a child process nor a later raise inherits a stranger's token.
class LentActivationToken {
public:
    explicit LentActivationToken(const QString& token);
    ~LentActivationToken();
    LentActivationToken(const LentActivationToken&) = delete;
    LentActivationToken& operator=(const LentActivationToken&) = delete;

private:
    bool lent_ = false;
    std::optional<QByteArray> before_;
};
