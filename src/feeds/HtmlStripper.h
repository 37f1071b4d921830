#pragma once

#include "feeds/HtmlScan.h"

#include <QString>
#include <QStringView>

// The state machine behind HtmlText::StripHTML: one instance converts one
// text. It never hands control elsewhere while it runs, so it needs no
// protection against re-entry and stays fast on long inputs.
class HtmlStripper {
public:
    explicit HtmlStripper(QStringView html);
    QString Run();

private:
    // The text written so far. Appends are most of the work, so they copy
    // into room made ahead rather than each going through QString.
    class Output {
    public:
        explicit Output(qsizetype expected);
        void Append(QStringView text);
        void Append(char16_t c);
        void ChopOne() { --m_size; }
        QString Take();

    private:
        void MakeRoom(qsizetype more);

        QString m_text;
        QChar* m_data = nullptr;
        qsizetype m_size = 0;
    };

    qsizetype Step(qsizetype position);
    qsizetype InComment(qsizetype position);
    qsizetype InScript(qsizetype position);
    qsizetype Character(qsizetype position);
    qsizetype Plain(qsizetype position);
    qsizetype PlainEnd(qsizetype position) const;
    qsizetype Tag(qsizetype position);
    qsizetype ApplyTag(QStringView tag, qsizetype next);
    void EndTag(QStringView tag);
    void LayoutTag(QStringView tag, qsizetype next);
    qsizetype Title(qsizetype next);
    void TableRow(qsizetype next);
    void TableCell();
    void ListItem();
    bool RowIsCompact(qsizetype from);
    qsizetype CommentEnd(qsizetype position);
    qsizetype Reference(qsizetype position);

    void Space();
    void Text(QStringView text);
    void Layout(QStringView text);
    void Break();
    void Paragraph();
    void BlankLine();
    void DropFoldedSpace();

    QStringView m_html;
    Output m_output;
    HtmlScan::NextFinder m_tagEnd;
    HtmlScan::NextFinder m_rowTagEnd;
    qsizetype m_column = 0;
    // A line start counts as a space: whitespace there is dropped.
    bool m_lastSpace = true;
    // The output ends with a space made from whitespace, which a line break
    // or cell gap the converter writes next replaces.
    bool m_foldedSpace = false;
    bool m_lastBreak = false;
    bool m_lastBlankLine = false;
    bool m_inComment = false;
    bool m_inScript = false;
    bool m_compactRow = false;
    bool m_cellStarted = false;
    bool m_numberedList = false;
    bool m_bulletedList = false;
    int m_itemNumber = 0;
};
