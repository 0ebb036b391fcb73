#pragma once

// The host's character type: wide characters throughout.
typedef wchar_t ACHAR;
