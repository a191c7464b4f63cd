#include "strat/Ansi.h"
#include "strat/StratRecords.h"

#include <gtest/gtest.h>

using namespace vantrel;

TEST(Ansi, EveryByteSurvivesARoundTrip)
{
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    EXPECT_EQ(Ansi::encode(Ansi::decode(all)), all);
}

TEST(Ansi, CodePageCharacters)
{
    EXPECT_EQ(Ansi::decode(QByteArray("\x80\x93\xe7\xf5", 4)), QStringLiteral("€“çõ"));
    EXPECT_EQ(Ansi::encode(QStringLiteral("Opções €")), QByteArray("Op\xe7\xf5"
                                                                   "es \x80"));
}

TEST(Ansi, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(Ansi::encode(QStringLiteral("a\u4e2db")), QByteArray("a?b"));
    EXPECT_EQ(Ansi::encode(QString::fromUtf8("x\xF0\x9F\x98\x80y")), QByteArray("x?y"));
}

TEST(FixedText, CutsPadsAndTrims)
{
    StratTitle t(QString(40, QLatin1Char('t')));
    EXPECT_EQ(t.padded().size(), 32);
    OverviewName o(QStringLiteral("a_long_overview_name.png"));
    EXPECT_EQ(o.trimmed(), QStringLiteral("a_long_overview_"));
    OverviewName shortName(QStringLiteral("  x.png"));
    EXPECT_EQ(shortName.padded(), QStringLiteral("  x.png         "));
    EXPECT_EQ(shortName.trimmed(), QStringLiteral("x.png"));
}

TEST(NumberedList, NumbersFromOneWithAnEmptyElementZero)
{
    NumberedList<StratObject> list;
    EXPECT_FALSE(list.hasStorage());
    EXPECT_EQ(list.append({3, 1, 1}), 1);
    EXPECT_EQ(list.append({4, 2, 2}), 2);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list[0], StratObject());
    EXPECT_FALSE(list.contains(0));
    EXPECT_THROW(list[3], std::out_of_range);
}
