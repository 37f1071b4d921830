#include "model/LineElement.h"

#include "platform/XmlDocument.h"

LineElement::LineElement(XmlDocument& document, const QString& tagName, const QString& indent)
    : m_document(document)
    , m_indent(indent)
    , m_element(document.CreateElement(tagName)) {
    AppendLineBreak();
}

void LineElement::AddLine(const QString& tagName, const QString& value) {
    m_element.AppendChild(m_document.CreateTextNode(m_indent));
    m_element.AppendChild(m_document.CreateElement(tagName)).SetText(value);
    AppendLineBreak();
}

void LineElement::AppendLineBreak() {
    m_element.AppendChild(m_document.CreateTextNode(QStringLiteral("\r\n")));
}
