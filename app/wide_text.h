#pragma once
// The tutor's UTF-16 text handed to the wide calls and back: on Windows wchar_t and char16_t are
// the same 16-bit units, so the two only change the pointer type.
#include "common/text.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the Windows build keeps text as UTF-16");

inline const wchar_t* W(const Text16& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline Text16 T16(const wchar_t* s) { return s ? Text16(reinterpret_cast<const char16_t*>(s)) : Text16(); }
