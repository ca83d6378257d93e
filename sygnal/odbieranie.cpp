// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "sygnal/odbieranie.h"

#include "cipher/mors.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <span>
#include <utility>
#include <vector>

namespace wirlok {
namespace {

struct Pasmo {
    double od;
    double do_;
};

// Seconds.
constexpr double NajkrotszySzum = 0.012;  // shorter is a click or a dropout at any speed
constexpr double NajdluzszyCzas = 1e6;
constexpr double NajkrotszaJednostka = 0.02;  // 60 words per minute
constexpr double NajdluzszaJednostka = 0.5;   // 2.4 words per minute
constexpr double NajdluzszaKropka = 0.3;      // 4 words per minute
constexpr double NajkrotszaKreska = 0.05;     // 72 words per minute, a learner's at 58
constexpr double DlugaPauza = 2;              // decides what the first marks left open

// Units: marks are 1 or 3, gaps in a letter 1, between letters 3 (or
// stretched), between words 7 (or stretched as much).
constexpr double UlamekSzumu = 0.3;  // a click or a dropout
constexpr double ProgLitery = 2;
constexpr double NajdluzszaKreska = 6;
constexpr double KrokKresek = 1.6;  // the least step from the longest dot to the shortest dash
constexpr double ZwyklaLitera = 3;
constexpr double PauzaNadawcy = 12;         // no word gap of a slow sender, and at least DlugaPauza
constexpr double RozciagnieteLitery = 6.5;  // a first gap this long may be a stretched letter gap
constexpr double TaSamaPrzerwa = 0.65;      // gaps closer than this are as long
constexpr char32_t Znacznik = U'|';         // a held gap in held notation
// Word gaps are 7 / 3 of letter gaps; a hand off by a fifth keeps letter
// gaps below 1.2 of their mean and word gaps above 1.87 of it.
constexpr double SlowoDoLitery = 1.5;
constexpr double GrupaLiter = 1.55;  // the longest letter gap to the shortest

constexpr double Nauka = 0.1;           // how far each element moves the unit
constexpr Pasmo ProgStarej{1.25, 2.5};  // marks of one kind, in old units: dots below, dashes above
constexpr double TenSamNadawca = 0.3;   // a unit this close after a pause keeps the spacing learned

// The standard codes the engine's table lacks.
constexpr std::array<std::pair<char32_t, std::u32string_view>, 37> Dodatki{{
    {U'0', U"-----"},
    {U'1', U".----"},
    {U'2', U"..---"},
    {U'3', U"...--"},
    {U'4', U"....-"},
    {U'5', U"....."},
    {U'6', U"-...."},
    {U'7', U"--..."},
    {U'8', U"---.."},
    {U'9', U"----."},
    {U'.', U".-.-.-"},
    {U',', U"--..--"},
    {U'?', U"..--.."},
    {U'\'', U".----."},
    {U'!', U"-.-.--"},
    {U'/', U"-..-."},
    {U'(', U"-.--."},
    {U')', U"-.--.-"},
    {U'&', U".-..."},
    {U':', U"---..."},
    {U';', U"-.-.-."},
    {U'=', U"-...-"},
    {U'+', U".-.-."},
    {U'-', U"-....-"},
    {U'_', U"..--.-"},
    {U'"', U".-..-."},
    {U'$', U"...-..-"},
    {U'@', U".--.-."},
    {U'ą', U".-.-"},
    {U'ć', U"-.-.."},
    {U'ę', U"..-.."},
    {U'ł', U".-..-"},
    {U'ń', U"--.--"},
    {U'ó', U"---."},
    {U'ś', U"...-..."},
    {U'ź', U"--..-."},
    {U'ż', U"--..-"},
}};

// Letters as likelihoods: an element's length in units, in logarithms,
// spreads around the band it is keyed in; the cost of a reading is minus
// its log-likelihood, in nats.
constexpr double Rozrzut = 0.2;
constexpr std::size_t NajdluzszyKod = 7;
constexpr double Rzadki = 1.5;  // a code beyond the engine's letters
constexpr double Nieznany = 6;  // a code that is no letter: less than splitting a plain gap within a letter

constexpr Pasmo Kropka{0.85, 1.15};
constexpr Pasmo Kreska{2.3, 3.6};  // reaches down to a learner's short dashes as they are learned
constexpr double KrotkaKreska = 0.85;
constexpr Pasmo WLiterze{0.7, 1.5};      // a weak tone's gaps within letters swell
constexpr Pasmo MiedzyLiterami{2.7, 4};  // reaches down to a hand's short letter gaps as they are learned
constexpr double KrotkaLitera = 0.9;

double Koszt(double jednostki, Pasmo pasmo)
{
    const double x = std::log(std::max(jednostki, 1e-9));
    const double poza = std::max({0.0, std::log(pasmo.od) - x, x - std::log(pasmo.do_)}) / Rozrzut;
    return poza * poza / 2;
}

std::u32string KodSilnika(char32_t znak)
{
    std::u32string kod = Mors(std::u32string(1, znak));
    std::erase_if(kod, MorsSeparator);
    const bool kropkiIKreski = std::all_of(kod.begin(), kod.end(), [](char32_t z) { return z == U'.' || z == U'-'; });
    return kropkiIKreski ? kod : U"";
}

// The codes by length, as dashes' bits, with what each costs beforehand.
struct Wpis {
    unsigned kreski;
    double koszt;
};
using Slownik = std::array<std::vector<Wpis>, NajdluzszyKod + 2>;  // none longer

Slownik Zbuduj(bool przedrostki)
{
    Slownik s;
    for (const KodMorsa& k : KodyMorsa()) {
        const double koszt = k.znak >= U'a' && k.znak <= U'z' ? 0 : Rzadki;
        unsigned kreski = 0;
        for (std::size_t i = 0; i < k.kod.size(); ++i) {
            kreski |= static_cast<unsigned>(k.kod[i] == U'-') << i;
            if (!przedrostki && i + 1 < k.kod.size())
                continue;
            std::vector<Wpis>& wpisy = s.at(i + 1);
            const auto jest
                = std::find_if(wpisy.begin(), wpisy.end(), [&](const Wpis& w) { return w.kreski == kreski; });
            if (jest == wpisy.end())
                wpisy.push_back({kreski, koszt});
            else
                jest->koszt = std::min(jest->koszt, koszt);
        }
    }
    return s;
}

// The likeliest of the codes for marks that cost this much as dots and as
// dashes.
Wpis Najlepszy(const std::vector<Wpis>& kody, std::span<const double> kropka, std::span<const double> kreska)
{
    Wpis najlepszy{0, std::numeric_limits<double>::infinity()};
    for (const Wpis& w : kody) {
        double koszt = w.koszt;
        for (std::size_t k = 0; k < kropka.size(); ++k)
            koszt += ((w.kreski >> k) & 1u) != 0 ? kreska[k] : kropka[k];
        if (koszt < najlepszy.koszt)
            najlepszy = {w.kreski, koszt};
    }
    return najlepszy;
}

// Of marks sorted by length, the first dash: the one above the widest
// step of KrokKresek or more between neighbours from `od` to before `do_`;
// `do_` where there is none.
std::size_t PierwszaKreska(std::span<const double> znaki, std::size_t od, std::size_t do_)
{
    std::size_t krok = do_;
    for (std::size_t i = od; i < do_; ++i) {
        if (znaki[i] >= KrokKresek * znaki[i - 1]
            && (krok == do_ || znaki[i] / znaki[i - 1] > znaki[krok] / znaki[krok - 1]))
            krok = i;
    }
    return krok;
}

// The codes, and what begins a code: a letter not yet over.
const Slownik& Kody(bool przedrostki)
{
    static const Slownik kody = Zbuduj(false);
    static const Slownik poczatki = Zbuduj(true);
    return przedrostki ? poczatki : kody;
}

}  // namespace

const std::vector<KodMorsa>& KodyMorsa()
{
    static const std::vector<KodMorsa> kody = [] {
        std::vector<KodMorsa> k;
        const auto jest = [&](std::u32string_view kod) {
            return kod.empty() || std::any_of(k.begin(), k.end(), [&](const KodMorsa& m) { return m.kod == kod; });
        };
        for (char32_t z = U'a'; z <= U'z'; ++z) {
            if (std::u32string kod = KodSilnika(z); !jest(kod))
                k.push_back({z, std::move(kod)});
        }
        for (const auto& [znak, kod] : Dodatki) {
            std::u32string silnika = KodSilnika(znak);
            if (!jest(silnika))
                k.push_back({znak, std::move(silnika)});
            else if (!jest(kod))
                k.push_back({znak, std::u32string(kod)});
        }
        return k;
    }();
    return kody;
}

void Odbiornik::Znak(double sekundy)
{
    if (!(sekundy > 0))
        return;
    sekundy = std::min(sekundy, NajdluzszyCzas);
    if (sekundy < Szum() && znak_ == 0) {  // a click in a space
        scalona_ = przerwa_ + sekundy;
        przerwa_ = scalona_;
        return;
    }
    if (znak_ > 0) {  // a dropout in a mark
        znak_ += przerwa_ + sekundy;
    } else {
        if (poZnaku_)
            KoniecOdstepu(przerwa_);
        znak_ = sekundy;
    }
    przerwa_ = 0;
    scalona_ = 0;
}

void Odbiornik::Przerwa(double sekundy)
{
    if (!(sekundy >= 0))
        return;
    przerwa_ = scalona_ + std::min(sekundy, NajdluzszyCzas);
    if (znak_ > 0 && przerwa_ >= Szum()) {
        Element(std::exchange(znak_, 0));
        poZnaku_ = true;
    }
    if (poZnaku_ && znak_ == 0)
        Odstep(przerwa_);
}

void Odbiornik::Koniec()
{
    if (znak_ > 0)
        Element(std::exchange(znak_, 0));
    Przypnij(true);
    if (ileZnakow_ > 0)
        ZamknijLitere();
    if (watpliwych_ > 0)
        Rozstrzygnij(watpliwych_ == 1);
    poZnaku_ = false;
    przerwa_ = 0;
    scalona_ = 0;
    odstep_ = false;  // no letter follows
}

std::u32string Odbiornik::Odbierz() { return std::exchange(odebrane_, {}); }

double Odbiornik::Jednostka() const { return jednostka_; }

double Odbiornik::Szum() const { return std::max(NajkrotszySzum, UlamekSzumu * jednostka_); }

void Odbiornik::Element(double znak)
{
    if (jednostka_ > 0) {
        Dodaj(znak);
        return;
    }
    zapas_[ileZapasu_++] = znak;
    Przypnij(ileZapasu_ + 2 > Zapas);
}

void Odbiornik::Odstep(double dlugosc)
{
    if (jednostka_ == 0 && dlugosc >= DlugaPauza)
        Przypnij(true);
    if (jednostka_ > 0)
        Trwa(dlugosc);
    if (jednostka_ > 0 && dlugosc >= std::max(DlugaPauza, PauzaNadawcy * jednostka_) && ileZnakow_ == 0
        && watpliwych_ == 0)
        NowyNadawca();
}

// Before the scale is pinned a space is held, unless nothing is: after a
// guessed scale only a long pause counts, as a word gap.
void Odbiornik::KoniecOdstepu(double dlugosc)
{
    if (jednostka_ > 0) {
        Zakoncz(dlugosc);
    } else if (ileZapasu_ > 0) {
        zapas_[ileZapasu_++] = dlugosc;
    } else if (!slowo_ && dlugosc >= DlugaPauza) {
        Slowo();
    }
}

// Dots and dashes are the marks below and above the widest step between
// their lengths, sorted, when the dashes are on average at least twice as
// long (a key held far longer than the shortest mark is neither). Dots and
// dashes pin the unit; marks of one kind are dashes with a gap half as
// long, and after a pause dots or dashes by the old unit, or else dashes
// when too long for dots, and dots when too short for dashes; otherwise,
// when forced, a short mark is a dot.
double Odbiornik::Skala(bool wymus) const
{
    std::array<double, Zapas / 2> znaki{};
    std::size_t ile = 0;
    for (std::size_t i = 0; i < ileZapasu_; i += 2)
        znaki[ile++] = zapas_[i];
    std::sort(znaki.begin(), znaki.begin() + static_cast<std::ptrdiff_t>(ile));
    const double krotki = znaki[0];
    while (ile > 1 && znaki[ile - 1] > NajdluzszaKreska * krotki)
        --ile;
    const std::size_t krok = PierwszaKreska(znaki, 1, ile);
    auto* const poczatek = znaki.begin();
    auto* const granica = poczatek + static_cast<std::ptrdiff_t>(krok);
    const double srednia = std::accumulate(poczatek, granica, 0.0) / static_cast<double>(krok);  // of the dots
    const double kreski = krok < ile
        ? std::accumulate(granica, poczatek + static_cast<std::ptrdiff_t>(ile), 0.0) / static_cast<double>(ile - krok)
        : 0;
    if (kreski >= 2 * srednia)
        return srednia;
    bool krotkaPrzerwa = false;
    for (std::size_t i = 1; i < ileZapasu_; i += 2)
        krotkaPrzerwa = krotkaPrzerwa || zapas_[i] <= krotki / 2;
    if (krotkaPrzerwa)
        return srednia / 3;
    const double doStarej = srednia / staraJednostka_;  // after a pause: at most twice or half the old speed
    if (staraJednostka_ > 0 && doStarej < ProgStarej.od)
        return srednia;
    if (staraJednostka_ > 0 && doStarej > ProgStarej.do_)
        return srednia / 3;
    const bool kropkiZaKrotkieNaKreski = srednia < NajkrotszaKreska;
    const bool kreskiZaDlugieNaKropki = srednia > NajdluzszaKropka && srednia < 3 * NajdluzszaKropka;
    if (staraJednostka_ == 0 && kreskiZaDlugieNaKropki)
        return srednia / 3;
    if (staraJednostka_ == 0 && kropkiZaKrotkieNaKreski)
        return srednia;
    if (!wymus)
        return 0;
    return srednia > NajdluzszaKropka ? srednia / 3 : srednia;
}

// The unit from all the marks and the gaps within letters held, then the
// held elements at it. A unit guessed when forced is forgotten after them,
// so that a key held for a minute leaves no scale behind.
void Odbiornik::Przypnij(bool wymus)
{
    if (jednostka_ > 0 || ileZapasu_ == 0)
        return;
    const double skala = Skala(wymus);
    if (skala == 0)
        return;
    const bool zgadnieta = Skala(false) == 0;
    double suma = 0;
    double ile = 0;
    for (std::size_t i = 0; i < ileZapasu_; ++i) {
        const double e = zapas_[i];
        if (e < (i % 2 == 0 ? NajdluzszaKreska : ProgLitery) * skala) {
            suma += std::clamp(e < ProgLitery * skala ? e : e / 3, skala / 2, skala * 2);
            ++ile;
        }
    }
    jednostka_ = std::clamp(suma / ile, NajkrotszaJednostka, NajdluzszaJednostka);
    ileOstatnich_ = 0;
    if (std::abs(jednostka_ / staraJednostka_ - 1) <= TenSamNadawca) {  // the same sender, better known
        jednostka_ = staraJednostka_;
    } else {
        ilePrzerw_ = 0;
        skalaPrzerw_ = false;
        rozciagniete_ = false;
        kreska_ = 3;
    }
    for (std::size_t i = 0; i < ileZapasu_; ++i) {
        if (i % 2 == 0)
            Dodaj(zapas_[i]);
        else
            Zakoncz(zapas_[i]);
    }
    ileZapasu_ = 0;
    if (zgadnieta) {  // serves the held letters only
        if (ileZnakow_ > 0)
            ZamknijLitere();
        if (watpliwych_ > 0)
            Rozstrzygnij(watpliwych_ == 1);
        jednostka_ = 0;
    }
}

void Odbiornik::Dodaj(double znak)
{
    Sprawdz(znak);
    if (ileZnakow_ == Znaki)
        ZamknijLitere();
    znaki_[ileZnakow_++] = znak;
    Wypisz(1);
}

// A unit learnt from a few clicks (a light being found, a hand's first
// taps) can read a sender's dots as dashes, and then learns from them
// about as short as it is: where the last marks fall plainly into dots and
// dashes and the dots are dashes by the unit, the unit is their length.
void Odbiornik::Sprawdz(double znak)
{
    if (znak > NajdluzszaKreska * jednostka_)  // a key held, not a dash
        return;
    ostatnie_[ileOstatnich_++ % ostatnie_.size()] = znak;
    if (ileOstatnich_ < ostatnie_.size())
        return;
    std::array<double, 8> znaki = ostatnie_;
    std::sort(znaki.begin(), znaki.end());
    const std::size_t krok = PierwszaKreska(znaki, 2, znaki.size() - 1);  // two of each at least
    if (krok == znaki.size() - 1)
        return;
    auto* const granica = znaki.begin() + static_cast<std::ptrdiff_t>(krok);
    const double kropki = std::accumulate(znaki.begin(), granica, 0.0) / static_cast<double>(krok);
    const double kreski = std::accumulate(granica, znaki.end(), 0.0) / static_cast<double>(znaki.size() - krok);
    if (kreski >= 2 * kropki && kropki >= KrokKresek * jednostka_) {
        jednostka_ = std::clamp(kropki, NajkrotszaJednostka, NajdluzszaJednostka);
        kreska_ = 3;
    }
}

void Odbiornik::Trwa(double dlugosc)
{
    if (ileZnakow_ > 0 && dlugosc >= ProgLitery * jednostka_)
        ZamknijLitere();
    if (ileZnakow_ > 0)
        return;
    if (watpliwych_ > 0 && dlugosc * TaSamaPrzerwa > SredniaWatpliwych() * jednostka_)
        Rozstrzygnij(false);
    if (!slowo_ && watpliwych_ == 0 && (skalaPrzerw_ || dlugosc >= DlugaPauza) && dlugosc >= ProgSlowa()) {
        Slowo();
    }
}

void Odbiornik::Zakoncz(double dlugosc)
{
    Trwa(dlugosc);
    if (ileZnakow_ > 0) {
        odstepy_[ileZnakow_ - 1] = dlugosc;
        return;
    }
    const double jednostki = dlugosc / jednostka_;
    if (Watpliwa(jednostki))
        return;
    DodajPrzerwe(jednostki);
    if (!slowo_ && dlugosc >= ProgSlowa()) {
        Slowo();
    }
}

// The likeliest split of the group into letters, by dynamic programming
// over where letters end: a letter is a code of KodyMorsa read from its
// marks (the last, while it is open, the beginning of one), or, at a cost,
// the marks as they look; the spaces inside it are within a letter and the
// space before it between letters.
std::size_t Odbiornik::Litery(std::array<Litera, Znaki>& litery, bool otwarta) const
{
    std::array<double, Znaki> kropka{};
    std::array<double, Znaki> kreska{};
    const Pasmo kreski{std::min(Kreska.od, KrotkaKreska * kreska_), Kreska.do_};
    const Pasmo miedzyLiterami{std::min(MiedzyLiterami.od, KrotkaLitera * OdstepLiter()), MiedzyLiterami.do_};
    for (std::size_t k = 0; k < ileZnakow_; ++k) {
        kropka[k] = Koszt(znaki_[k] / jednostka_, Kropka);
        kreska[k] = Koszt(znaki_[k] / jednostka_, kreski);
    }
    std::array<double, Znaki + 1> koszt{};
    koszt.fill(std::numeric_limits<double>::infinity());
    koszt[0] = 0;
    std::array<Litera, Znaki + 1> skad{};
    for (std::size_t j = 1; j <= ileZnakow_; ++j) {
        double wewnatrz = 0;
        Litera twarda{j, 0, 0, false};
        double twardy = Nieznany;
        for (std::size_t i = j; i-- > 0;) {
            if (i + 1 < j)
                wewnatrz += Koszt(odstepy_[i] / jednostka_, WLiterze);
            twarda = {i, j - i, (twarda.kreski << 1) | static_cast<unsigned>(kreska[i] < kropka[i]), false};
            twardy += std::min(kropka[i], kreska[i]);
            const Wpis kod = Najlepszy(Kody(otwarta && j == ileZnakow_)[std::min(j - i, NajdluzszyKod + 1)],
                std::span(kropka).subspan(i, j - i),
                std::span(kreska).subspan(i, j - i));
            const Litera wybrana = kod.koszt <= twardy ? Litera{i, j - i, kod.kreski, true} : twarda;
            const double najlepszy = std::min(kod.koszt, twardy);
            const double przed = i > 0 ? Koszt(odstepy_[i - 1] / jednostka_, miedzyLiterami) : 0;
            if (koszt[i] + przed + wewnatrz + najlepszy < koszt[j]) {
                koszt[j] = koszt[i] + przed + wewnatrz + najlepszy;
                skad[j] = wybrana;
            }
        }
    }
    std::size_t ile = 0;
    for (std::size_t j = ileZnakow_; j > 0; j = skad[j].od)
        litery[ile++] = skad[j];
    std::reverse(litery.begin(), litery.begin() + static_cast<std::ptrdiff_t>(ile));
    return ile;
}

// The letters decided are written and learned from; a space between two of
// them is a letter gap.
void Odbiornik::Wypisz(std::size_t zostaw)
{
    std::array<Litera, Znaki> litery{};
    const std::size_t ile = Litery(litery, zostaw > 0);
    if (ile <= zostaw)
        return;
    std::array<char32_t, Znaki + 1> kod{};
    for (std::size_t l = 0; l + zostaw < ile; ++l) {
        const Litera& litera = litery[l];
        UczLitery(litera);
        for (std::size_t i = 0; i < litera.dlugosc; ++i)
            kod[i] = ((litera.kreski >> i) & 1u) != 0 ? U'-' : U'.';
        kod[litera.dlugosc] = U'\\';
        Pisz({kod.data(), litera.dlugosc + 1});
        slowo_ = false;
        const std::size_t dalej = litera.od + litera.dlugosc;
        if (dalej < ileZnakow_)  // tells held gaps, but is too uncertain to learn from
            Watpliwa(odstepy_[dalej - 1] / jednostka_);
    }
    const std::size_t od = litery[ile - zostaw - 1].od + litery[ile - zostaw - 1].dlugosc;
    std::copy(znaki_.begin() + static_cast<std::ptrdiff_t>(od),
        znaki_.begin() + static_cast<std::ptrdiff_t>(ileZnakow_),
        znaki_.begin());
    std::copy(odstepy_.begin() + static_cast<std::ptrdiff_t>(od),
        odstepy_.begin() + static_cast<std::ptrdiff_t>(ileZnakow_),
        odstepy_.begin());
    ileZnakow_ -= od;
}

void Odbiornik::ZamknijLitere() { Wypisz(0); }

// The unit from a letter's marks, and from the gaps within it unless it is
// no letter (perhaps letters run together); the dash's length from a
// letter's dashes.
void Odbiornik::UczLitery(const Litera& litera)
{
    for (std::size_t i = 0; i < litera.dlugosc; ++i) {
        const bool kreska = ((litera.kreski >> i) & 1u) != 0;
        const double znak = znaki_[litera.od + i];
        if (litera.znana && kreska)
            kreska_ += Nauka * (std::clamp(znak / jednostka_, KrotkaKreska * Kreska.od, Kreska.do_) - kreska_);
        Ucz(kreska ? znak / kreska_ : znak);
        if (litera.znana && i + 1 < litera.dlugosc)
            Ucz(odstepy_[litera.od + i]);
    }
}

// After a long pause another may send: the next letters learn the speed
// again from their own marks, the old unit telling only what they leave
// open (a letter of one kind of mark).
void Odbiornik::NowyNadawca()
{
    if (!slowo_)
        Slowo();
    staraJednostka_ = jednostka_;
    jednostka_ = 0;
}

// One odd element (a key held for a minute) moves the unit a little only.
void Odbiornik::Ucz(double jednostka)
{
    jednostka_ += Nauka * (std::clamp(jednostka, jednostka_ / 2, jednostka_ * 2) - jednostka_);
    jednostka_ = std::clamp(jednostka_, NajkrotszaJednostka, NajdluzszaJednostka);
}

// The first long gaps between letters: word gaps, or letter gaps of
// stretched spacing? The letters after them wait for a gap that tells: a far
// shorter one follows word gaps, a far longer one letter gaps; a third as
// long makes them letter gaps.
bool Odbiornik::Watpliwa(double jednostki)
{
    if (watpliwych_ == 0) {
        if (skalaPrzerw_ || slowo_ || jednostki < RozciagnieteLitery)
            return false;
        watpliwe_[watpliwych_++] = jednostki;
        return true;
    }
    const double watpliwa = SredniaWatpliwych();
    if (jednostki < TaSamaPrzerwa * watpliwa) {
        Rozstrzygnij(true);
        rozciagniete_ = rozciagniete_ || jednostki >= RozciagnieteLitery;
        return false;
    }
    if (jednostki * TaSamaPrzerwa > watpliwa || watpliwych_ == watpliwe_.size()) {
        Rozstrzygnij(false);
        return false;
    }
    wstrzymane_ += Znacznik;
    watpliwe_[watpliwych_++] = jednostki;
    return true;
}

double Odbiornik::SredniaWatpliwych() const
{
    return std::accumulate(watpliwe_.begin(), watpliwe_.begin() + watpliwych_, 0.0) / static_cast<double>(watpliwych_);
}

// The held letters go out with the gaps before them decided; a word gap
// decided while they were held comes after them.
void Odbiornik::Rozstrzygnij(bool slowo)
{
    const bool poWstrzymanych = std::exchange(odstep_, slowo);
    for (const char32_t z : wstrzymane_) {
        if (z == Znacznik) {
            odstep_ = odstep_ || slowo;
            continue;
        }
        if (std::exchange(odstep_, false))
            odebrane_ += U'\\';
        odebrane_ += z;
    }
    odstep_ = odstep_ || poWstrzymanych;
    wstrzymane_.clear();
    for (std::size_t i = 0; i < watpliwych_; ++i)
        DodajPrzerwe(watpliwe_[i]);
    watpliwych_ = 0;
    rozciagniete_ = rozciagniete_ || !slowo;
}

void Odbiornik::DodajPrzerwe(double jednostki)
{
    przerwy_[ilePrzerw_ % Przerwy] = jednostki;
    ++ilePrzerw_;
    skalaPrzerw_ = true;
}

// The letter gap is the mean of the last gaps between letters that are
// close to the second shortest (which stays a letter gap even after a run
// of one-letter words or one gap cut short); until there are a few, it is
// 3 units unless the first gaps showed stretched spacing.
double Odbiornik::OdstepLiter() const
{
    const std::size_t ile = std::min(ilePrzerw_, Przerwy);
    if (ile < 3 && !rozciagniete_)
        return ZwyklaLitera;
    std::array<double, Przerwy> przerwy = przerwy_;
    auto* const koniec = przerwy.begin() + ile;
    std::nth_element(przerwy.begin(), przerwy.begin() + 1, koniec);
    const double krotka = przerwy[ile >= 3 ? 1 : 0];
    double suma = 0;
    double litery = 0;
    for (auto* p = przerwy.begin(); p != koniec; ++p) {
        if (*p <= GrupaLiter * krotka) {
            suma += *p;
            ++litery;
        }
    }
    return suma / litery;
}

double Odbiornik::ProgSlowa() const { return jednostka_ * SlowoDoLitery * OdstepLiter(); }

void Odbiornik::Pisz(std::u32string_view zapis)
{
    std::u32string& cel = watpliwych_ > 0 ? wstrzymane_ : odebrane_;
    if (std::exchange(odstep_, false))
        cel += U'\\';
    cel += zapis;
}

// A word gap is written with the letter after it, so that a message that
// ends in a pause ends in its last letter, as the encoder writes it.
void Odbiornik::Slowo()
{
    odstep_ = true;
    slowo_ = true;
}

std::u32string DoWstawienia(char32_t przed, Klawisz klawisz)
{
    const bool wLiterze = przed == U'.' || przed == U'-';
    const std::u32string_view otwarcie = wLiterze || MorsSeparator(przed) ? U"" : U"\\";
    switch (klawisz) {
    case Klawisz::Kropka: return std::u32string(otwarcie) + U'.';
    case Klawisz::Kreska: return std::u32string(otwarcie) + U'-';
    case Klawisz::KoniecLitery: return wLiterze ? U"\\" : U"";
    case Klawisz::Odstep: return wLiterze ? U"\\\\" : DoWstawienia(przed, U"\\");
    }
    return {};
}

// A received letter is whole: it closes a letter being keyed before it.
std::u32string DoWstawienia(char32_t przed, std::u32string_view odebrane, bool dalej)
{
    if (!dalej && !odebrane.empty() && MorsSeparator(odebrane.front()))
        odebrane.remove_prefix(1);
    if (odebrane.empty() || MorsSeparator(przed))
        return std::u32string(odebrane);
    return U"\\" + std::u32string(odebrane);
}

}  // namespace wirlok
