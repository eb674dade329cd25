#pragma once
// Text for the tutor's HTML pages (the report, the keyboard page): the markup is ASCII, every text
// goes in as UTF-8 that can open no markup of its own.
#include <string>

#include "common/text.h"

// Element text escapes &, < and > only, so the apostrophe of "Compte d'erreurs: " stays as it is
// stored; a quoted attribute value (`attribute`) escapes the apostrophe too.
std::string Html_Escape(const std::string& bytes, bool attribute);
// A text of a page: converted to UTF-8, cut after `capacity` bytes on a whole character (and at a
// NUL, where a C string would end), then escaped as element text.
std::string Html_Text(const Text16& text, size_t capacity);
