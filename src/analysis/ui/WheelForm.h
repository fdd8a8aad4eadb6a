#pragma once

#include "analysis/WheelFigures.h"

#include "common/ui/BusyScope.h"
#include "common/ui/RowsModel.h"

#include <QDialog>
#include <QSize>

#include <functional>
#include <optional>

class QLabel;
class QLayout;
class QLineEdit;
class QSpinBox;
class QWidget;
class StripedGrid;

// A wheel's lines, numbered from 1, each number in two digits.
struct NumberedWheelLine {
    int number = 0;
    WheelLine line{};
};
class WheelLinesModel : public RowsModel<NumberedWheelLine> {
    Q_OBJECT
public:
    explicit WheelLinesModel(QObject* parent = nullptr);
    void setLines(const QVector<WheelLine>& lines);

protected:
    QStringList rowTexts(const NumberedWheelLine& row) const override;
};

// "当たりと穴": per count of drawn main numbers in the pool, its chance and
// the shares of its cases the best line matches 4, 5, 6 and 7 of.
class WheelCoverModel : public RowsModel<WheelCoverRow> {
    Q_OBJECT
public:
    explicit WheelCoverModel(QObject* parent = nullptr);

protected:
    QStringList rowTexts(const WheelCoverRow& row) const override;
    Qt::Alignment alignment(int column) const override;
};

// The wheel box: a pool of favourite numbers and a promise give lines that
// keep it (checked case by case), what they give beside as many random
// lines, and the lines handed to the main tab or saved as CSV.
class TWheelForm : public QDialog {
    Q_OBJECT
public:
    // The size it opens at where the screen has room.
    static constexpr QSize kPreferredSize{1000, 700};

    // Receives the lines of "予想メインへ"; the box knows nothing of the tab.
    using LinesToMain = std::function<void(const QVector<WheelLine>&)>;

    explicit TWheelForm(LinesToMain toMain, QWidget* parent = nullptr);

    void btnWheelMakeClick();
    void btnWheelToMainClick();
    void btnWheelExportClick();

    // The wheel shown; nothing before the first one is made.
    const std::optional<Wheel>& wheel() const { return m_wheel; }

    // How long a run goes before it shows its progress in the please-wait
    // box; tests set 0.
    static void setProgressDelay(int milliseconds);

    // Closing the box during a run stops the run first.
    void reject() override;

private:
    QLayout* buildPromise();
    QWidget* buildLines();
    QWidget* buildCover();
    QLayout* buildButtons();
    // The wheel and its cover table, or nothing when the run was stopped.
    std::optional<std::pair<Wheel, QVector<WheelCoverRow>>> makeWheel(const QVector<int>& pool);
    void showWheel(const QString& summary);

    LinesToMain m_toMain;
    std::optional<Wheel> m_wheel;
    QVector<WheelCoverRow> m_cover;
    LongRun m_run;

    QLineEdit* m_pool = nullptr;
    QSpinBox* m_match = nullptr;
    QSpinBox* m_ifCount = nullptr;
    QLabel* m_summary = nullptr;
    QLabel* m_versus = nullptr;
    WheelLinesModel* m_linesModel = nullptr;
    WheelCoverModel* m_coverModel = nullptr;
    StripedGrid* m_linesGrid = nullptr;
    StripedGrid* m_coverGrid = nullptr;
};
