#pragma once

#include "predict/GenerationRule.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class GenerationInputs;
class QWidget;

// What a run does on the main tab's number board, each exactly as the user's
// own action would do it.
struct BoardActions {
    std::function<QString()> lineCountText; // the text of "連続口数"
    std::function<void()> clear;            // "ｸﾘｱ"
    std::function<bool(int)> isSelected;    // the number's button is down
    std::function<void(int)> press;         // set the button down, then toggle
    std::function<int()> selectionCount;
    std::function<void()> commit; // "決定"
};

// The generation behind `btnAutoCalc`: per line it clears the board, presses
// seven numbers that the checked mode accepts, pausing after each so the user
// sees them picked, and commits the line. A closed window or a step that no
// number can pass ends the run between numbers; a line is never committed
// half-built.
class TAutoGeneration : public QObject {
    Q_OBJECT
public:
    TAutoGeneration(QWidget* window, BoardActions board, const GenerationInputs& inputs,
                    const PositionCounts& counts, QObject* parent = nullptr);

    void btnAutoCalcClick();

    // The generator's state: seeded from the clock once per click.
    const LotoRandom& random() const { return m_random; }

private:
    // Where a run got stuck: the basic number and the threshold in force.
    struct Stuck {
        int position;
        int threshold;
    };
    enum class LineEnd { Complete, Stopped, Stuck };
    void runLines(std::optional<Stuck>& stuck);
    LineEnd buildLine(std::optional<Stuck>& stuck);
    GenerationRule currentRule() const;

    QWidget* m_window;
    BoardActions m_board;
    const GenerationInputs& m_inputs;
    const PositionCounts& m_counts;
    LotoRandom m_random;
};
