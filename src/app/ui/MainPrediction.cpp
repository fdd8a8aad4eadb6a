// What the options tab and the generation need from the main tab's board.
#include "app/ui/Main.h"

#include "entries/ui/MainPage.h"
#include "predict/ui/AutoGeneration.h"
#include "predict/ui/OptionsPage.h"

void TMainForm::wirePrediction() {
    connect(m_optionsPage, &TOptionsPage::lineCountApplied, m_mainPage,
            &TMainPage::setAutoSelectMaxText);
    connect(m_optionsPage, &TOptionsPage::generationEnabledChanged, m_mainPage,
            &TMainPage::setAutoCalcEnabled);

    TMainPage* board = m_mainPage;
    BoardActions actions{
        [board] { return board->autoSelectMaxText(); },
        [board] { board->btnRisetClick(); },
        [board](int n) { return board->isNumberSelected(n); },
        [board](int n) { board->pressNumber(n); },
        [board] { return board->selectionCount(); },
        [board] { board->btnSelectClick(); },
    };
    m_autoGeneration =
        new TAutoGeneration(this, std::move(actions), *m_optionsPage, m_positionCounts, this);
    connect(m_mainPage, &TMainPage::autoCalcClicked, m_autoGeneration,
            &TAutoGeneration::btnAutoCalcClick);
}
