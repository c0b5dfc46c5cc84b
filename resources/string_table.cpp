// The program's string table: ids and texts as the program shows them (UTF-8 here, CP1250 once
// loaded).
#include "resources/program_resources.h"

namespace resources {
namespace {

constexpr res::StringResource kStrings[] = {
    {178, "Przeszukiwanie - tytuł"},
    {179, "Przeszukiwanie - podtytuł"},
    {205, "Przeszukiwanie zostało przerwane"},
    {206, "Nie znaleziono tekstu odpowiadającego zadanym kryteriom przeszukiwania!"},
    {207, "Właściwości"},
    {212, "Fiz. pamięć operacyjna - %lu KB."},
    {213, "Wolne miejsce na dysku %c - %lu KB."},
    {214, "Unavailable"},
    {215, "%s."},
    {220, " Naciśnij przycisk F1 aby uzyskać pomoc"},
    {221, "Przed utworzeniem segregator musi zostać nazwany."},
    {222, "Segregator o nazwie '%s' już istnieje. Proszę zmienić nazwę."},
    {225, "Nie można uruchomić wskazanego programu!"},
    {228, "Zmiana tej opcji odniesie skutek dopiero przy ponownym uruchomieniu programu."},
    {20619, "Pasek menu"},
    {20624, "noclose"},
    {20625, "Select Directory"},
    {20626, "Select File"},
    {20655, "Zamyka okno"},
    {20657, "Rozszerza okno"},
    {20658, "Przywraca pierwotny rozmiar okna"},
    {20661, "SECSplashWnd"},
    {20662, "SECSplashWndParent"},
    {45141, "Paski narzędzi..."},
    {45142, "&Dostosuj..."},
    {57345, " Naciśnij F1, aby uzyskać pomoc."},
    {61504, "on %1"},
    {61513, "to %1"},
};

}  // namespace

void register_strings() { res::add_strings(kStrings); }

}  // namespace resources
