// Whether the user's locale encodes text as UTF-8 (the terminal's glyph choice).
#include <langinfo.h>
#include <locale.h>

#include <cstring>

#include "platform/glyphs.h"

int32_t locale_is_utf8()
{
    // setlocale(LC_ALL, "") would also switch LC_NUMERIC for the whole program,
    // and the model and drawing readers parse "1.5" with the C library: ask a
    // private locale object instead.
    locale_t user = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
    if (user == static_cast<locale_t>(0)) {
        return 0;
    }
    const char* codeset = nl_langinfo_l(CODESET, user);
    int32_t utf8 = codeset != nullptr && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
    freelocale(user);
    return utf8;
}
