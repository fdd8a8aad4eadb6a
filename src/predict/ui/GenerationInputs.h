#pragma once

#include "common/ComType.h"
#include "predict/GenerationRule.h"

#include <QString>

// What a generation run reads from the options tab, again at every draw.
class GenerationInputs {
public:
    virtual ~GenerationInputs() = default;
    // The mode of the radio button that is checked now.
    virtual GenerationMode checkedMode() const = 0;
    // The threshold field's text as it stands, "反映" or not.
    virtual QString thresholdText() const = 0;
    // The set applied by the last "予想に反映", not the panels.
    virtual const ExclusionFlags& appliedExclusions() const = 0;
};
