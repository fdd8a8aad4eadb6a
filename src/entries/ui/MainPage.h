#pragma once

#include "common/ComType.h"

#include <QList>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class StringGrid;
class TCountSpinEdit;

// The main tab: the board of 37 number buttons, the seven selection images,
// and the pending lines for the coming draw with their count and price.
class TMainPage : public QWidget {
    Q_OBJECT
public:
    explicit TMainPage(QWidget* parent = nullptr);

    // Start state: board buttons set up, nothing selected, no pending line.
    void initControls();
    // Empties the pending lines: one empty row, "0口" and "¥0".
    void clearPending();

    void setNextDrawNumber(const QString& text);
    QString drawNumberText() const;

    int selectionCount() const { return m_selectionCount; }
    // Tags of Image1..Image7: the selected numbers ascending, 0 for a free place.
    QList<int> selectedNumbers() const;
    QToolButton* numberButton(int number) const { return m_buttons.at(number - 1); }
    StringGrid* grid() const { return m_grid; }

    // The board as the generation drives it: a number's button set down and
    // toggled as a click would.
    void pressNumber(int number);
    bool isNumberSelected(int number) const;
    // "連続口数": the line count of one generation run.
    QString autoSelectMaxText() const;
    void setAutoSelectMaxText(const QString& text);
    // `btnAutoCalc` and `editAutoSelectMax` together.
    void setAutoCalcEnabled(bool enabled);
    // Lines made elsewhere (a wheel), each seven numbers ascending, after the
    // pending lines already there, as "決定" adds one; the count and price
    // follow.
    void appendPendingLines(const QVector<std::array<int, kPositions>>& lines);

    // Handlers.
    void ComSet_SpeedBtnClick(QToolButton* button);
    void btnRisetClick();
    void btnSelectClick();
    void btnCancelClick();
    void btnSaveClick();

signals:
    // A click on " Septarion": the run belongs to the prediction.
    void autoCalcClicked();

private:
    QGroupBox* buildBoard();
    void buildGenerationControls(QGroupBox* board);
    QGroupBox* buildSelection();
    QGroupBox* buildPending();
    void rebuildImages();
    void showPendingCount(int lines);
    // One line after the pending lines, made the current row.
    void appendPendingRow(const QList<int>& numbers);

    int m_selectionCount = 0;
    QLineEdit* m_drawNumber = nullptr;
    QList<QToolButton*> m_buttons;
    TCountSpinEdit* m_autoSelectMax = nullptr;
    QPushButton* m_autoCalc = nullptr;
    QList<QLabel*> m_images;
    StringGrid* m_grid = nullptr;
    QLabel* m_countPanel = nullptr;
    QLabel* m_pricePanel = nullptr;
};
