#include "app/commandline.h"
#include "store/nativename.h"

#include <gtest/gtest.h>

namespace {
CommandLine parse(const QStringList& args) {
    return parsecommandline(QStringList{"chimelet"} + args, "/home/me/lists");
}
} // namespace

TEST(CommandLine, EachOptionBecomesOneCommandForTheRunningCopy) {
    using A = CommandLine::Action;
    // A name in Latin-1, as the shell passes it: a file may be called so, a text may not.
    const QString latin1 = namefromnative("b\xe9");
    const std::pair<QStringList, RemoteCommand> cases[] = {
        {{"--add", "Tea", "--in", "25m"}, {"add", {"Tea", "in", "25m", "once"}}},
        {{"--at", "07:30", "--repeat", "--add", "-x-"}, {"add", {"-x-", "at", "07:30", "repeat"}}},
        {{"--list"}, {"list", {"tsv"}}},
        {{"--list", "--json"}, {"list", {"json"}}},
        {{"--delete", "@012"}, {"delete", {"@12"}}},
        {{"--save"}, {"save", {}}},
        {{"--save-as", latin1}, {"save-as", {"file:///home/me/lists/b%E9"}}},
        {{"--start", "2"}, {"start", {"2"}}},
        {{"--stop=007"}, {"stop", {"7"}}},
        {{"--start-all"}, {"start-all", {}}},
        {{"--quit"}, {"quit", {}}},
        {{"week.clt"}, {"open", {"file:///home/me/lists/week.clt"}}},
        {{"../a/./b c.clt"}, {"open", {"file:///home/me/a/b%20c.clt"}}}};
    for (const auto& [args, command] : cases) {
        const CommandLine line = parse(args);
        EXPECT_EQ(line.action, command.verb == "open" ? A::Open : A::Command)
            << line.text.toStdString();
        EXPECT_EQ(line.command, command) << args.join(' ').toStdString();
    }
    EXPECT_EQ(parse({}).action, A::Program);
    EXPECT_EQ(parse({"-v"}).action, A::Version);
    EXPECT_EQ(parse({"--add", "Tea", "--in", "5m", "--help"}).action, A::Help);
    // Qt's spelling of the platform choice, with one dash or two, next to a command.
    for (const QStringList& args : {QStringList{"-platform", "wayland"},
                                    {"--platform=wayland", "--show"},
                                    {"--show", "-platform", "wayland"}}) {
        const CommandLine line = parse(args);
        EXPECT_EQ(line.platform, "wayland") << args.join(' ').toStdString();
        EXPECT_EQ(line.action, args.contains("--show") ? A::Command : A::Program);
    }
    for (const QStringList& args : {QStringList{"--stop", "1", "--stop", "2"},
                                    {"a.clt", "b.clt"},
                                    {"a.clt", "--list"},
                                    {"--add", "Tea", "--in", "5m", "--at", "10:00"},
                                    {"--repeat", "--list"},
                                    {"--start", "+1"},
                                    {"--start", "-1"},
                                    {"--add", "two\nlines", "--in", "5m"},
                                    {"--add", "bad" + latin1, "--in", "5m"},
                                    {"--add", "Tea", "--in", "1h90m"},
                                    {"--start", "@0"},
                                    {"--delete", "@"},
                                    {"--json"},
                                    {"-platform"},
                                    {"--platform="},
                                    {"--add"}})
        EXPECT_EQ(parse(args).action, A::Refused) << args.join(' ').toStdString();
}
