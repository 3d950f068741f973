// Numbers as the user sees them: decimal, no leading blank, no sign for 0 and up.
#pragma once

#include <string>

namespace velbarino {

inline std::u16string decimalText(long long value) {
    const std::string narrow = std::to_string(value);
    return {narrow.begin(), narrow.end()};
}

}  // namespace velbarino
