#include "sheet/drill_sheet.h"

#include <algorithm>
#include <stdexcept>

namespace vantoriku {
namespace {

template <typename Range> std::size_t indexIn(const Range& range, Cell cell) {
    const auto found = std::ranges::find(range, cell);
    if (found == std::ranges::end(range)) {
        throw std::out_of_range("not a cell of this kind");
    }
    return static_cast<std::size_t>(found - std::ranges::begin(range));
}

std::size_t oneBased(int index, int count) {
    if (index < 1 || index > count) {
        throw std::out_of_range("index out of range");
    }
    return static_cast<std::size_t>(index - 1);
}

std::size_t buttonIndex(Button button) {
    return static_cast<std::size_t>(button);
}

} // namespace

const EraCells& eraCells(int era) {
    return kEraCells[oneBased(era, kEraCount)];
}

std::optional<int> eraOfCell(Cell cell) {
    const auto found = std::ranges::find_if(
        kEraCells, [cell](const EraCells& e) { return e.score == cell || e.percentage == cell; });
    if (found == kEraCells.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - kEraCells.begin()) + 1;
}

bool isPercentageCell(Cell cell) {
    return std::ranges::find(kPercentageCells, cell) != kPercentageCells.end();
}

int Member::checked(std::initializer_list<Kind> kinds) const {
    if (std::ranges::find(kinds, kind_) == kinds.end()) {
        throw std::logic_error("this member is of another kind");
    }
    return index_;
}

int Member::row() const {
    return checked({Kind::QuestionCaption, Kind::Answer, Kind::AnswerVisible});
}

Cell Member::cell() const {
    return static_cast<Cell>(checked({Kind::Caption, Kind::Foreground}));
}

Button Member::button() const {
    return static_cast<Button>(checked({Kind::ButtonEnabled, Kind::ButtonVisible}));
}

int Member::era() const {
    return checked({Kind::EraChecked});
}

DrillSheet::DrillSheet() {
    answerVisible_.fill(true);
    captions_[cellIndex(Cell::Prompt)] = kPrompt;
    buttons_[buttonIndex(Button::Score)] = {.enabled = true, .visible = true};
    buttons_[buttonIndex(Button::Evaluate)] = {.enabled = false, .visible = true};
}

std::size_t DrillSheet::rowIndex(int row) {
    return oneBased(row, kSheetRows);
}
std::size_t DrillSheet::cellIndex(Cell cell) {
    return indexIn(kCells, cell);
}
std::size_t DrillSheet::percentageIndex(Cell cell) {
    return indexIn(kPercentageCells, cell);
}

const std::string& DrillSheet::questionCaption(int row) const {
    return questionCaptions_[rowIndex(row)];
}

void DrillSheet::setQuestionCaption(int row, std::string text) {
    questionCaptions_[rowIndex(row)] = std::move(text);
    notify(Member::ofRow(Member::Kind::QuestionCaption, row));
}

const std::string& DrillSheet::answer(int row) const {
    return answers_[rowIndex(row)];
}

void DrillSheet::setAnswer(int row, std::string text) {
    answers_[rowIndex(row)] = std::move(text);
    notify(Member::ofRow(Member::Kind::Answer, row));
}

bool DrillSheet::answerVisible(int row) const {
    return answerVisible_[rowIndex(row)];
}

void DrillSheet::setAnswerVisible(int row, bool visible) {
    answerVisible_[rowIndex(row)] = visible;
    notify(Member::ofRow(Member::Kind::AnswerVisible, row));
}

const std::string& DrillSheet::caption(Cell cell) const {
    return captions_[cellIndex(cell)];
}

void DrillSheet::setCaption(Cell cell, std::string text) {
    captions_[cellIndex(cell)] = std::move(text);
    notify(Member::ofCell(Member::Kind::Caption, cell));
    if (isPercentageCell(cell)) {
        // Copied so that a handler that reconnects itself cannot pull the
        // function out from under its own call.
        if (const ChangeHandler handler = changeHandlers_[percentageIndex(cell)]) {
            handler();
        }
    }
}

std::optional<Colour> DrillSheet::foreground(Cell cell) const {
    return foregrounds_[percentageIndex(cell)];
}

void DrillSheet::setForeground(Cell cell, Colour colour) {
    foregrounds_[percentageIndex(cell)] = colour;
    notify(Member::ofCell(Member::Kind::Foreground, cell));
}

bool DrillSheet::enabled(Button button) const {
    return buttons_[buttonIndex(button)].enabled;
}

void DrillSheet::setEnabled(Button button, bool enabled) {
    buttons_[buttonIndex(button)].enabled = enabled;
    notify(Member::ofButton(Member::Kind::ButtonEnabled, button));
}

bool DrillSheet::visible(Button button) const {
    return buttons_[buttonIndex(button)].visible;
}

void DrillSheet::setVisible(Button button, bool visible) {
    buttons_[buttonIndex(button)].visible = visible;
    notify(Member::ofButton(Member::Kind::ButtonVisible, button));
}

bool DrillSheet::eraChecked(int era) const {
    return eraChecked_[oneBased(era, kEraCount)];
}

void DrillSheet::setEraChecked(int era, bool checked) {
    eraChecked_[oneBased(era, kEraCount)] = checked;
    notify(Member::ofEra(era));
}

void DrillSheet::addListener(Listener listener) {
    listeners_.push_back(std::move(listener));
}

void DrillSheet::setChangeHandler(Cell cell, ChangeHandler handler) {
    changeHandlers_[percentageIndex(cell)] = std::move(handler);
}

void DrillSheet::notify(const Member& member) const {
    for (const Listener& listener : listeners_) {
        listener(member);
    }
}

} // namespace vantoriku
