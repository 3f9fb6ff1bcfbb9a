#include "store/filebytes.h"
#include "store/nativename.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(NativeName, AnyBytesGoBackAsTheyCameAndUtf8StaysText) {
    // Valid UTF-8 (a character outside the basic plane too) is the text it spells.
    const QByteArray utf8("caf\xc3\xa9 \xf0\x9f\x98\x80.clt");
    EXPECT_EQ(namefromnative(utf8), QString::fromUtf8(utf8));
    EXPECT_FALSE(holdsrawbytes(namefromnative(utf8)));
    // Latin-1, overlong forms, encoded surrogates, cut sequences: kept byte for byte.
    for (const QByteArray& raw :
         {QByteArray("lat\xe9.clt"), QByteArray("\xc0\xaf"), QByteArray("\xed\xa0\x80x"),
          QByteArray("\xf0\x9f\x98"), QByteArray("\xe9\xf0\x9f\x98\x80\xff")}) {
        const QString name = namefromnative(raw);
        EXPECT_TRUE(holdsrawbytes(name)) << raw.toHex().toStdString();
        EXPECT_EQ(nativename(name), raw) << raw.toHex().toStdString();
        EXPECT_FALSE(holdsrawbytes(shownname(name)));
    }
    EXPECT_EQ(shownname(namefromnative("lat\xe9.clt")), QString::fromUtf8("lat\xef\xbf\xbd.clt"));
    QRandomGenerator random(31);
    for (int i = 0; i < 2000; ++i) {
        QByteArray bytes(int(random.bounded(12)), '\0');
        for (char& b : bytes)
            b = char(random.bounded(1, 256));
        ASSERT_EQ(nativename(namefromnative(bytes)), bytes) << bytes.toHex().toStdString();
    }
}

TEST(NativeName, AFileNamedInLatin1IsWrittenReplacedAndRead) {
    QTemporaryDir dir;
    const QString name = namefromnative(QFile::encodeName(dir.path()) + "/lat\xe9.clt");
    ASSERT_TRUE(replacefile(name, "first"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(dir.path()) + "/lat\xe9.clt", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_TRUE(replacefile(name, "second"));
    EXPECT_EQ(readregularfile(name, 100), QByteArray("second"));
    EXPECT_TRUE(isregularfile(name));
    EXPECT_FALSE(readregularfile(name, 3)) << "more than the bound";
    EXPECT_FALSE(replacefile(name + "/below", "x"));
}
