#include "scenarios.h"


namespace velbarino::scenarios {
namespace {

// The expected texts are written out, not taken from the program's own text
// table, so that a changed text fails here.
constexpr char16_t kNotNumeric[] = u"Codice non valido. Inserire solamente valori numerici.";
const Names kStartNames{u"Azione", u"Codice (12 caratteri)", u"Calcola"};
const ResultArea kComputed{u"Checksum", u"1", u"Codice Completo", u"4006381333931"};
const ResultArea kWrong{u"Risultato", u"codice errato", u"Codice Esatto", u"4006381333931"};
// An exact code: the code's box stays, empty, without its caption.
const ResultArea kExact{u"Risultato", u"codice esatto", std::nullopt, u""};

Box warning(std::u16string text, std::u16string behind) {
    return {std::move(text), u"Velbarino", Icon::Warning, std::move(behind)};
}

std::vector<Scenario> table() {
    return {
        {"startUpShowsTheFirstActionAndNamesEveryControl", {},
         {.field = u"", .lengthCaption = u"Codice (12 caratteri)", .results = kResultHidden, .focus = ControlId::Cmb_Ean,
          .names = kStartNames, .heard = std::vector<std::u16string>{},
          .chrome = Chrome{u"Velbarino",
                           {u"EAN-13: calcolo checksum", u"EAN-13: verifica di validita", u"EAN-8: calcolo checksum",
                            u"EAN-8: verifica di validita"},
                           u"Azione", u"...", u"Selezionare il tipo di azione", u"Inserire il codice EAN",
                           {{u"&File", {u"Fine Programma"}}, {u"&?", {u"Informazioni su..."}}}}}},
        {"typedKeysPassTheFilterAndEachRefusedKeyRings",
         {type(u"4a0 0-6.+x"), type(u"381333931"), type(u"\x1a\x18\x03")},  // then Ctrl+Z, Ctrl+X, Ctrl+C
         {.field = u"400638133393", .focus = ControlId::Txt_Ean, .bells = 10}},
        {"enterComputesAndSaysTheResult", {type(u"400638133393\r")},
         {.field = u"400638133393", .results = kComputed, .focus = ControlId::Txt_Ean,
          .heard = std::vector<std::u16string>{u"Checksum 1, Codice Completo 4006381333931"}}},
        {"anEditHidesTheResultAndTheButtonDoesWhatEnterDoes",
         {type(u"400638133393\r\b"), type(u"2"), act(Act::Button)},
         {.field = u"400638133392", .results = ResultArea{u"Checksum", u"4", u"Codice Completo", u"4006381333924"}}},
        {"enterOnAShortCodeAsksForTheLength", {type(u"123\r")},
         {.field = u"123", .results = kResultHidden,
          .boxes = {warning(u"Inserire un codice di 12 caratteri.", u"123")}}},
        {"ctrlVIsCutToTheLength", {ctrlV(u"40063813339312")}, {.field = u"400638133393", .bells = 0}},
        {"ctrlVOfALetterShowsTheCutTextBehindOneBoxThenEmpties", {ctrlV(u"4006381333a9123")},
         {.field = u"", .boxes = {warning(kNotNumeric, u"4006381333a9")}}},
        {"menuPasteIsNotScannedAndDoubleClickSelectsAll", {menuPaste(u"4006 381"), act(Act::DoubleClickField)},
         {.field = u"4006 381", .selection = Selection{0, 8}}},
        {"anUnreadableCodeGivesTheChecksumError", {menuPaste(u"4006 3813339"), type(u"\r")},
         {.field = u"4006 3813339", .results = kResultHidden,
          .boxes = {{u"Errore occorso durante il calcolo del checksum.", u"Velbarino", Icon::Error, u"4006 3813339"}}}},
        {"aPickMovesToTheFieldAndIsSaid", {type(u"1"), pick(1)},
         {.field = u"", .lengthCaption = u"Codice (13 caratteri)", .focus = ControlId::Txt_Ean,
          .names = Names{u"Azione", u"Codice (13 caratteri)", u"Calcola"},
          .heard = std::vector<std::u16string>{u"EAN-13: verifica di validita, Codice (13 caratteri)"}}},
        {"aWrongCodeIsCorrectedAndTheCorrectionReused",
         {pick(1), type(u"4006381333932\r"), act(Act::DoubleClickCode)},
         {.field = u"4006381333931", .selection = Selection{13, 0}, .results = kResultHidden,
          .heard = std::vector<std::u16string>{u"EAN-13: verifica di validita, Codice (13 caratteri)",
                                               u"Risultato codice errato, Codice Esatto 4006381333931"}}},
        {"anExactCodeLeavesNothingToCopy", {pick(1), type(u"4006381333931\r"), act(Act::Copia)},
         {.results = kExact,
          .heard = std::vector<std::u16string>{u"EAN-13: verifica di validita, Codice (13 caratteri)",
                                               u"Risultato codice esatto"},
          .clipboard = u"before"}},
        {"computeAfterAVerifyHidesItsResultAndRelabels", {pick(1), type(u"4006381333932\r"), pick(2), type(u"4006381\r")},
         {.results = ResultArea{u"Checksum", u"2", u"Codice Completo", u"40063812"}}},
        {"aRePickOfTheSameEntryStillClears", {pick(3), type(u"96385075\r"), pick(3)},
         {.field = u"", .lengthCaption = u"Codice (8 caratteri)", .results = kResultHidden, .focus = ControlId::Txt_Ean}},
        {"copiaCopiesTheCompleteCodeAndChangesNothing", {type(u"400638133393\r"), act(Act::Copia)},
         {.field = u"400638133393", .results = kComputed, .clipboard = u"4006381333931"}},
        {"theAboutBoxShowsTheVersionInformation", {menu(MenuId::MenuAbout)},
         {.boxes = {{u"Velbarino - Versione 1.00\r\rVerifica dei codici a barre in formato EAN-8 ed EAN-13\r"
                     u"Copyright \u00A9 2026 Velbarino contributors\r",
                     u"Informazioni su...", Icon::Information, u""}}}},
        {"fineProgrammaEndsTheProgram", {type(u"400638133393\r"), menu(MenuId::MenuFine)}, {.endRequests = 1}},
        {"theCloseRequestEndsTheProgramWithoutQuestion", {type(u"400638133393\r"), act(Act::CloseRequest)},
         {.results = kComputed, .endRequests = 1}},
    };
}

std::string utf8(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        if (c == u'\r') {
            out += "\\r";
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string show(const std::u16string& text) { return '"' + utf8(text) + '"'; }
std::string show(const std::optional<std::u16string>& text) { return text ? show(*text) : "hidden"; }
std::string show(const std::vector<std::u16string>& texts) {
    std::string out = "[";
    for (const auto& text : texts) {
        if (out.size() > 1) out += ", ";
        out += show(text);
    }
    return out + "]";
}
std::string show(const Box& box) {
    return show(box.text).append(", ").append(show(box.title)).append(", icon ").append(
        std::to_string(static_cast<int>(box.icon))).append(", field behind ").append(show(box.fieldBehind));
}
std::string show(const Selection& s) { return std::to_string(s.start) + "+" + std::to_string(s.length); }
std::string show(const std::optional<ControlId>& id) { return id ? std::to_string(static_cast<int>(*id)) : "none"; }
std::string show(const ResultArea& r) {
    return show(r.Lab_Desc2).append(" ").append(show(r.LabRisultato)).append(" ").append(show(r.Lab_Desc3)).append(" ").append(
        show(r.LabEsatto));
}
std::string show(const std::vector<Box>& boxes) {
    std::string out;
    for (const Box& box : boxes) out.append("{").append(show(box)).append("}");
    return out.empty() ? "none" : out;
}
std::string show(int number) { return std::to_string(number); }
std::string show(const Chrome& c) {
    std::string out = show(c.title);
    for (const auto& text : {show(c.entries), show(c.listCaption), show(c.buttonCaption), show(c.listToolTip),
                             show(c.fieldToolTip)}) {
        out.append(" ").append(text);
    }
    for (const MenuSeen& m : c.menus) out.append(" ").append(show(m.caption)).append(show(m.items));
    return out;
}

}  // namespace

const std::vector<Scenario>& all() {
    static const std::vector<Scenario> rows = table();
    return rows;
}

Outcome run(const Scenario& scenario, Driver& driver) {
    for (const Step& step : scenario.steps) driver.perform(step);
    Outcome outcome;
    std::vector<std::string>& differences = outcome.differences;
    const Expect& e = scenario.expect;
    const auto check = [&](const char* what, const auto& expected, const auto& read) {
        if (const auto reason = driver.cannotShow(what)) {
            outcome.notChecked.push_back(std::string(what) + ": " + *reason);
            return;
        }
        const auto seen = read();
        if (!(seen == expected)) differences.push_back(std::string(what) + ": " + show(seen) + ", expected " + show(expected));
    };
    if (e.field) check("field", *e.field, [&] { return driver.fieldText(); });
    if (e.selection) check("selection", *e.selection, [&] { return driver.fieldSelection(); });
    if (e.lengthCaption) check("length caption", *e.lengthCaption, [&] { return *driver.label(ControlId::Lab_Desc1); });
    if (e.results) {
        check("result area", *e.results, [&] {
            return ResultArea{driver.label(ControlId::Lab_Desc2), driver.label(ControlId::LabRisultato),
                              driver.label(ControlId::Lab_Desc3), driver.label(ControlId::LabEsatto)};
        });
    }
    if (e.focus) check("focus", e.focus, [&] { return driver.focus(); });
    if (e.names) {
        check("the list's accessible name", e.names->list, [&] { return driver.names().list; });
        check("the field's accessible name", e.names->field, [&] { return driver.names().field; });
        check("the button's accessible name", e.names->button, [&] { return driver.names().button; });
    }
    if (e.heard) check("heard", *e.heard, [&] { return driver.heard(); });
    check("message boxes", e.boxes, [&] { return driver.boxes(); });
    if (e.bells) check("bells", *e.bells, [&] { return driver.bells(); });
    if (e.clipboard) check("clipboard", *e.clipboard, [&] { return driver.clipboard(); });
    check("requests to end", e.endRequests, [&] { return driver.endRequests(); });
    if (e.chrome) check("captions, entries, tooltips and menus", *e.chrome, [&] { return driver.chrome(); });
    return outcome;
}

}  // namespace velbarino::scenarios
