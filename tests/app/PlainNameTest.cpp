#include "common/PlainName.h"

#include <gtest/gtest.h>

TEST(PlainName, ReceivedAndTypedNamesShareOneRule)
{
    for (const QString &bad : {QString(), QString("."), QString(".."), QString("x..y"), QString("a/b"),
                               QString("a\\b"), QString("a\tb"), QString(256, 'x')})
        EXPECT_FALSE(PlainName::isFileName(bad)) << bad.toStdString();
    EXPECT_TRUE(PlainName::isFileName(QString(" les pins_txt.ini"))); // a server may hold it
    EXPECT_TRUE(PlainName::isFileName(QString(255, 'x')));

    // Typed names get a suffix and go into Windows-1252 files: 200 bytes, accents counting two.
    EXPECT_TRUE(PlainName::typedProblem(QString(200, 'x')).isEmpty());
    EXPECT_FALSE(PlainName::typedProblem(QString(101, QChar(0xE9))).isEmpty());
    EXPECT_FALSE(PlainName::typedProblem(QString(" lead")).isEmpty());
    EXPECT_FALSE(PlainName::typedProblem(QString("smile 😀")).isEmpty());
}
