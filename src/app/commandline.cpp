#include "app/commandline.h"

#include "app/remotecommands.h"
#include "chimeletversion.h"
#include "schedule/timeinput.h"
#include "store/ansitext.h"
#include "store/nativename.h"

#include <QCommandLineParser>
#include <QDir>

#include <optional>
#include <utility>

namespace {

namespace verbs = remoteverbs;

CommandLine refused(const QString& why) {
    return {CommandLine::Action::Refused, QStringLiteral("chimelet: ") + shownname(why), {}, {}};
}

QCommandLineOption option(const char* name, const char* help, const char* value = nullptr) {
    return value ? QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(help),
                                      QString::fromLatin1(value))
                 : QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(help));
}

// A row as the list counts them, from 1, or an id ("@12"); in the one form the running
// copy takes, or nothing.
std::optional<QString> target(const QString& text) {
    const bool id = text.startsWith(u'@');
    const QString digits = id ? text.mid(1) : text;
    bool ok = !digits.isEmpty();
    for (const QChar c : digits)
        ok = ok && c >= u'0' && c <= u'9';
    const int n = ok ? digits.toInt(&ok) : 0;
    if (!ok || n < 1) return std::nullopt;
    return (id ? QStringLiteral("@") : QString()) + QString::number(n);
}

} // namespace

CommandLine parsecommandline(const QStringList& arguments, const QString& folder) {
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Desktop reminders at a time of day or after a countdown.\n"
        "With FILE, opens that list in the running copy; when none runs, this process "
        "becomes the program with that list. A command goes to the running copy; when none "
        "runs, one is started first. A Notification is named by its row (3) or its id (@12); "
        "an id stays with it while the program runs. Exit status: 0 done, 1 failed, 2 "
        "refused; why is on the standard error, after \"chimelet: \" (man chimelet lists "
        "every message)."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    const auto add = option("add",
                            "Add a Notification showing TEXT (UTF-8), with --in or --at; "
                            "prints its id.",
                            "TEXT");
    const auto in =
        option("in", "Count down DURATION: 90s, 25m, 1h30m, 1h2m3s or H:MM:SS.", "DURATION");
    const auto at = option("at", "Fire at TIME of day: HH:MM or HH:MM:SS, 24-hour.", "TIME");
    const auto repeat = option("repeat", "Repeat the new Notification instead of running once.");
    const auto list =
        option("list", "Print the list, a line a Notification, tab-separated: id, row, "
                       "state, kind, time, left, repeat, text.");
    const auto json = option("json", "With --list: print it as JSON.");
    const auto start = option("start", "Resume the Notification N or @ID.", "N|@ID");
    const auto stop = option("stop", "Stop the Notification N or @ID.", "N|@ID");
    const auto del = option("delete", "Delete the Notification N or @ID.", "N|@ID");
    const auto startall = option("start-all", "Start every Notification whose time is set.");
    const auto stopall = option("stop-all", "Stop every Notification.");
    const auto save = option("save", "Save the list to its file.");
    const auto saveas = option("save-as", "Save the list as FILE (.clt is added).", "FILE");
    const auto show = option("show", "Bring the window forward.");
    const auto quit =
        option("quit", "Exit, asking to save first when the list has changed; returns "
                       "when the program has ended.");
    const auto platform =
        option("platform",
               "Run on the windowing platform NAME (xcb, wayland), whatever the session "
               "asks of Qt programs.",
               "NAME");
    for (const auto& o : {help, version, add, in, at, repeat, list, json, start, stop, del,
                          startall, stopall, save, saveas, show, quit, platform})
        p.addOption(o);
    p.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A Chimelet list (.clt)."),
                            QStringLiteral("[FILE]"));

    // Qt's own spelling, with one dash, means the same.
    QStringList given = arguments;
    for (QString& a : given)
        if (a == QLatin1String("-platform")) a = QStringLiteral("--platform");
    if (!p.parse(given)) return refused(p.errorText());
    if (p.isSet(help))
        return {
            CommandLine::Action::Help,
            p.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("chimelet")),
            {},
            {}};
    if (p.isSet(version))
        return {CommandLine::Action::Version, QStringLiteral("Chimelet " CHIMELET_VERSION), {}, {}};

    for (const QString& name : p.optionNames())
        if (p.optionNames().count(name) > 1)
            return refused(QStringLiteral("--%1 is given more than once.").arg(name));
    // Texts are UTF-8; only file names may be any bytes.
    for (const QString& name : p.optionNames())
        if (name != saveas.names().first() && holdsrawbytes(p.value(name)))
            return refused(QStringLiteral("--%1: the value is not valid UTF-8.").arg(name));
    const QStringList files = p.positionalArguments();
    if (files.size() > 1)
        return refused(QStringLiteral("'%1': only one file can be opened.").arg(files[1]));
    // Options that only qualify another.
    for (const auto& [o, of] : {std::pair{&in, &add}, {&at, &add}, {&repeat, &add}, {&json, &list}})
        if (p.isSet(*o) && !p.isSet(*of))
            return refused(QStringLiteral("--%1 goes with --%2.")
                               .arg(o->names().first(), of->names().first()));
    const auto absolute = [&folder](const QString& file) {
        return fileuri(QDir::cleanPath(QDir(folder).absoluteFilePath(file)));
    };

    QList<RemoteCommand> commands;
    if (p.isSet(add)) {
        const QString text = p.value(add);
        if (toansi(text).size() > 255)
            return refused(QStringLiteral("--add: the text is longer than 255 bytes."));
        if (oneline(text) != text)
            return refused(QStringLiteral("--add: the text must be a single line."));
        if (p.isSet(in) && p.isSet(at))
            return refused(QStringLiteral("--add takes --in or --at, not both."));
        if (!p.isSet(in) && !p.isSet(at))
            return refused(QStringLiteral("--add needs either --in or --at."));
        const bool countdown = p.isSet(in);
        const QString when = p.value(countdown ? in : at);
        if (countdown && !parseduration(when))
            return refused(QStringLiteral("--in: '%1' is not a duration from 1s to 23:59:59 "
                                          "(90s, 25m, 1h30m, 1h2m3s or H:MM:SS).")
                               .arg(when));
        if (!countdown && !parsetimeofday(when))
            return refused(
                QStringLiteral("--at: '%1' is not a time of day (HH:MM or HH:MM:SS).").arg(when));
        commands.append({QString::fromLatin1(verbs::Add),
                         {text, QString::fromLatin1(countdown ? "in" : "at"), when,
                          QString::fromLatin1(p.isSet(repeat) ? "repeat" : "once")}});
    }
    for (const auto* o : {&start, &stop, &del}) {
        if (!p.isSet(*o)) continue;
        const QString n = p.value(*o);
        const auto which = target(n);
        if (!which)
            return refused(QStringLiteral("--%1: '%2' is not a row number (3) or an id (@12).")
                               .arg(o->names().first(), n));
        commands.append({o->names().first(), {*which}});
    }
    if (p.isSet(list))
        commands.append({QString::fromLatin1(verbs::List),
                         {QString::fromLatin1(p.isSet(json) ? "json" : "tsv")}});
    for (const auto* o : {&startall, &stopall, &save, &show, &quit})
        if (p.isSet(*o)) commands.append({o->names().first(), {}});
    if (p.isSet(saveas)) {
        if (p.value(saveas).isEmpty())
            return refused(QStringLiteral("--save-as needs a file name."));
        commands.append({QString::fromLatin1(verbs::SaveAs), {absolute(p.value(saveas))}});
    }
    if (!files.isEmpty()) {
        if (files[0].isEmpty()) return refused(QStringLiteral("the file name is empty."));
        commands.append({QString::fromLatin1(verbs::Open), {absolute(files[0])}});
    }

    if (commands.size() > 1)
        return refused(QStringLiteral("give one command at a time (a file or one option)."));
    const QString chosen = p.value(platform);
    if (p.isSet(platform) && chosen.isEmpty())
        return refused(QStringLiteral("--platform needs the name of a platform."));
    if (commands.isEmpty()) return {CommandLine::Action::Program, {}, {}, chosen};
    const bool open = commands[0].verb == QLatin1String(verbs::Open);
    return {
        open ? CommandLine::Action::Open : CommandLine::Action::Command, {}, commands[0], chosen};
}
