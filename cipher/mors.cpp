// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

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

constexpr char32_t Odwrotny = U'\\';  // the separator the encoder writes
constexpr std::size_t NajdluzszyKod = 4;
constexpr std::uint8_t Brak = 0xFF;  // no row

// Row selected by a one-character token: the letter in either case, a Polish
// variant, or a one-character code ("." for e, "-" for t). Every such
// character lies below U+0180 (ASCII, Latin-1 and Latin Extended-A).
using WierszeZnakow = std::array<std::uint8_t, 0x180>;

constexpr WierszeZnakow ZbudujWierszeZnakow()
{
    WierszeZnakow wiersze{};
    wiersze.fill(Brak);
    for (std::size_t w = 0; w < TablicaMorsa.size(); ++w) {
        const auto numer = static_cast<std::uint8_t>(w);
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

constexpr std::uint8_t WierszJednegoZnaku(char32_t znak)
{
    return znak < WierszZnaku.size() ? WierszZnaku[znak] : Brak;
}

// The character that a code of dots and dashes decodes to (0 for none),
// indexed by the code read as a binary number, dot 0 and dash 1, its first
// character the lowest bit, behind a 1 that marks its length. The empty
// code, between two separators in a row, is a word gap.
using ZnakiKodow = std::array<char32_t, 2u << NajdluzszyKod>;

constexpr unsigned IndeksKodu(std::u32string_view kod)
{
    unsigned kreski = 0;
    for (std::size_t i = 0; i < kod.size(); ++i)
        kreski |= static_cast<unsigned>(kod[i] == U'-') << i;
    return (1u << kod.size()) | kreski;
}

constexpr ZnakiKodow ZnakKodu = [] {
    ZnakiKodow znaki{};
    znaki[IndeksKodu(U"")] = U' ';
    for (const WierszMorsa& wiersz : TablicaMorsa)
        znaki[IndeksKodu(wiersz.kod)] = wiersz.litera;
    return znaki;
}();

constexpr bool KropkaLubKreska(char32_t znak) { return znak == U'.' || znak == U'-'; }

// The decoder looks at the next NajdluzszyKod + 1 characters at once, as
// two bits each, and finds in one table how long the token at their front
// is and what it decodes to: no branch depends on the text.
enum class Klasa : unsigned { Kropka, Kreska, Separator, Inny };
constexpr unsigned BityKlasy = 2;
constexpr unsigned Zasieg = NajdluzszyKod + 1;

constexpr auto KlasaAscii = [] {
    std::array<Klasa, 128> klasy{};
    for (char32_t znak = 0; znak < klasy.size(); ++znak)
        klasy[znak] = znak == U'.' ? Klasa::Kropka
            : znak == U'-'         ? Klasa::Kreska
            : MorsSeparator(znak)  ? Klasa::Separator
                                   : Klasa::Inny;
    return klasy;
}();

constexpr Klasa KlasaZnaku(char32_t znak) { return znak < KlasaAscii.size() ? KlasaAscii[znak] : Klasa::Inny; }

// A token that a separator ends within the look, and its character:
// 0 where the look shows no such token, or one that is no code.
struct Podglad {
    unsigned dlugosc;
    char32_t znak;
};

constexpr auto Podglady = [] {
    std::array<Podglad, 1u << (BityKlasy * Zasieg)> podglady{};
    for (unsigned wzor = 0; wzor < podglady.size(); ++wzor) {
        unsigned kreski = 0;
        for (unsigned i = 0; i < Zasieg; ++i) {
            const auto klasa = static_cast<Klasa>((wzor >> (BityKlasy * i)) & 3u);
            if (klasa == Klasa::Separator) {
                podglady[wzor] = {i, ZnakKodu[(1u << i) | kreski]};
                break;
            }
            if (klasa == Klasa::Inny)
                break;
            kreski |= static_cast<unsigned>(klasa == Klasa::Kreska) << i;
        }
    }
    return podglady;
}();

template <std::size_t... I>
Podglad Podejrzyj(const char32_t* tekst, std::index_sequence<I...>)
{
    const unsigned wzor = ((static_cast<unsigned>(KlasaZnaku(tekst[I])) << (BityKlasy * I)) | ...);
    return Podglady[wzor];
}

Podglad Podejrzyj(const char32_t* tekst) { return Podejrzyj(tekst, std::make_index_sequence<Zasieg>{}); }

// What the encoder writes for one character: its unit followed by "\".
// A letter gives its code, a space nothing, any other character itself.
struct Jednostka {
    std::array<char32_t, NajdluzszyKod + 1> znaki;
    std::size_t dlugosc;
};

constexpr Jednostka JednostkaZnaku(char32_t znak)
{
    const std::uint8_t wiersz = WierszJednegoZnaku(znak);
    if (wiersz != Brak) {
        const std::u32string_view kod = TablicaMorsa[wiersz].kod;
        Jednostka jednostka{{}, kod.size() + 1};
        std::copy(kod.begin(), kod.end(), jednostka.znaki.begin());
        jednostka.znaki[kod.size()] = Odwrotny;
        return jednostka;
    }
    if (znak == U' ')
        return {{Odwrotny}, 1};
    return {{znak, Odwrotny}, 2};
}

// The units of all characters that have a row, so that encoding looks
// each character up once.
constexpr auto JednostkiZnakow = [] {
    std::array<Jednostka, WierszZnaku.size()> jednostki{};
    for (std::size_t znak = 0; znak < jednostki.size(); ++znak)
        jednostki[znak] = JednostkaZnaku(static_cast<char32_t>(znak));
    return jednostki;
}();

Jednostka JednostkaDla(char32_t znak)
{
    return znak < JednostkiZnakow.size() ? JednostkiZnakow[znak] : Jednostka{{znak, Odwrotny}, 2};
}

// "\" first, then each character's unit. The output is sized once; every
// unit is copied whole (it fits in NajdluzszyKod + 1 characters), and the
// surplus at the end is cut off.
std::u32string Koduj(std::u32string_view tekst)
{
    std::size_t dlugosc = 1;
    for (const char32_t znak : tekst)
        dlugosc += JednostkaDla(znak).dlugosc;

    std::u32string wynik(dlugosc + NajdluzszyKod, Odwrotny);
    char32_t* pisz = wynik.data() + 1;
    for (const char32_t znak : tekst) {
        const Jednostka jednostka = JednostkaDla(znak);
        std::copy(jednostka.znaki.begin(), jednostka.znaki.end(), pisz);
        pisz += jednostka.dlugosc;
    }
    wynik.resize(dlugosc);
    return wynik;
}

// Writes what a token and its separator decode to, if anything: the letter
// of its row, a space for an empty token, nothing for a single space, and
// otherwise the token's first character. Returns where the next character
// goes.
char32_t* Odczytaj(std::u32string_view token, char32_t* pisz)
{
    if (token.size() == 1) {
        const std::uint8_t wiersz = WierszJednegoZnaku(token.front());
        if (wiersz != Brak)
            *pisz++ = TablicaMorsa[wiersz].litera;
        else if (token.front() != U' ')
            *pisz++ = token.front();
        return pisz;
    }
    const bool kod = token.size() <= NajdluzszyKod && std::all_of(token.begin(), token.end(), KropkaLubKreska);
    const char32_t znak = kod ? ZnakKodu[IndeksKodu(token)] : 0;
    *pisz++ = znak != 0 ? znak : token.front();
    return pisz;
}

// A stretch of the text whose tokens are decoded in order, each written
// over what has been read: every token with its separator yields at most
// one character.
struct Strumien {
    const char32_t* czytaj;
    const char32_t* koniec;
    char32_t* pisz;
};

// Decodes the stream's next token: codes and word gaps, nearly all of a
// Morse text, through the look-ahead; anything else, and the last few
// characters of the text, the general way. A token that no separator
// closes is read as if one followed it.
void Krok(Strumien& strumien, const char32_t* koniecTekstu)
{
    if (koniecTekstu - strumien.czytaj >= static_cast<std::ptrdiff_t>(Zasieg)) {
        const Podglad podglad = Podejrzyj(strumien.czytaj);
        if (podglad.znak != 0) {
            *strumien.pisz++ = podglad.znak;
            strumien.czytaj += podglad.dlugosc + 1;
            return;
        }
    }
    const char32_t* separator = std::find_if(strumien.czytaj, strumien.koniec, MorsSeparator);
    strumien.pisz = Odczytaj({strumien.czytaj, static_cast<std::size_t>(separator - strumien.czytaj)}, strumien.pisz);
    strumien.czytaj = separator == strumien.koniec ? separator : separator + 1;
}

bool Koniec(const Strumien& strumien) { return strumien.czytaj == strumien.koniec; }

// Each token's length decides where the next one starts, so reading one
// stream is a chain of waits. The text is read as two halves, split after
// a separator, in turns: two independent chains keep the processor busy.
// The second half's result then moves down behind the first's.
std::u32string Dekoduj(std::u32string tekst, std::size_t od)
{
    char32_t* const poczatek = tekst.data();
    char32_t* const koniec = poczatek + tekst.size();
    char32_t* srodek = std::find_if(poczatek + od + (tekst.size() - od) / 2, koniec, MorsSeparator);
    srodek = srodek == koniec ? koniec : srodek + 1;

    Strumien pierwsza{poczatek + od, srodek, poczatek};
    Strumien druga{srodek, koniec, srodek};
    while (!Koniec(pierwsza) && !Koniec(druga)) {
        Krok(pierwsza, koniec);
        Krok(druga, koniec);
    }
    while (!Koniec(pierwsza))
        Krok(pierwsza, koniec);
    while (!Koniec(druga))
        Krok(druga, koniec);

    const char32_t* wynik = std::copy(srodek, druga.pisz, pierwsza.pisz);
    tekst.resize(static_cast<std::size_t>(wynik - poczatek));
    return tekst;
}

}  // namespace

// Morse notation starts with a dot or a dash, or ends with "\"; anything
// else is plain text.
bool MorsDekoduje(std::u32string_view tekst)
{
    return !tekst.empty() && (tekst.front() == U'.' || tekst.front() == U'-' || tekst.back() == Odwrotny);
}

// One leading separator is dropped in either direction.
std::u32string Mors(std::u32string tekst)
{
    const bool dekodowanie = MorsDekoduje(tekst);
    const std::size_t od = !tekst.empty() && MorsSeparator(tekst.front()) ? 1 : 0;
    if (dekodowanie)
        return Dekoduj(std::move(tekst), od);
    return Koduj(std::u32string_view(tekst).substr(od));
}

}  // namespace wirlok
