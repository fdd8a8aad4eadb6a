#pragma once

#include "common/ui/DrawNumberEdit.h"
#include "data/DrawTable.h"

#include <QWidget>

class QLabel;
class QPushButton;
class StringGrid;

// "オンラインデータ照合": lists the saved lines of a draw number and checks
// each against the result of its draw in the window's draw table, writing the
// prize tier into the line's row. Nothing is written to disk.
class TMatchingPage : public QWidget {
    Q_OBJECT
public:
    explicit TMatchingPage(const DrawTable& draws, QWidget* parent = nullptr);

    void initControls();
    // Loads the lines again (the tab is shown).
    void refresh() { editSelectNumChange(); }
    // The draw-number text: the spin edit's text without outer blanks.
    QString drawNumberText() const { return m_drawNumber->drawNumberText(); }
    // Sets the draw number after a load of the draw table and lists its lines,
    // also when the number stays the same.
    // Shows the draw number without reading its lines: for a page built
    // when its tab shows, which reads them then.
    void presetDrawNumberText(const QString& text);
    void setDrawNumberText(const QString& text);
    StringGrid* grid() const { return m_grid; }

    // Handlers.
    void editSelectNumChange();
    void btnExecClick();

private:
    void loadLines();
    // Writes the results row by row; false when the window is closing.
    bool showResults(int& matched);
    void setResult(int row, const QString& text);

    const DrawTable& m_draws;
    TDrawNumberEdit* m_drawNumber = nullptr;
    QPushButton* m_exec = nullptr;
    QLabel* m_guide = nullptr;
    StringGrid* m_grid = nullptr;
};
