#pragma once

#include <QMainWindow>

class QWebEngineView;

namespace quorra {

// Shows one local HTML page; its pictures resolve against the page's folder.
class ViewerWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit ViewerWindow(const QString& pagePath, QWidget* parent = nullptr);

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
