// Renders the operating manual from its Markdown source to PDF:
//   septarion_render_manual <manual.md> <picture folder> <output.pdf> <version>
// Picture paths in the Markdown are relative to the picture folder; "@VERSION@"
// in the text becomes the version.
#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Widest picture, in pixels at 96 dpi: most of the width of the text on A4.
constexpr qreal kMaxImageWidth = 520;

QFont bodyFont() {
    QFont font;
    // Latin text from a plain TrueType font: the CJK font draws digits with
    // glyphs that the PDF cannot map back to characters.
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("Noto Sans JP")});
    font.setPointSizeF(10.5);
    font.setStyleStrategy(QFont::PreferNoShaping); // no "ﬁ" ligature for "fi"
    return font;
}

// Shrinks pictures wider than the text to its width, keeping their shape.
void fitImages(QTextDocument& doc, const QString& imageFolder) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            if (!format.isValid())
                continue;
            const QImage image(imageFolder + QLatin1Char('/') + format.name());
            if (image.isNull()) {
                std::fprintf(stderr, "missing picture %s\n", qPrintable(format.name()));
                continue;
            }
            const qreal scale = qMin<qreal>(1.0, kMaxImageWidth / image.width());
            format.setWidth(image.width() * scale);
            format.setHeight(image.height() * scale);
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

QList<QTextTable*> tablesOf(QTextFrame* frame) {
    QList<QTextTable*> tables;
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child))
            tables.append(table);
        tables += tablesOf(child);
    }
    return tables;
}

// Headings in navy; tables full width with thin grey rules and a shaded
// title row.
void styleDocument(QTextDocument& doc) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 0)
            continue;
        QTextCursor cursor(block);
        QTextBlockFormat format = block.blockFormat();
        format.setTopMargin(level <= 2 ? 14 : 8);
        format.setBottomMargin(6);
        cursor.setBlockFormat(format);
        cursor.select(QTextCursor::BlockUnderCursor);
        QTextCharFormat chars;
        chars.setForeground(QColor(0, 0, 128));
        cursor.mergeCharFormat(chars);
    }
    for (QTextTable* table : tablesOf(doc.rootFrame())) {
        QTextTableFormat format = table->format();
        format.setBorder(1);
        format.setBorderBrush(QColor(160, 160, 160));
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setCellPadding(3);
        format.setCellSpacing(0);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        table->setFormat(format);
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(0, column);
            QTextCharFormat shade = cell.format();
            shade.setBackground(QColor(225, 230, 245));
            cell.setFormat(shade);
        }
    }
}

// A copy of the document laid out afresh on pages of this size. (Painting
// or measuring a document after changing it skips blocks.)
std::unique_ptr<QTextDocument> laidOut(const QTextDocument& doc, QPaintDevice* device,
                                       const QSizeF& pageSize) {
    std::unique_ptr<QTextDocument> pages(doc.clone());
    pages->documentLayout()->setPaintDevice(device);
    pages->setPageSize(pageSize);
    pages->pageCount(); // lays out the whole document
    return pages;
}

// Where the first line of a block is drawn. A line that does not fit at the
// foot of a page is moved to the next one inside its block: the block itself
// (its bounding rectangle) still starts on the earlier page.
qreal firstLineTop(const QAbstractTextDocumentLayout& layout, const QTextBlock& block) {
    const qreal top = layout.blockBoundingRect(block).top();
    const QTextLayout* lines = block.layout();
    return lines && lines->lineCount() > 0 ? top + lines->lineAt(0).y() : top;
}

// The number of the first heading near the foot of a page, or whose section
// starts only on the next page (a picture that did not fit); -1 if none.
int strandedHeading(const QTextDocument& pages) {
    const qreal pageHeight = pages.pageSize().height();
    const QAbstractTextDocumentLayout* layout = pages.documentLayout();
    const auto pageOf = [&](qreal y) { return static_cast<int>(y / pageHeight); };
    for (QTextBlock block = pages.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        if (format.headingLevel() == 0 || !block.next().isValid() ||
            format.pageBreakPolicy() == QTextFormat::PageBreak_AlwaysBefore)
            continue;
        const qreal top = firstLineTop(*layout, block);
        const qreal offset = top - pageOf(top) * pageHeight;
        if (offset > 0.82 * pageHeight || pageOf(firstLineTop(*layout, block.next())) > pageOf(top))
            return block.blockNumber();
    }
    return -1;
}

// Moves stranded headings to the next page, one at a time from the top, as
// each move shifts everything after it. Returns the final layout.
std::unique_ptr<QTextDocument> paginate(QTextDocument& doc, QPaintDevice* device,
                                        const QSizeF& pageSize) {
    for (;;) {
        std::unique_ptr<QTextDocument> pages = laidOut(doc, device, pageSize);
        const int heading = strandedHeading(*pages);
        if (heading < 0)
            return pages;
        const QTextBlock block = doc.findBlockByNumber(heading);
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).setBlockFormat(format);
    }
}

// Lays the document out on A4 pages and paints them with page numbers.
bool printDocument(QTextDocument& doc, const QString& path) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 18, 20, 12), QPageLayout::Millimeter);
    writer.setResolution(300);
    writer.setTitle(QStringLiteral("Septarion 操作手順書"));
    writer.setCreator(QStringLiteral("Septarion"));

    const QRectF area = writer.pageLayout().paintRectPixels(writer.resolution());
    const qreal footer = writer.resolution() * 0.35; // room for the page number
    const QSizeF pageSize(area.width(), area.height() - footer);
    const std::unique_ptr<QTextDocument> pages = paginate(doc, &writer, pageSize);

    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    QFont numberFont = bodyFont();
    painter.setFont(QFont(numberFont, &writer));
    const qreal pageHeight = pageSize.height();
    for (int page = 0; page < pages->pageCount(); ++page) {
        if (page > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -page * pageHeight);
        pages->drawContents(&painter, QRectF(0, page * pageHeight, area.width(), pageHeight));
        painter.restore();
        painter.drawText(QRectF(0, pageHeight, area.width(), footer), Qt::AlignCenter,
                         QString::number(page + 1));
    }
    return painter.end();
}

// Qt's PDF writer maps each glyph back to the lowest code point the font
// maps to it. CJK fonts share glyphs between look-alikes: 手 and the Kangxi
// radical ⼿ (U+2F3F), ・ and U+2027, ～ and 〜, a space and a tab. The text
// then extracts (searches, copies) as the wrong characters. Knowing which
// characters the document really holds, each wrong code point is replaced by
// the document's character with the same glyph.
class GlyphTwins {
public:
    explicit GlyphTwins(const QString& documentText)
        : m_font(QRawFont::fromFont(QFont(QStringLiteral("Noto Sans CJK JP")))),
          m_text(documentText) {
        for (const QChar c : documentText) {
            const quint32 glyph = glyphOf(c.unicode());
            if (glyph == 0)
                continue;
            const auto it = m_used.constFind(glyph);
            if (it == m_used.constEnd())
                m_used.insert(glyph, c.unicode());
            else if (*it != c.unicode())
                m_used[glyph] = 0; // two used characters share it: leave it alone
        }
    }

    // The character of the document drawn with the same glyph, or 0.
    ushort replacement(ushort code) const {
        if (m_text.contains(QChar(code)))
            return 0;
        const ushort used = m_used.value(glyphOf(code), 0);
        return used != code ? used : 0;
    }

private:
    quint32 glyphOf(ushort code) const {
        const QList<quint32> glyphs = m_font.glyphIndexesForString(QString(QChar(code)));
        return glyphs.size() == 1 ? glyphs.first() : 0;
    }

    QRawFont m_font;
    QString m_text;
    QHash<quint32, ushort> m_used;
};

// One line of a bfrange section: "<g1> <g2> [<u> <u> ...]" or "<g> <g> <u>".
// Only the code points are rewritten, each in place as four hex digits.
void mendRangeLine(char* line, qsizetype length, const GlyphTwins& twins) {
    QList<qsizetype> tokens; // positions of the four hex digits
    for (qsizetype i = 0; i + 5 < length; ++i)
        if (line[i] == '<' && line[i + 5] == '>')
            tokens.append(i + 1);
    const bool array = std::memchr(line, '[', length) != nullptr;
    const bool single =
        tokens.size() == 3 && std::memcmp(line + tokens[0], line + tokens[1], 4) == 0;
    if (tokens.size() < 3 || (!array && !single))
        return; // a run of consecutive code points, left as it is
    for (qsizetype t = 2; t < tokens.size(); ++t) {
        bool ok = false;
        const ushort code = QByteArray(line + tokens[t], 4).toUShort(&ok, 16);
        if (const ushort better = ok ? twins.replacement(code) : 0)
            std::memcpy(line + tokens[t],
                        QByteArray::number(better, 16).toUpper().rightJustified(4, '0').constData(),
                        4);
    }
}

// Rewrites the ToUnicode maps in place: same length, so the offsets of the
// file stay valid.
void mendToUnicodeMaps(QByteArray& pdf, const GlyphTwins& twins) {
    char* data = pdf.data();
    qsizetype pos = 0;
    while ((pos = pdf.indexOf("beginbfrange", pos)) >= 0) {
        const qsizetype end = pdf.indexOf("endbfrange", pos);
        if (end < 0)
            break;
        for (qsizetype line = pdf.indexOf('\n', pos) + 1; line > 0 && line < end;) {
            qsizetype next = pdf.indexOf('\n', line);
            if (next < 0 || next > end)
                next = end;
            mendRangeLine(data + line, next - line, twins);
            line = next + 1;
        }
        pos = end;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s <manual.md> <picture folder> <output.pdf> <version>\n",
                     argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString imageFolder = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    const QString output = QString::fromLocal8Bit(argv[3]);

    QFile markdown(source);
    if (!markdown.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    QString text = QString::fromUtf8(markdown.readAll());
    text.replace(QStringLiteral("@VERSION@"), QString::fromLocal8Bit(argv[4]));

    QTextDocument doc;
    doc.setDefaultFont(bodyFont());
    doc.setMetaInformation(QTextDocument::DocumentUrl,
                           QUrl::fromLocalFile(imageFolder + QLatin1Char('/')).toString());
    doc.setMarkdown(text, QTextDocument::MarkdownDialectGitHub);
    fitImages(doc, imageFolder);
    styleDocument(doc);

    const QString temp = output + QStringLiteral(".part");
    if (!printDocument(doc, temp)) {
        std::fprintf(stderr, "cannot render %s\n", qPrintable(output));
        return 1;
    }
    QFile rendered(temp);
    if (!rendered.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot render %s\n", qPrintable(output));
        return 1;
    }
    QByteArray pdf = rendered.readAll();
    rendered.close();
    rendered.remove();
    // Page numbers are the only text not in the document itself.
    mendToUnicodeMaps(pdf, GlyphTwins(doc.toPlainText() + QStringLiteral("0123456789")));

    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
