#include "app/remotecommands.h"

#include "app/frame.h"
#include "platform/clock.h"
#include "schedule/errorreporter.h"
#include "schedule/listcontroller.h"
#include "schedule/listfiles.h"
#include "schedule/notificationform.h"
#include "schedule/rowtable.h"
#include "schedule/timeinput.h"
#include "schedule/timetext.h"
#include "store/ansitext.h"
#include "store/nativename.h"
#include "store/notificationrecord.h"
#include "ui/editor/fontchoice.h"
#include "ui/mainwindow/main.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace {

namespace verbs = remoteverbs;

RemoteReply failed(int code, const QString& message) {
    return {code, {}, message, {}, {}};
}

bool is(const QString& verb, const char* name) {
    return verb == QLatin1String(name);
}

// Verbs that change the list: refused while the program asks whether to save before it
// ends, since "Just exit" would drop what they did.
bool changeslist(const QString& verb) {
    for (const char* v : {verbs::Open, verbs::Add, verbs::Start, verbs::Stop, verbs::Delete,
                          verbs::StartAll, verbs::StopAll})
        if (is(verb, v)) return true;
    return false;
}

// One Notification as --list gives it.
struct ListEntry {
    int32_t id = 0;
    int row = 0;
    bool active = false;
    bool countdown = false;
    QString time;            // a countdown's length in seconds, else the time of day
    std::optional<int> left; // seconds until it fires, for an active one
    bool repeat = false;
    QString text;
};

ListEntry entry(const NotificationRow& row, int r, const TNotificationRecord& rec,
                const QTime& now) {
    ListEntry e;
    e.id = row.id;
    e.row = r + 1;
    e.active = row.active;
    e.countdown = row.countdown;
    const int64_t total = totalseconds(rec);
    e.time = row.countdown ? QString::number(total)
                           : clocktext(QString::number(rec.Hours), QString::number(rec.Minutes),
                                       QString::number(rec.Seconds));
    if (row.active)
        e.left = row.countdown ? row.leftsecs
                               : static_cast<int>(((total - secsnow(now)) % 86400 + 86400) % 86400);
    e.repeat = rec.RepeatFlag == 1;
    e.text = oneline(fromansi(rec.MessageText));
    return e;
}

QString tsv(const ListEntry& e) {
    return QStringList{QStringLiteral("@%1").arg(e.id),
                       QString::number(e.row),
                       QString::fromLatin1(e.active ? "active" : "inactive"),
                       QString::fromLatin1(e.countdown ? "countdown" : "time"),
                       e.time,
                       e.left ? QString::number(*e.left) : QString(),
                       QString::fromLatin1(e.repeat ? "repeat" : "once"),
                       e.text}
        .join(u'\t');
}

QJsonObject json(const ListEntry& e) {
    return {{QStringLiteral("id"), e.id},
            {QStringLiteral("row"), e.row},
            {QStringLiteral("state"), QString::fromLatin1(e.active ? "active" : "inactive")},
            {QStringLiteral("kind"), QString::fromLatin1(e.countdown ? "countdown" : "time")},
            {QStringLiteral("time"), e.countdown ? QJsonValue(e.time.toInt()) : QJsonValue(e.time)},
            {QStringLiteral("left"), e.left ? QJsonValue(*e.left) : QJsonValue()},
            {QStringLiteral("repeat"), QString::fromLatin1(e.repeat ? "repeat" : "once")},
            {QStringLiteral("text"), e.text}};
}

} // namespace

QString oneline(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c.category() == QChar::Other_Control) c = u' ';
    return out;
}

QString fileuri(const QString& path) {
    return QStringLiteral("file://") +
           QString::fromLatin1(nativename(path).toPercentEncoding(QByteArrayLiteral("/")));
}

std::optional<QString> localfile(const QString& arg) {
    if (QDir::isAbsolutePath(arg) && !arg.startsWith(QLatin1String("//"))) return arg;
    const QUrl url(arg, QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("file") ||
        !(url.host().isEmpty() || url.host() == QLatin1String("localhost")) || url.hasQuery() ||
        url.hasFragment())
        return std::nullopt;
    const QByteArray bytes =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (!bytes.startsWith('/') || bytes.contains('\0')) return std::nullopt;
    return namefromnative(bytes);
}

RemoteReply RemoteCommands::run(const RemoteCommand& c) {
    if (remoteverbs::argumentcount(c.verb) != c.args.size())
        return failed(2, QStringLiteral("unknown command '%1'.").arg(c.verb));
    AppGlobals& g = frame_.globals();
    if (!g.started) return failed(1, QStringLiteral("Chimelet has not finished starting."));
    if (frame_.askingtoexit() && changeslist(c.verb))
        return failed(1, QStringLiteral("the list cannot change while \"Save before exit?\" is "
                                        "open; answer it first."));
    ListController& list = frame_.list();
    // The program's box is for the user at the desktop; a caller gets its messages.
    QStringList said;
    frame_.holdmessages(&said);
    subject_.clear();
    RemoteReply reply;
    try {
        if (is(c.verb, verbs::Open))
            reply = open(c.args[0]);
        else if (is(c.verb, verbs::Add))
            reply = add(c.args);
        else if (is(c.verb, verbs::List))
            reply = this->list(c.args[0]);
        else if (is(c.verb, verbs::Start) || is(c.verb, verbs::Stop) || is(c.verb, verbs::Delete))
            reply = onrow(c.verb, c.args[0]);
        else if (is(c.verb, verbs::StartAll))
            list.startall();
        else if (is(c.verb, verbs::StopAll))
            list.stopall();
        else if (is(c.verb, verbs::Save))
            reply = save();
        else if (is(c.verb, verbs::SaveAs))
            reply = saveas(c.args[0]);
        else if (is(c.verb, verbs::Show))
            frame_.form1()->Restore1Click();
        else if (is(c.verb, verbs::Quit))
            reply = quit();
    } catch (const std::exception& e) {
        said << fromansi(e.what());
        reply = {};
    }
    frame_.holdmessages(nullptr);
    if (said.isEmpty()) return reply;
    if (reply.code == 0) reply.code = 1;
    reply.lines.clear();
    if (!reply.message.isEmpty()) said.prepend(reply.message);
    for (QString& text : said)
        if (!subject_.isEmpty() && !text.startsWith(subject_))
            text = subject_ + QStringLiteral(": ") + text;
    reply.message = said.join(u'\n');
    return reply;
}

RemoteReply RemoteCommands::open(const QString& arg) {
    const auto path = localfile(arg);
    if (!path)
        return failed(2, QStringLiteral("'%1' is not an absolute path or a file URI.").arg(arg));
    subject_ = shownname(*path);
    // The editor holds a record of the open list until it closes.
    if (frame_.editing())
        return failed(1, subject_ + QStringLiteral(": close the Notification Editor first."));
    if (!frame_.list().open(*path)) return {};
    frame_.form1()->Restore1Click();
    return {};
}

RemoteReply RemoteCommands::add(const QStringList& args) {
    const QString& text = args[0];
    const bool countdown = args[1] == QLatin1String("in");
    if (!countdown && args[1] != QLatin1String("at"))
        return failed(2, QStringLiteral("'%1' is neither \"in\" nor \"at\".").arg(args[1]));
    const auto time = countdown ? parseduration(args[2]) : parsetimeofday(args[2]);
    if (!time) return failed(2, QStringLiteral("'%1' is not a valid time.").arg(args[2]));
    if (toansi(text).size() > 255 || oneline(text) != text || holdsrawbytes(text))
        return failed(2, QStringLiteral("the text is not one line of at most 255 bytes."));

    // The editor's New and Apply: its defaults, with what the command sets.
    NotificationForm f = defaultform();
    f.messageText = text;
    f.textDisplayType = QString::fromLatin1(codes::BalloonAndOverlay);
    f.displayText = true;
    f.displayImage = false;
    f.playAudio = false;
    f.repeat = args[3] == QLatin1String("repeat");
    f.timerType = QString::fromLatin1(countdown ? codes::Countdown : codes::CertainTime);
    f.hours = QString::number(time->hours);
    f.minutes = QString::number(time->minutes);
    f.seconds = QString::number(time->seconds);
    f.fontName = installedfont(f.fontName);
    const TNotificationRecord rec = formtorecord(f, ActiveFrom::Timer);

    // Shown in the preview, as after the editor's Apply.
    ListController& list = frame_.list();
    const RowTable& rows = list.rows();
    list.add(rec);
    return {0, {QStringLiteral("@%1").arg(rows.row(rows.size() - 1).id)}, {}, {}, {}};
}

RemoteReply RemoteCommands::list(const QString& format) {
    const bool asjson = format == QLatin1String("json");
    if (!asjson && format != QLatin1String("tsv"))
        return failed(2, QStringLiteral("'%1' is neither tsv nor json.").arg(format));
    ListController& list = frame_.list();
    const RowTable& rows = list.rows();
    const QTime now = list.clock().now().time();
    RemoteReply reply;
    QJsonArray all;
    for (int r = 0; r < rows.size(); ++r) {
        const NotificationRow& row = rows.row(r);
        const ListEntry e = entry(row, r, list.readnotification(row.record), now);
        if (asjson)
            all.append(json(e));
        else
            reply.lines << tsv(e);
    }
    if (asjson) reply.lines << QString::fromUtf8(QJsonDocument(all).toJson(QJsonDocument::Compact));
    return reply;
}

RemoteReply RemoteCommands::onrow(const QString& verb, const QString& target) {
    const bool byid = target.startsWith(u'@');
    bool number = false;
    const int n = target.mid(byid ? 1 : 0).toInt(&number);
    if (!number || n < 1)
        return failed(2,
                      QStringLiteral("'%1' is not a row number (3) or an id (@12).").arg(target));
    ListController& list = frame_.list();
    const int row = byid ? list.rows().rowofid(n) : n - 1;
    if (byid && row < 0)
        return failed(1, QStringLiteral("there is no Notification @%1 in the list.").arg(n));
    if (!list.rows().exists(row))
        return failed(1, QStringLiteral("there is no row %1 in the list.").arg(n));
    subject_ = QStringLiteral("row %1 (@%2)").arg(row + 1).arg(list.rows().row(row).id);
    if (is(verb, verbs::Start))
        list.resume(row);
    else if (is(verb, verbs::Stop))
        list.stop(row);
    else
        list.remove(row);
    return {};
}

RemoteReply RemoteCommands::save() {
    ListController& list = frame_.list();
    if (list.needsname())
        return failed(1, QStringLiteral("the list has no file yet: save it with --save-as FILE."));
    subject_ = shownname(list.currentfile());
    list.save();
    return {};
}

RemoteReply RemoteCommands::saveas(const QString& arg) {
    const auto path = localfile(arg);
    if (!path)
        return failed(2, QStringLiteral("'%1' is not an absolute path or a file URI.").arg(arg));
    subject_ = shownname(addextension(*path));
    frame_.list().saveas(*path);
    return {};
}

RemoteReply RemoteCommands::quit() {
    Frame* frame = &frame_;
    const auto exit = [frame] {
        guarded(frame->globals().reporter, [frame] { frame->exitrequest(); });
    };
    RemoteReply reply;
    if (!frame_.list().modified()) {
        // Ends the program once the answer has left.
        reply.then = exit;
        return reply;
    }
    // "Save before exit?" decides; the caller hears the outcome.
    reply.later = [frame, exit](const std::function<void(const RemoteReply&)>& answer) {
        frame->tellexit([answer](bool leaving) {
            answer(leaving ? RemoteReply{}
                           : failed(1, QStringLiteral("the exit was cancelled at \"Save before "
                                                      "exit?\"; the program runs on.")));
        });
        exit();
    };
    return reply;
}
