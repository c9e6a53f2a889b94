#pragma once

#include "sheet/drill_sheet.h"

#include <optional>
#include <span>
#include <string_view>

// Where every control of the main window stands, what it says at start and
// how it is lettered. Positions are in twips, 15 to a logical pixel.
namespace vantoriku {

inline constexpr int kTwipsPerPixel = 15;
constexpr int pixels(int twips) {
    return twips / kTwipsPerPixel;
}

inline constexpr int kClientWidthTwips = 10920;
inline constexpr int kClientHeightTwips = 7680;

enum class ControlKind { Label, AnswerField, Button, Rule };
// The three push buttons, each with its handler.
enum class Command { Score, Evaluate, Clear };
enum class Alignment { Left, Centre, Right };

// Pixel sizes are fixed (9 pt = 12 px at 96 dpi) so that the captions fit
// their cells whatever the desktop's dpi; pixelSize 0 means the window's font.
struct Lettering {
    int pixelSize = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int stretch = 100; // per cent of the face's own width
    friend bool operator==(const Lettering&, const Lettering&) = default;
};
inline constexpr int kWindowFontPixels = 12;

struct LayoutRow {
    std::string_view name;
    ControlKind kind;
    std::string_view caption;
    int left, top, width, height; // twips
    Alignment alignment = Alignment::Left;
    Lettering font{};
    bool blackText = false; // a fixed black foreground instead of the default
    // What the control shows of the sheet or does: the row of a question caption or an
    // answer field, the cell of a label, the command of a button; none for fixed captions.
    int row = 0;
    std::optional<Cell> cell = std::nullopt;
    std::optional<Command> command = std::nullopt;
};

// A position and size that are whole pixels, so that none is rounded.
constexpr bool wholePixels(const LayoutRow& c) {
    return c.left % kTwipsPerPixel == 0 && c.top % kTwipsPerPixel == 0 &&
           c.width % kTwipsPerPixel == 0 && c.height % kTwipsPerPixel == 0;
}

// The forty question captions and answer fields, then the right-hand panel
// and the prompt, in creation order.
std::span<const LayoutRow> layoutTable();

// What a menu item does, each with its handler on the main window; a
// separator does nothing.
enum class MenuCommand { Print, Clear, Quit, SelectEra, Help, Separator };

struct MenuItem {
    std::string_view name;
    std::string_view caption; // none for a separator
    MenuCommand command;
    int era = 0; // the era that SelectEra chooses; its item carries a check mark
};

struct Menu {
    std::string_view name;
    std::string_view title;
    std::span<const MenuItem> items;
};

// The menu bar's menus and their items, in order. No item has a key.
std::span<const Menu> menuTree();

// The face that the window and its lettered controls ask for first, then the
// Japanese faces a Debian desktop has in its place.
std::span<const std::string_view> windowFontFamilies();

} // namespace vantoriku
