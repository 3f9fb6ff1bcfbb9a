#include "readers/rtfreader.h"
#include "support/tempfolder.h"

#include <QFile>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

QTextDocument* read(const QByteArray& rtf) {
    static QTextDocument doc;
    doc.clear();
    readrtf(rtf, doc);
    return &doc;
}

// The format of the first character of the first place `text` occurs.
QTextCharFormat formatof(QTextDocument* doc, const QString& text) {
    const int at = doc->toPlainText().indexOf(text);
    EXPECT_GE(at, 0) << text.toStdString();
    QTextCursor cursor(doc);
    cursor.setPosition(at + 1);
    return cursor.charFormat();
}

} // namespace

TEST(RtfReader, FormatsRunsParagraphsAndEscapes) {
    QTextDocument* doc =
        read("{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}{\\colortbl;\\red255\\green0\\blue0;}"
             "{\\*\\generator Writer;}{\\info{\\title Secret}}"
             "plain {\\b bold {\\i both}} \\ul under\\ulnone  back\\par "
             "caf\\'e9 \\u8364?x\\uc2\\u8211\\'96\\'96y\\tab z \\{\\}\\\\\\par"
             "{\\fs40\\cf1 big red}\\b0 after}");
    const QStringList blocks = doc->toPlainText().split(u'\n');
    ASSERT_EQ(blocks.size(), 3);
    EXPECT_EQ(blocks[0], "plain bold both under back");
    EXPECT_EQ(blocks[1], QStringLiteral("café €x–y\tz {}\\"));
    EXPECT_EQ(blocks[2], "big redafter");

    EXPECT_EQ(formatof(doc, "plain").fontWeight(), QFont::Normal);
    EXPECT_EQ(formatof(doc, "bold").fontWeight(), QFont::Bold);
    EXPECT_FALSE(formatof(doc, "bold").fontItalic());
    EXPECT_TRUE(formatof(doc, "both").fontItalic());
    EXPECT_EQ(formatof(doc, "both").fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatof(doc, "under").fontUnderline());
    EXPECT_FALSE(formatof(doc, "back").fontUnderline());
    const QTextCharFormat big = formatof(doc, "big");
    EXPECT_EQ(big.fontPointSize(), 20);
    EXPECT_EQ(big.property(kRtfHalfPoints).toInt(), 40);
    EXPECT_EQ(big.foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(formatof(doc, "after").hasProperty(kRtfHalfPoints)); // group ended
}

TEST(RtfReader, DamagedInputEndsCleanly) {
    const QByteArray cases[] = {
        "{\\rtf1 open {\\b never closed",
        "{\\rtf1 one}}}} two}",
        "{\\rtf1 cut\\",
        "{\\rtf1 cut\\'4",
        "{\\rtf1 \\u",
        "{\\rtf1 \\u-99999999999999999999 x\\uc99999999999 y\\fs-5 z\\cf999999999 w}",
        "{\\rtf1 \\bin999999999999 hidden",
        "{\\rtf1 \\" + QByteArray(100000, 'a') + " after}",
        "{\\rtf1{\\colortbl" + QByteArray(100000, ';') + "}\\cf5000 c}",
    };
    for (const QByteArray& rtf : cases)
        read(rtf); // returns, no crash
    EXPECT_EQ(read("{\\rtf1 one}}}} two}")->toPlainText(), "one two");
    EXPECT_TRUE(
        read("{\\rtf1 \\" + QByteArray(100000, 'a') + " after}")->toPlainText().endsWith("after"));

    // Nesting far deeper than any real file, then balanced again.
    const QByteArray deep =
        "{\\rtf1 " + QByteArray(200000, '{') + "\\b deep" + QByteArray(200000, '}') + " shallow}";
    QTextDocument* doc = read(deep);
    EXPECT_EQ(doc->toPlainText(), "deep shallow");
    EXPECT_EQ(formatof(doc, "shallow").fontWeight(), QFont::Normal);
}

TEST(RtfReader, ShippedHelpFileShowsOnlyItsText) {
    const QByteArray data =
        readbytes(qEnvironmentVariable("CHIMELET_BUILD_DIR") + QStringLiteral("/chmhlp.tub"));
    ASSERT_TRUE(isrtf(data));
    const QString text = read(data)->toPlainText();
    for (const char* topic :
         {"What a Notification is", "Creating a Notification", "Editing a Notification",
          "Running and stopping", "The two countdown modes", "Saving and opening lists", "Options",
          "The tray"})
        EXPECT_TRUE(text.contains(QLatin1String(topic))) << topic;
    // Nothing from the font table, colour table or document information, no markup.
    for (const char* stray : {"Tahoma", "Times New Roman", "The Chimelet team", "\\", "{", "}"})
        EXPECT_FALSE(text.contains(QLatin1String(stray))) << stray;
}
