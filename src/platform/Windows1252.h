#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QStringView>

// The single-byte code page behind title hashes, data-URL scrambling and
// numeric entities of older feeds. Fixed to Windows-1252 so results do not
// depend on the machine's locale.
namespace Windows1252 {

// The code 0-255 of `c`; 63 ("?") for a character the code page lacks.
// 0x80-0x9F map as in Windows-1252; its five unassigned codes there
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 controls of the same
// number, so that every byte round-trips.
int Code(QChar c);
// The character of `code` (0-255).
QChar Character(int code);
// Whether `c` has a code of its own (not only "?").
bool Contains(QChar c);

// Whether a charset label, matched ignoring case, stands for this code page:
// its own names, and those of ISO-8859-1 and US-ASCII, whose bytes
// 0x80-0x9F servers and feeds mean as this code page does (browsers read
// them so too).
bool IsLabel(QStringView charset);
// The text of `bytes` as UTF-8.
QByteArray ToUtf8(QByteArrayView bytes);

} // namespace Windows1252
