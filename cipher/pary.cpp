#include "cipher/pary.h"

namespace wirlok {

std::u32string SzyfrParowy(const Zamiany& zamiany, std::u32string tekst)
{
    for (char32_t& znak : tekst) {
        if (znak < zamiany.size())
            znak = zamiany[znak];
    }
    return tekst;
}

}  // namespace wirlok
