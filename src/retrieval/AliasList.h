#pragma once

#include <QString>

#include <chrono>

class AliasSetCollection;

// The aliases file, from the web or from a local file.
namespace AliasList {

using namespace std::chrono_literals;

// Loads the file at `source` (an http(s) address, fetched within `limit`,
// or a local path) into `sets`. False, with nothing read, when it cannot
// be fetched or is not well-formed.
bool Load(AliasSetCollection& sets, const QString& source, std::chrono::milliseconds limit = 30s);

} // namespace AliasList
