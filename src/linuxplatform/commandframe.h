#pragma once

#include "platform/remotecommand.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

// The bytes of commands and replies on the single-instance socket. A frame is a 4-byte
// big-endian length and that many bytes: a protocol tag and the fields, UTF-8, each
// ended by a NUL. Lengths are bounded before anything is read or allocated.
namespace commandframe {

inline constexpr uint32_t kMaxRequest = 64 * 1024;      // a path, a 255-byte text
inline constexpr uint32_t kMaxReply = 64 * 1024 * 1024; // a very long list
inline constexpr int kHeaderBytes = 4;

QByteArray request(const RemoteCommand& command);
QByteArray reply(const RemoteReply& reply);

// The payload length a frame header announces; nothing when it is 0 or above `most`.
std::optional<uint32_t> payloadlength(const QByteArray& header, uint32_t most);
// A payload back into its command: a known verb with its number of arguments, valid
// UTF-8 throughout, or nothing.
std::optional<RemoteCommand> parserequest(const QByteArray& payload);
std::optional<RemoteReply> parsereply(const QByteArray& payload);

} // namespace commandframe
