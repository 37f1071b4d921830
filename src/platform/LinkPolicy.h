#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// Which links taken from feed data the program will open or show. A feed
// is written by strangers, so only web addresses are followed: a
// "javascript:", "file:", "data:" or network-share link would run script
// in the pane or reach into the user's own machine.
namespace LinkPolicy {

// The address of `link` when it is an http or https address with a
// host; nothing for any other scheme, a relative link or one that does not
// parse. Links in feeds are read tolerantly, as browsers read them; text
// that is to become a data URL must parse strictly.
std::optional<QUrl> WebAddress(const QString& link, QUrl::ParsingMode mode = QUrl::TolerantMode);

} // namespace LinkPolicy
