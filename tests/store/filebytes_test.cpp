#include "store/filebytes.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

// A file of exactly the bound is read whole, one byte more is refused, whatever the bound.
TEST(ReadRegularFile, AFileOfTheBoundIsReadAndOneByteMoreIsRefused) {
    TempFolder tmp;
    const QString path = tmp.file("bytes");
    for (const qint64 bound : {qint64{0}, qint64{1}, qint64{4096}, qint64{1} << 20}) {
        for (const qint64 size : {bound - 1, bound, bound + 1}) {
            if (size < 0) continue;
            SCOPED_TRACE(testing::Message() << size << " bytes, bound " << bound);
            const QByteArray bytes(size, 'x');
            writebytes(path, bytes);
            const auto read = readregularfile(path, bound);
            if (size <= bound) {
                ASSERT_TRUE(read);
                EXPECT_EQ(*read, bytes);
            } else {
                EXPECT_FALSE(read);
            }
        }
    }
    EXPECT_FALSE(readregularfile("/dev/zero", 16));
    EXPECT_FALSE(readregularfile(tmp.file("missing"), 16));
}
