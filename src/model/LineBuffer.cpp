#include "model/LineBuffer.h"

#include "platform/XmlSerializer.h"

namespace {
const char* const LineBreak = "\r\n";
}

LineBuffer::LineBuffer(QByteArray& out, const QString& tagName, const QString& indent)
    : m_out(out)
    , m_tagName(tagName.toUtf8())
    , m_indent(indent.toUtf8()) {
    m_out.append('<').append(m_tagName).append('>').append(LineBreak);
}

void LineBuffer::AddLine(const QString& tagName, const QString& value) {
    const QByteArray tag = tagName.toUtf8();
    m_out.append(m_indent).append('<').append(tag);
    // An empty value leaves the element without children, which a saved
    // document writes as an empty-element tag.
    if (value.isEmpty()) {
        m_out.append("/>");
    } else {
        m_out.append('>');
        XmlSerializer::AppendText(m_out, value.toUtf8());
        m_out.append("</").append(tag).append('>');
    }
    m_out.append(LineBreak);
}

void LineBuffer::Finish(const QString& endIndent) {
    m_out.append(endIndent.toUtf8()).append("</").append(m_tagName).append('>');
}
