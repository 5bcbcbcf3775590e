#include "app/settings.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <cstring>

#include "io/document_defaults.h"
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

DocumentLook DocumentLook::builtIn() {
    DocumentLook look;
    const DocumentDefaults defaults = builtInDocumentDefaults();
    look.textFont = defaults.textFont;
    look.textColour = defaults.textColour;
    look.numberFont = defaults.numberFont;
    look.numberColour = defaults.numberColour;
    look.styles = defaults.styles;
    return look;
}

DocumentDefaults DocumentLook::documentDefaults() const {
    DocumentDefaults defaults;
    defaults.textFont = textFont;
    defaults.textColour = textColour;
    defaults.numberFont = numberFont;
    defaults.numberColour = numberColour;
    defaults.styles = styles;
    return defaults;
}

const char* appearanceValueName(int kind) {
    for (const AppearanceName& a : kAppearanceNames)
        if (a.kind == kind) return a.name;
    return nullptr;
}

void loadSettings(QSettings& store, AppSettings& s) {
    constexpr int kCoordinate = 1 << 20;  // far beyond any screen
    readInt(store, "mwTop", s.mwTop, -kCoordinate, kCoordinate);
    readInt(store, "mwLeft", s.mwLeft, -kCoordinate, kCoordinate);
    readInt(store, "mwBottom", s.mwBottom, -kCoordinate, kCoordinate);
    readInt(store, "mwRight", s.mwRight, -kCoordinate, kCoordinate);
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
    readInt(store, "adapMC", s.cursorMessageOption, 0, 1);
    readInt(store, "AntiAliasing", s.antialiasing, 0, 1);
    readInt(store, "ndec_nn", s.decimals, 0, 8);
    readInt(store, "ocei_macro", s.hideMacroIntermediates, 0, 1);
    readInt(store, "ife_stst", s.stepByStepOption, 0, 1);
    readInt(store, "bt_emerg", s.flyoutButtons, 0, 1);
    readInt(store, "bar_constr", s.constructionBar, 0, 1);
    readInt(store, "bar_princ", s.mainBar, 0, 1);
    readInt(store, "bar_est", s.statusBar, 0, 1);
    readInt(store, "v_listcon", s.constructionList, 0, 1);

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
    writeInt(store, "mwTop", s.mwTop);
    writeInt(store, "mwLeft", s.mwLeft);
    writeInt(store, "mwBottom", s.mwBottom);
    writeInt(store, "mwRight", s.mwRight);
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
    writeInt(store, "adapMC", s.cursorMessageOption);
    writeInt(store, "AntiAliasing", s.antialiasing);
    writeInt(store, "ndec_nn", s.decimals);
    writeInt(store, "ocei_macro", s.hideMacroIntermediates);
    writeInt(store, "ife_stst", s.stepByStepOption);
    writeInt(store, "bt_emerg", s.flyoutButtons);
    writeInt(store, "bar_constr", s.constructionBar);
    writeInt(store, "bar_princ", s.mainBar);
    writeInt(store, "bar_est", s.statusBar);
    writeInt(store, "v_listcon", s.constructionList);

    store.setValue(kLastDir, QString::fromStdString(s.lastDirectory));
    store.setValue(kLastDirMac, QString::fromStdString(s.lastMacroDirectory));
    store.remove(kRecentGroup);
    for (std::size_t i = 0; i < s.recentFiles.size() && i < 10; ++i)
        store.setValue(kRecentGroup + QStringLiteral("/File") + QString::number(static_cast<int>(i)),
                       QString::fromStdString(s.recentFiles[i]));
}
