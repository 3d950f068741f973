#include "main_window_state.h"

#include <algorithm>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "texts.h"

namespace velbarino {

std::optional<ControlId> MainWindowState::spokenLabelOf(ControlId control) const {
    const std::optional<ControlId> caption = nameLabelOf(control);
    if (!caption || !label(*caption).Visible) return std::nullopt;
    return caption;
}
namespace {

LabelControl plainLabel(std::u16string caption, Geometry geometry, int tabIndex) {
    return LabelControl{std::move(caption), true, std::nullopt, false, geometry, tabIndex};
}

LabelControl resultBox(Geometry geometry, int tabIndex) {
    return LabelControl{u"", true, kWhite, true, geometry, tabIndex};
}

}  // namespace

MainWindowState::MainWindowState()
    : form_{std::u16string(texts::kTitle), 3030, 2955},
      cmbEan_{{}, -1, std::u16string(texts::kListToolTip), {240, 480, 2535, 315}, 0},
      txtEan_{u"", 0, 0, std::u16string(texts::kFieldToolTip), {240, 1320, 1935, 285}, 1},
      cmdCalcola_{std::u16string(texts::kButton), {2280, 1320, 495, 285}, 8},
      labDesc_{plainLabel(std::u16string(texts::kAzione), {240, 240, 2535, 255}, 4),
               plainLabel(std::u16string(texts::kCodice), {240, 1080, 2535, 255}, 5),
               plainLabel(std::u16string(texts::kRisultato), {240, 1920, 1095, 255}, 6),
               plainLabel(std::u16string(texts::kCodiceEsatto), {1440, 1920, 1335, 255}, 7)},
      labRisultato_{resultBox({240, 2160, 1215, 285}, 2)},
      labEsatto_{resultBox({1440, 2160, 1335, 285}, 3)},
      menus_{{MenuId::MenuFile, std::u16string(texts::kMenuFile), {{MenuId::MenuFine, std::u16string(texts::kMenuFine), {}}}},
             {MenuId::MenuAbout0, std::u16string(texts::kMenuAbout0), {{MenuId::MenuAbout, std::u16string(texts::kMenuAbout), {}}}}} {}

void MainWindowState::offerScanning() {
    std::vector<MenuEntry>& file = menus_.front().items;
    if (file.front().id != MenuId::MenuScan) file.insert(file.begin(), {MenuId::MenuScan, std::u16string(texts::kMenuScan), {}});
}

std::vector<ControlId> MainWindowState::tabStops() const {
    std::vector<std::pair<int, ControlId>> stops = {{cmbEan_.tabIndex, ControlId::Cmb_Ean},
                                                    {txtEan_.tabIndex, ControlId::Txt_Ean},
                                                    {cmdCalcola_.tabIndex, ControlId::Cmd_Calcola}};
    std::sort(stops.begin(), stops.end());
    std::vector<ControlId> order;
    for (const auto& stop : stops) order.push_back(stop.second);
    return order;
}

template <typename Self>
auto* MainWindowState::labelIn(Self& self, ControlId control) noexcept {
    using Label = std::conditional_t<std::is_const_v<Self>, const LabelControl, LabelControl>;
    switch (control) {
        case ControlId::Lab_Desc0: return static_cast<Label*>(&self.labDesc_[0]);
        case ControlId::Lab_Desc1: return static_cast<Label*>(&self.labDesc_[1]);
        case ControlId::Lab_Desc2: return static_cast<Label*>(&self.labDesc_[2]);
        case ControlId::Lab_Desc3: return static_cast<Label*>(&self.labDesc_[3]);
        case ControlId::LabRisultato: return static_cast<Label*>(&self.labRisultato_);
        case ControlId::LabEsatto: return static_cast<Label*>(&self.labEsatto_);
        default: return static_cast<Label*>(nullptr);
    }
}

const LabelControl& MainWindowState::label(ControlId control) const {
    const LabelControl* found = labelIn(*this, control);
    if (found == nullptr) throw std::invalid_argument("not a label");
    return *found;
}

void MainWindowState::notify(void (StateObserver::*change)()) {
    if (observer_ != nullptr) (observer_->*change)();
}

template <typename Value, typename Member>
void MainWindowState::writeLabel(ControlId control, Member LabelControl::*property, Value value) {
    LabelControl* target = labelIn(*this, control);
    if (target == nullptr || target->*property == value) return;
    target->*property = std::move(value);
    if (observer_ != nullptr) observer_->labelChanged(control);
}

void MainWindowState::setCaption(ControlId control, std::u16string caption) {
    writeLabel(control, &LabelControl::Caption, std::move(caption));
}

void MainWindowState::setVisible(ControlId control, bool visible) { writeLabel(control, &LabelControl::Visible, visible); }

void MainWindowState::setBackColor(ControlId control, ColourValue colour) {
    writeLabel(control, &LabelControl::BackColor, colour);
}

void MainWindowState::setText(std::u16string text) {
    if (txtEan_.Text == text) return;  // the same text raises nothing: the Change handler relies on it
    txtEan_.Text = std::move(text);
    notify(&StateObserver::textChanged);
    if (events_ != nullptr) events_->Txt_Ean_Change();
}

// Selection writes always reach the field: the user may have moved the caret
// since the last one, so an equal value is no reason to skip it.
void MainWindowState::setSelStart(int start) {
    const int length = static_cast<int>(txtEan_.Text.size());
    txtEan_.SelStart = std::clamp(start, 0, length);
    txtEan_.SelLength = 0;
    notify(&StateObserver::selectionChanged);
}

void MainWindowState::setSelLength(int length) {
    const int available = static_cast<int>(txtEan_.Text.size()) - std::min(txtEan_.SelStart, static_cast<int>(txtEan_.Text.size()));
    txtEan_.SelLength = std::clamp(length, 0, available);
    notify(&StateObserver::selectionChanged);
}

void MainWindowState::setListIndex(std::int16_t index) {
    if (index < -1 || index >= static_cast<int>(cmbEan_.items.size())) return;
    if (cmbEan_.ListIndex == index) return;
    cmbEan_.ListIndex = index;
    notify(&StateObserver::listIndexChanged);
    if (events_ != nullptr) events_->Cmb_Ean_Click();
}

void MainWindowState::clearItems() {
    cmbEan_.items.clear();
    cmbEan_.ListIndex = -1;
    notify(&StateObserver::itemsChanged);
}

void MainWindowState::addItem(std::u16string item) {
    cmbEan_.items.push_back(std::move(item));
    notify(&StateObserver::itemsChanged);
}

}  // namespace velbarino
