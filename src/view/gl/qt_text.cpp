#include "view/gl/qt_text.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "lang/text_encoding.h"

namespace {

constexpr int kDefaultPixelHeight = 16;
constexpr int kMaxPixelHeight = 1000;
constexpr std::uint8_t kNonAntialiasedQuality = 3;

std::int32_t field(const FontRecord& record, std::size_t offset) {
    std::int32_t v = 0;
    std::memcpy(&v, record.bytes.data() + offset, sizeof v);
    return v;
}

}  // namespace

QFont fontFromRecord(const FontRecord& record) {
    QFont font;
    // The face name is NUL-terminated inside its 32 bytes, in the 8-bit code of the files.
    const char* face = reinterpret_cast<const char*>(record.bytes.data() + 28);
    const std::size_t faceLength = strnlen(face, 32);
    if (faceLength > 0) font.setFamily(QString::fromStdString(windows1252ToUtf8({face, faceLength})));
    const std::int64_t height = field(record, 0);
    font.setPixelSize(height == 0
                          ? kDefaultPixelHeight
                          : static_cast<int>(std::min<std::int64_t>(std::llabs(height), kMaxPixelHeight)));
    const std::int32_t weight = field(record, 16);
    if (weight > 0) font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    font.setItalic(record.bytes[20] != 0);
    font.setUnderline(record.bytes[21] != 0);
    font.setStrikeOut(record.bytes[22] != 0);
    if (record.bytes[26] == kNonAntialiasedQuality) font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

TextExtent measureText(std::string_view text, const FontRecord& record) {
    const QFontMetrics metrics(fontFromRecord(record));
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return {metrics.horizontalAdvance(s), metrics.height()};
}

ScreenTextContext qtScreenTexts(std::string undefinedValueText, int pixelsPerInch) {
    ScreenTextContext texts;
    texts.measure = measureText;
    texts.undefinedValueText = std::move(undefinedValueText);
    texts.pixelsPerInch = pixelsPerInch > 0 ? pixelsPerInch : kDefaultScreenPixelsPerInch;
    return texts;
}

namespace {

// Qt wants a private runtime folder and warns on standard error when the
// environment names none (a session without a login, a script, a container).
// A program without a window gives it one of its own: a per-user folder in the
// temporary folder, made private. A folder there that is not ours or not
// private is left alone, and Qt's own warning then tells about it.
void ensureRuntimeFolder() {
    if (const char* given = std::getenv("XDG_RUNTIME_DIR"); given && *given) return;
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder = std::string(tmp && *tmp == '/' ? tmp : "/tmp") + "/kova3d-runtime-" +
                               std::to_string(static_cast<unsigned long>(getuid()));
    mkdir(folder.c_str(), 0700);
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid() ||
        (info.st_mode & 0777) != 0700)
        return;
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
}

}  // namespace

bool ensureGuiApplication() {
    if (QGuiApplication::instance()) return true;
    ensureRuntimeFolder();
    // Qt keeps references to these for the application's life.
    static int argc = 1;
    static char name[] = "kova3d";
    static char* argv[] = {name, nullptr};
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    return application != nullptr;
}
