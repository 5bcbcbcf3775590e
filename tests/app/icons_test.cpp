// The menu table and the icons of tools and commands: one row per command,
// every tool with a command has its row with the tool's text, every text is
// in the shipped languages, the tool bars name only rows, every icon a row
// names is compiled in and draws at tool-bar size, and nothing compiled in
// is left unused.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include "app/icons.h"
#include "app/menu_table.h"
#include "interaction/tool_table.h"
#include "lang/text_ids.h"
#include "lang/text_table.h"

namespace {

int opaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 128;
    return count;
}

}  // namespace

TEST(MenuTable, RowsToolsTextsAndBars) {
    const std::span<const int> ids = allTextIds();
    std::set<int> commands;
    int topLevel = 0;
    for (const MenuRow& row : menuRows()) {
        if (row.level == 0) ++topLevel;
        if (row.commandId != 0) {
            EXPECT_TRUE(commands.insert(row.commandId).second) << row.commandId << " twice";
        }
        if (row.textId != 0) {
            EXPECT_NE(std::find(ids.begin(), ids.end(), row.textId), ids.end()) << row.textId;
        }
    }
    EXPECT_EQ(topLevel, 9);
    for (const ToolRow& tool : allTools()) {
        if (tool.commandId == 0) continue;
        const MenuRow* row = menuRow(tool.commandId);
        ASSERT_NE(row, nullptr) << "tool " << tool.number;
        EXPECT_EQ(row->textId, tool.textId) << "tool " << tool.number;
        EXPECT_FALSE(row->icon.empty()) << "tool " << tool.number;
    }

    TextTable texts;
    ASSERT_EQ(texts.load(std::filesystem::path(KOVA_SOURCE_DIR) / "Languages" / "English.lng"), 1);
    EXPECT_EQ(menuItemCaption(texts, *menuRow(command::kSelect)), texts.text(textid::kToolSelect) + "\tEsc");
    EXPECT_EQ(menuItemCaption(texts, *menuRow(5025)), texts.text(textid::kToolLocus) + "\tCtrl+L");
    EXPECT_EQ(menuItemCaption(texts, *menuRow(command::kErase)), texts.text(textid::kItemErase) + "\tDel");
    EXPECT_EQ(menuItemCaption(texts, *menuRow(5100)), texts.text(textid::kItemMoveScreen));

    // Every button has a row and an icon; every tool of a flyout group is on the long bar too.
    for (const auto bar : {mainToolBar(), flyoutConstructionBar(), longConstructionBar()})
        for (const int id : bar) {
            if (id != 0) {
                EXPECT_TRUE(menuRow(id) && !menuRow(id)->icon.empty()) << id;
            }
        }
    const std::span<const int> longBar = longConstructionBar();
    int grouped = 0;
    for (const int button : flyoutConstructionBar()) {
        const std::span<const int> group = flyoutTools(button);
        grouped += group.empty() ? 0 : 1;
        if (button == 5950) continue;  // the edit tools sit on the main bar
        for (const int tool : group)
            EXPECT_NE(std::find(longBar.begin(), longBar.end(), tool), longBar.end()) << tool;
    }
    EXPECT_EQ(grouped, 9);
}

TEST(Icons, EveryRowsIconDrawsAndNoneIsUnused) {
    std::set<QString> named;
    for (const MenuRow& row : menuRows()) {
        if (row.icon.empty()) continue;
        const QString name = QString::fromUtf8(row.icon.data(), static_cast<qsizetype>(row.icon.size()));
        EXPECT_TRUE(named.insert(name).second) << name.toStdString() << " serves two commands";
        const QImage image =
            commandIcon(name).pixmap(30, 30).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(30, 30)) << name.toStdString();
        EXPECT_GT(opaquePixels(image), 40) << name.toStdString() << " draws almost nothing";
    }
    const QStringList compiled = QDir(":/icons").entryList(QDir::Files);
    EXPECT_EQ(static_cast<std::size_t>(compiled.size()), named.size());
    for (const QString& file : compiled) {
        EXPECT_TRUE(named.count(file)) << file.toStdString() << " is used by no command";
    }
    EXPECT_TRUE(commandIcon("no-such-icon.svg").isNull());
}
