#include "app/settings.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <cstring>

#include "io/document_file.h"

namespace {

// The group of every value but the last directories and the recent files.
const QString kGroup = QStringLiteral("Settings");
const QString kLastDir = QStringLiteral("Last Dir");
const QString kLastDirMac = QStringLiteral("Last DirMac");
const QString kRecentGroup = QStringLiteral("Recent Files");
constexpr int kStyleBytes = 20;
constexpr int kFontBytes = 64;

struct AppearanceName {
    int kind;
    const char* name;
};
constexpr AppearanceName kAppearanceNames[] = {
    {1, "asp_EG_p"},    {2, "asp_EG_v"},    {3, "asp_EG_s"},    {4, "asp_EG_r"},    {5, "asp_EG_ry"},
    {6, "asp_EG_ci"},   {7, "asp_EG_ar"},   {8, "asp_EG_cn"},   {9, "asp_EG_pln"},  {10, "asp_EG_pg"},
    {11, "asp_EG_pgr"}, {12, "asp_EG_per"}, {13, "asp_EG_esf"}, {14, "asp_EG_cil"}, {15, "asp_EG_con"},
    {16, "asp_EG_cur"}, {17, "asp_EG_sup"}, {20, "asp_EG_it"},
};

QString key(const char* name) {
    return kGroup + QLatin1Char('/') + QLatin1String(name);
}

// Numbers are stored as integers; a value that is not one keeps the default.
void readInt(QSettings& store, const char* name, int& value, int low, int high) {
    bool ok = false;
    const int read = store.value(key(name)).toInt(&ok);
    if (ok && read >= low && read <= high) value = read;
}

void readColour(QSettings& store, const char* name, std::uint32_t& colour) {
    bool ok = false;
    const qlonglong read = store.value(key(name)).toLongLong(&ok);
    if (ok && read >= 0 && read <= 0xFFFFFF) colour = static_cast<std::uint32_t>(read);
}

// The plain numbers: their names, fields and ranges, read and written alike.
struct IntValue {
    const char* name;
    int AppSettings::*field;
    int low;
    int high;
};
constexpr int kCoordinate = 1 << 20;  // far beyond any screen
constexpr IntValue kIntValues[] = {
    {"mwTop", &AppSettings::mwTop, -kCoordinate, kCoordinate},
    {"mwLeft", &AppSettings::mwLeft, -kCoordinate, kCoordinate},
    {"mwBottom", &AppSettings::mwBottom, -kCoordinate, kCoordinate},
    {"mwRight", &AppSettings::mwRight, -kCoordinate, kCoordinate},
    {"adapMC", &AppSettings::cursorMessageOption, 0, 1},
    {"AntiAliasing", &AppSettings::antialiasing, 0, 1},
    {"ndec_nn", &AppSettings::decimals, 0, 8},
    {"ocei_macro", &AppSettings::hideMacroIntermediates, 0, 1},
    {"ife_stst", &AppSettings::stepByStepOption, 0, 1},
    {"bt_emerg", &AppSettings::flyoutButtons, 0, 1},
    {"bar_constr", &AppSettings::constructionBar, 0, 1},
    {"bar_princ", &AppSettings::mainBar, 0, 1},
    {"bar_est", &AppSettings::statusBar, 0, 1},
    {"v_listcon", &AppSettings::constructionList, 0, 1},
};

void writeInt(QSettings& store, const char* name, qlonglong value) {
    store.setValue(key(name), value);
}

// A byte array of exactly the expected size, or nothing.
bool readBytes(QSettings& store, const char* name, int size, QByteArray& bytes) {
    const QVariant value = store.value(key(name));
    if (value.typeId() != QMetaType::QByteArray) return false;
    bytes = value.toByteArray();
    return bytes.size() == size;
}

std::uint32_t wordAt(const QByteArray& bytes, int offset) {
    std::uint32_t word = 0;
    std::memcpy(&word, bytes.constData() + offset, sizeof word);  // little-endian, as stored
    return word;
}

void putWord(QByteArray& bytes, int offset, std::uint32_t word) {
    std::memcpy(bytes.data() + offset, &word, sizeof word);
}

void readFont(QSettings& store, const char* name, FontRecord& font, std::uint32_t& colour) {
    QByteArray bytes;
    if (!readBytes(store, name, kFontBytes, bytes)) return;
    std::memcpy(font.bytes.data(), bytes.constData(), font.bytes.size());
    colour = wordAt(bytes, static_cast<int>(font.bytes.size())) & 0xFFFFFF;
}

void writeFont(QSettings& store, const char* name, const FontRecord& font, std::uint32_t colour) {
    QByteArray bytes(kFontBytes, '\0');
    std::memcpy(bytes.data(), font.bytes.data(), font.bytes.size());
    putWord(bytes, static_cast<int>(font.bytes.size()), colour);
    store.setValue(key(name), bytes);
}

void readStyle(QSettings& store, const char* name, KindStyle& style) {
    QByteArray bytes;
    if (!readBytes(store, name, kStyleBytes, bytes)) return;
    KindStyle read{static_cast<std::int32_t>(wordAt(bytes, 0)), static_cast<std::int32_t>(wordAt(bytes, 4)),
                   static_cast<std::int32_t>(wordAt(bytes, 8)), static_cast<std::int32_t>(wordAt(bytes, 12)),
                   wordAt(bytes, 16)};
    // Sizes t1 … t5 and the two shapes; anything else keeps the default.
    if (read.size < 0 || read.size > 4 || read.shape < 0 || read.shape > 1 || read.colour > 0xFFFFFF) return;
    style = read;
}

void writeStyle(QSettings& store, const char* name, const KindStyle& style) {
    QByteArray bytes(kStyleBytes, '\0');
    putWord(bytes, 0, static_cast<std::uint32_t>(style.reserved0));
    putWord(bytes, 4, static_cast<std::uint32_t>(style.size));
    putWord(bytes, 8, static_cast<std::uint32_t>(style.shape));
    putWord(bytes, 12, static_cast<std::uint32_t>(style.reserved1));
    putWord(bytes, 16, style.colour);
    store.setValue(key(name), bytes);
}

std::string readText(QSettings& store, const QString& name) {
    const QVariant value = store.value(name);
    return value.typeId() == QMetaType::QString ? value.toString().toStdString() : std::string();
}

}  // namespace

const char* appearanceValueName(int kind) {
    for (const AppearanceName& a : kAppearanceNames)
        if (a.kind == kind) return a.name;
    return nullptr;
}

void loadSettings(QSettings& store, AppSettings& s) {
    for (const IntValue& v : kIntValues) readInt(store, v.name, s.*v.field, v.low, v.high);
    if (store.contains(key("mwState"))) {
        bool ok = false;
        const int state = store.value(key("mwState")).toInt(&ok);
        s.mwState = ok && (state == 1 || state == 3 || state == 5) ? state : 3;
    }
    if (const std::string language = readText(store, key("Language")); !language.empty())
        s.language = language;

    DocumentLook& look = s.defaultLook;
    readColour(store, "ndBckCol", look.backgroundColour);
    readColour(store, "EOCol", look.hiddenColour);
    readColour(store, "ESCol", look.selectedColour);
    readColour(store, "LCBckCol", look.listBackground);
    readFont(store, "FontLC", look.listFont, look.listFontColour);
    readFont(store, "FontEG_txt", look.textFont, look.textColour);
    readFont(store, "FontEG_num", look.numberFont, look.numberColour);
    readFont(store, "Font_nom", look.nameFont, look.nameColour);
    for (const AppearanceName& a : kAppearanceNames)
        readStyle(store, a.name, look.styles[static_cast<std::size_t>(a.kind)]);
    s.currentLook = look;

    readFont(store, "FontMC", s.cursorMessageFont, s.cursorMessageColour);

    s.lastDirectory = readText(store, kLastDir);
    if (const std::string dir = readText(store, kLastDirMac); !dir.empty()) s.lastMacroDirectory = dir;
    std::vector<std::string> recent;
    for (int i = 0; i < 10; ++i) {
        const std::string path = readText(store, kRecentGroup + QStringLiteral("/File") + QString::number(i));
        if (!path.empty()) recent.push_back(path);
    }
    if (!recent.empty()) s.recentFiles = recent;
}

void saveSettings(const AppSettings& s, QSettings& store) {
    for (const IntValue& v : kIntValues) writeInt(store, v.name, s.*v.field);
    writeInt(store, "mwState", s.mwState);
    store.setValue(key("Language"), QString::fromStdString(s.language));
    writeInt(store, "g3dver", kProgramVersion);

    const DocumentLook& look = s.defaultLook;
    writeInt(store, "ndBckCol", look.backgroundColour);
    writeInt(store, "EOCol", look.hiddenColour);
    writeInt(store, "ESCol", look.selectedColour);
    writeInt(store, "LCBckCol", look.listBackground);
    writeFont(store, "FontLC", look.listFont, look.listFontColour);
    writeFont(store, "FontEG_txt", look.textFont, look.textColour);
    writeFont(store, "FontEG_num", look.numberFont, look.numberColour);
    writeFont(store, "Font_nom", look.nameFont, look.nameColour);
    for (const AppearanceName& a : kAppearanceNames)
        writeStyle(store, a.name, look.styles[static_cast<std::size_t>(a.kind)]);

    writeFont(store, "FontMC", s.cursorMessageFont, s.cursorMessageColour);

    store.setValue(kLastDir, QString::fromStdString(s.lastDirectory));
    store.setValue(kLastDirMac, QString::fromStdString(s.lastMacroDirectory));
    store.remove(kRecentGroup);
    for (std::size_t i = 0; i < s.recentFiles.size() && i < 10; ++i)
        store.setValue(kRecentGroup + QStringLiteral("/File") + QString::number(static_cast<int>(i)),
                       QString::fromStdString(s.recentFiles[i]));
}
