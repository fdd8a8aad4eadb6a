#pragma once

#include "common/ui/RowsModel.h"
#include "data/ImportPreview.h"
#include "data/ResultsImport.h"

#include <QDialog>
#include <QSize>

#include <array>
#include <functional>

class DrawTable;
class QDateEdit;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class StripedGrid;

// The preview rows: their texts, refused rows in red, the overwrite tick of
// the conflicting rows.
class ImportModel : public RowsModel<ImportRow> {
public:
    explicit ImportModel(QObject* parent = nullptr);

protected:
    QStringList rowTexts(const ImportRow& row) const override;
    QVariant displayText(const ImportRow& row, int column, const QString& text) const override;
    Qt::Alignment alignment(int column) const override;
    QVariant foreground(const ImportRow& row) const override;
    QVariant background(const ImportRow& row) const override;
    // The tooltip: the row's prize data and its remarks in full.
    QVariant otherData(const ImportRow& row, const QModelIndex& index, int role) const override;
};

// The box that takes new draw results into the data files: pasted text, a
// results file or one draw typed in, all into one preview, checked against the
// files; the draws taken are merged into both files, which the previous pair
// backs up for one undo.
class TImportForm : public QDialog {
    Q_OBJECT
public:
    // The size it opens at where the screen has room, and the least its controls need.
    static constexpr QSize kPreferredSize{1120, 740};
    static constexpr QSize kMinimumSize{640, 420};

    // `reload` runs the window's reload of the data files after a write; it
    // returns false when the window is closing (a file it needs is gone), and
    // may throw. `lastImport` outlives the box: the undo stays possible while
    // the files are the ones the last import wrote.
    TImportForm(const DrawTable& draws, ImportRecord& lastImport, std::function<bool()> reload,
                QWidget* parent = nullptr);

    const QVector<ImportRow>& rows() const { return m_preview.rows(); }

    void btnImportReadClick();
    void btnImportFileClick();
    void btnImportAddClick();
    void btnImportRemoveClick();
    void btnImportRunClick();
    void btnImportUndoClick();
    void gridImportToggle(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildTextInput();
    QWidget* buildHandInput();
    QWidget* buildPrizeInput();
    QLayout* buildButtons();
    // The newest draw + 1 and its date + 7 days, from the loaded draws, with
    // empty numbers and prize fields.
    void suggestNextDraw();
    // Replaces the draws read from text by these; refused when none was found.
    void takeTextDraws(const QVector<ReadDraw>& draws);
    // Checks the draws read against the files as they are now and shows them.
    void recheck();
    void updateButtons();
    // The window's reload; closes the box when the window closes.
    bool reloadWindow();
    QString downloadDir() const;

    const DrawTable& m_draws;
    ImportRecord& m_lastImport;
    std::function<bool()> m_reload;

    ImportPreview m_preview;
    HeldResults m_held;

    QPlainTextEdit* m_text = nullptr;
    QSpinBox* m_drawNumber = nullptr;
    QDateEdit* m_date = nullptr;
    std::array<QSpinBox*, 9> m_numbers{}; // seven main numbers, then the two bonus numbers
    std::array<QLineEdit*, 13> m_prize{}; // tier 1 to 6: count, amount; then the carry-over
    QLabel* m_summary = nullptr;
    StripedGrid* m_grid = nullptr;
    ImportModel* m_model = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_run = nullptr;
    QPushButton* m_undo = nullptr;
};
