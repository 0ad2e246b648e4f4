#pragma once

#include <QAbstractButton>

#include <functional>
#include <type_traits>
#include <utility>

// Every user action runs under one guard. A failure that the action does not catch itself ends the
// action and is shown in the toolkit's error box with its own text; the program goes on in the
// same window. No exception ever leaves the program's code for Qt's own frames, which are built
// without the tables that would run their destructors on the way.

// Runs the action under the guard.
void EseguiAzione(const std::function<void()>& azione) noexcept;

// The same for an event filter: what the filter answers, or true (the event taken) when it failed.
bool EseguiFiltro(const std::function<bool()>& filtro) noexcept;

// The toolkit's error box for a failure that its action did not catch, with the failure's text.
// The application object shows it too, for what reaches it all the same.
void MostraErroreImprevisto(const char* testo) noexcept;

// What connect() is given for a user action: the functor, or the handler of an object, run under
// the guard. It receives the signal's arguments when it takes them.
template <class Funzione> auto SottoGuardia(Funzione funzione) {
    return [funzione = std::move(funzione)](auto&&... argomenti) mutable -> void {
        EseguiAzione([&] {
            if constexpr (std::is_invocable_v<Funzione&, decltype(argomenti)...>)
                std::invoke(funzione, std::forward<decltype(argomenti)>(argomenti)...);
            else
                std::invoke(funzione);
        });
    };
}

template <class Oggetto, class Classe>
auto SottoGuardia(Oggetto* oggetto, void (Classe::*gestore)()) {
    return SottoGuardia([oggetto, gestore] { (oggetto->*gestore)(); });
}

// Connects a command (a button or a picture) to its handler: a click, from the mouse, the keyboard
// or assistive technology, runs it under the guard.
template <class Oggetto, class Classe>
void CollegaComando(QAbstractButton* comando, Oggetto* oggetto, void (Classe::*gestore)()) {
    QObject::connect(comando, &QAbstractButton::clicked, oggetto, SottoGuardia(oggetto, gestore));
}
