// The icons of tools and commands: every icon of the index is compiled in and
// draws at tool-bar size, every tool with a button has exactly one, and nothing
// compiled in is missing from the index.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "app/icons.h"

namespace {

int opaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 128;
    return count;
}

bool isNumber(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

}  // namespace

TEST(Icons, IndexedIconsDrawAndCoverEveryTool) {
    std::ifstream in(KOVA_SOURCE_DIR "/src/app/icons/index.txt");
    ASSERT_TRUE(in);
    std::map<int, std::string> toolIcons;
    std::set<QString> indexed;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string file, what;
        fields >> file >> what;
        ASSERT_FALSE(what.empty()) << "line without a tool or command: " << line;
        const QString name = QString::fromStdString(file);
        EXPECT_TRUE(indexed.insert(name).second) << file << " is listed twice";
        const QImage image =
            commandIcon(name).pixmap(30, 30).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(30, 30)) << file;
        EXPECT_GT(opaquePixels(image), 40) << file << " draws almost nothing";
        if (isNumber(what)) EXPECT_TRUE(toolIcons.emplace(std::stoi(what), file).second) << "tool " << what;
    }
    // Tools 2 and 3, choosing a macro's initial and final elements, have no button.
    for (int tool = 0; tool <= 52; ++tool)
        if (tool != 2 && tool != 3) EXPECT_EQ(toolIcons.count(tool), 1u) << "tool " << tool << " has no icon";
    const QStringList compiled = QDir(":/icons").entryList(QDir::Files);
    EXPECT_EQ(static_cast<std::size_t>(compiled.size()), indexed.size());
    for (const QString& file : compiled)
        EXPECT_TRUE(indexed.count(file)) << file.toStdString() << " is not in the index";
    EXPECT_TRUE(commandIcon("no-such-icon.svg").isNull());
}
