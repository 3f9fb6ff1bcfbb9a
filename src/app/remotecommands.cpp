#include "app/remotecommands.h"

#include "app/frame.h"
#include "schedule/errorreporter.h"
#include "schedule/listcontroller.h"
#include "schedule/notificationform.h"
#include "schedule/rowtable.h"
#include "schedule/timeinput.h"
#include "store/ansitext.h"
#include "store/notificationrecord.h"
#include "ui/editor/fontchoice.h"
#include "ui/mainwindow/main.h"

#include <QDir>

namespace {

namespace verbs = remoteverbs;

RemoteReply failed(int code, const QString& message) {
    return {code, {}, message, {}};
}

} // namespace

QString oneline(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c.category() == QChar::Other_Control) c = u' ';
    return out;
}

RemoteReply RemoteCommands::run(const RemoteCommand& c) {
    if (remoteverbs::argumentcount(c.verb) != c.args.size())
        return failed(2, QStringLiteral("Unknown command '%1'.").arg(c.verb));
    AppGlobals& g = frame_.globals();
    if (!g.started) return failed(1, QStringLiteral("Chimelet has not finished starting."));
    ListController& list = frame_.list();
    // The program's box waits until the caller has its answer: a modal box would hold it.
    QStringList said;
    frame_.holdmessages(&said);
    RemoteReply reply;
    try {
        if (c.verb == QLatin1String(verbs::Open))
            reply = open(c.args[0]);
        else if (c.verb == QLatin1String(verbs::Add))
            reply = add(c.args);
        else if (c.verb == QLatin1String(verbs::List))
            reply = this->list();
        else if (c.verb == QLatin1String(verbs::Start) || c.verb == QLatin1String(verbs::Stop))
            reply = onrow(c.verb, c.args[0]);
        else if (c.verb == QLatin1String(verbs::StartAll))
            list.startall();
        else if (c.verb == QLatin1String(verbs::StopAll))
            list.stopall();
        else if (c.verb == QLatin1String(verbs::Show))
            frame_.form1()->Restore1Click();
        else if (c.verb == QLatin1String(verbs::Quit))
            reply.then = [this] {
                guarded(frame_.globals().reporter, [this] { frame_.exitrequest(); });
            };
    } catch (const std::exception& e) {
        said << fromansi(e.what());
        reply = {};
    }
    frame_.holdmessages(nullptr);
    if (said.isEmpty()) return reply;
    if (reply.code == 0) reply.code = 1;
    reply.lines.clear();
    reply.message = said.join(u'\n');
    ErrorReporter* reporter = &g.reporter;
    reply.then = [reporter, said, then = reply.then] {
        for (const QString& text : said)
            reporter->report(text);
        if (then) then();
    };
    return reply;
}

RemoteReply RemoteCommands::open(const QString& path) {
    if (!QDir::isAbsolutePath(path))
        return failed(2, QStringLiteral("'%1' is not an absolute path.").arg(path));
    // The editor holds a record of the open list until it closes.
    if (frame_.editing()) return failed(1, QStringLiteral("Close the Notification Editor first."));
    if (!frame_.list().open(path)) return {};
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
    if (toansi(text).size() > 255 || oneline(text) != text)
        return failed(2, QStringLiteral("The text is not one line of at most 255 bytes."));

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
    list.add(rec);
    return {0, {QString::number(list.rows().size())}, {}, {}};
}

RemoteReply RemoteCommands::list() {
    const RowTable& rows = frame_.list().rows();
    RemoteReply reply;
    for (int r = 0; r < rows.size(); ++r) {
        const NotificationRow& row = rows.row(r);
        QStringList line{QString::number(r + 1), oneline(row.caption)};
        for (int part = 0; part < rowpart::RecordIndex; ++part)
            line << oneline(row.sub[static_cast<std::size_t>(part)]);
        reply.lines << line.join(u'\t');
    }
    return reply;
}

RemoteReply RemoteCommands::onrow(const QString& verb, const QString& text) {
    bool number = false;
    const int row = text.toInt(&number);
    if (!number || row < 1) return failed(2, QStringLiteral("'%1' is not a row number.").arg(text));
    ListController& list = frame_.list();
    if (row > list.rows().size())
        return failed(1, QStringLiteral("There is no row %1 in the list.").arg(row));
    if (verb == QLatin1String(verbs::Start))
        list.resume(row - 1);
    else
        list.stop(row - 1);
    return {};
}
