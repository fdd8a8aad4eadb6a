// What the options tab and the generation need from the main tab's board.
#include "app/ui/Main.h"

#include "entries/ui/MainPage.h"
#include "predict/ui/AutoGeneration.h"
#include "predict/ui/GenerationInputs.h"
#include "predict/ui/OptionsPage.h"

#include <functional>
#include <utility>

namespace {
// The options tab's inputs once it is built; before that, the same read from
// the settings record.
class OptionsTabInputs : public GenerationInputs {
public:
    OptionsTabInputs(std::function<const TOptionsPage*()> page, const TSettings& settings)
        : m_page(std::move(page)), m_stored(settings) {}

    GenerationMode checkedMode() const override { return inputs().checkedMode(); }
    QString thresholdText() const override { return inputs().thresholdText(); }
    const NumberSet& appliedExclusions() const override { return inputs().appliedExclusions(); }

private:
    const GenerationInputs& inputs() const {
        const TOptionsPage* page = m_page();
        return page ? static_cast<const GenerationInputs&>(*page) : m_stored;
    }
    std::function<const TOptionsPage*()> m_page;
    StoredGenerationInputs m_stored;
};
} // namespace

void TMainForm::wirePrediction() {
    TMainPage* board = m_mainPage;
    BoardActions actions{
        [board] { return board->autoSelectMaxText(); },
        [board] { board->btnRisetClick(); },
        [board](int n) { return board->isNumberSelected(n); },
        [board](int n) { board->pressNumber(n); },
        [board] { return board->selectionCount(); },
        [board] { board->btnSelectClick(); },
    };
    m_generationInputs =
        std::make_unique<OptionsTabInputs>([this] { return m_optionsPage; }, m_settings);
    m_autoGeneration =
        new TAutoGeneration(this, std::move(actions), *m_generationInputs, m_positionCounts, this);
    connect(m_mainPage, &TMainPage::autoCalcClicked, m_autoGeneration,
            &TAutoGeneration::btnAutoCalcClick);
}

void TMainForm::wireOptionsPage() {
    connect(m_optionsPage, &TOptionsPage::lineCountApplied, m_mainPage,
            &TMainPage::setAutoSelectMaxText);
    connect(m_optionsPage, &TOptionsPage::generationEnabledChanged, m_mainPage,
            &TMainPage::setAutoCalcEnabled);
}

void TMainForm::applyStoredOptions() {
    m_loaded.optionsApplied = true;
    if (m_optionsPage) {
        m_optionsPage->applyStoredOptions();
        return;
    }
    // What the options tab would do: the mode's index as the tab stores it,
    // the line count and whether generation is on shown on the main tab.
    const StoredGenerationInputs stored(m_settings);
    const GenerationMode mode = stored.checkedMode();
    m_settings.OptionIndex = static_cast<int>(mode);
    m_mainPage->setAutoSelectMaxText(stored.lineCountText());
    m_mainPage->setAutoCalcEnabled(generatesLines(mode));
}
