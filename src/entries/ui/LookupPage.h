#pragma once

#include "common/ui/DrawNumberEdit.h"

#include <QWidget>

class QLabel;
class QPushButton;
class StringGrid;

// The tab listing the saved lines of one draw number, with the cancellation
// of one line or of all of them.
class TLookupPage : public QWidget {
    Q_OBJECT
public:
    explicit TLookupPage(QWidget* parent = nullptr);

    void initControls();
    // The draw-number text: the spin edit's text without outer blanks.
    QString drawNumberText() const { return m_drawNumber->drawNumberText(); }
    // Sets the spin edit; a changed text refreshes the list.
    // Shows the draw number without reading its lines: for a page built
    // when its tab shows, which reads them then.
    void presetDrawNumberText(const QString& text);
    void setDrawNumberText(const QString& text) { m_drawNumber->setDrawNumberText(text); }
    StringGrid* grid() const { return m_grid; }

    // Handlers.
    void editLoto6NumChange();
    void btnOneDeleteClick();
    void btnAllDeleteClick();

private:
    void refresh();
    TDrawNumberEdit* m_drawNumber = nullptr;
    QLabel* m_guide = nullptr;
    QPushButton* m_oneDelete = nullptr;
    QPushButton* m_allDelete = nullptr;
    StringGrid* m_grid = nullptr;
    // The draw-number text of the lines listed: the cancels act on its file.
    QString m_listedText;
};
