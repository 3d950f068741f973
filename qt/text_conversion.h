// The logic speaks UTF-16 std::u16string, Qt speaks QString: both are UTF-16,
// so conversion copies code units unchanged (lone surrogates included).
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace velbarino::qt {

inline QString toQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline std::u16string fromQString(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

}  // namespace velbarino::qt
