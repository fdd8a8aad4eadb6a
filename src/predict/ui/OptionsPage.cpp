#include "predict/ui/OptionsPage.h"

#include "common/ui/CountSpinEdit.h"
#include "common/ui/MessageBox.h"
#include "common/ui/UiColors.h"
#include "common/ui/UiWidgets.h"
#include "data/DrawTable.h"
#include "predict/ui/ExclusionTable.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <array>

namespace {

// Where each control sits, in pixels of its parent.
namespace geometry {
// The page: the basic group above the exclusion table.
constexpr QRect kBasicGroup{6, 4, 620, 186}, kTable{6, 196, 620, 246};
// The basic group: the four modes one below the other, then one row of settings.
constexpr QRect kFirstMode{16, 24, 590, 24};
constexpr int kModePitch = 26;
constexpr QRect kCountCaption{16, 136, 104, 28}, kCount{122, 136, 64, 28};
constexpr QRect kThresholdCaption{206, 136, 104, 28}, kThreshold{312, 136, 64, 28},
    kThresholdUnit{380, 136, 52, 28};
constexpr QRect kAgainUpdate{436, 134, 80, 32}, kBaseDef{522, 134, 86, 32};
} // namespace geometry

// The four modes' radio-button handlers, by GenerationMode.
constexpr std::array<void (TOptionsPage::*)(), 4> kModeClicks{
    &TOptionsPage::RadioButton1Click, &TOptionsPage::RadioButton2Click,
    &TOptionsPage::RadioButton3Click, &TOptionsPage::RadioButton4Click};
} // namespace

TOptionsPage::TOptionsPage(TSettings& settings, const PositionCounts& counts, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_counts(counts) {
    setObjectName(QStringLiteral("TabSheet2"));
    buildBasicGroup();
    m_table = new TExclusionTable(
        settings, counts, [this] { return m_radios.at(3)->isChecked(); },
        [this] { return m_threshold->text(); }, this);
    m_table->setGeometry(geometry::kTable);
}

void TOptionsPage::buildBasicGroup() {
    QGroupBox* group = captionedGroup(this, QStringLiteral("GroupBox5"),
                                      QStringLiteral("申込み数字の基本設定"), kTeal);
    group->setGeometry(geometry::kBasicGroup);

    const QStringList captions = {
        QStringLiteral("手動で申込み数字を設定します。（好みの数字が選択できます）"),
        QStringLiteral("ランダムで申込み数字を弾き出します。（除外数字は含まれません。）"),
        QStringLiteral("除外数字を元に、より確率の高い当選数字を弾き出します。"),
        QStringLiteral("基本数字毎に抽選回数以上の数字で絞り込み、自動で弾き出します。"),
    };
    m_radioGroup = new QButtonGroup(this);
    for (int i = 0; i < captions.size(); ++i) {
        auto* radio = new QRadioButton(captions.at(i), group);
        radio->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        radio->setGeometry(geometry::kFirstMode.translated(0, i * geometry::kModePitch));
        m_radioGroup->addButton(radio, i);
        m_radios.append(radio);
    }
    m_radios.at(3)->setChecked(true);
    for (int mode = 0; mode < static_cast<int>(kModeClicks.size()); ++mode)
        connect(m_radios.at(mode), &QRadioButton::clicked, this, kModeClicks.at(mode));

    makeLabel(group, QStringLiteral("Label1"), QStringLiteral("連続申込み口数"),
              geometry::kCountCaption);
    m_defaultCount = new TCountSpinEdit(kLineCountLimits.minimum, kLineCountLimits.maximum,
                                        TCountSpinEdit::Keys::DigitsAndSigns, group);
    m_defaultCount->setObjectName(QStringLiteral("editAutoSelectDefault"));
    m_defaultCount->setToolTip(QStringLiteral("連続購入する、申込み口数を初期設定します。"));
    m_defaultCount->setGeometry(geometry::kCount);

    makeLabel(group, QStringLiteral("Label5"), QStringLiteral("過去の抽選回数"),
              geometry::kThresholdCaption);
    m_threshold = new TCountSpinEdit(kThresholdLimits.minimum, kThresholdLimits.maximum,
                                     TCountSpinEdit::Keys::DigitsAndSigns, group);
    m_threshold->setObjectName(QStringLiteral("editSelectRange"));
    m_threshold->setToolTip(
        QStringLiteral("基本数字毎に過去の抽選回数が設定数以上の数字を対象とします。"));
    m_threshold->setGeometry(geometry::kThreshold);
    m_threshold->setText(QStringLiteral("1"));
    makeLabel(group, QStringLiteral("Label7"), QStringLiteral("回以上"), geometry::kThresholdUnit);

    m_againUpdate =
        makeButton(group, QStringLiteral("btnAgainUpdate"), QStringLiteral("反映"), {}, kNavy);
    m_againUpdate->setGeometry(geometry::kAgainUpdate);
    connect(m_againUpdate, &QPushButton::clicked, this, &TOptionsPage::btnAgainUpdateClick);
    auto* baseDef =
        makeButton(group, QStringLiteral("btnBaseDef"), QStringLiteral("元に戻す"), {}, kBlack);
    baseDef->setGeometry(geometry::kBaseDef);
    connect(baseDef, &QPushButton::clicked, this, [this] { btnBaseDefClick(true); });
}

void TOptionsPage::initControls() {
    m_table->initControls();
}

GenerationMode TOptionsPage::checkedMode() const {
    return modeFromIndex(m_radioGroup->checkedId());
}

QString TOptionsPage::thresholdText() const {
    return m_threshold->text();
}

const NumberSet& TOptionsPage::appliedExclusions() const {
    return m_table->appliedExclusions();
}

void TOptionsPage::btnBaseDefClick(bool resetToDefaults) {
    if (resetToDefaults)
        m_settings = TSettings{};
    // Stored values outside the fields' limits are shown at the nearest limit
    // rather than cut to the fields' three characters.
    m_defaultCount->setValue(m_settings.AutoNum);
    emit lineCountApplied(m_defaultCount->text());
    m_defaultCount->setEnabled(true);
    m_threshold->setValue(m_settings.RangeNum);
    m_threshold->setEnabled(true);
    emit generationEnabledChanged(true);
    chooseMode(modeFromIndex(m_settings.OptionIndex));
}

void TOptionsPage::chooseMode(GenerationMode mode) {
    // The radio button first: the mode operation reads which one is checked.
    m_radios.at(static_cast<int>(mode))->setChecked(true);
    (this->*kModeClicks.at(static_cast<int>(mode)))();
}

void TOptionsPage::RadioButton1Click() {
    btnBaseSaveClick();
    m_table->hide();
    m_settings.OptionIndex = static_cast<int>(GenerationMode::Manual);
}

void TOptionsPage::RadioButton2Click() {
    btnBaseSaveClick();
    m_table->hide();
    m_settings.OptionIndex = static_cast<int>(GenerationMode::Random);
}

void TOptionsPage::RadioButton3Click() {
    m_table->prepareExclusionEditor();
    btnBaseSaveClick();
    m_table->showExclusionEditor();
    m_settings.OptionIndex = static_cast<int>(GenerationMode::Exclusion);
}

void TOptionsPage::RadioButton4Click() {
    m_table->prepareRangeView();
    btnBaseSaveClick();
    m_table->showRangeView();
    m_settings.OptionIndex = static_cast<int>(GenerationMode::PositionThreshold);
}

void TOptionsPage::btnBaseSaveClick() {
    const GenerationMode mode = checkedMode();
    const bool generating = generatesLines(mode);
    m_defaultCount->setEnabled(generating);
    emit generationEnabledChanged(generating);
    const bool byThreshold = mode == GenerationMode::PositionThreshold;
    m_threshold->setEnabled(byThreshold);
    m_againUpdate->setEnabled(byThreshold);
}

void TOptionsPage::btnAgainUpdateClick() {
    runHandler(this, [this] {
        if (m_threshold->text().trimmed().isEmpty()) {
            showGuideMessage(this, QStringLiteral("過去の抽選回数が入力されていません。"));
            return;
        }
        const int threshold = m_threshold->value();
        if (!everyPositionReaches(m_counts, threshold)) {
            showGuideMessage(this, QStringLiteral("過去の抽選回数の条件を満たしていません。"
                                                  "抽選回数を変更してください。"));
            m_threshold->setText(QStringLiteral("1"));
            m_threshold->setFocus();
            return;
        }
        // Both values are read before either is stored: a bad count stores nothing.
        const int lines = m_defaultCount->value();
        m_settings.AutoNum = lines;
        m_settings.RangeNum = threshold;
        m_table->TabControl1Change();
    });
}
