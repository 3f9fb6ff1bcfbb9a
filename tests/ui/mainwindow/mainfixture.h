#pragma once

#include "support/fakeplatform.h"
#include "support/samplerecord.h"
#include "support/tempfolder.h"
#include "support/windowdeps.h"
#include "ui/mainwindow/listmodel.h"
#include "ui/mainwindow/main.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <gtest/gtest.h>

#include <memory>

// The real main window, offscreen, over a working database in a temporary folder.
struct MainWindowFixture : ::testing::Test {
    FakePlatform fake;
    TempFolder tmp;
    WindowDeps g{fake};
    std::unique_ptr<TForm1> form;

    void SetUp() override {
        g.ws.db().setpath(tmp.file("chdb.res"));
        g.ws.db().createdatabase();
        form = std::make_unique<TForm1>(g.list, fake.dialogs, g.paths, g.reporter);
    }

    static TNotificationRecord note(const char* text, int seconds) {
        return SampleRecord(text)
            .countdown(seconds)
            .active(seconds > 0)
            .text("", "DejaVu Sans", 60, "clYellow");
    }

    int add(const TNotificationRecord& rec) { return g.add(rec); }

    void select(int row) {
        form->ListView1->selectionModel()->select(form->listmodel()->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
    }
    void clearselection() { form->ListView1->selectionModel()->clearSelection(); }

    QVariant cell(int row, int column, int role = Qt::DisplayRole) const {
        return form->listmodel()->index(row, column).data(role);
    }
    // Which of the nine list icons a cell shows; -1 for none.
    int iconat(int row, int column) const {
        const QIcon shown = qvariant_cast<QIcon>(cell(row, column, Qt::DecorationRole));
        if (shown.isNull()) return -1;
        for (int i = 0; i < form->ImageList1().count(); ++i)
            if (form->ImageList1().icon(i).cacheKey() == shown.cacheKey()) return i;
        return -2;
    }
    bool commandsenabled() const {
        const bool e = form->BitBtn2->isEnabled();
        for (QPushButton* b : {form->BitBtn3, form->BitBtn4, form->BitBtn5})
            EXPECT_EQ(b->isEnabled(), e) << "the four buttons always go together";
        return e;
    }
};
