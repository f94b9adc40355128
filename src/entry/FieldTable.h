#pragma once

#include <QLatin1StringView>
#include <QStringView>

#include <span>

namespace quorra {

// A rectangle in twips (1440 to the inch, 15 to a pixel at 96 dpi).
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;  // 0: the control sizes itself
    int height = 0; // 0: the control sizes itself
};

// Who sees a text field.
enum class FieldVisibility {
    Shown,     // an entry field on its step panel
    OnRequest, // the guidance text, shown over the panels by Help
    Never,     // a page fragment the program keeps for the generator
};

// One text field of the main window: its control, its limits and its place.
struct FieldSpec {
    QLatin1StringView name; // control name, also the template placeholder
    int panel = -1;         // step panel index 0..14, or -1 for the window itself
    int maxLength = 0;      // the most characters a user can type; 0 for no limit
    bool multiLine = false;
    bool verticalScrollBar = false;
    FieldVisibility visibility = FieldVisibility::Shown;
    TwipsRect rect{};             // inside its panel, or inside the window for panel -1
    const char* label = nullptr;  // caption of the label naming the field, or nullptr
    TwipsRect labelRect{};        // inside the same panel
    const char* button = nullptr; // object name of the ".." picture button, or nullptr
    TwipsRect buttonRect{};
    bool amountOnly = false; // typing lets only digits, the full stop and backspace through
    bool boldLabel = false;
};

// Every text field of the main window, in the order the window creates them. The page
// generator tries the placeholders in this order.
std::span<const FieldSpec> fieldTable();

// The entry of the field called name, or nullptr.
const FieldSpec* findField(QStringView name);

// The panel that shows products 1 to 5 is step panel 7 + n.
constexpr int productPanel(int product) {
    return 7 + product;
}

constexpr int StepCount = 15;

} // namespace quorra
