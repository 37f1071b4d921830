#include "XmlReport.h"

#include "platform/TextDecoding.h"
#include "platform/XmlDocument.h"
#include "platform/XmlInput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString TypeName(XmlNode::Type type) {
    static const char* const names[] = {
        "element", "text", "cdata", "comment", "instruction", "entity-reference", "other"};
    return QString::fromLatin1(names[static_cast<int>(type)]);
}

// A node and everything below it; names, namespaces and text only where a
// node has them.
QJsonObject Tree(const XmlNode& node) {
    QJsonObject dump{{QStringLiteral("type"), TypeName(node.NodeType())},
                     {QStringLiteral("name"), node.NodeName()}};
    if (node.NodeName().contains(u':') || (!node.IsElement() && !node.BaseName().isEmpty()))
        dump.insert(QStringLiteral("local"), node.BaseName());
    if (node.TagName() != (node.IsElement() ? node.NodeName() : QString()))
        dump.insert(QStringLiteral("tag"), node.TagName());
    if (!node.NamespaceURI().isEmpty())
        dump.insert(QStringLiteral("namespace"), node.NamespaceURI());
    QJsonArray attributes;
    for (const XmlNode::Attribute& attribute : node.Attributes())
        attributes.append(attribute.Name + u'=' + attribute.Value);
    if (!attributes.isEmpty())
        dump.insert(QStringLiteral("attributes"), attributes);
    QJsonArray children;
    for (const XmlNode& child : node.ChildNodes())
        children.append(Tree(child));
    if (!children.isEmpty())
        dump.insert(QStringLiteral("children"), children);
    if (!node.IsElement())
        dump.insert(QStringLiteral("text"), node.Text());
    return dump;
}

// Bytes as text: UTF-8 when they are, else one character per byte.
QString Text(const QByteArray& bytes) {
    return TextDecoding::IsUtf8(bytes) ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

QJsonObject Outcome(const XmlDocument& document, bool loaded) {
    const XmlDocument::ParseError& error = document.LastParseError();
    QJsonObject outcome{{QStringLiteral("loaded"), loaded},
                        {QStringLiteral("recovered"), document.WasRecovered()}};
    if (!error.Reason.isEmpty())
        outcome.insert(
            QStringLiteral("error"),
            QStringLiteral("%1:%2 %3").arg(error.Line).arg(error.LinePos).arg(error.Reason));
    return outcome;
}

// What the written form reads back as, where that is not the document.
void AddReread(QJsonObject& report, const QJsonObject& root, const QByteArray& written) {
    XmlDocument reread;
    if (!reread.LoadXML(written)) {
        report.insert(QStringLiteral("rereadError"), Outcome(reread, false));
    } else if (const QJsonObject tree = Tree(reread.DocumentElement()); tree != root) {
        report.insert(QStringLiteral("rereadRoot"), tree);
    }
    if (const QByteArray rewritten = reread.ToBytes(); rewritten != written)
        report.insert(QStringLiteral("rewritten"), QString::fromUtf8(rewritten));
}

QJsonObject Report(const QByteArray& bytes) {
    XmlDocument strict;
    XmlDocument lenient;
    QJsonObject report{{QStringLiteral("strict"), Outcome(strict, strict.LoadXML(bytes))},
                       {QStringLiteral("recover"),
                        Outcome(lenient, lenient.LoadXML(bytes, XmlDocument::Malformed::Recover))}};
    const XmlInput::Input prepared = XmlInput::Prepare(bytes);
    const XmlInput::Input mended = XmlInput::ForRecovery(prepared);
    if (mended.Bytes.sliced(mended.Offset) != prepared.Bytes.sliced(prepared.Offset))
        report.insert(QStringLiteral("mendedForRecovery"),
                      Text(mended.Bytes.sliced(mended.Offset)));
    const XmlNode root = lenient.DocumentElement();
    if (root.IsNull())
        return report;
    const QByteArray written = lenient.ToBytes();
    const QJsonObject tree = Tree(root);
    report.insert(QStringLiteral("text"), root.Text());
    report.insert(QStringLiteral("root"), tree);
    report.insert(QStringLiteral("written"), QString::fromUtf8(written));
    AddReread(report, tree, written);
    return report;
}

} // namespace

namespace XmlReport {

QByteArray AsJson(const QByteArray& bytes) {
    return QJsonDocument(Report(bytes)).toJson();
}

} // namespace XmlReport
