#pragma once

#include <QMainWindow>

class QWebEngineView;

namespace quorra {

// Shows one local HTML page at a time; its pictures resolve against the page's folder.
class ViewerWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit ViewerWindow(QWidget* parent = nullptr);

    // Loads the page; the page already shown is reloaded where the user had scrolled to.
    void showPage(const QString& pagePath);

    // Shows the window in front of the others, restored when it was minimised.
    void bringToFront();

    // Sizes the window to fit the screen area (1024x768 where there is room) and centres it.
    void placeOn(const QRect& available);

    QWebEngineView* view() const { return m_view; }

signals:
    // Emitted each time the page has loaded (ok) or failed to load.
    void pageLoaded(bool ok, const QString& title);

private:
    QWebEngineView* m_view;
};

// Why the page cannot be shown, or empty when it is a readable file.
QString pageProblem(const QString& pagePath);

} // namespace quorra
