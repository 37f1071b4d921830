#pragma once

#include "platform/Types.h"

// One bit per stored provider field. The same bits say which fields a
// provider element carried, which fields two providers differ in, and which
// fields to copy from one to the other.
namespace PresentField {

constexpr Long ProviderName = 1;
constexpr Long Description = 2;
constexpr Long IsTextFormat = 4;
constexpr Long UseTitle = 8;
constexpr Long Language = 16;
constexpr Long RefreshMinutes = 32;
constexpr Long BackColor = 64;
constexpr Long DataURL = 128;
constexpr Long SiteURL = 256;
constexpr Long ImageURL = 512;
constexpr Long Origin = 1024;
constexpr Long Category = 2048;
constexpr Long TextFormatSpec = 4096;
constexpr Long ArrivalSound = 8192;

} // namespace PresentField
