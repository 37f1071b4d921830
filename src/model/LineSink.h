#pragma once

#include <QString>

// Receives the children of an element of the program's files, one child
// holding one value per line. The same element can so be built as a DOM
// node or streamed straight into bytes.
class LineSink {
public:
    virtual ~LineSink() = default;
    virtual void AddLine(const QString& tagName, const QString& value) = 0;
};
