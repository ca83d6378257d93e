#include "cipher/mors.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

namespace wirlok {
namespace {

struct WierszMorsa {
    char32_t litera;
    std::u32string_view kod;
    std::u32string_view warianty;  // besides the letter in both cases and the code
};

// The Polish letters share the code of their base letter.
constexpr std::array<WierszMorsa, 26> TablicaMorsa{{
    {U'a', U".-", U"ąĄ"},
    {U'b', U"-...", U""},
    {U'c', U"-.-.", U"ćĆ"},
    {U'd', U"-..", U""},
    {U'e', U".", U"ęĘ"},
    {U'f', U"..-.", U""},
    {U'g', U"--.", U""},
    {U'h', U"....", U""},
    {U'i', U"..", U""},
    {U'j', U".---", U""},
    {U'k', U"-.-", U""},
    {U'l', U".-..", U"łŁ"},
    {U'm', U"--", U""},
    {U'n', U"-.", U"ńŃ"},
    {U'o', U"---", U"óÓ"},
    {U'p', U".--.", U""},
    {U'q', U"--.-", U""},
    {U'r', U".-.", U""},
    {U's', U"...", U"śŚ"},
    {U't', U"-", U""},
    {U'u', U"..-", U""},
    {U'v', U"...-", U""},
    {U'w', U".--", U""},
    {U'x', U"-..-", U""},
    {U'y', U"-.--", U""},
    {U'z', U"--..", U"żŻźŹ"},
}};

constexpr char32_t Kreska = U'\\';
constexpr char32_t Ukosnik = U'/';
constexpr std::size_t NajdluzszyKod = 4;
constexpr std::int8_t Brak = -1;

constexpr bool Separator(char32_t znak) { return znak == Kreska || znak == Ukosnik; }

// Row selected by a one-character token: the letter in either case, a Polish
// variant, or a one-character code ("." for e, "-" for t). Every such
// character lies below U+0180 (ASCII, Latin-1 and Latin Extended-A).
using WierszeZnakow = std::array<std::int8_t, 0x180>;

constexpr WierszeZnakow ZbudujWierszeZnakow()
{
    WierszeZnakow wiersze{};
    wiersze.fill(Brak);
    for (std::size_t w = 0; w < TablicaMorsa.size(); ++w) {
        const auto numer = static_cast<std::int8_t>(w);
        const WierszMorsa& wiersz = TablicaMorsa[w];
        wiersze[wiersz.litera] = numer;
        wiersze[wiersz.litera - (U'a' - U'A')] = numer;
        for (char32_t wariant : wiersz.warianty)
            wiersze[wariant] = numer;
        if (wiersz.kod.size() == 1)
            wiersze[wiersz.kod.front()] = numer;
    }
    return wiersze;
}

constexpr WierszeZnakow WierszZnaku = ZbudujWierszeZnakow();

constexpr std::int8_t WierszJednegoZnaku(char32_t znak)
{
    return znak < WierszZnaku.size() ? WierszZnaku[znak] : Brak;
}

// Row selected by a code of dots and dashes, indexed by the code read as a
// binary number (dot 0, dash 1) behind a leading 1 that marks its length.
using WierszeKodow = std::array<std::int8_t, 2u << NajdluzszyKod>;

constexpr unsigned DopiszDoIndeksu(unsigned indeks, char32_t znak)
{
    return znak == U'.' ? indeks * 2 : indeks * 2 + 1;
}

constexpr WierszeKodow ZbudujWierszeKodow()
{
    WierszeKodow wiersze{};
    wiersze.fill(Brak);
    for (std::size_t w = 0; w < TablicaMorsa.size(); ++w) {
        unsigned indeks = 1;
        for (char32_t znak : TablicaMorsa[w].kod)
            indeks = DopiszDoIndeksu(indeks, znak);
        wiersze[indeks] = static_cast<std::int8_t>(w);
    }
    return wiersze;
}

constexpr WierszeKodow WierszKodu = ZbudujWierszeKodow();

std::int8_t WierszTokenu(std::u32string_view token)
{
    if (token.size() == 1)
        return WierszJednegoZnaku(token.front());
    if (token.size() > NajdluzszyKod)
        return Brak;
    unsigned indeks = 1;
    for (char32_t znak : token) {
        if (znak != U'.' && znak != U'-')
            return Brak;
        indeks = DopiszDoIndeksu(indeks, znak);
    }
    return WierszKodu[indeks];
}

// A letter gives its code, a space nothing, any other character itself
// (the view then points at the character, which must outlive it).
std::u32string_view Jednostka(const char32_t& znak)
{
    const std::int8_t wiersz = WierszJednegoZnaku(znak);
    if (wiersz != Brak)
        return TablicaMorsa[static_cast<std::size_t>(wiersz)].kod;
    if (znak == U' ')
        return {};
    return {&znak, 1};
}

// "\" first, then each character's unit followed by "\".
std::u32string Koduj(std::u32string_view tekst)
{
    std::size_t dlugosc = 1;
    for (const char32_t& znak : tekst)
        dlugosc += Jednostka(znak).size() + 1;

    std::u32string wynik(dlugosc, Kreska);
    auto pisz = wynik.begin() + 1;
    for (const char32_t& znak : tekst) {
        const std::u32string_view jednostka = Jednostka(znak);
        pisz = std::copy(jednostka.begin(), jednostka.end(), pisz) + 1;
    }
    return wynik;
}

// Reads the tokens between separators; a token that no separator closes
// is read as if one followed it. Every token with its separator yields at
// most one character, so the result is written over the text already read.
std::u32string Dekoduj(std::u32string tekst, std::size_t od)
{
    const auto koniec = tekst.end();
    auto pisz = tekst.begin();
    auto czytaj = tekst.begin() + static_cast<std::ptrdiff_t>(od);
    while (czytaj != koniec) {
        const auto separator = std::find_if(czytaj, koniec, Separator);
        const std::u32string_view token(&*czytaj, static_cast<std::size_t>(separator - czytaj));
        const std::int8_t wiersz = WierszTokenu(token);
        if (wiersz != Brak)
            *pisz++ = TablicaMorsa[static_cast<std::size_t>(wiersz)].litera;
        else if (token.empty())
            *pisz++ = U' ';  // two separators in a row: a word gap
        else if (token != U" ")
            *pisz++ = token.front();  // unrecognised: its first character stays
        czytaj = separator == koniec ? koniec : separator + 1;
    }
    tekst.erase(pisz, koniec);
    return tekst;
}

}  // namespace

// Morse notation starts with a dot or a dash, or ends with "\"; anything
// else is plain text. One leading separator is dropped in either direction.
std::u32string Mors(std::u32string tekst)
{
    const bool dekodowanie = !tekst.empty() && (tekst.front() == U'.' || tekst.front() == U'-' || tekst.back() == Kreska);
    const std::size_t od = !tekst.empty() && Separator(tekst.front()) ? 1 : 0;
    if (dekodowanie)
        return Dekoduj(std::move(tekst), od);
    return Koduj(std::u32string_view(tekst).substr(od));
}

}  // namespace wirlok
