#pragma once

#include <QString>

// The protected form of a data URL, which keeps the address from being read
// at a glance in a providers file: each character's Windows-1252 code XORed
// with a fixed key, written as hexadecimal pairs in reverse order between
// "//" and "//". Existing providers files hold this form, so it must not
// change.
namespace DataURLScrambler {

// The protected form of url. Characters the code page lacks are first
// percent-encoded (UTF-8), so they come back as that escape rather than "?".
QString Encode(const QString& url);
// The URL a protected form stands for. Throws ProgramError when a pair is
// not hexadecimal.
QString Decode(const QString& stored);
// Whether a stored data URL is in protected form rather than plain.
bool IsProtectedForm(const QString& stored);

} // namespace DataURLScrambler
