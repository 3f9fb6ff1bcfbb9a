#include "store/apppaths.h"
#include "store/secure.h"
#include "support/fakeplatform.h"
#include "support/tempfolder.h"
#include "ui/dialogs/about.h"
#include "ui/dialogs/help.h"

#include <QFile>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {
double pointsat(QTextEdit* view, const QString& text) {
    QTextCursor c(view->document());
    c.setPosition(view->toPlainText().indexOf(text) + 1);
    return QFontInfo(c.charFormat().font()).pointSizeF();
}
} // namespace

TEST(HelpWindow, FontSizeStopsAtItsLimitsAndScalesSizedText) {
    FakeShell shell;
    TempFolder tmp;
    writebytes(tmp.file("chmhlp.tub"), "{\\rtf1 plain {\\fs36 big}}");
    TForm9 form(shell, tmp.file("chmhlp.tub"));
    form.show();
    EXPECT_NEAR(pointsat(form.RichEdit1, "big"), 18, 0.5);

    form.BitBtn1->click();
    EXPECT_EQ(form.fontsize(), 10);
    EXPECT_NEAR(pointsat(form.RichEdit1, "big"), 20, 0.5); // keeps its proportion
    for (int i = 0; i < 200; ++i)
        form.BitBtn1->click();
    EXPECT_EQ(form.fontsize(), 119);
    EXPECT_EQ(form.RichEdit1->font().pointSize(), 119);
    for (int i = 0; i < 200; ++i)
        form.BitBtn5->click();
    EXPECT_EQ(form.fontsize(), 2);
    form.BitBtn1->click();
    form.BitBtn5->click();
    EXPECT_EQ(form.fontsize(), 2);
    EXPECT_NEAR(pointsat(form.RichEdit1, "plain"), 2, 0.5);
}

TEST(HelpWindow, FileIsReadAgainAtEveryShowing) {
    FakeShell shell;
    TempFolder tmp;
    const QString path = tmp.file("chmhlp.tub");
    TForm9 form(shell, path);

    writebytes(path, "First line\nSecond <b>line</b>\n");
    form.show();
    EXPECT_EQ(form.RichEdit1->toPlainText(), "First line\nSecond <b>line</b>\n");
    form.hide();

    writebytes(path, "{\\rtf1 Rich\\par text}");
    form.show();
    EXPECT_EQ(form.RichEdit1->toPlainText(), "Rich\ntext");
    form.hide();

    QFile::remove(path);
    form.show();
    EXPECT_EQ(form.RichEdit1->toPlainText(), QString::fromLatin1(kHelpMissing));
}
