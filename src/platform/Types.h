#pragma once

#include <QtGlobal>

// The two integer widths the program's data is defined in. Counters and
// geometry that outgrow them use qint32/qint64 explicitly.
using Integer = qint16;
using Long = qint32;
