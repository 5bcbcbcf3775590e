#include "dialogs/text_face.h"

#include <QAction>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>

#include "expr/rich_text_writer.h"
#include "view/gl/rich_text_image.h"

namespace {

constexpr QChar kLineSeparator(0x2028);
constexpr int kMinPoints = 1;
constexpr int kMaxPoints = 1638;

TextAlignment alignmentOf(Qt::Alignment alignment) {
    if (alignment & Qt::AlignHCenter) return TextAlignment::Centre;
    if (alignment & Qt::AlignRight) return TextAlignment::Right;
    if (alignment & Qt::AlignJustify) return TextAlignment::Justified;
    return TextAlignment::Left;
}

// What Qt's formats do not hold rides along as user properties, so that a
// text read from a word processor comes out of the editor as it went in.
enum ModelProperty {
    kUnderlineStyle = QTextFormat::UserProperty + 100,
    kRaise,
    kHidden,
    kCharset,
    kHighlight,
    kShading,
    kRightIndentTwips,
    kLeftIndentTwips,
    kFirstIndentTwips,
    kSpaceBeforeTwips,
    kSpaceAfterTwips,
    kLineSpacing,
    kLineMultiple,
    kTabStops,
    kRow,
    kCell,
};

constexpr double kTwipsPerPixel = 15.0;  // at 96 pixels per inch

QColor qColour(std::uint32_t c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

std::uint32_t colourOf(const QColor& c) {
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}

QTextCharFormat charFormatOf(const RichTextRun& run) {
    QTextCharFormat format;
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.italic);
    format.setFontUnderline(run.underline != UnderlineStyle::None);
    format.setProperty(kUnderlineStyle, static_cast<int>(run.underline));
    format.setFontStrikeOut(run.strike);
    format.setVerticalAlignment(run.script == ScriptPosition::Super ? QTextCharFormat::AlignSuperScript
                                : run.script == ScriptPosition::Sub ? QTextCharFormat::AlignSubScript
                                                                    : QTextCharFormat::AlignNormal);
    format.setFontCapitalization(run.caps        ? QFont::AllUppercase
                                 : run.smallCaps ? QFont::SmallCaps
                                                 : QFont::MixedCase);
    if (run.raise != 0) format.setProperty(kRaise, run.raise);
    if (run.hidden) format.setProperty(kHidden, true);
    if (run.charset != 0) format.setProperty(kCharset, run.charset);
    format.setFontPointSize(run.halfPoints / 2.0);
    if (!run.font.empty()) format.setFontFamilies({QString::fromStdString(run.font)});
    if (run.colour) format.setForeground(qColour(*run.colour));
    if (run.highlight) format.setProperty(kHighlight, static_cast<qlonglong>(*run.highlight));
    if (run.background) format.setProperty(kShading, static_cast<qlonglong>(*run.background));
    if (run.highlight || run.background)
        format.setBackground(qColour(run.highlight ? *run.highlight : *run.background));
    return format;
}

RichTextRun runOf(const QTextCharFormat& format, const QString& text) {
    RichTextRun run;
    QString shown = text;
    shown.replace(kLineSeparator, QChar('\n'));
    run.text = shown.toStdString();
    run.bold = format.fontWeight() >= QFont::DemiBold;
    run.italic = format.fontItalic();
    // The editor's buttons change Qt's flags; the model's finer kinds stay while the flag does.
    if (format.fontUnderline()) {
        const int style = format.intProperty(kUnderlineStyle);
        run.underline = style > 0 && style <= static_cast<int>(UnderlineStyle::Wave)
                            ? static_cast<UnderlineStyle>(style)
                            : UnderlineStyle::Single;
    }
    run.strike = format.fontStrikeOut();
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript) run.script = ScriptPosition::Super;
    if (format.verticalAlignment() == QTextCharFormat::AlignSubScript) run.script = ScriptPosition::Sub;
    run.caps = format.fontCapitalization() == QFont::AllUppercase;
    run.smallCaps = format.fontCapitalization() == QFont::SmallCaps;
    run.raise = format.intProperty(kRaise);
    run.hidden = format.boolProperty(kHidden);
    run.charset = format.intProperty(kCharset);
    if (format.hasProperty(QTextFormat::FontPointSize))
        run.halfPoints = std::clamp(static_cast<int>(std::lround(format.fontPointSize() * 2)), 2, 3276);
    if (format.hasProperty(QTextFormat::FontFamilies)) {
        const QStringList families = format.fontFamilies().toStringList();
        if (!families.isEmpty()) run.font = families.front().toStdString();
    }
    if (format.hasProperty(QTextFormat::ForegroundBrush)) run.colour = colourOf(format.foreground().color());
    if (format.hasProperty(kHighlight))
        run.highlight = static_cast<std::uint32_t>(format.property(kHighlight).toLongLong());
    if (format.hasProperty(kShading))
        run.background = static_cast<std::uint32_t>(format.property(kShading).toLongLong());
    // Text pasted from another program brings a background of its own.
    if (!run.highlight && !run.background && format.hasProperty(QTextFormat::BackgroundBrush) &&
        format.background().style() != Qt::NoBrush)
        run.highlight = colourOf(format.background().color());
    return run;
}

QTextBlockFormat blockFormatOf(const RichTextParagraph& p) {
    QTextBlockFormat block;
    block.setAlignment(qtAlignment(p.alignment));
    block.setLeftMargin(p.leftIndent / kTwipsPerPixel);
    block.setRightMargin(p.rightIndent / kTwipsPerPixel);
    block.setTextIndent(p.firstIndent / kTwipsPerPixel);
    block.setTopMargin(p.spaceBefore / kTwipsPerPixel);
    block.setBottomMargin(p.spaceAfter / kTwipsPerPixel);
    block.setProperty(kLeftIndentTwips, p.leftIndent);
    block.setProperty(kRightIndentTwips, p.rightIndent);
    block.setProperty(kFirstIndentTwips, p.firstIndent);
    block.setProperty(kSpaceBeforeTwips, p.spaceBefore);
    block.setProperty(kSpaceAfterTwips, p.spaceAfter);
    block.setProperty(kLineSpacing, p.lineSpacing);
    block.setProperty(kLineMultiple, p.lineMultiple);
    QVariantList tabs;
    for (const TabStop& tab : p.tabs) tabs << tab.position << static_cast<int>(tab.kind);
    block.setProperty(kTabStops, tabs);
    block.setProperty(kRow, p.row);
    block.setProperty(kCell, p.cell);
    return block;
}

void takeParagraphFormat(const QTextBlockFormat& block, RichTextParagraph& p) {
    p.alignment = alignmentOf(block.alignment());
    p.leftIndent = block.intProperty(kLeftIndentTwips);
    p.rightIndent = block.intProperty(kRightIndentTwips);
    p.firstIndent = block.intProperty(kFirstIndentTwips);
    p.spaceBefore = block.intProperty(kSpaceBeforeTwips);
    p.spaceAfter = block.intProperty(kSpaceAfterTwips);
    p.lineSpacing = block.intProperty(kLineSpacing);
    p.lineMultiple = block.boolProperty(kLineMultiple);
    const QVariantList tabs = block.property(kTabStops).toList();
    for (qsizetype i = 0; i + 1 < tabs.size(); i += 2) {
        const int kind = std::clamp(tabs[i + 1].toInt(), 0, static_cast<int>(TabKind::Decimal));
        p.tabs.push_back({tabs[i].toInt(), static_cast<TabKind>(kind)});
    }
    p.row = block.hasProperty(kRow) ? block.intProperty(kRow) : -1;
    p.cell = block.intProperty(kCell);
}

}  // namespace

void fillTextDocument(QTextDocument& document, const RichText& text) {
    document.clear();
    QTextCursor cursor(&document);
    bool first = true;
    for (const RichTextParagraph& paragraph : text.paragraphs) {
        const QTextBlockFormat block = blockFormatOf(paragraph);
        if (first)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        first = false;
        for (const RichTextRun& run : paragraph.runs) {
            QString shown = QString::fromStdString(run.text);
            shown.replace(QChar('\n'), kLineSeparator);
            cursor.insertText(shown, charFormatOf(run));
        }
    }
}

RichText richTextOf(const QTextDocument& document, const RichText& original) {
    RichText text;
    text.rows = original.rows;
    text.defaultTab = original.defaultTab;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        RichTextParagraph& paragraph = text.paragraphs.emplace_back();
        takeParagraphFormat(block.blockFormat(), paragraph);
        if (paragraph.row >= static_cast<int>(text.rows.size())) paragraph.row = -1;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || fragment.text().isEmpty()) continue;
            RichTextRun run = runOf(fragment.charFormat(), fragment.text());
            if (!paragraph.runs.empty() && paragraph.runs.back().sameFormat(run))
                paragraph.runs.back().text += run.text;
            else
                paragraph.runs.push_back(std::move(run));
        }
    }
    return text;
}

TextFace::TextFace(QWidget* parent, TextDialog& model, const QString& title, const QString& colourLabel)
    : QDialog(parent), model_(model) {
    setWindowTitle(title);
    setObjectName("textDialog");
    editor_ = new QTextEdit(this);
    editor_->setObjectName("editor");
    editor_->setAcceptRichText(true);  // pasted text keeps the formatting it comes with
    original_ = readRichText(model.storedRtf());
    fillTextDocument(*editor_->document(), original_);

    auto* bar = new QToolBar(this);
    const auto toggle = [&](const QString& name, const char* objectName, auto apply) {
        QAction* action = bar->addAction(name);
        action->setObjectName(objectName);
        action->setCheckable(true);
        connect(action, &QAction::toggled, this, [this, apply](bool on) {
            QTextCharFormat format;
            apply(format, on);
            mergeFormat(format);
        });
        return action;
    };
    QAction* bold = toggle(tr("B"), "bold", [](QTextCharFormat& f, bool on) {
        f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    });
    QAction* italic = toggle(tr("I"), "italic", [](QTextCharFormat& f, bool on) { f.setFontItalic(on); });
    QAction* underline =
        toggle(tr("U"), "underline", [](QTextCharFormat& f, bool on) { f.setFontUnderline(on); });
    auto* font = new QFontComboBox(bar);
    font->setObjectName("font");
    bar->addWidget(font);
    connect(font, &QFontComboBox::currentFontChanged, this, [this](const QFont& f) {
        QTextCharFormat format;
        format.setFontFamilies({f.family()});
        mergeFormat(format);
    });
    auto* size = new QSpinBox(bar);
    size->setObjectName("size");
    size->setRange(kMinPoints, kMaxPoints);
    size->setValue(12);
    bar->addWidget(size);
    connect(size, &QSpinBox::valueChanged, this, [this](int points) {
        QTextCharFormat format;
        format.setFontPointSize(points);
        mergeFormat(format);
    });
    QAction* colour = bar->addAction(colourLabel);
    colour->setObjectName("colour");
    connect(colour, &QAction::triggered, this, [this] {
        const QColor chosen = QColorDialog::getColor(editor_->textColor(), this);
        if (!chosen.isValid()) return;
        QTextCharFormat format;
        format.setForeground(chosen);
        mergeFormat(format);
    });
    bar->addSeparator();
    const std::pair<const char*, TextAlignment> alignments[] = {{"left", TextAlignment::Left},
                                                                {"centre", TextAlignment::Centre},
                                                                {"right", TextAlignment::Right},
                                                                {"justify", TextAlignment::Justified}};
    for (const auto& [name, alignment] : alignments) {
        QAction* action = bar->addAction(tr(name));
        action->setObjectName(name);
        connect(action, &QAction::triggered, this,
                [this, a = alignment] { editor_->setAlignment(qtAlignment(a)); });
    }

    // The buttons and boxes follow the format at the caret.
    connect(editor_, &QTextEdit::currentCharFormatChanged, this, [=](const QTextCharFormat& f) {
        const QSignalBlocker blocks[] = {QSignalBlocker(bold), QSignalBlocker(italic),
                                         QSignalBlocker(underline), QSignalBlocker(font),
                                         QSignalBlocker(size)};
        bold->setChecked(f.fontWeight() >= QFont::DemiBold);
        italic->setChecked(f.fontItalic());
        underline->setChecked(f.fontUnderline());
        if (f.hasProperty(QTextFormat::FontFamilies) && !f.fontFamilies().toStringList().isEmpty())
            font->setCurrentFont(QFont(f.fontFamilies().toStringList().front()));
        if (f.hasProperty(QTextFormat::FontPointSize)) size->setValue(static_cast<int>(f.fontPointSize()));
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar);
    layout->addWidget(editor_);
    layout->addWidget(buttons);
    resize(520, 360);
}

void TextFace::mergeFormat(const QTextCharFormat& format) {
    editor_->mergeCurrentCharFormat(format);
    editor_->setFocus();
}

void TextFace::done(int result) {
    std::string error;
    if (result == QDialog::Accepted &&
        model_.setField("rtf", writeRichText(richTextOf(*editor_->document(), original_)), error))
        model_.press("ok", error);
    else
        model_.press("cancel", error);
    QDialog::done(result);
}
