// The program's string table: ids and texts as the program shows them (UTF-8 here, CP1250 once
// loaded). A command's string is its status-bar prompt and, after the line break, its tool tip;
// an engine code's string is the message shown for that code.
#include "resources/program_resources.h"

namespace resources {
namespace {

constexpr res::StringResource kStrings[] = {
    // Application, document types and the title file.
    {128, "LumoKAL"},
    {129, "\nLumoKA\nLumoKA\nLumoKAL Files (*.lkl)\n.lkl\nLumoKAL.Document\nLumoKAL Document"},
    {130, "\nLumoBM\nLumoBM\n\n.png\nLumoBMP.Document\nLumoBMP Document"},
    {131, "LumoKAL.dat"},

    // Dialogs and messages of the program.
    {178, "Przeszukiwanie - tytuł"},
    {179, "Przeszukiwanie - podtytuł"},
    {203, "W domyślnym katalogu nie istnieje plik z poradami"},
    {204, "Nie można odczytać pliku z poradami dnia"},
    {205, "Przeszukiwanie zostało przerwane"},
    {206, "Nie znaleziono tekstu odpowiadającego zadanym kryteriom przeszukiwania!"},
    {207, "Właściwości"},
    {212, "Fiz. pamięć operacyjna - %lu KB."},
    {213, "Wolne miejsce na dysku %c - %lu KB."},
    {214, "Unavailable"},
    {215, "%s."},
    {216, "Znajdź/Przejdź do"},
    {217, "Informacja"},
    {220, " Naciśnij przycisk F1 aby uzyskać pomoc"},
    {221, "Przed utworzeniem segregator musi zostać nazwany."},
    {222, "Segregator o nazwie '%s' już istnieje. Proszę zmienić nazwę."},
    {223, "Utworzyć segregator '%s'?\n"},
    {225, "Nie można uruchomić wskazanego programu!"},
    {227, "Program wykrył nie zapisane zmiany w segregatorze o nazwie %s.\nPrawdopodobnie zmiany "
          "zostały wprowadzone podczas ostatniej sesji programu, która nie została poprawnie "
          "zamknięta. Czy chcesz zapisać te zmiany?"},
    {228, "Zmiana tej opcji odniesie skutek dopiero przy ponownym uruchomieniu programu."},
    {229, "Program nie może utworzyć nowego arkusza ponieważ ich liczba przekracza dopuszczalną "
          "ilość.\nZamknij jeden lub więcej arkuszy i powtórz operację, lub zwiększ maksymalną "
          "ilość arkuszu w opcjach programu."},

    // The viewer's embedded-window codes.
    {1015, "Niewłaściwa klasa EW:"},
    {1021, "Dostęp niemożliwy"},
    {1022, "Nie można użyć"},
    {1023, "Nie można wyświetlić"},
    {1026, "Nie można nawiązać połączenia zwrotnego."},

    // Full-text codes.
    {2001, "Poszukiwanie bez powodzenia."},
    {2003, "Poszukiwanie bez powodzenia z powodu niedostatku pamięci."},
    {2004, "Poszukiwanie bez powodzenia z powodu niedostatku pamięci."},
    {2005, "Za mało miejsca na dysku dla przeszukania. Skasuj niektóre pliki dla uwolnienia "
           "miejsca i spróbuj ponownie."},
    {2006, "Za długie słowo w zapytaniu. Poszukiwane słowa mogą mieć najwyżej 255 znaków."},
    {2007, "Niewłaściwy typ lub wersja skorowidza, pomijanego słowa, kręgu słów lub pliku "
           "spisowego."},
    {2009, "Zbyt wiele słów na liście pomijanych słów. Lista ta może zawierać najwyżej 1024 "
           "pomijane słowa."},
    {2012, "Zapytanie zbyt długie lub zbyt złożone."},
    {2013, "Nie znaleziono z powodu błędu w odczytaniu dysku."},
    {2015, "Do funkcji przeszukania przekazano niewłaściwą wartość."},
    {2023, "Poszukiwanie bez powodzenia. Nie znaleziono żądanego pliku."},
    {2026, "Poszukiwanie bez powodzenia. Wystąpił błąd w pracy dysku."},
    {2027, "Poszukiwanie bez powodzenia. Nie można utworzyć żądanego pliku."},
    {2028, "Poszukiwanie bez powodzenia z powodu błędu w odczytaniu dysku."},
    {2029, "Poszukiwanie bez powodzenia. Nie można otworzyć żądanego pliku, ponieważ otwartych "
           "jest zbyt wiele plików."},
    {2031, "Poszukiwanie bez powodzenia. Nie można otworzyć żądanego pliku."},

    // Query parser codes.
    {2200, "Zapytanie puste lub nie zawiera znajdywalnych słów. Nie można szukać słów "
           "oznaczonych jako słowa pomijane (np. \"to\", \"tamto\", \"owo\")."},
    {2201, "Zapytanie lub wyrażenie podrzędne w nawiasach zaczyna się lub kończy operatorem."},
    {2203, "W zapytaniu brakuje cudzysłowu."},
    {2204, "W zapytaniu brakuje lewego nawiasu."},
    {2205, "W zapytaniu brakuje prawego nawiasu."},
    {2206, "Zapytanie zbyt złożone. Nie stosuj więcej niż pięciu poziomów nawiasów."},
    {2209, "Zapytanie zawiera nieprawidłwą wartość danych (np. datę lub liczbę spoza zakresu)."},
    {2210, "Operandy operatora DO należą do zbiorów różnych typów."},
    {2211, "Nie wskazano tablicy funkcji rozdziału słów."},
    {2212, "Jako operandu operatora DO użyto wyrażenia podrzędnego. Operator DO dopuszcza jako "
           "operandy jedynie wyrazy proste."},
    {2213, "Zapytanie zawiera słowo stanowiące jedynie zestaw znaków wieloznacznych (* i ?)."},

    // Toolkit strings: toolbars, docking bars, user tools, browse fields, colour wells, splash.
    {20526, "Przed usunięciem musisz najpierw wybrać skrót"},
    {20528, "Czy na pewno chcesz przywrócić domyślne przypisania klawiszy? Spowoduje to usunięcie "
            "wszystkich zmian dokonanych przez Ciebie."},
    {20529, "(Nie przypisany)"},
    {20530, "Ta kombinacja klawiszy jest zarezerwowana i nie może być zmieniona"},
    {20531, "Nowy (Wstaw)"},
    {20532, "Usuń"},
    {20533, "Przesuń w górę (Alt+Up Arrow)"},
    {20534, "Przesuń w dół (Alt+Down Arrow)"},
    {20535, "Przytrzymaj klawisz Ctrl aby oswobodzić okno"},
    {20536, "&Zresetuj"},
    {20537, "&Usuń"},
    {20619, "Pasek menu"},
    {20624, "noclose"},
    {20625, "Select Directory"},
    {20626, "Select File"},
    {20655, "Zamyka okno"},
    {20657, "Rozszerza okno"},
    {20658, "Przywraca pierwotny rozmiar okna"},
    {20661, "SECSplashWnd"},
    {20662, "SECSplashWndParent"},
    {20674, "ToolBar%d"},
    {20677, "Alt + "},
    {20680, "Select Program"},
    {20681, "Programs|*.exe;*.pif;*.com;*.bat|All files (*.*)|*.*||"},
    {20682, "Select Initial Directory"},
    {20683, "(nowe narzędzie)"},
    {20684, "Nazwa, pod jaką narzędzie ma się pojawić w menu, nie może być pusta"},
    {23100, "&Inny..."},

    // Command prompts ("prompt\ntip") and the bars' own commands.
    {32869, "Zapisuje otwarty segregator i dokonane w nim zmiany\nZapisz segregator"},
    {32981, "Dodaje zaznaczony element do listy oczekującej na wydruk\nDodaj do wydruku"},
    {43040, "Przy krawędzi"},
    {43041, "Ukryj"},
    {45141, "Paski narzędzi..."},
    {45142, "&Dostosuj..."},

    // Framework strings.
    {57345, " Naciśnij F1, aby uzyskać pomoc."},
    {61457, "&Hide"},
    {61504, "on %1"},
    {61508, "Strona %u\nStrony %u-%u\n"},
    {61509, "prn"},
    {61510, "Output.prn"},
    {61511, "Printer Files (*.prn)|*.prn|All Files (*.*)|*.*||"},
    {61512, "Print to File"},
    {61513, "to %1"},
    {61702, "Nie można rozpocząć drukowania."},
    {61714, "Proszę wprowadzić liczbę całkowitą z zakresu pomiędzy %1 a %2."},
};

}  // namespace

std::span<const res::StringResource> string_table() { return kStrings; }

void register_strings() { res::add_strings(kStrings); }

}  // namespace resources
