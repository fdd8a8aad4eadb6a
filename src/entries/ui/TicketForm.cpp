#include "entries/ui/TicketForm.h"

#include "common/ComType.h"
#include "common/ui/FormStyle.h"
#include "common/ui/MessageBox.h"
#include "common/ui/StripedGrid.h"
#include "common/ui/UiColors.h"
#include "common/ui/UiFonts.h"
#include "common/ui/UiWidgets.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Sizes of the box and its controls, in pixels. The box is laid out: the
// memo and the preview share what room it has.
namespace geometry {
constexpr int kMemoFontSize = 16;
constexpr int kRowHeight = 20;
constexpr int kDrawWidth = 96;
// 行, 記号, 数字; 備考 takes the rest.
const QList<int> kColumnWidths{48, 48, 220, 300};
} // namespace geometry

enum Column { LineColumn, LetterColumn, NumbersColumn, NoteColumn, ColumnCount };

constexpr FormStyle kStyle{.buttonWidth = 110};

QString refusedLinesText(const QVector<TicketLine>& refused) {
    QStringList numbers;
    for (const TicketLine& line : refused)
        numbers.append(QString::number(line.lineNumber));
    return numbers.join(QStringLiteral("、"));
}

} // namespace

TicketModel::TicketModel(QObject* parent)
    : RowsModel({QStringLiteral("行"), QStringLiteral("記号"), QStringLiteral("登録する数字"),
                 QStringLiteral("備考")},
                Qt::AlignHCenter | Qt::AlignVCenter, parent) {}

QStringList TicketModel::rowTexts(const TicketLine& line) const {
    return {QString::number(line.lineNumber), line.letter, ticketLineNumbersText(line),
            line.accepted() ? QStringLiteral("登録できます") : line.refusal};
}

Qt::Alignment TicketModel::alignment(int column) const {
    return column == NoteColumn ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
}

QVariant TicketModel::foreground(const TicketLine& line) const {
    return line.accepted() ? QVariant() : QVariant(kRed);
}

TTicketForm::TTicketForm(qint64 nextDrawNumber, QWidget* parent) : QDialog(parent) {
    kStyle.setUp(this, QStringLiteral("TicketForm"), QStringLiteral("購入チケットの登録"));
    setMinimumSize(kMinimumSize);

    auto* inputs = new QHBoxLayout;
    inputs->addWidget(buildInput(), 1);
    inputs->addWidget(buildRun(), 0);

    m_model = new TicketModel(this);
    m_grid =
        formGrid(this, QStringLiteral("gridTicket"), m_model, StripedGrid::Placement::Centred,
                 {kStyle.font(), kStyle.font(), geometry::kRowHeight, geometry::kColumnWidths});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs, 1);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buildButtons(), 0);

    m_firstDraw->setValue(static_cast<int>(std::clamp<qint64>(nextDrawNumber, 1, kMaxDrawNumber)));
    memoTicketLinesChange();
    m_memo->setFocus();
}

QWidget* TTicketForm::buildInput() {
    auto* group =
        kStyle.control(new QGroupBox(QStringLiteral("チケットの数字（1行に1口、50行まで）")),
                       QStringLiteral("groupTicketLines"));
    m_memo = kStyle.control(new QPlainTextEdit, QStringLiteral("memoTicketLines"));
    m_memo->setFont(fixedGothicFont(geometry::kMemoFontSize));
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setPlaceholderText(QStringLiteral("チケットに印字された順に1行ずつ入力します。\n"
                                              "A 03 10 14 17 18 20 25\n"
                                              "B 01 05 12 18 24 29 33"));
    connect(m_memo, &QPlainTextEdit::textChanged, this, &TTicketForm::memoTicketLinesChange);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_memo);
    return group;
}

QWidget* TTicketForm::buildRun() {
    auto* group = kStyle.control(new QGroupBox(QStringLiteral("購入した回")),
                                 QStringLiteral("groupTicketRun"));
    m_firstDraw =
        kStyle.spin(QStringLiteral("editTicketFirstDraw"), 1, kMaxDrawNumber, geometry::kDrawWidth);
    m_firstDraw->setPrefix(QStringLiteral("第"));
    m_firstDraw->setSuffix(QStringLiteral("回"));
    m_continue = kStyle.spin(QStringLiteral("editTicketContinue"), 1, kMaxContinuedDraws,
                             geometry::kDrawWidth);
    m_continue->setSuffix(QStringLiteral("回"));
    const auto changed = [this] { memoTicketLinesChange(); };
    connect(m_firstDraw, &QSpinBox::valueChanged, this, changed);
    connect(m_continue, &QSpinBox::valueChanged, this, changed);

    m_draws = kStyle.control(new QLabel, QStringLiteral("lblTicketDraws"));
    m_price = kStyle.control(new QLabel, QStringLiteral("lblTicketPrice"));
    auto* form = new QFormLayout;
    form->addRow(kStyle.caption(QStringLiteral("最初の開催回")), m_firstDraw);
    form->addRow(kStyle.caption(QStringLiteral("継続回数")), m_continue);
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addWidget(m_draws);
    layout->addWidget(m_price);
    layout->addStretch(1);
    return group;
}

QLayout* TTicketForm::buildButtons() {
    auto* save = kStyle.button(QStringLiteral("btnTicketSave"), QStringLiteral("登録"));
    auto* close = kStyle.button(QStringLiteral("btnTicketClose"), QStringLiteral("閉じる"));
    connect(save, &QPushButton::clicked, this, &TTicketForm::btnTicketSaveClick);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    return kStyle.buttonRow({}, {save, close});
}

DrawRun TTicketForm::drawRun() const {
    return {m_firstDraw->value(), m_continue->value()};
}

void TTicketForm::memoTicketLinesChange() {
    m_lines = readTicketLines(m_memo->toPlainText());
    m_model->setRows(m_lines);
    const DrawRun run = drawRun();
    m_draws->setText(drawRunText(run));
    setTextColour(m_draws, run.valid() ? palette().color(QPalette::WindowText) : kRed);
    m_price->setText(ticketPriceText(static_cast<int>(acceptedTicketLines(m_lines).size()), run));
}

QString TTicketForm::whyNotRegistered() const {
    const DrawRun run = drawRun();
    if (!run.valid())
        return drawRunText(run) + QStringLiteral("。");
    if (m_lines.isEmpty())
        return QStringLiteral("登録する数字がありません。チケットの数字を1行に1口ずつ"
                              "入力してください。");
    if (m_lines.size() > kTicketLineLimit)
        return QStringLiteral("一度に登録できるのは%1行までです（いま%2行）。"
                              "%3行目より後の行は、登録した後で入力し直してください。")
            .arg(kTicketLineLimit)
            .arg(m_lines.size())
            .arg(m_lines.at(kTicketLineLimit - 1).lineNumber);
    if (acceptedTicketLines(m_lines).isEmpty())
        return QStringLiteral("登録できる行がありません。備考の理由を確かめて、"
                              "数字を直してください。");
    return {};
}

void TTicketForm::btnTicketSaveClick() {
    memoTicketLinesChange(); // what the memo holds now
    if (const QString why = whyNotRegistered(); !why.isEmpty()) {
        showGuideMessage(this, why);
        return;
    }
    const QVector<TicketLine> accepted = acceptedTicketLines(m_lines);
    QVector<TicketLine> refused;
    std::copy_if(m_lines.cbegin(), m_lines.cend(), std::back_inserter(refused),
                 [](const TicketLine& line) { return !line.accepted(); });
    if (!refused.isEmpty() &&
        !askConfirmation(this, QStringLiteral("%1行目は登録できません（備考をご覧ください）。\n"
                                              "ほかの%2行を登録しますか？")
                                   .arg(refusedLinesText(refused))
                                   .arg(accepted.size())))
        return;
    const DrawRun run = drawRun();
    runHandler(this, [&] {
        registerTicketLines(accepted, run);
        m_registered = true;
        // The refused lines stay, to be corrected and registered again.
        QStringList rest;
        for (const TicketLine& line : refused)
            rest.append(line.text);
        m_memo->setPlainText(rest.join(u'\n'));
        showGuideMessage(this, QStringLiteral("%1口を%2に登録しました。"
                                              "「申込数字照会・取消し」で確かめられます。")
                                   .arg(accepted.size())
                                   .arg(drawRunText(run)));
    });
}
