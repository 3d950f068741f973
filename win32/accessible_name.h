// A spoken name for a control whose own text says nothing (the "..." button).
// Screen readers ask a control for its IAccessible with WM_GETOBJECT; the
// control answers with the system's own object for it, wrapped so that only
// the name differs. Annotation (IAccPropServices) would do the same with less
// code, but it is a stub under Wine, where nothing could then test it.
#pragma once

#include <windows.h>

#include <string>

namespace velbarino::win32 {

/// @brief From now on, @p control reads as @p name to accessibility clients.
void giveAccessibleName(HWND control, std::u16string name);

}  // namespace velbarino::win32
