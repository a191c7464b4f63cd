// The system language's pack: identifiers, stems, the case-sensitive
// substring test on the pack list, and what start-up is told.
#include "PackTestSupport.h"
#include "i18n/LanguageNames.h"
#include "i18n/LanguagePack.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

using namespace vantrel;

// The locale table itself is data; what matters is the fallback for a
// language it does not know.
TEST(LanguageNames, UnknownLanguagesFallBackToUnknown)
{
    const QLocale yoruba(QStringLiteral("yo_NG"));
    EXPECT_EQ(LanguageNames::languageId(yoruba), 0);
    EXPECT_EQ(LanguageNames::stemForLocale(yoruba), QStringLiteral("Unknown"));
    EXPECT_EQ(LanguageNames::languageName(1047), QStringLiteral("Unknown"));
}

TEST(LanguageChoice, PicksThePackOfTheSystemLanguage)
{
    QByteArray good;
    ASSERT_TRUE(PackFile::encode(test::samplePack(), good));
    const struct
    {
        const char *locale;
        QStringList files;
        const char *languageName;
        bool message;
    } cases[] = {
        {"pt_BR", {"Portuguese.lpk", "German.lpk"}, "Portuguese", false},
        {"pt_BR", {"portuguese.lpk"}, "", false},     // case-sensitive
        {"en_US", {"OldEnglish.lpk"}, "", false},     // substring, no exact file
        {"yo_NG", {"Unknown.lpk"}, "Unknown", false}, // the stem of an unknown language
        {"de_DE", {"Portuguese.lpk"}, "", false},
        {"pt_BR", {"Portuguese.lpk!damaged"}, "", true},
        {"pt_BR", {}, "", true}, // no lang folder
    };
    for (const auto &c : cases) {
        test::TempHome home;
        for (QString f : c.files) {
            const bool damaged = f.endsWith(QLatin1String("!damaged"));
            f.remove(QStringLiteral("!damaged"));
            home.write(QStringLiteral("lang/") + f, damaged ? good.left(50) : good);
        }
        clsLanguagePack pack;
        const LanguageChoice choice
            = chooseSystemLanguage(pack, home.path(), QLocale(QLatin1String(c.locale)));
        EXPECT_EQ(choice.languageName, QLatin1String(c.languageName)) << c.locale;
        EXPECT_EQ(pack.isLoaded(), !choice.languageName.isEmpty());
        EXPECT_EQ(!choice.message.isEmpty(), c.message) << qPrintable(choice.message);
        if (pack.isLoaded()) {
            EXPECT_EQ(pack.GetString(QStringLiteral("s0006")), QStringLiteral("PARAR"));
        }
        if (c.files.isEmpty()) {
            EXPECT_EQ(choice.message, home.path() + QStringLiteral("/lang doesn't exist."));
        } else if (c.message) {
            EXPECT_TRUE(choice.message.contains(home.file(QStringLiteral("lang/Portuguese.lpk"))));
        }
    }
}

TEST(LanguageChoice, ListsPacksJoinedWithBars)
{
    test::TempHome home;
    home.write(QStringLiteral("lang/B.lpk"), "x");
    home.write(QStringLiteral("lang/A.lpk"), "x");
    home.write(QStringLiteral("lang/notes.txt"), "x");
    QString folder = home.file(QStringLiteral("lang"));
    EXPECT_EQ(clsLanguagePack::EnumeraPacotesdeLinguagem(folder, QStringLiteral("*.lpk")),
              QStringLiteral("A.lpk|B.lpk"));
    EXPECT_EQ(folder, home.file(QStringLiteral("lang/")));
}
