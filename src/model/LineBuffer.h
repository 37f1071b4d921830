#pragma once

#include "model/LineSink.h"

#include <QByteArray>
#include <QString>

// Streams an element laid out one child per line into bytes, identical to
// what a LineElement saved by XmlDocument gives, without building the nodes:
// large provider lists are written at every exit.
class LineBuffer : public LineSink {
public:
    // Writes the start tag and its line break.
    LineBuffer(QByteArray& out, const QString& tagName, const QString& indent);

    void AddLine(const QString& tagName, const QString& value) override;
    // Writes `endIndent` and the end tag.
    void Finish(const QString& endIndent);

private:
    QByteArray& m_out;
    QByteArray m_tagName;
    QByteArray m_indent;
};
