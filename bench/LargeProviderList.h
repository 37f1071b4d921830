#pragma once

#include "model/ProviderCollection.h"

#include <memory>

// A provider list at the size a heavy user reaches: `providers` providers
// spread over `categories` categories up to three levels deep (20 top-level
// ones, 5 children each, 4 grandchildren each), every seventh provider
// inactive, with every field filled in. Categories are in the order the
// providers first name them, children before parents, as an imported list
// holds them.
namespace LargeProviderList {

std::unique_ptr<ProviderCollection> Generate(int providers, int categories);

} // namespace LargeProviderList
