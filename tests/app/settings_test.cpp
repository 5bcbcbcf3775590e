#include <gtest/gtest.h>

#include <QByteArray>
#include <QSettings>
#include <QTemporaryDir>

#include "app/settings.h"

namespace {

QString fileIn(const QTemporaryDir& dir) {
    return dir.filePath(QStringLiteral("KOVA 3D 5.conf"));
}

}  // namespace

TEST(Settings, FirstStartRoundTripAndRefusedValues) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    // Nothing stored: the first start's window, 690 x 490 at (10, 10), maximised.
    AppSettings first;
    {
        QSettings empty(fileIn(dir), QSettings::IniFormat);
        loadSettings(empty, first);
    }
    EXPECT_EQ(first, AppSettings{});
    EXPECT_EQ(first.mwRight - first.mwLeft, 690);
    EXPECT_EQ(first.mwBottom - first.mwTop, 490);
    EXPECT_EQ(first.mwState, 3);
    EXPECT_EQ(first.currentLook, first.defaultLook);

    // Everything written is read back as it was.
    AppSettings changed;
    changed.mwLeft = 40;
    changed.mwState = 1;
    changed.language = "Español.lng";
    changed.decimals = 5;
    changed.constructionBar = 0;
    changed.defaultLook.backgroundColour = 0x102030;
    changed.defaultLook.styles[13] = KindStyle{0, 4, 1, 0, 0xABCDEF};
    changed.defaultLook.numberFont.bytes[28] = 'A';
    changed.defaultLook.numberColour = 0x0000FF;
    changed.currentLook = changed.defaultLook;
    changed.lastDirectory = "/home/ana/Construcciones";
    changed.recentFiles = {"/b.g3d", "/a.g3d"};
    {
        QSettings store(fileIn(dir), QSettings::IniFormat);
        saveSettings(changed, store);
    }
    AppSettings read;
    {
        QSettings store(fileIn(dir), QSettings::IniFormat);
        loadSettings(store, read);
        EXPECT_EQ(store.value(QStringLiteral("Settings/g3dver")).toInt(), 5002);
        EXPECT_EQ(store.value(QStringLiteral("Settings/asp_EG_esf")).toByteArray().size(), 20);
        EXPECT_EQ(store.value(QStringLiteral("Settings/FontEG_num")).toByteArray().size(), 64);
        EXPECT_EQ(store.value(QStringLiteral("Recent Files/File0")).toString(), QStringLiteral("/b.g3d"));
    }
    EXPECT_EQ(read, changed);

    // Values of the wrong type, size or range keep their defaults; an unknown
    // show state becomes maximised.
    {
        QSettings store(fileIn(dir), QSettings::IniFormat);
        store.setValue(QStringLiteral("Settings/mwState"), 7);
        store.setValue(QStringLiteral("Settings/ndec_nn"), 12);
        store.setValue(QStringLiteral("Settings/mwTop"), QStringLiteral("abc"));
        store.setValue(QStringLiteral("Settings/asp_EG_p"), QByteArray(19, '\1'));
        store.setValue(QStringLiteral("Settings/asp_EG_s"),
                       QByteArray("\0\0\0\0\7\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 20));
    }
    AppSettings refused;
    {
        QSettings store(fileIn(dir), QSettings::IniFormat);
        loadSettings(store, refused);
    }
    EXPECT_EQ(refused.mwState, 3);
    EXPECT_EQ(refused.decimals, 2);
    EXPECT_EQ(refused.mwTop, 10);
    EXPECT_EQ(refused.defaultLook.styles[1], AppSettings{}.defaultLook.styles[1]);
    EXPECT_EQ(refused.defaultLook.styles[3], AppSettings{}.defaultLook.styles[3]) << "size 7 is no size";
    EXPECT_EQ(refused.defaultLook.styles[13], changed.defaultLook.styles[13]);
    EXPECT_EQ(refused.mwLeft, 40);
}
