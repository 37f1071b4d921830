#pragma once

#include "model/LineSink.h"
#include "platform/XmlNode.h"

#include <QString>

class XmlDocument;

// An element of the program's files laid out one child per line: a line
// break after the start tag, then for each child the indentation, the child
// holding one value as its text, and a line break. The caller appends the
// indentation of the end tag.
class LineElement : public LineSink {
public:
    LineElement(XmlDocument& document, const QString& tagName, const QString& indent);

    void AddLine(const QString& tagName, const QString& value) override;
    XmlNode Element() const { return m_element; }

private:
    void AppendLineBreak();

    XmlDocument& m_document;
    QString m_indent;
    XmlNode m_element;
};
