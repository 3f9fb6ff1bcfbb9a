#include "linuxplatform/commandframe.h"

#include "linuxplatform/activationtoken.h"

#include <QStringDecoder>
#include <QtEndian>

namespace {

constexpr char kRequestTag[] = "chimelet-command-1";
constexpr char kReplyTag[] = "chimelet-reply-1";
// The optional field after a request's arguments; frames without it stay as they were.
constexpr char kTokenField[] = "activation-token=";

QByteArray frame(const char* tag, const QStringList& fields) {
    QByteArray payload(tag);
    payload += '\0';
    for (const QString& f : fields) {
        // A NUL inside a field would end it early; the command line cannot give one.
        payload += f.toUtf8().replace('\0', ' ');
        payload += '\0';
    }
    QByteArray out(commandframe::kHeaderBytes, '\0');
    qToBigEndian(static_cast<quint32>(payload.size()), out.data());
    return out + payload;
}

// The fields after the tag, when the payload is the tag's and every byte is UTF-8.
std::optional<QStringList> fields(const QByteArray& payload, const char* tag) {
    if (!payload.endsWith('\0')) return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(payload);
    if (utf8.hasError()) return std::nullopt;
    QStringList parts = text.split(QChar(u'\0'));
    parts.removeLast(); // after the last NUL
    if (parts.isEmpty() || parts.takeFirst() != QLatin1String(tag)) return std::nullopt;
    return parts;
}

} // namespace

QByteArray commandframe::request(const RemoteCommand& command) {
    QStringList fields = QStringList{command.verb} + command.args;
    if (activationtoken::valid(command.activationtoken))
        fields << QLatin1String(kTokenField) + command.activationtoken;
    return frame(kRequestTag, fields);
}

QByteArray commandframe::reply(const RemoteReply& r) {
    return frame(kReplyTag, QStringList{QString::number(r.code), r.message} + r.lines);
}

std::optional<uint32_t> commandframe::payloadlength(const QByteArray& header, uint32_t most) {
    if (header.size() != kHeaderBytes) return std::nullopt;
    const uint32_t n = qFromBigEndian<quint32>(header.constData());
    if (n == 0 || n > most) return std::nullopt;
    return n;
}

std::optional<RemoteCommand> commandframe::parserequest(const QByteArray& payload) {
    auto parts = fields(payload, kRequestTag);
    if (!parts || parts->isEmpty()) return std::nullopt;
    RemoteCommand c{parts->takeFirst(), *parts, {}};
    const int count = remoteverbs::argumentcount(c.verb);
    // A token that is not one is left out; the command stands without it.
    if (count >= 0 && c.args.size() == count + 1 &&
        c.args.last().startsWith(QLatin1String(kTokenField))) {
        const QString token = c.args.takeLast().mid(int(sizeof kTokenField) - 1);
        if (activationtoken::valid(token)) c.activationtoken = token;
    }
    if (count != c.args.size()) return std::nullopt;
    return c;
}

std::optional<RemoteReply> commandframe::parsereply(const QByteArray& payload) {
    auto parts = fields(payload, kReplyTag);
    if (!parts || parts->size() < 2) return std::nullopt;
    bool number = false;
    RemoteReply r;
    r.code = parts->takeFirst().toInt(&number);
    if (!number || r.code < 0 || r.code > 255) return std::nullopt;
    r.message = parts->takeFirst();
    r.lines = *parts;
    return r;
}
