#pragma once

#include "platform/Types.h"

#include <QString>

#include <compare>

// A version as three numbers, compared in order: major, minor, revision.
struct ProgramVersion {
    Integer Major = 0;
    Integer Minor = 0;
    Integer Revision = 0;

    friend auto operator<=>(const ProgramVersion&, const ProgramVersion&) = default;
};

// The numbers of "major.minor.revision": the text is split at its first and
// second ".", and a part that is missing or is no Integer reads as 0, so
// that any text gives a version ("1.x" is 1.0.0, "" is 0.0.0).
ProgramVersion ParseVersion(const QString& text);

// "major.minor.revision" of the running program, no leading zeros.
QString ProgramVersionString();

// Whether `running` is a later version than `stored` ("0.10.0" is later
// than "0.9.4"). An empty or unreadable `stored` is older than every
// released version.
bool IsNewerVersion(const QString& stored, const QString& running);

// The program's name: window titles, and the application name of the
// settings store.
QString ProgramName();
