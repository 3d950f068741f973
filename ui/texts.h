// Every text of the window: captions, list entries, messages and titles, and
// the number-to-text rule that builds them. Besides these, the user sees the
// program's title, comments and copyright as CMake writes them into the
// version information (CMakeLists.txt), the toolkits' own texts (Qt's Italian
// catalogue, Windows' buttons), and tools/run.sh's message on a terminal.
#pragma once

#include <string>
#include <string_view>

namespace velbarino::texts {

inline constexpr std::u16string_view kTitle = u"Velbarino";

// Design-time captions and tooltips.
inline constexpr std::u16string_view kAzione = u"Azione";
inline constexpr std::u16string_view kCodice = u"Codice";
inline constexpr std::u16string_view kButton = u"...";
inline constexpr std::u16string_view kListToolTip = u"Selezionare il tipo di azione";
inline constexpr std::u16string_view kFieldToolTip = u"Inserire il codice EAN";

// The action list, in ActionIndex order.
inline constexpr std::u16string_view kEan13Compute = u"EAN-13: calcolo checksum";
inline constexpr std::u16string_view kEan13Verify = u"EAN-13: verifica di validita";
inline constexpr std::u16string_view kEan8Compute = u"EAN-8: calcolo checksum";
inline constexpr std::u16string_view kEan8Verify = u"EAN-8: verifica di validita";

// Captions of the result area.
inline constexpr std::u16string_view kChecksum = u"Checksum";
inline constexpr std::u16string_view kCodiceCompleto = u"Codice Completo";
inline constexpr std::u16string_view kRisultato = u"Risultato";
inline constexpr std::u16string_view kCodiceEsatto = u"Codice Esatto";

// Verdicts.
inline constexpr std::u16string_view kEsatto = u"codice esatto";
inline constexpr std::u16string_view kErrato = u"codice errato";

// Messages.
inline constexpr std::u16string_view kChecksumError = u"Errore occorso durante il calcolo del checksum.";
inline constexpr std::u16string_view kInvalidPaste = u"Codice non valido. Inserire solamente valori numerici.";

// Menus; '&' marks the access key.
inline constexpr std::u16string_view kMenuFile = u"&File";
inline constexpr std::u16string_view kMenuFine = u"Fine Programma";
inline constexpr std::u16string_view kMenuAbout0 = u"&?";
inline constexpr std::u16string_view kMenuAbout = u"Informazioni su...";
inline constexpr std::u16string_view kAboutTitle = u"Informazioni su...";

// The "..." button says nothing to a screen reader; this is its spoken name.
inline constexpr std::u16string_view kButtonName = u"Calcola";

// On the terminal, when the program is started where there is no display.
inline constexpr char kNoDisplay[] =
    "Velbarino: nessuno schermo disponibile (DISPLAY non impostato).\n"
    "Velbarino needs a graphical display: start it from a desktop session, or set DISPLAY.\n";

// The menu of the complete-code box: copies the code to the clipboard.
inline constexpr std::u16string_view kCopia = u"Copia";
inline constexpr std::u16string_view kCopyFailed = u"Impossibile copiare il codice negli appunti.";
// When the system refuses to create the window (Windows, out of resources).
inline constexpr std::u16string_view kWindowFailed = u"Impossibile creare la finestra di Velbarino.";

// In a browser page, in place of the window once the program has ended: a
// page cannot end itself, and may not close a tab it did not open.
inline constexpr std::u16string_view kOk = u"OK";  // a message box's one button, where the platform has none
// The camera as a scanner, where the platform has one that reads barcodes.
inline constexpr std::u16string_view kMenuScan = u"Scansiona con la fotocamera...";
inline constexpr std::u16string_view kScanHint = u"Inquadra il codice a barre";
inline constexpr std::u16string_view kScanCancel = u"Annulla";
inline constexpr std::u16string_view kCameraFailed = u"Impossibile usare la fotocamera.";
inline constexpr std::u16string_view kReaderFailed = u"Impossibile avviare il lettore di codici a barre.";
inline constexpr std::u16string_view kTorch = u"Torcia";
inline constexpr std::u16string_view kNextCamera = u"Cambia fotocamera";
inline constexpr std::u16string_view kWebEnded = u"Velbarino è terminato. Ricaricare la pagina per riaprirlo.";

/// Numbers as the user sees them: decimal, no leading blank, no sign for 0 and up.
inline std::u16string decimal(long long value) {
    const std::string narrow = std::to_string(value);
    return {narrow.begin(), narrow.end()};
}

/// "Codice (12 caratteri)": the caption above the field.
inline std::u16string lengthCaption(int length) { return u"Codice (" + decimal(length) + u" caratteri)"; }

/// "Inserire un codice di 12 caratteri.": Enter on a field of the wrong length.
inline std::u16string wrongLength(int length) { return u"Inserire un codice di " + decimal(length) + u" caratteri."; }

/// First line of the about box: 1.2.3 reads "1.23", minor and revision run together.
inline std::u16string versionLine(std::u16string_view title, int major, int minor, int revision) {
    return std::u16string(title) + u" - Versione " + decimal(major) + u"." + decimal(minor) + decimal(revision);
}

}  // namespace velbarino::texts
