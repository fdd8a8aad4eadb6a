#include "predict/ui/AutoGeneration.h"

#include "common/Clock.h"
#include "common/Fields.h"
#include "common/ui/BusyScope.h"
#include "common/ui/MessageBox.h"
#include "predict/ui/GenerationInputs.h"

#include <QCoreApplication>
#include <QWidget>

namespace {

constexpr int kPauseMs = 50;

} // namespace

TAutoGeneration::TAutoGeneration(QWidget* window, BoardActions board,
                                 const GenerationInputs& inputs, const PositionCounts& counts,
                                 QObject* parent)
    : QObject(parent), m_window(window), m_board(std::move(board)), m_inputs(inputs),
      m_counts(counts) {}

void TAutoGeneration::btnAutoCalcClick() {
    std::optional<Stuck> stuck;
    runHandler(m_window, [&] {
        if (m_board.lineCountText().trimmed().isEmpty()) {
            showGuideMessage(m_window, QStringLiteral("連続申込み口数が入力されていません。"));
            return;
        }
        const BusyScope busy;
        if (busy.entered())
            runLines(stuck);
    });
    // Told once the window is usable again.
    if (stuck)
        showGuideMessage(m_window, stuckRunText(stuck->position, stuck->threshold));
}

void TAutoGeneration::runLines(std::optional<Stuck>& stuck) {
    m_random.setSeed(Clock::msecsSinceMidnightUtc());
    const int lines = parseInteger(m_board.lineCountText().trimmed());
    for (int i = 0; i < lines; ++i) {
        if (buildLine(stuck) != LineEnd::Complete)
            return;
        m_board.commit();
    }
}

GenerationRule TAutoGeneration::currentRule() const {
    const GenerationMode mode = m_inputs.checkedMode();
    const int threshold = mode == GenerationMode::PositionThreshold
                              ? parseInteger(m_inputs.thresholdText().trimmed())
                              : 0;
    return {mode, threshold, m_counts, m_inputs.appliedExclusions()};
}

TAutoGeneration::LineEnd TAutoGeneration::buildLine(std::optional<Stuck>& stuck) {
    m_board.clear();
    int accepted = 0;
    while (m_board.selectionCount() < kPositions) {
        // Mode and threshold are read for every number; the check for a
        // candidate and the draw use the same reading.
        const GenerationRule rule = currentRule();
        NumberSet line{};
        for (int n = 1; n <= kMaxNumber; ++n)
            line[n - 1] = m_board.isSelected(n);
        const std::optional<int> number = rule.draw(m_random, accepted, line);
        if (!number) {
            m_board.clear();
            stuck = Stuck{accepted + 1, rule.threshold()};
            return LineEnd::Stuck;
        }
        ++accepted;
        m_board.press(*number);
        Clock::pause(kPauseMs);
        m_window->window()->repaint();
        QCoreApplication::processEvents();
        if (BusyState::stopRequested()) {
            m_board.clear();
            return LineEnd::Stopped;
        }
    }
    return LineEnd::Complete;
}
