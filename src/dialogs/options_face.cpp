#include "dialogs/options_face.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cstring>

#include "lang/composed_texts.h"
#include "lang/text_encoding.h"
#include "lang/text_ids.h"
#include "view/gl/qt_text.h"

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

std::uint32_t rgbOf(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) | (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
}

void paintSwatch(QPushButton* button, std::uint32_t rgb) {
    QPixmap swatch(32, 14);
    swatch.fill(qtColour(rgb));
    button->setIcon(QIcon(swatch));
    button->setIconSize(swatch.size());
}

}  // namespace

OptionsFace::OptionsFace(QWidget* parent, OptionsDialog& model, const TextTable& texts)
    : QDialog(parent), model_(model), texts_(texts) {
    setWindowTitle(qt(model.title()));
    auto* tabs = new QTabWidget;
    tabs->addTab(generalPage(), text(textid::kOptionsGeneral));
    tabs->addTab(appearancePage(), text(textid::kOptionsAppearance));
    tabs->addTab(viewPage(), text(textid::kOptionsViewUnits));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    refresh();
}

QString OptionsFace::text(int id) const {
    return qt(texts_.text(id));
}

void OptionsFace::done(int result) {
    std::string error;
    model_.press(result == QDialog::Accepted ? "ok" : "cancel", error);
    QDialog::done(result);
}

void OptionsFace::set(const char* field, const std::string& text) {
    std::string error;
    model_.setField(field, text, error);
}

void OptionsFace::refresh() {
    for (auto& show : refreshers_) show();
}

QWidget* OptionsFace::generalPage() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    addColour(form, "backgroundColour", textid::kOptionsBackground);
    addColour(form, "hiddenColour", textid::kOptionsHidden);
    addColour(form, "selectedColour", textid::kOptionsSelected);
    addCheck(form, "applyToNew", textid::kOptionsApplyToNew);
    // One row for the list: its background, then its font and the font's colour.
    QHBoxLayout* list = addFont(form, "FontLC", textid::kOptionsList);
    list->insertWidget(0, new QLabel(text(textid::kOptionsBackground)));
    list->insertWidget(1, addColour(form, "LCBckCol", 0));
    list->insertSpacing(2, 12);
    addFont(form, "FontMC", textid::kOptionsCursorMessages);
    addCheck(form, "adapMC", textid::kOptionsAdaptMessages);
    QStringList names;
    std::vector<std::string> files;
    for (const LanguageFile& l : model_.languages()) {
        names << qt(l.displayName);
        files.push_back(l.fileName);
    }
    addChoice(form, "language", textid::kOptionsLanguage, names, files);
    return page;
}

QWidget* OptionsFace::appearancePage() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    QStringList layouts;
    std::vector<std::string> values;
    for (int i = model_.hasDocument() ? 0 : 1; i < kOptionsLayoutCount; ++i) {
        const std::string name = optionsLayoutName(static_cast<OptionsLayout>(i), model_.spanish());
        layouts << qt(name);
        values.push_back(name);
    }
    addChoice(form, "layout", textid::kOptionsLayout, layouts, values);
    QStringList kinds;
    values.clear();
    for (const int kind : OptionsDialog::styledKinds()) {
        kinds << qt(texts_.text(kindNameTextId(kind)));
        values.push_back(std::to_string(kind));
    }
    addChoice(form, "kind", textid::kOptionsKind, kinds, values);
    addColour(form, "kindColour", textid::kStyleColour);
    addChoice(form, "kindSize", textid::kStyleSizeMenu,
              {text(textid::kStyleSize1), text(textid::kStyleSize2), text(textid::kStyleSize3),
               text(textid::kStyleSize4), text(textid::kStyleSize5)},
              {"0", "1", "2", "3", "4"});
    addChoice(form, "kindShape", textid::kStyleShapeMenu,
              {text(textid::kStyleShape1), text(textid::kStyleShape2)}, {"0", "1"});
    addCheck(form, "stylesToNew", textid::kOptionsApplyToNew);
    addFont(form, "Font_nom", textid::kOptionsNames);
    addFont(form, "FontEG_num", textid::kOptionsNumbers);
    addFont(form, "FontEG_txt", textid::kOptionsTexts);
    addCheck(form, "fontsToNew", textid::kOptionsApplyToNew);
    addCheck(form, "AntiAliasing", textid::kOptionsAntiAliasing);
    addCheck(form, "antiAliasingToNew", textid::kOptionsApplyToNew);
    return page;
}

QWidget* OptionsFace::viewPage() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    addChoice(form, "projection", textid::kOptionsProjection,
              {text(textid::kItemCentralProjection), text(textid::kItemParallelProjection)}, {"0", "1"});
    addChoice(form, "rotationSpeed", textid::kOptionsRotationSpeed, {"1", "2", "3"}, {"1", "2", "3"});
    addCheck(form, "rotationReverse", textid::kOptionsReverse);
    addChoice(form, "angleUnit", textid::kOptionsAngleUnit, {"RAD", "DEG", "GRA"}, {"RAD", "DEG", "GRA"});
    addLine(form, "axisLength", textid::kOptionsAxisLength);
    addLine(form, "unitScale", textid::kOptionsUnitScale);
    QStringList decimals;
    std::vector<std::string> values;
    for (int d = 0; d <= 8; ++d) {
        decimals << QString::number(d);
        values.push_back(std::to_string(d));
    }
    addChoice(form, "ndec_nn", textid::kOptionsDecimals, decimals, values);
    addCheck(form, "ocei_macro", textid::kOptionsHideMacroSteps);
    addCheck(form, "ife_stst", textid::kOptionsStepsAtLast);
    return page;
}

QPushButton* OptionsFace::addColour(QFormLayout* form, const char* field, int textId) {
    auto* button = new QPushButton;
    button->setObjectName(field);
    connect(button, &QPushButton::clicked, this, [this, field] {
        std::string current;
        model_.field(field, current);
        const QColor chosen = QColorDialog::getColor(qtColour(std::stoul(current)), this);
        if (!chosen.isValid()) return;
        set(field, std::to_string(rgbOf(chosen)));
        refresh();
    });
    refreshers_.push_back([this, button, field] {
        std::string current;
        if (model_.field(field, current))
            paintSwatch(button, static_cast<std::uint32_t>(std::stoul(current)));
    });
    if (textId != 0) form->addRow(text(textId), button);
    return button;
}

void OptionsFace::addCheck(QFormLayout* form, const char* field, int textId) {
    auto* box = new QCheckBox(text(textId));
    box->setObjectName(field);
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) { set(field, on ? "1" : "0"); });
    refreshers_.push_back([this, box, field] {
        std::string current;
        const QSignalBlocker quiet(box);
        if (model_.field(field, current)) box->setChecked(current == "1");
    });
    form->addRow(box);
}

void OptionsFace::addChoice(QFormLayout* form, const char* field, int textId, const QStringList& shown,
                            const std::vector<std::string>& values) {
    auto* combo = new QComboBox;
    combo->setObjectName(field);
    combo->addItems(shown);
    connect(combo, &QComboBox::currentIndexChanged, this, [this, field, values](int index) {
        if (index < 0 || index >= static_cast<int>(values.size())) return;
        set(field, values[static_cast<std::size_t>(index)]);
        refresh();  // a layout or another kind changes what the other widgets show
    });
    refreshers_.push_back([this, combo, field, values] {
        std::string current;
        if (!model_.field(field, current)) return;
        const QSignalBlocker quiet(combo);
        for (std::size_t i = 0; i < values.size(); ++i)
            if (values[i] == current || combo->itemText(static_cast<int>(i)) == qt(current))
                combo->setCurrentIndex(static_cast<int>(i));
    });
    form->addRow(text(textId), combo);
}

void OptionsFace::addLine(QFormLayout* form, const char* field, int textId) {
    auto* line = new QLineEdit;
    line->setObjectName(field);
    connect(line, &QLineEdit::textEdited, this,
            [this, field](const QString& typed) { set(field, typed.toStdString()); });
    refreshers_.push_back([this, line, field] {
        std::string current;
        if (model_.field(field, current) && line->text() != qt(current)) line->setText(qt(current));
    });
    form->addRow(text(textId), line);
}

QHBoxLayout* OptionsFace::addFont(QFormLayout* form, const char* field, int textId) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* button = new QPushButton(text(textid::kOptionsFont));
    button->setObjectName(field);
    connect(button, &QPushButton::clicked, this, [this, field] {
        const FontRecord* record = model_.font(field);
        if (!record) return;
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, fontFromRecord(*record), this);
        if (!ok) return;
        model_.setFont(field, fontRecordOf(chosen, *record));
        refresh();
    });
    refreshers_.push_back([this, button, field] {
        if (const FontRecord* record = model_.font(field)) button->setToolTip(qt(fontText(*record)));
    });
    layout->addWidget(button);
    auto* colour = new QPushButton;
    const std::string colourField = std::string(field) + "Colour";
    colour->setObjectName(qt(colourField));
    connect(colour, &QPushButton::clicked, this, [this, colourField] {
        std::string current;
        if (!model_.field(colourField, current)) return;
        const QColor chosen = QColorDialog::getColor(qtColour(std::stoul(current)), this);
        if (!chosen.isValid()) return;
        set(colourField.c_str(), std::to_string(rgbOf(chosen)));
        refresh();
    });
    refreshers_.push_back([this, colour, colourField] {
        std::string current;
        if (model_.field(colourField, current))
            paintSwatch(colour, static_cast<std::uint32_t>(std::stoul(current)));
    });
    layout->addWidget(colour);
    layout->addStretch();
    form->addRow(text(textId), row);
    return layout;
}

void execOptionsFace(QWidget* parent, OptionsDialog& model, const TextTable& texts) {
    OptionsFace face(parent, model, texts);
    face.exec();
}

FontRecord fontRecordOf(const QFont& font, FontRecord record) {
    const QFontInfo info(font);
    const std::int32_t height = -info.pixelSize();
    const std::int32_t weight = font.weight();
    std::memcpy(record.bytes.data(), &height, sizeof height);
    std::memcpy(record.bytes.data() + 16, &weight, sizeof weight);
    record.bytes[20] = font.italic() ? 1 : 0;
    record.bytes[21] = font.underline() ? 1 : 0;
    record.bytes[22] = font.strikeOut() ? 1 : 0;
    const Windows1252Text face = utf8ToWindows1252(font.family().toStdString());
    if (face.ok() && face.bytes.size() < 32) {
        std::fill_n(record.bytes.begin() + 28, 32, std::uint8_t{0});
        std::copy(face.bytes.begin(), face.bytes.end(), record.bytes.begin() + 28);
    }
    return record;
}
