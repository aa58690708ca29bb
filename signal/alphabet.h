#pragma once

#include <string_view>

// The 36 characters the telegraph can send, in the order of the alphabet grid and the code table.
// There is no J: it is sent as I.
inline constexpr std::string_view alphabet = "ABCDEFGHIKLMNOPQRSTUVWXYZ&1234567890";
