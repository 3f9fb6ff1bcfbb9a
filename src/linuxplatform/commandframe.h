#pragma once

#include "platform/remotecommand.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

// The bytes of commands and replies on the single-instance socket. A frame is a 4-byte
// big-endian length and that many bytes: a protocol tag and the fields, UTF-8, each
// ended by a NUL. A request may end with the later start's activation token
// ("activation-token=" and the token). Lengths are bounded before anything is read or
// allocated.
namespace commandframe {

inline constexpr uint32_t kMaxRequest = 64 * 1024;      // a path, a 255-byte text
inline constexpr uint32_t kMaxReply = 64 * 1024 * 1024; // a very long list
inline constexpr int kHeaderBytes = 4;

QByteArray request(const RemoteCommand& command);
QByteArray reply(const RemoteReply& reply);

// The payload length a frame header announces; nothing when it is 0 or above `most`.
std::optional<uint32_t> payloadlength(const QByteArray& header, uint32_t most);
// A payload back into its command: a known verb with its number of arguments, valid
// UTF-8 throughout, or nothing. A token that is too long or holds what no token holds
// is dropped, and the command kept.
std::optional<RemoteCommand> parserequest(const QByteArray& payload);
std::optional<RemoteReply> parsereply(const QByteArray& payload);

} // namespace commandframe
