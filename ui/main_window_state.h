// MainWindowState: the window Frm_Ean as data. Every handler reads and writes
// the controls through it; the toolkit binding renders it and observes each
// write. Writing ListIndex or Text raises Click of Cmb_Ean or Change of
// Txt_Ean nested inside the write, as the real controls do.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "colour.h"
#include "controls.h"

namespace velbarino {

/// Position and size in twips, from the top-left corner of the client area.
struct Geometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline constexpr int kTwipsPerInch = 1440;
/// The design's own resolution: 96 dots per inch, 15 twips a pixel.
inline constexpr int kDesignDpi = 96;

/// @brief Pixels of @p twips at @p dpi dots per inch, to the nearest pixel.
constexpr int pixelsOf(int twips, int dpi = kDesignDpi) noexcept {
    return static_cast<int>((static_cast<long long>(twips) * dpi + kTwipsPerInch / 2) / kTwipsPerInch);
}

/// @brief The label whose caption names @p control for a screen reader (the
/// caption above it), or nullopt. A binding ties the two together as its
/// platform does: Qt by a buddy, Win32 by creating the label just before the
/// control. A result box is named by its caption only while that is shown.
constexpr std::optional<ControlId> nameLabelOf(ControlId control) noexcept {
    switch (control) {
        case ControlId::Cmb_Ean: return ControlId::Lab_Desc0;
        case ControlId::Txt_Ean: return ControlId::Lab_Desc1;
        case ControlId::LabRisultato: return ControlId::Lab_Desc2;
        case ControlId::LabEsatto: return ControlId::Lab_Desc3;
        default: return std::nullopt;
    }
}

struct FormControl {
    std::u16string Caption;
    int clientWidth = 0;  // twips
    int clientHeight = 0;
};

struct LabelControl {
    std::u16string Caption;
    bool Visible = true;
    /// Unset: the label takes the window's background.
    std::optional<ColourValue> BackColor;
    bool fixedSingleBorder = false;
    Geometry geometry;
    int tabIndex = 0;
};

struct ComboControl {
    std::vector<std::u16string> items;
    std::int16_t ListIndex = -1;
    std::u16string toolTip;
    Geometry geometry;
    int tabIndex = 0;
};

struct TextControl {
    std::u16string Text;
    /// The last selection the program wrote; the user's own caret moves are the field's affair.
    int SelStart = 0;
    int SelLength = 0;
    std::u16string toolTip;
    Geometry geometry;
    int tabIndex = 0;
};

struct ButtonControl {
    std::u16string Caption;
    Geometry geometry;
    int tabIndex = 0;
};

struct MenuEntry {
    MenuId id;
    std::u16string Caption;  // '&' marks the access key
    std::vector<MenuEntry> items;
};

/// The binding's view of the state: told after every write that changed
/// something, so that it can render that part again.
class StateObserver {
public:
    virtual ~StateObserver() = default;
    /// Caption, visibility or back colour of a label.
    virtual void labelChanged(ControlId label) = 0;
    /// The entries of the action list, and with them its selection.
    virtual void itemsChanged() = 0;
    virtual void listIndexChanged() = 0;
    virtual void textChanged() = 0;
    virtual void selectionChanged() = 0;
};

/// The notifications that property writes raise; the window logic handles them.
class FormEvents {
public:
    virtual ~FormEvents() = default;
    virtual void Cmb_Ean_Click() = 0;
    virtual void Txt_Ean_Change() = 0;
};

class MainWindowState {
public:
    /// The window with every control at its design-time properties.
    MainWindowState();
    MainWindowState(const MainWindowState&) = delete;
    MainWindowState& operator=(const MainWindowState&) = delete;

    void setEvents(FormEvents* events) noexcept { events_ = events; }
    void setObserver(StateObserver* observer) noexcept { observer_ = observer; }

    const FormControl& form() const noexcept { return form_; }
    const ComboControl& Cmb_Ean() const noexcept { return cmbEan_; }
    const TextControl& Txt_Ean() const noexcept { return txtEan_; }
    const ButtonControl& Cmd_Calcola() const noexcept { return cmdCalcola_; }
    const LabelControl& Lab_Desc(int index) const { return labDesc_.at(static_cast<std::size_t>(index)); }
    const LabelControl& LabRisultato() const noexcept { return labRisultato_; }
    const LabelControl& LabEsatto() const noexcept { return labEsatto_; }
    /// The label named @p control; throws for a control that is not a label.
    const LabelControl& label(ControlId control) const;
    /// @brief The label that names @p control to a screen reader now: the
    /// one nameLabelOf gives, while it is shown. The empty box of an exact
    /// code must not borrow its hidden caption "Codice Esatto".
    std::optional<ControlId> spokenLabelOf(ControlId control) const;
    const std::vector<MenuEntry>& menus() const noexcept { return menus_; }
    /// Adds "Scansiona con la fotocamera..." to "File", above "Fine
    /// Programma", once; the binding then builds its menus again.
    void offerScanning();
    /// The controls that take the focus, in tab order (labels never do); the
    /// first one has the focus when the window is first shown.
    std::vector<ControlId> tabStops() const;

    // Label writes; a write to a control that is not a label is ignored.
    void setCaption(ControlId control, std::u16string caption);
    void setVisible(ControlId control, bool visible);
    void setBackColor(ControlId control, ColourValue colour);

    /// Raises Txt_Ean_Change, nested, when @p text differs from the current text.
    void setText(std::u16string text);
    /// Caret at @p start (clamped to the text), nothing selected.
    void setSelStart(int start);
    /// Selects @p length characters from SelStart (clamped to the text).
    void setSelLength(int length);

    /// Raises Cmb_Ean_Click, nested, when @p index differs from the current one.
    /// An index other than -1 or an existing entry is refused.
    void setListIndex(std::int16_t index);
    /// Removes every entry; nothing is selected afterwards and no Click is raised.
    void clearItems();
    void addItem(std::u16string item);

    // Form-level variables.
    std::int16_t LunghezzaCodice = 0;  // characters the field must hold: 12, 13, 7 or 8 after start-up
    bool InCaricamento = false;        // true only while the Load handler runs
    bool IncollaInCorso = false;       // a Ctrl+V was pressed; the next change checks the paste

private:
    /// The label named @p control in @p self, const or not; nullptr for any other control.
    template <typename Self>
    static auto* labelIn(Self& self, ControlId control) noexcept;
    /// Writes one property of a label, and tells the observer when it changed.
    template <typename Value, typename Member>
    void writeLabel(ControlId control, Member LabelControl::*property, Value value);
    void notify(void (StateObserver::*change)());

    FormControl form_;
    ComboControl cmbEan_;
    TextControl txtEan_;
    ButtonControl cmdCalcola_;
    std::array<LabelControl, 4> labDesc_;
    LabelControl labRisultato_;
    LabelControl labEsatto_;
    std::vector<MenuEntry> menus_;

    FormEvents* events_ = nullptr;
    StateObserver* observer_ = nullptr;
};

}  // namespace velbarino
