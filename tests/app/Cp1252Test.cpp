#include "common/Cp1252.h"

#include <gtest/gtest.h>

TEST(Cp1252, EveryByteDecodesAndEncodesBack)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const auto back = Common::Cp1252::encode(Common::Cp1252::decode(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(Cp1252, RefusesWhatItCannotHold)
{
    EXPECT_FALSE(Common::Cp1252::canEncode(QStringLiteral("Ł")));
    EXPECT_FALSE(Common::Cp1252::canEncode(QStringLiteral("😀")));
    EXPECT_TRUE(Common::Cp1252::canEncode(QStringLiteral("ÉTÉ Œuvre €")));
}
