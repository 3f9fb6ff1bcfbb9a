#include "store/ansitext.h"
#include "store/colortable.h"
#include "store/integertext.h"
#include "store/notificationrecord.h"
#include "store/secure.h"
#include "support/samplerecord.h"

#include <QTemporaryDir>
#include <QTextBoundaryFinder>

#include <gtest/gtest.h>

TEST(IntegerText, StrictConversion) {
    EXPECT_EQ(parseinteger("42"), 42);
    EXPECT_EQ(parseinteger("-7"), -7);
    EXPECT_EQ(parseinteger(" 007 "), 7);
    EXPECT_EQ(parseinteger("$FF"), 255);
    EXPECT_EQ(parseinteger("2147483647"), 2147483647);
    EXPECT_EQ(parseinteger("-2147483648"), INT32_MIN);
    for (const char* bad : {"", " ", "x", "2a", "1.5", "2147483648", "--1", "$", "1 2"})
        EXPECT_FALSE(parseinteger(bad).has_value()) << bad;
    try {
        strtoint("2a");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'2a' is not a valid integer value");
    }
}

TEST(ColorTable, NamesNumbersAndTheScrollBar) {
    ASSERT_EQ(colornames().size(), 20u);
    EXPECT_EQ(stringtocolor("clRed", {}), (Rgb{255, 0, 0}));
    EXPECT_EQ(stringtocolor("clMoneyGreen", {}), (Rgb{192, 220, 192}));
    EXPECT_EQ(stringtocolor("clScrollBar", Rgb{1, 2, 3}), (Rgb{1, 2, 3}));
    EXPECT_EQ(stringtocolor("255", {}), (Rgb{255, 0, 0}));     // 0x00BBGGRR
    EXPECT_EQ(stringtocolor("$FF0000", {}), (Rgb{0, 0, 255})); // blue
    EXPECT_THROW(stringtocolor("clNoSuch", {}), ConversionError);
    EXPECT_EQ(colortoname(Rgb{192, 192, 192}), "clSilver");
    EXPECT_FALSE(colortoname(Rgb{1, 2, 3}).has_value());
}

namespace {
const QString kTexts[] = {QStringLiteral("Чай готов ☕"), QStringLiteral("日本"),
                          QStringLiteral("👩‍👩‍👧 party"),
                          QStringLiteral("Ã© looks like UTF-8"), QStringLiteral("\uFEFFmarked")};
} // namespace

TEST(StoredText, LatinKeepsItsBytesAndAnyTextReadsBackAsWritten) {
    std::string all; // every single byte, as any earlier file may hold them
    for (int i = 1; i < 256; ++i)
        all.push_back(char(i));
    EXPECT_EQ(toansi(fromansi(all)), all);
    EXPECT_EQ(toansi(QStringLiteral("Grüße €5")), "Gr\xfc\xdf"
                                                  "e \x80"
                                                  "5");
    EXPECT_EQ(fromansi("caf\xe9 \x80"), QStringLiteral("café €"));
    // A text that ends in a byte that could begin a UTF-8 sequence.
    EXPECT_EQ(fromansi("caf\xe9"), QStringLiteral("café"));
    EXPECT_EQ(fromansi(toansi(QStringLiteral("Noël à"))), QStringLiteral("Noël à"));
    EXPECT_EQ(toansi(QStringLiteral("日本")), "\xe6\x97\xa5\xe6\x9c\xac");

    for (const QString& text : kTexts) {
        EXPECT_EQ(fromansi(toansi(text)), text) << text.toStdString();
        TNotificationRecord r = SampleRecord(toansi(text, 255));
        r.ImageFile = toansi("/home/u/Документы/" + text + ".jpg", 255);
        const TNotificationRecord back = decodenotification(encodenotification(r));
        EXPECT_EQ(fromansi(back.MessageText), text);
        EXPECT_EQ(fromansi(back.ImageFile), "/home/u/Документы/" + text + ".jpg");
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("chsb.rez");
    const QString list = QStringLiteral("/home/u/Документы/日本 ☕.clt");
    {
        SettingsStore s;
        ASSERT_TRUE(s.opensettings(path));
        s.writesetting(TSettingsRecord{SettingsStore::storedtext(toansi(list, 255)), 0, 0}, 0);
        s.close();
    }
    SettingsStore s;
    ASSERT_TRUE(s.opensettings(path));
    EXPECT_EQ(fromansi(s.defaultfile()), list);
}

TEST(StoredText, CutsAtTheByteLimitBetweenWholeCharacters) {
    EXPECT_EQ(toansi(QString(200, QChar(0x0416)), 255).size(), 254u) << "Ж is two bytes";
    for (const QString& text :
         {QStringLiteral("日本語のテキスト"), QStringLiteral("e\u0301e\u0301e\u0301"),
          QStringLiteral("👩‍👩‍👧👍🏽x"), QStringLiteral("aЖb€c")})
        for (std::size_t limit = 0; limit < 30; ++limit) {
            const std::string cut = toansi(text, limit);
            const QString back = fromansi(cut);
            QTextBoundaryFinder next(QTextBoundaryFinder::Grapheme, text);
            next.setPosition(back.size());
            EXPECT_LE(cut.size(), limit);
            EXPECT_TRUE(text.startsWith(back) && next.isAtBoundary()) << limit;
            // The longest such part: one more whole character would not fit.
            if (back.size() < text.size()) {
                EXPECT_GT(toansi(text.left(next.toNextBoundary())).size(), limit);
            }
        }
}
