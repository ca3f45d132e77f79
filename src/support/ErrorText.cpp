#include "ErrorText.h"

#include <iterator>

namespace {

struct Translation {
    const char *english;
    const char *italian;
};

// The errors a shop's staff meet: files and folders (the C library's texts,
// which QFile passes on) and the preview server's sockets (Qt's texts).
const Translation kTexts[] = {
    {"No such file or directory", "file o cartella inesistente"},
    {"Permission denied", "permesso negato"},
    {"Operation not permitted", "operazione non permessa"},
    {"No space left on device", "spazio esaurito sul disco"},
    {"Disk quota exceeded", "quota del disco superata"},
    {"Read-only file system", "disco in sola lettura"},
    {"Is a directory", "è una cartella, non un file"},
    {"Not a directory", "non è una cartella"},
    {"File exists", "il file esiste già"},
    {"Directory not empty", "la cartella non è vuota"},
    {"Too many open files", "troppi file aperti"},
    {"File name too long", "nome del file troppo lungo"},
    {"Input/output error", "errore di lettura o scrittura sul disco"},
    {"Device or resource busy", "risorsa occupata"},
    {"Invalid argument", "argomento non valido"},
    {"Unknown error", "errore sconosciuto"},
    {"The bound address is already in use", "la porta è già usata da un altro programma"},
    {"Address already in use", "la porta è già usata da un altro programma"},
    {"The address is protected", "la porta è riservata al sistema"},
    {"The address is not available", "indirizzo non disponibile"},
    {"Connection refused", "connessione rifiutata"},
    {"Host not found", "server non trovato"},
    {"Network operation timed out", "tempo di attesa della rete scaduto"},
    {"Socket operation timed out", "tempo di attesa della rete scaduto"},
    {"The remote host closed the connection", "il server ha chiuso la connessione"},
    {"Remote host closed", "il server ha chiuso la connessione"},
    {"Network unreachable", "rete non raggiungibile"},
    {"Network is unreachable", "rete non raggiungibile"},
    {"Connection reset by peer", "connessione interrotta dal server"},
};

} // namespace

QString ErrorText::italian(const QString &systemText)
{
    const QString text = systemText.trimmed();
    for (const Translation &t : kTexts) {
        if (text.compare(QLatin1String(t.english), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(t.italian);
    }
    return systemText;
}
