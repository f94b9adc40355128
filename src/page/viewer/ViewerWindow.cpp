#include "page/viewer/ViewerWindow.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
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

ViewerWindow::ViewerWindow(const QString& pagePath, QWidget* parent)
    : QMainWindow(parent)
    , m_view(new QWebEngineView(this)) {
    setCentralWidget(m_view);
    setWindowTitle(u"Page Preview"_s);
    resize(1024, 768);

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

    m_view->setUrl(QUrl::fromLocalFile(QFileInfo(pagePath).absoluteFilePath()));
}

} // namespace quorra
