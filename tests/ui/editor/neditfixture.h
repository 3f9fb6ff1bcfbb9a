#pragma once

#include "present/mp3r.h"
#include "schedule/secondticker.h"
#include "store/notificationsink.h"
#include "support/fakeplatform.h"
#include "support/samplerecord.h"
#include "support/tempfolder.h"
#include "support/testpictures.h"
#include "support/windowdeps.h"
#include "ui/editor/nedit.h"
#include "ui/mainwindow/main.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

// The real editor and main window, offscreen, over a working database in a temporary
// folder; the infobox messages land in fake.dialogs.messages.
struct EditorFixture : ::testing::Test {
    FakePlatform fake;
    TempFolder tmp;
    WindowDeps g{fake};
    // What Preview hands to the presentation.
    RecordingSink& sink = g.sink;
    FakeAudio& audio = fake.audio;
    std::unique_ptr<TForm1> main;
    std::unique_ptr<TForm6> player;
    std::unique_ptr<TForm2> editor;

    void SetUp() override {
        g.paths = AppPaths::beside(tmp.path(), tmp.file("documents"));
        g.ws.db().setpath(tmp.file("chdb.res"));
        g.ws.db().createdatabase();
        main = std::make_unique<TForm1>(g.list, fake.dialogs, g.paths, g.reporter);
        tickerof(g.list).stop();
        player = std::make_unique<TForm6>(audio);
        editor = std::make_unique<TForm2>(g.list, fake.dialogs, g.paths, *player, g.reporter);
        editor->setsink(sink);
        // As the frame wires them.
        QObject::connect(main.get(), &TForm1::newRequested, editor.get(), &TForm2::makenew);
        QObject::connect(main.get(), &TForm1::editRequested, editor.get(),
                         &TForm2::editnotification);
        QObject::connect(editor.get(), &TForm2::editingChanged, main.get(),
                         [this](bool editing) { main->setEnabled(!editing); });
    }

    void TearDown() override {
        // The main window must not be torn down while shown.
        editor.reset();
        main->hide();
    }

    QStringList& messages() { return fake.dialogs.messages; }
    TNotificationRecord stored(int index) { return g.ws.db().readnotification(RecordIndex(index)); }
    QString rowtext(int row, int part) const { return g.ws.rows().subitem(row, part); }

    QByteArray databasebytes() const { return readbytes(tmp.file("chdb.res")); }
    // A Notification stored the way another list would carry it, with its row.
    int addstored(const TNotificationRecord& rec) { return g.add(rec); }

    static TNotificationRecord sample() {
        TNotificationRecord r =
            SampleRecord("Tea").countdown(600).active().repeating().lasting(7).text(
                codes::BalloonBubble, "", 24, "clBlue");
        r.FontBold = 1;
        // A picture chosen but not shown.
        r.ImageDisplayType = codes::DesktopBackground;
        r.WallpaperStyle = codes::Tile;
        return r;
    }
};
