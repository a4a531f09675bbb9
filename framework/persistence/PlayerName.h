#pragma once

#include <string>

namespace GameFramework {

// The longest player name the save files' one-byte string count can carry.
inline constexpr std::size_t kMaxPlayerNameLength = 254;

// A name as the save files keep it: every character beyond 16 bits becomes
// U+FFFD (as the files store it), and the text is cut to
// kMaxPlayerNameLength characters. Names are fitted where they are made, so
// that the name in memory is the name a file gives back.
std::wstring FitPlayerName(const std::wstring& name);

// A profile's name: trimmed at both ends of every blank a player can type or
// paste (the no-break and other Unicode spaces among them), then fitted. Every
// name typed for a profile, read from a profile file or looked up is taken in
// this form, so that no two profiles' names differ only by blanks.
std::wstring MakeProfileName(const std::wstring& name);

// What tells one profile's name from another's: the profile name lower-cased,
// without the characters that show nothing anywhere in it (joiners, the soft
// hyphen, direction marks, fillers, control characters). Names with one key
// are one player's, however they were typed; an empty key is no name. The
// name itself keeps what the player typed.
std::wstring MakeProfileNameKey(const std::wstring& name);

} // namespace GameFramework
