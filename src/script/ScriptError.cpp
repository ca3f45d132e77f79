#include "ScriptError.h"

#include <QHash>

namespace vbs {

ScriptError::ScriptError(int number, QString description, QString source)
    : number(number), description(std::move(description)), source(std::move(source))
{
}

QString ScriptError::text() const
{
    if (!description.isEmpty())
        return description;
    const QString d = describe(number);
    if (!d.isEmpty())
        return d;
    return QStringLiteral("Errore %1").arg(number);
}

QString ScriptError::sourceText() const
{
    if (!source.isEmpty())
        return source;
    return compile ? QStringLiteral("Errore di compilazione di VBScript")
                   : QStringLiteral("Errore di run-time di VBScript");
}

QString ScriptError::hexCode() const
{
    uint32_t code = uint32_t(number);
    if (number > 0 && number < 65536)
        code = 0x800A0000u + uint32_t(number);
    return QString::number(code, 16).rightJustified(8, QLatin1Char('0'));
}

const char *ScriptError::what() const noexcept
{
    m_what = QStringLiteral("%1 %2").arg(number).arg(text()).toUtf8();
    return m_what.constData();
}

QString ScriptError::describe(int number)
{
    static const QHash<int, const char *> table = {
        {3, "Return senza GoSub"},
        {5, "Chiamata di routine o argomento non validi"},
        {6, "Overflow"},
        {7, "Memoria esaurita"},
        {9, "Indice non incluso nell'intervallo"},
        {10, "Matrice fissa o temporaneamente bloccata"},
        {11, "Divisione per zero"},
        {13, "Tipo non corrispondente"},
        {14, "Spazio stringa esaurito"},
        {17, "Impossibile eseguire l'operazione richiesta"},
        {28, "Spazio dello stack esaurito"},
        {35, "Sub o Function non definita"},
        {48, "Errore durante il caricamento della DLL"},
        {51, "Errore interno"},
        {52, "Nome o numero di file non valido"},
        {53, "File non trovato"},
        {54, "Modalità file non valida"},
        {55, "File già aperto"},
        {57, "Errore di I/O della periferica"},
        {58, "File già esistente"},
        {61, "Disco pieno"},
        {62, "Input oltre la fine del file"},
        {67, "Troppi file"},
        {68, "Periferica non disponibile"},
        {70, "Autorizzazione negata"},
        {71, "Disco non pronto"},
        {74, "Impossibile rinominare con un'unità differente"},
        {75, "Errore di accesso al percorso/file"},
        {76, "Impossibile trovare il percorso"},
        {91, "Variabile oggetto o variabile del blocco With non impostata"},
        {92, "Ciclo For non inizializzato"},
        {94, "Utilizzo non valido di Null"},
        {322, "Impossibile creare il file temporaneo necessario"},
        {424, "Necessario oggetto"},
        {429, "Il componente ActiveX non può creare l'oggetto"},
        {430, "La classe non supporta l'automazione"},
        {432, "Nome di file o di classe non trovato durante l'operazione di automazione"},
        {438, "Proprietà o metodo non supportati dall'oggetto"},
        {440, "Errore di automazione"},
        {445, "Azione non supportata dall'oggetto"},
        {446, "Argomenti predefiniti non supportati dall'oggetto"},
        {447, "Impostazione internazionale corrente non supportata dall'oggetto"},
        {448, "Argomento predefinito non trovato"},
        {449, "Argomento non facoltativo"},
        {450, "Numero di argomenti errato o assegnazione di proprietà non valida"},
        {451, "L'oggetto non è un insieme"},
        {453, "Impossibile trovare la funzione DLL specificata"},
        {455, "Errore di blocco della risorsa codice"},
        {457, "Chiave già associata a un elemento dell'insieme"},
        {458, "La variabile utilizza un tipo di automazione non supportato in VBScript"},
        {462, "Il computer server remoto non esiste o non è disponibile"},
        {481, "Immagine non valida"},
        {500, "Variabile non definita"},
        {501, "Assegnazione non valida"},
        {502, "Oggetto non sicuro per lo scripting"},
        {503, "Oggetto non sicuro per l'inizializzazione"},
        {504, "Oggetto non sicuro per la creazione"},
        {505, "Riferimento non valido o non qualificato"},
        {506, "Classe non definita"},
        {507, "Si è verificata un'eccezione"},
        {5008, "Assegnazione non valida"},
        {5016, "Previsto oggetto espressione regolare"},
        {5017, "Errore di sintassi nell'espressione regolare"},
        {5018, "Quantificatore imprevisto"},
        {5019, "Previsto ']' nell'espressione regolare"},
        {5020, "Previsto ')' nell'espressione regolare"},
        {5021, "Intervallo non valido nel set di caratteri"},
        {32811, "Elemento non trovato"},
        {ErrTimeout, "Tempo massimo di esecuzione dello script superato"},
        {1001, "Memoria esaurita"},
        {1002, "Errore di sintassi"},
        {1003, "Previsto ':'"},
        {1005, "Previsto '('"},
        {1006, "Previsto ')'"},
        {1007, "Previsto ']'"},
        {1010, "Previsto identificatore"},
        {1011, "Previsto '='"},
        {1012, "Previsto 'If'"},
        {1013, "Previsto 'To'"},
        {1014, "Previsto 'End'"},
        {1015, "Previsto 'Function'"},
        {1016, "Previsto 'Sub'"},
        {1017, "Previsto 'Then'"},
        {1018, "Previsto 'Wend'"},
        {1019, "Previsto 'Loop'"},
        {1020, "Previsto 'Next'"},
        {1021, "Previsto 'Case'"},
        {1022, "Previsto 'Select'"},
        {1023, "Prevista espressione"},
        {1024, "Prevista istruzione"},
        {1025, "Prevista fine istruzione"},
        {1026, "Prevista costante integer"},
        {1027, "Previsto 'While' o 'Until'"},
        {1028, "Previsto 'While', 'Until' o fine istruzione"},
        {1029, "Previsto 'With'"},
        {1030, "Identificatore troppo lungo"},
        {1031, "Numero non valido"},
        {1032, "Carattere non valido"},
        {1033, "Costante stringa non terminata"},
        {1034, "Commento non terminato"},
        {1037, "Utilizzo non valido della parola chiave 'Me'"},
        {1038, "'loop' senza 'do'"},
        {1039, "Istruzione 'exit' non valida"},
        {1040, "Variabile di controllo ciclo 'for' non valida"},
        {1041, "Nome ridefinito"},
        {1042, "Deve essere la prima istruzione della riga"},
        {1043, "Impossibile assegnare a un argomento non ByVal"},
        {1044, "Impossibile utilizzare parentesi per chiamare una Sub"},
        {1045, "Prevista costante letterale"},
        {1046, "Previsto 'In'"},
        {1047, "Previsto 'Class'"},
        {1048, "Deve essere definito all'interno di una classe"},
        {1049, "Previsto Let o Set o Get nella dichiarazione di proprietà"},
        {1050, "Previsto 'Property'"},
        {1051, "Il numero di argomenti deve essere coerente nella specifica delle proprietà"},
        {1052, "Impossibile avere più membri predefiniti in una classe"},
        {1053, "Class_Initialize o Class_Terminate non possono avere argomenti"},
        {1054, "Property Set o Let devono avere almeno un argomento"},
        {1055, "'Next' imprevisto"},
        {1057, "'Default' deve essere specificato anche con 'Property', 'Function' o 'Sub'"},
        {1058, "La specifica 'Default' può essere utilizzata solo in Property Get"},
    };
    const auto it = table.constFind(number);
    return it == table.constEnd() ? QString() : QString::fromUtf8(*it);
}

void raise(int number)
{
    throw ScriptError(number);
}

void raise(int number, const QString &description)
{
    throw ScriptError(number, description);
}

} // namespace vbs
