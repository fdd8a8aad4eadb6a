#pragma once

#include "common/ComType.h"
#include "predict/GenerationRule.h"

#include <QString>
#include <QtGlobal>

// What a generation run reads from the options tab, again at every draw.
class GenerationInputs {
public:
    virtual ~GenerationInputs() = default;
    // The mode of the radio button that is checked now.
    virtual GenerationMode checkedMode() const = 0;
    // The threshold field's text as it stands, "反映" or not.
    virtual QString thresholdText() const = 0;
    // The set applied by the last "予想に反映", not the panels.
    virtual const NumberSet& appliedExclusions() const = 0;
};

// The limits of the options tab's two number fields.
struct CountLimits {
    int minimum;
    int maximum;
    int bound(int value) const { return qBound(minimum, value, maximum); }
};
inline constexpr CountLimits kLineCountLimits{1, 100};
inline constexpr CountLimits kThresholdLimits{0, 100};

// What the options tab shows of a settings record once the stored options
// are applied, for as long as the tab has not been built: the same inputs,
// read from the record instead of the controls. Nothing is applied to the
// generation until the user does so on the tab.
class StoredGenerationInputs : public GenerationInputs {
public:
    explicit StoredGenerationInputs(const TSettings& settings) : m_settings(settings) {}

    GenerationMode checkedMode() const override { return modeFromIndex(m_settings.OptionIndex); }
    QString thresholdText() const override {
        return QString::number(kThresholdLimits.bound(m_settings.RangeNum));
    }
    const NumberSet& appliedExclusions() const override { return m_none; }
    // The default line count's field text.
    QString lineCountText() const {
        return QString::number(kLineCountLimits.bound(m_settings.AutoNum));
    }

private:
    const TSettings& m_settings;
    NumberSet m_none{};
};
