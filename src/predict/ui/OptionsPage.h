#pragma once

#include "common/ComType.h"
#include "predict/ui/GenerationInputs.h"

#include <QList>
#include <QWidget>

class PositionCounts;
class QButtonGroup;
class QPushButton;
class QRadioButton;
class TCountSpinEdit;
class TExclusionTable;

// "予想オプション設定": the generation mode, the default line count, the
// threshold of the position-threshold mode, and below them the exclusion
// table. It changes the program's one settings record in place.
class TOptionsPage : public QWidget, public GenerationInputs {
    Q_OBJECT
public:
    TOptionsPage(TSettings& settings, const PositionCounts& counts, QWidget* parent = nullptr);

    // Start state of the exclusion table: captions, no marks, nothing applied.
    void initControls();
    // Shows the stored options without resetting them to the defaults first.
    void applyStoredOptions() { btnBaseDefClick(false); }

    GenerationMode checkedMode() const override;
    QString thresholdText() const override;
    const NumberSet& appliedExclusions() const override;

    TExclusionTable* exclusionTable() const { return m_table; }

    // Handlers.
    // Applies the options to the controls, first resetting them to the
    // defaults when asked ("元に戻す").
    void btnBaseDefClick(bool resetToDefaults);
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton4Click();
    void btnBaseSaveClick();
    void btnAgainUpdateClick();

signals:
    // The default line count, to be copied into the main tab's count field.
    void lineCountApplied(const QString& text);
    // Whether the generation button and the main tab's count field are usable.
    void generationEnabledChanged(bool enabled);

private:
    void buildBasicGroup();
    void chooseMode(GenerationMode mode);

    TSettings& m_settings;
    const PositionCounts& m_counts;
    QList<QRadioButton*> m_radios;
    QButtonGroup* m_radioGroup = nullptr;
    TCountSpinEdit* m_defaultCount = nullptr;
    TCountSpinEdit* m_threshold = nullptr;
    QPushButton* m_againUpdate = nullptr;
    TExclusionTable* m_table = nullptr;
};
