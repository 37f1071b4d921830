#pragma once

#include <QString>

// "major.minor.revision" of the running program, no leading zeros.
QString ProgramVersionString();

// Whether `running` is a later version than `stored`, comparing the dotted
// parts as numbers ("0.10.0" is later than "0.9.4"). An empty or unreadable
// `stored` is older than every version.
bool IsNewerVersion(const QString& stored, const QString& running);

// The program's name: window titles, and the application name of the
// settings store.
QString ProgramName();
