#include "appcore/SettingsStore.h"
#include "support/TempHome.h"

#include <QFile>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(SettingsStore, CleanProfileReadsDefaults)
{
    test::TempHome home;
    SettingsStore store;
    EXPECT_FALSE(store.keepCountingFrames());
    EXPECT_EQ(store.firstRunMarker(), 0);
    EXPECT_EQ(store.associationMarker(), 0.0);
    EXPECT_TRUE(store.showTips());
    EXPECT_TRUE(store.handOverPath().isEmpty());
    // Reading creates nothing.
    EXPECT_FALSE(QFile::exists(store.filePath()));
}

TEST(SettingsStore, StoresTheTextsOfTheKeysInSectionOpcoes)
{
    test::TempHome home;
    SettingsStore store;
    EXPECT_TRUE(store.filePath().startsWith(home.configDir()));

    store.setKeepCountingFrames(true);
    store.setFirstRunMarker(1);
    store.setAssociationMarker(1);
    store.setShowTips(false);
    store.setHandOverPath(QStringLiteral("/tmp/a b/ação.vtr"));

    EXPECT_EQ(store.text(QStringLiteral("KCFrames")), QStringLiteral("True"));
    EXPECT_EQ(store.text(QStringLiteral("Vez")), QStringLiteral("1"));
    EXPECT_EQ(store.text(QStringLiteral("Associado")), QStringLiteral("1"));
    EXPECT_EQ(store.text(QStringLiteral("Dicas")), QStringLiteral("0"));
    EXPECT_EQ(store.handOverPath(), QStringLiteral("/tmp/a b/ação.vtr"));
    store.setKeepCountingFrames(false);
    EXPECT_EQ(store.text(QStringLiteral("KCFrames")), QStringLiteral("False"));

    // A second store (another process) sees the same values.
    SettingsStore other;
    EXPECT_FALSE(other.showTips());
    EXPECT_EQ(other.firstRunMarker(), 1);
}

// Stored texts as another version or a hand edit may leave them; what does
// not convert reads as the default.
TEST(SettingsStore, StoredTextsConvertOrReadAsDefaults)
{
    test::TempHome home;
    SettingsStore store;
    const std::pair<const char *, bool> kcFrames[] = {
        {"TRUE", true}, {"FaLsE", false}, {"0", false},     {"-1", true},
        {"2", true},    {" True ", true}, {"maybe", false},
    };
    for (const auto &[stored, expected] : kcFrames) {
        store.setText(QStringLiteral("KCFrames"), QString::fromUtf8(stored));
        EXPECT_EQ(store.keepCountingFrames(), expected) << stored;
    }
    // Dicas: "0" is off, anything else that converts is on, the rest default.
    const std::pair<const char *, bool> tips[] = {{"5", true}, {"0", false}, {"sometimes", true}};
    for (const auto &[stored, expected] : tips) {
        store.setText(QStringLiteral("Dicas"), QString::fromUtf8(stored));
        EXPECT_EQ(store.showTips(), expected) << stored;
    }
    store.setText(QStringLiteral("Vez"), QStringLiteral("first"));
    store.setText(QStringLiteral("Associado"), QStringLiteral("yes"));
    EXPECT_EQ(store.firstRunMarker(), 0);
    EXPECT_EQ(store.associationMarker(), 0.0);
}

} // namespace
} // namespace vantrel
