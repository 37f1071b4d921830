#pragma once

#include "platform/Types.h"

// What a provider's DataType says about the last document read.
namespace FeedFormat {

constexpr Long Unknown = 0;
constexpr Long Ultramode = 1;
constexpr Long Backslash = 2;
constexpr Long RSS = 3;
constexpr Long Atom = 4;
constexpr Long ScriptingNews = 5;
constexpr Long Text = 6;
constexpr Long Moreover = 7;
constexpr Long StoryList = 8;

} // namespace FeedFormat

// A provider's LoadState: the outcome of its last stories fetch.
namespace LoadState {

constexpr Long Loaded = 0;
constexpr Long LoadedWithNewStories = 1;
constexpr Long Loading = 2;
constexpr Long Failed = 3;

} // namespace LoadState
