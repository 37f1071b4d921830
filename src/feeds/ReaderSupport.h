#pragma once

#include "platform/Types.h"
#include "platform/XmlNode.h"

#include <QHash>
#include <QString>

#include <functional>

// What the feed readers share: finding an element's fields, making links
// absolute, the language of a feed and stopping a reader cleanly.
namespace ReaderSupport {

// The key a field is remembered under (a local or qualified name, or a
// slot several names share).
using FieldKey = std::function<QString(const XmlNode&)>;

// The child elements of `parent` by key; of several children with the same
// key the last one counts.
QHash<QString, XmlNode> LastChildren(const XmlNode& parent, const FieldKey& keyOf);

// The text of the field, or `fallback` when the element lacks it.
QString TextOr(const QHash<QString, XmlNode>& fields, const QString& key, const QString& fallback);

// `link`, found in `element`, as an absolute address: a relative link is
// resolved against the element's base URI (its xml:base, then the
// document's address). Absolute and empty links stay as written, and so
// does a relative one without an absolute base to resolve against.
QString AbsoluteLink(const XmlNode& element, const QString& link);
// The element's text as a link: trimmed (feeds indent links freely) and
// made absolute. Empty for a null element.
QString LinkText(const XmlNode& element);

// The language number of a language code such as "en-us"; codes the table
// lacks give 1 so that the provider keeps a valid language.
Long LanguageNumber(const QString& code);

// Runs `read`; a ProgramError ends it with `message` reported, keeping what
// it had stored until then.
void StopOnError(const QString& message, const std::function<void()>& read);

} // namespace ReaderSupport
