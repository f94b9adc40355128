#pragma once

class QWidget;

namespace quorra {

// Names every control of the main window for screen readers, from the captions it shows:
// a field by its label, a ".." button by the field it fills ("Browse for Company Logo"),
// an option by the question and its answer ("Vat Registered: Yes"), Back and Next without
// their arrows. Visible captions are left as they are. Called once, when the controls are built.
void nameControlsForScreenReaders(QWidget& window);

} // namespace quorra
