// How long the router console pauses, in milliseconds: the waits a student
// sees between a command's lines, kept together so they stay in step.
#pragma once

namespace kestro::pauses {

// "Building configuration..." before a configuration listing.
inline constexpr int listingConfiguration = 1200;
// "Building configuration..." before a copy's "[OK]".
inline constexpr int savingConfiguration = 1000;
// A reload, from its confirmation to the boot.
inline constexpr int reloading = 2000;
// Each of a ping's five echoes.
inline constexpr int pingEcho = 500;
// Between two lines of a paged listing.
inline constexpr int pagedLine = 100;

} // namespace kestro::pauses
