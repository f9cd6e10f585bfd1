// The art of the almanac's screens, painted by the builder: one background per section in
// its theme colour (menu band, title band and content panel on a soft gradient with a
// large faint motif), the menu bar's buttons and the main screen's tiles (each with an
// icon, a label and a pressed state), the introduction and the dialogs' backgrounds.
#pragma once

#include <filesystem>

namespace lxdisc {

// Paints every picture that is missing or older than `stamp`'s file (the builder
// itself) into `media`; returns how many were written. Throws DiscError when one cannot be.
int paintScreenArt(const std::filesystem::path& media, const std::filesystem::path& stamp);

}  // namespace lxdisc
