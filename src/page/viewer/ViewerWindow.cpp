#include "page/viewer/ViewerWindow.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QScreen>
#include <QUrl>
#include <QWebEngineView>

namespace quorra {

using namespace Qt::StringLiterals;

QString pageProblem(const QString& pagePath) {
    if (pagePath.isEmpty())
        return u"No page was given to show."_s;
    const QFileInfo info(pagePath);
    if (!info.exists())
        return u"The page \""_s + pagePath + u"\" does not exist."_s;
    if (!info.isFile())
        return u"\""_s + pagePath + u"\" is not a file."_s;
    QFile file(pagePath);
    if (!file.open(QIODevice::ReadOnly))
        return u"The page \""_s + pagePath + u"\" could not be read: "_s + file.errorString() + u'.';
    return {};
}

ViewerWindow::ViewerWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_view(new QWebEngineView(this)) {
    setCentralWidget(m_view);
    setWindowTitle(u"Page Preview"_s);
    placeOn(screen()->availableGeometry());

    auto* reload = new QAction(u"Reload"_s, this);
    reload->setShortcut(QKeySequence(Qt::Key_F5));
    connect(reload, &QAction::triggered, m_view, &QWebEngineView::reload);
    addAction(reload);

    auto* close = new QAction(u"Close"_s, this);
    close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);

    connect(m_view, &QWebEngineView::titleChanged, this, [this](const QString& title) {
        setWindowTitle(title.isEmpty() ? u"Page Preview"_s : title + u" - Page Preview"_s);
    });
    connect(m_view, &QWebEngineView::loadFinished, this,
            [this](bool ok) { emit pageLoaded(ok, m_view->title()); });
}

void ViewerWindow::showPage(const QString& pagePath) {
    // The engine takes the page it shows again as a reload, which keeps the scroll position.
    m_view->setUrl(QUrl::fromLocalFile(QFileInfo(pagePath).absoluteFilePath()));
}

void ViewerWindow::bringToFront() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void ViewerWindow::placeOn(const QRect& available) {
    // A tenth of the screen is left to the window's frame and the desktop's panels.
    const QSize size = QSize(1024, 768).boundedTo(available.size() * 0.9);
    QRect frame(QPoint(), size);
    frame.moveCenter(available.center());
    setGeometry(frame);
}

} // namespace quorra
