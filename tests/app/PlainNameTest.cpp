#include "common/PlainName.h"

#include <gtest/gtest.h>

TEST(PlainName, ReceivedAndTypedNamesShareOneRule)
{
    for (const QString &bad : {QString(), QString("."), QString(".."), QString("x..y"), QString("a/b"),
                               QString("a\\b"), QString("a\tb"), QString(256, 'x')})
        EXPECT_FALSE(Common::PlainName::isFileName(bad)) << bad.toStdString();
    EXPECT_TRUE(Common::PlainName::isFileName(QString(" les pins_txt.ini"))); // a server may hold it
    EXPECT_TRUE(Common::PlainName::isFileName(QString(255, 'x')));

    // Typed names get a suffix and go into Windows-1252 files: 200 bytes, accents counting two.
    EXPECT_TRUE(Common::PlainName::typedProblem(QString(200, 'x')).isEmpty());
    EXPECT_FALSE(Common::PlainName::typedProblem(QString(101, QChar(0xE9))).isEmpty());
    EXPECT_FALSE(Common::PlainName::typedProblem(QString(" lead")).isEmpty());
    EXPECT_FALSE(Common::PlainName::typedProblem(QString("smile 😀")).isEmpty());
}
