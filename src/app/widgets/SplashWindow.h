#pragma once

#include <QWidget>

class QLabel;

namespace quorra {

// The window shown while the program starts: logo, title picture, version and warning.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

    // The version caption, lines ending with CR LF.
    static QString versionCaption();
    static QString warningCaption();

private:
    void Form_Load();

    QLabel* m_lblQuorratext = nullptr;
    QLabel* m_lblWarning = nullptr;
};

} // namespace quorra
